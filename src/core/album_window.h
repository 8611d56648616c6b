#pragma once
// What the album files need from the main window, its view and its commands.
// The main window implements it; tests record the calls. Keeping these behind
// one small interface lets loading and saving run without any window.

#include <QRect>

enum class CursorKind {
  Default,    // the normal arrow
  HourGlass,  // a long operation
  AppStart,   // arrow with hourglass: a document is being opened
};

class AlbumWindow {
 public:
  virtual ~AlbumWindow() = default;

  virtual void SetCursor(CursorKind cursor) = 0;

  // The checked state of the EditMode command, and running that command
  // (which toggles edit mode).
  virtual bool IsEditMode() const = 0;
  virtual void RunEditMode() = 0;

  // Loads the thumbnails of chapter k when they are not loaded.
  virtual void LoadThumbnails(int chapter) = 0;
  // Makes a chapter and spread current and shows it (the only way the spread
  // on screen changes).
  virtual void ShowSpread(int chapter, int page) = 0;
  // Places and sizes the window from the look, sets the book's window size
  // (BookView::SetWindowSize), cuts the outline for the open or closed book
  // and lays out and redraws the pages (BookView::RebuildPages).
  virtual void PositionWindow() = 0;
  // Lays out the pages again and redraws the current spread.
  virtual void RebuildPages() = 0;
  // The window's current left, top, width and height.
  virtual QRect WindowGeometry() const = 0;

  // The SaveAlbum and SaveFormat commands, run as from the action list (the
  // enabling rule first; Save ... as when the album has no such file yet).
  virtual void RunSaveAlbum() = 0;
  virtual void RunSaveFormat() = 0;

  // An album or data file was opened and is shown.
  virtual void DocumentOpened() {}
};

// Shows a cursor for its lifetime and restores the normal one at its end,
// also when an error leaves the operation early.
class ScopedCursor {
 public:
  ScopedCursor(AlbumWindow& window, CursorKind cursor) : window_(window) {
    window_.SetCursor(cursor);
  }
  ~ScopedCursor() { window_.SetCursor(CursorKind::Default); }
  ScopedCursor(const ScopedCursor&) = delete;
  ScopedCursor& operator=(const ScopedCursor&) = delete;

 private:
  AlbumWindow& window_;
};
