#pragma once
// How the book window hands its mouse, keyboard and drop events to browsing
// and editing. The window handles its own chrome first (caption buttons, the
// move and resize zones, the close zone, the menu tab, F10: the cursor zones
// 1 to 4 and what they do) and then offers
// the event to each installed BrowserInput in turn until one takes it
// (returns true). Keeping browsing and editing behind this seam lets each be
// built and tested on its own.

#include <QPoint>
#include <Qt>

class QDragEnterEvent;
class QDragMoveEvent;
class QDragLeaveEvent;
class QDropEvent;
class QKeyEvent;
class QPainter;
class QWheelEvent;

// The cursor the window shows; a button release acts by the cursor showing.
enum class BookCursor {
  Default,   // anywhere else
  Arrow,     // over the caption buttons
  Hand,      // the menu tab
  Move,      // four-way arrow: a drag moves the window
  Resize,    // diagonal arrow: a drag resizes the window
  Left,      // LEFT: back to a bookmark
  Right,     // RIGHT: forward to a bookmark
  Previous,  // PREVIOUS: page back
  Next,      // NEXT: page forward
  Zoom,      // ZOOM: open the image
};

class BrowserInput {
 public:
  virtual ~BrowserInput() = default;

  // The cursor for a mouse move with no button held at p, when no zone of the
  // window's own chrome matched; false leaves it to the next handler (and
  // finally the default cursor).
  virtual bool CursorAt(QPoint, BookCursor&) { return false; }
  // A button release at p (window coordinates) while cursor was showing; the
  // press point has already been set to p.
  virtual bool MouseRelease(BookCursor, QPoint, Qt::MouseButton, Qt::KeyboardModifiers) {
    return false;
  }
  virtual bool MousePress(QPoint, Qt::MouseButton, Qt::KeyboardModifiers) { return false; }
  // A move with the left button held; press is the press point. Taking it
  // (an image drag) keeps the window from moving or resizing.
  virtual bool LeftButtonMove(QPoint /*press*/, QPoint /*p*/) { return false; }
  // A double click at the press point, after the window has handled the move
  // zone and the menu tab.
  virtual bool DoubleClick(QPoint) { return false; }
  // Keys that no action shortcut has taken.
  virtual bool KeyDown(QKeyEvent&) { return false; }
  virtual bool Wheel(QWheelEvent&) { return false; }
  virtual bool DragEnter(QDragEnterEvent&) { return false; }
  virtual bool DragMove(QDragMoveEvent&) { return false; }
  virtual bool DragLeave(QDragLeaveEvent&) { return false; }
  virtual bool Drop(QDropEvent&) { return false; }
  // Drawn over the pages at the end of the window's paint step (the letters,
  // the drop marker).
  virtual void PaintOver(QPainter&) {}
};
