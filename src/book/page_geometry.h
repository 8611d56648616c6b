#pragma once
// The geometry of the open book that drawing, hit tests and thumbnails share.
//
// Everything here is a pure function of the page size (SpineX wide, as high
// as the window) and the look, so it can be used before any window exists.
// Rectangles follow the convention (Left, Top)-(Right, Bottom): they cover the
// pixels Left..Right-1 and Top..Bottom-1.

#include <QRect>
#include <QSize>

struct AlbumLook;

struct EdgeRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  // The same pixels as a QRect (whose right and bottom are inclusive).
  QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
  bool operator==(const EdgeRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
};

// numerator / denominator (both >= 0, denominator > 0) rounded to the nearest
// integer, halves to the even neighbour, computed exactly.
qint64 RoundHalfEven(qint64 numerator, qint64 denominator);

// Page bitmaps measure and draw text at 96 dots per inch (3780 dots per
// metre), the resolution the look's point sizes are meant for; a QImage
// otherwise assumes 72.
constexpr int PageDotsPerMeter = 3780;

// Where the two pages meet: half the window's width. Every page bitmap is
// SpineX wide and as high as the window.
int SpineXFor(int windowWidth);
// The size of one page bitmap for a window.
QSize PageSizeFor(QSize windowSize);

// A page's inner area in page coordinates. The band outside it holds the
// page-stack edges and the bookmarks.
EdgeRect PageArea(bool isLeftPage, QSize pageSize);

// The thumbnail cell at position (row-major, 0 .. RowCount*ColumnCount-1) of
// the left or right page, for the grid of look.
EdgeRect CellRect(bool isRightPage, int position, QSize pageSize, const AlbumLook& look);
