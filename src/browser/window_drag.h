#pragma once
// Moves and resizes the frameless book window by the pointer, and maximises
// it or back; the look keeps where the window is and how large.

#include <QPoint>

#include "browser/browser_input.h"

class AlbumBrowser;

class WindowDrag {
 public:
  explicit WindowDrag(AlbumBrowser& window) : window_(window) {}

  // A button went down at global, on the screen.
  void Press(QPoint global);
  // The pointer moved to p (global on the screen) with the left button held,
  // over the chrome zone cursor; pressPoint is where the last step ended.
  // True when a resize step was taken from pressPoint: p is the next one.
  bool Follow(BookCursor cursor, QPoint pressPoint, QPoint p, QPoint global);
  // The button went up: a resize that was under way ends (true).
  bool Release();
  // A corner drag is resizing the window.
  bool IsResizing() const { return resizing_; }
  // Maximised on the available area of the window's screen, or back.
  void ToggleMaximized();

 private:
  AlbumBrowser& window_;
  bool resizing_ = false;
  // A window move follows the pointer on the screen: where it and the
  // window were when the button went down.
  QPoint moveStartGlobal_;
  QPoint moveStartWindow_;
};
