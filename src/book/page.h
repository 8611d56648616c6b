#pragma once
// The three page bitmaps of the book: the cover, the left and the right page.
// Everything the book shows is drawn into them; the window only copies them.

#include <QImage>
#include <cstdint>

#include "book/page_geometry.h"
#include "init/profile.h"

enum class PageKind : std::uint8_t { Left = 0, Right = 1, Cover = 2 };

class BookPage {
 public:
  explicit BookPage(PageKind kind) : Kind(kind) {}

  QImage Image;         // SpineX wide, as high as the window; transparent outside the book
  LookColor Color = 0;  // the background colour of the spread being drawn
  PageKind Kind;
  EdgeRect Area;  // the inner area, in page coordinates
  // The page as InitPage drew it (board, page-stack edges); every spread is
  // drawn on a fresh copy, so nothing of the previous one stays.
  QImage Background;

  bool IsLeft() const { return Kind == PageKind::Left; }
  bool IsRight() const { return Kind == PageKind::Right; }
  bool IsCover() const { return Kind == PageKind::Cover; }
  int Width() const { return Image.width(); }
  int Height() const { return Image.height(); }
};
