// Where the window goes and the zones of its chrome.
#include "browser/window_chrome.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

#include "book/book_window.h"

inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

TEST(PlaceWindow, HeldToTheScreensWhateverTheLookSays) {
  const QList<QRect> two{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)};
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  struct Case {
    const char* what;
    int left, top, width, height;
    QRect expected;
  };
  const Case cases[] = {
      {"on the first screen", 100, 50, 800, 600, QRect(100, 50, 800, 600)},
      {"across both screens", 1800, 20, 800, 600, QRect(1800, 20, 800, 600)},
      {"partly above: pulled down", 1800, -20, 800, 600, QRect(1800, 0, 800, 600)},
      {"on a monitor that is gone: onto the nearest", 3400, 100, 800, 600,
       QRect(2400, 100, 800, 600)},
      {"far above", 300, -5000, 800, 600, QRect(300, 0, 800, 600)},
      {"off and larger than the nearest screen", -4000, 200, 2500, 1500, QRect(0, 0, 1920, 1040)},
      {"larger than the screen it is on", 80, 40, 20000, 12000, QRect(0, 0, 1920, 1040)},
      {"the largest size", 80, 40, kMax, kMax, QRect(0, 0, 1920, 1040)},
      {"the far corners", kMax, kMin, 100000, 100000, QRect(1920, 0, 1280, 984)},
      {"no size", 10, 10, 0, -5, QRect(10, 10, 1, 1)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlaceWindow(c.left, c.top, c.width, c.height, two), c.expected) << c.what;
  EXPECT_EQ(PlaceWindow(5, 5, 10, 10, {}), QRect(5, 5, 10, 10));
  EXPECT_EQ(PlaceWindow(kMax, kMin, kMax, kMax, {}),
            QRect(1 << 24, -(1 << 24), kLargestWindowSide, kLargestWindowSide));
}

TEST(ChromeZone, TheWindowsOwnZonesInOrder) {
  ChromeInputs open{QSize(600, 400), 300, 2, false, QSize(20, 10)};
  ChromeInputs closed = open;
  closed.CurrentPage = -1;
  closed.BookClosed = true;
  using C = std::optional<BookCursor>;
  struct Case {
    const char* what;
    const ChromeInputs& state;
    QPoint p;
    C expected;
  };
  const Case cases[] = {
      {"caption buttons", open, {540, 20}, BookCursor::Arrow},
      {"caption buttons win over the move strip", open, {590, 5}, BookCursor::Arrow},
      {"left of the caption buttons", open, {539, 5}, BookCursor::Move},
      {"menu tab", open, {290, 11}, BookCursor::Hand},
      {"menu tab's right edge", open, {310, 0}, BookCursor::Hand},
      {"below the menu tab", open, {300, 12}, BookCursor::Move},
      {"open book's top strip", open, {100, 13}, BookCursor::Move},
      {"below the strip", open, {100, 14}, C()},
      {"resize corner", open, {573, 373}, BookCursor::Resize},
      {"next to the corner", open, {572, 399}, C()},
      {"closed: the cover's left edge", closed, {327, 200}, BookCursor::Move},
      {"closed: the rest of the cover", closed, {328, 200}, C()},
      {"closed: no resize corner", closed, {590, 390}, C()},
  };
  for (const Case& c : cases) EXPECT_EQ(ChromeZone(c.p, c.state), c.expected) << c.what;
  EXPECT_TRUE(InCloseZone({580, 5}, {600, 400}));
  EXPECT_TRUE(InCloseZone({590, 15}, {600, 400}));
  EXPECT_FALSE(InCloseZone({591, 10}, {600, 400}));
  EXPECT_FALSE(InCloseZone({585, 16}, {600, 400}));
}
