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

// Where the cover's title is set on a cover page of pageSize: right of the
// hinge, clear of the board's rim on either side, above the cover's middle.
QRect CoverTitleBox(QSize pageSize);

// Which of a cell's lines show under its picture, each in a band of its
// own, top down: the date with the place beside it (or the date, then the
// place on a line of its own), the people, then the title's lines.
struct CellLines {
  bool Date = false;        // the date-and-place line
  bool PlaceBelow = false;  // the place on its own line under the date
  int People = 0;           // the people's lines: 1, or 2 where they wrap
  int Title = 0;            // how many of the title's lines
};
// The lines that fit room pixels under a picture (desc: the date, place and
// people lines' height; base: a title line's). wanted holds every line the
// look and the image ask for; PlaceBelow where date and place are too wide
// to stand side by side. Where not all fit, they are given up in this
// order: the place's own line (the place then goes beside the date,
// shortened with "…"), the people's second line (the first then ends in
// "…"), the title's lines from the last, the people line, the date line.
CellLines FitCellLines(CellLines wanted, int room, int desc, int base);
