#include "book/page_geometry.h"

#include <gtest/gtest.h>

#include "init/profile.h"
#include "rect_printer.h"

TEST(PageGeometry, AreasAndCellsOfAnEightHundredBySixHundredWindow) {
  const QSize page = PageSizeFor(QSize(800, 600));
  EXPECT_EQ(page, QSize(400, 600));
  EXPECT_EQ(SpineXFor(801), 400);
  EXPECT_EQ(PageArea(true, page), (TRect{28, 15, 399, 572}));
  EXPECT_EQ(PageArea(false, page), (TRect{1, 15, 372, 572}));

  TProfile look;
  look.RowCount = 3;
  look.ColumnCount = 4;
  // cellWidth = (371 - 30) div 4 = 85, cellHeight = (557 - 40) div 3 = 172.
  const struct {
    bool right;
    int position;
    TRect cell;
  } cases[] = {
      {true, 0, {26, 40, 101, 207}},     {false, 0, {43, 40, 118, 207}},
      {true, 3, {281, 40, 356, 207}},    {true, 4, {26, 212, 101, 379}},
      {false, 11, {298, 384, 373, 551}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CellRect(c.right, c.position, page, look), c.cell)
        << (c.right ? "right " : "left ") << c.position;
  }
  EXPECT_EQ(CellRect(false, 0, page, look).ToQRect(), QRect(43, 40, 75, 167));
}

TEST(PageGeometry, RoundingTakesHalvesToTheEvenNeighbour) {
  const struct {
    qint64 numerator, denominator, rounded;
  } cases[] = {{5, 2, 2}, {7, 2, 4}, {9, 4, 2}, {11, 4, 3}, {225, 4, 56}, {0, 3, 0}, {300, 40, 8}};
  for (const auto& c : cases) {
    EXPECT_EQ(RoundHalfEven(c.numerator, c.denominator), c.rounded)
        << c.numerator << "/" << c.denominator;
  }
}
