#include "page_geometry.h"

#include <algorithm>

#include "init/profile.h"

qint64 RoundHalfEven(qint64 numerator, qint64 denominator) {
  const qint64 quotient = numerator / denominator;
  const qint64 twiceRest = 2 * (numerator % denominator);
  if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0)) {
    return quotient + 1;
  }
  return quotient;
}

int SpineXFor(int windowWidth) { return windowWidth / 2; }

QSize PageSizeFor(QSize windowSize) {
  return QSize(SpineXFor(windowSize.width()), windowSize.height());
}

EdgeRect PageArea(bool isLeftPage, QSize pageSize) {
  const int spineX = pageSize.width();
  const int height = pageSize.height();
  // 27 pixels of page-stack edge and bookmarks on the outer side, 13 below.
  if (isLeftPage) return EdgeRect{28, 15, spineX - 1, height - 28};
  return EdgeRect{1, 15, spineX - 28, height - 28};
}

EdgeRect CellRect(bool isRightPage, int position, QSize pageSize, const AlbumLook& look) {
  const EdgeRect area = PageArea(!isRightPage, pageSize);
  const int columns = look.ColumnCount > 0 ? look.ColumnCount : 1;
  const int rows = look.RowCount > 0 ? look.RowCount : 1;
  const int cellWidth = (area.Width() - 30) / columns;
  const int cellHeight = (area.Height() - 40) / rows;
  // Both pages keep 21 pixels to the spine and 38 to the outer edge.
  const int x0 = area.Left + (isRightPage ? 20 : 10);
  const int row = position / columns;
  const int column = position % columns;
  const int left = x0 + column * cellWidth;
  const int top = area.Top + row * cellHeight;
  return EdgeRect{left + 5, top + 25, left + cellWidth - 5, top + 20 + cellHeight};
}

QRect CoverTitleBox(QSize pageSize) {
  // The hinge is at 28 and the rim 4 pixels wide: the title keeps twice that.
  constexpr int margin = 8;
  return QRect(28 + margin, 0, pageSize.width() - 28 - 2 * margin, pageSize.height() - 40);
}

CellLines FitCellLines(CellLines wanted, int room, int desc, int base) {
  CellLines l = wanted;
  l.PlaceBelow = l.PlaceBelow && l.Date;
  const auto height = [&] {
    return desc * ((l.Date ? 1 : 0) + (l.PlaceBelow ? 1 : 0) + l.People) + base * l.Title;
  };
  if (height() > room) l.PlaceBelow = false;
  if (height() > room) l.People = std::min(l.People, 1);
  while (height() > room && l.Title > 0) --l.Title;
  if (height() > room) l.People = 0;
  if (height() > room) l.Date = false;
  return l;
}
