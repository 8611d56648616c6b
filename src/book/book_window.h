#pragma once
// What the book needs from the main window beyond what the album files need
// (AlbumWindow: edit mode, placing the window, showing a spread). The window
// implements it; tests and the headless renderer use a stand-in that has no
// window at all.

#include "core/album_window.h"

class ProgressSink;

// The largest side of the book's window where no screen bounds a look's size
// (the headless book, a window system without screens): an 8K screen fits,
// and the page pictures stay within a few hundred megabytes.
constexpr int kLargestWindowSide = 8192;

class BookWindow : public AlbumWindow {
 public:
  // The window's paint step runs soon: it copies the page bitmaps.
  virtual void RepaintWindow() = 0;
  // The tool panel comes out of the spine or goes back.
  virtual void SetToolPanelVisible(bool visible) = 0;
  // The menu-shown flag: the tool panel is out while the book is open.
  virtual bool IsMenuShown() const = 0;
  // A corner drag is resizing the window: cells are drawn without pictures.
  virtual bool IsResizing() const = 0;
  // The progress box, for loading a chapter's thumbnails.
  virtual ProgressSink& Progress() = 0;
};
