// Where the window goes and the zones of its chrome.
#include "browser/window_chrome.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

TEST(PlaceWindow, StaysOnTheScreensOrComesBack) {
  const QList<QRect> two{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)};
  struct Case {
    const char* what;
    QRect stored;
    QRect expected;
  };
  const Case cases[] = {
      {"on the first screen", QRect(100, 50, 800, 600), QRect(100, 50, 800, 600)},
      {"partly off, still reachable", QRect(1800, -20, 800, 600), QRect(1800, -20, 800, 600)},
      {"on a monitor that is gone: onto the nearest", QRect(3400, 100, 800, 600),
       QRect(2400, 100, 800, 600)},
      {"far above", QRect(300, -5000, 800, 600), QRect(300, 0, 800, 600)},
      {"off and larger than the nearest screen", QRect(-4000, 200, 2500, 1500),
       QRect(0, 0, 1920, 1040)},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceWindow(c.stored, two), c.expected) << c.what;
  EXPECT_EQ(PlaceWindow(QRect(5, 5, 10, 10), {}), QRect(5, 5, 10, 10));
}

TEST(ChromeZone, TheWindowsOwnZonesInOrder) {
  TChromeState open{QSize(600, 400), 300, 2, false, QSize(20, 10)};
  TChromeState closed = open;
  closed.CurrentPage = -1;
  closed.BookClosed = true;
  using C = std::optional<TBookCursor>;
  struct Case {
    const char* what;
    const TChromeState& state;
    QPoint p;
    C expected;
  };
  const Case cases[] = {
      {"caption buttons", open, {540, 20}, TBookCursor::Arrow},
      {"caption buttons win over the move strip", open, {590, 5}, TBookCursor::Arrow},
      {"left of the caption buttons", open, {539, 5}, TBookCursor::Move},
      {"menu tab", open, {290, 11}, TBookCursor::Hand},
      {"menu tab's right edge", open, {310, 0}, TBookCursor::Hand},
      {"below the menu tab", open, {300, 12}, TBookCursor::Move},
      {"open book's top strip", open, {100, 13}, TBookCursor::Move},
      {"below the strip", open, {100, 14}, C()},
      {"resize corner", open, {573, 373}, TBookCursor::Resize},
      {"next to the corner", open, {572, 399}, C()},
      {"closed: the cover's left edge", closed, {327, 200}, TBookCursor::Move},
      {"closed: the rest of the cover", closed, {328, 200}, C()},
      {"closed: no resize corner", closed, {590, 390}, C()},
  };
  for (const Case& c : cases) EXPECT_EQ(ChromeZone(c.p, c.state), c.expected) << c.what;
  EXPECT_TRUE(InCloseZone({580, 5}, {600, 400}));
  EXPECT_TRUE(InCloseZone({590, 15}, {600, 400}));
  EXPECT_FALSE(InCloseZone({591, 10}, {600, 400}));
  EXPECT_FALSE(InCloseZone({585, 16}, {600, 400}));
}
