#pragma once
// The decisions of the book window's own chrome, without a window: where it
// goes on the screens, its outline, and which of its zones a point is in.

#include <QList>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <optional>

#include "browser/browser_input.h"

// Where a window stored in a look at left, top with width x height goes,
// given the available areas of the screens. Any values are taken, so the
// arithmetic is wide. The screen is the one the window is most on, or off
// every screen (a monitor removed) the nearest one. A size larger than that
// screen's area is reduced to it and the window placed on it, as is a window
// off every screen; a window that fits is only kept within the screens'
// bounding area, so it may span screens. No screens: as stored, each side at
// most kLargestWindowSide, the place kept in range.
QRect PlaceWindow(int left, int top, int width, int height, const QList<QRect>& available);

// The window's rounded outline (corner ellipses 25 x 25): the whole window
// while the book is open, only the cover half right of the spine while it is
// closed.
QRegion BookOutline(QSize window, int spineX, bool bookClosed);

// What the chrome reads to place a point.
struct ChromeInputs {
  QSize Window;
  int SpineX = 0;
  int CurrentPage = -1;  // -1: closed
  bool BookClosed = true;
  QSize MenuBitmap;  // the "MENU" decoration: the tab at the spine's top
};

// The menu tab: y < MH + 2, SpineX - MW div 2 <= x <= SpineX + MW div 2.
bool OnMenuTab(QPoint p, const ChromeInputs& state);

// The cursor of the window's own zones: caption buttons (arrow), the menu
// tab (hand), the move zone (the top strip of the open book, the cover's
// leftmost 28 pixels of the closed one) and the resize corner of the open
// book. Empty: the point is for browsing and editing.
std::optional<BookCursor> ChromeZone(QPoint p, const ChromeInputs& state);

// The close button's place, where a button release closes the window too.
bool InCloseZone(QPoint p, QSize window);
