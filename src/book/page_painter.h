#pragma once
// Draws a page of the book from the album (its data, the spread shown with
// the selection, and the thumbnails), the look and the layout it is
// given, which it reads and never changes. Layer by layer: InitPage (the
// cover board and the page-stack edges, on every re-layout), PaintBackground
// (the spread's colour, bookmarks, paper, spine shade and corner pictures)
// and PaintContent (titles, thumbnails, text).

#include <QImage>
#include <vector>

#include "book/page.h"
#include "book/paint_tools.h"

class AlbumModel;
struct AlbumThumbnails;
struct OpenAlbum;
struct ViewState;
class BookLayout;
class BookWindow;
class PageText;
class QColor;
class QPainter;
class QRectF;
struct AlbumLook;
struct TextBox;
struct Thumbnail;

class PagePainter {
 public:
  // window: whether the book is being edited (selection frames) or resized
  // (cells without pictures).
  PagePainter(const OpenAlbum& album, const AlbumLook& look, const BookLayout& layout,
              const BookWindow& window);

  // A fresh page bitmap of the layout's page size with its board and edges,
  // kept as the page's Background.
  void InitPage(BookPage& page);
  // The current spread's background layer, on a copy of the page's
  // Background; the cover is drawn afresh.
  void PaintBackground(BookPage& page);
  void PaintContent(BookPage& page) const;
  // The content layer drawn with painter (in page coordinates) rather than
  // into page.Image: a printer keeps the text as text.
  void PaintContent(const BookPage& page, QPainter& painter) const;
  // While boxes is set, the content layer adds every text it draws to it:
  // tests check that no two overlap and none is cut. Null: nothing recorded.
  void RecordTextBoxes(std::vector<TextBox>* boxes) { textBoxes_ = boxes; }

  // For print: the page's paper (its colour, or the look's texture tiled at
  // dpi so its grain is the screen's) over r of painter.
  void PaintPaper(const BookPage& page, QPainter& painter, const QRectF& r, int dpi);
  // The board under page (the cover's, or an open page's with the
  // page-stack bands and edges) and, over its paper, the spine shade and
  // decoration pictures, in page coordinates. Textures are tiled at dpi; at
  // the page's own 96 the window's pixels, on paper lines and a gradient.
  void PaintBoard(const BookPage& page, QPainter& painter, int dpi);
  void PaintPaperEdges(const BookPage& page, QPainter& painter, int dpi);
  // The bookmark tabs of page with their labels, in page coordinates.
  void PaintBookmarkTabs(const BookPage& page, QPainter& painter) const;
  // Print style: cells without a picture stay empty (the pre-print check
  // names them), no shadows, and pictures are drawn at the picture scale
  // even where the picture is smaller.
  void SetPrintStyle(bool on) { print_ = on; }

 private:
  void PaintBookmarks(BookPage& page) const;
  // A cell's picture, scaled down by the picture scale; in print style
  // laid on paper, the page's colour, where it has transparency.
  void DrawCellPicture(QPainter& p, const EdgeRect& picture, const Thumbnail& thumb,
                       const QColor& paper) const;
  // The lines under picture, down to bottom (the cell's) at most.
  void PaintDescription(PageText& text, const EdgeRect& picture, int bottom, int index) const;
  // The decoration bitmaps, read once the open book is first drawn; a null
  // one is not drawn.
  void LoadDecorations();

  const AlbumModel& model_;
  const ViewState& view_;
  const AlbumThumbnails& thumbs_;
  const AlbumLook& look_;
  const BookLayout& layout_;
  const BookWindow& window_;
  TextureCache textures_;
  bool decorationsLoaded_ = false;
  QImage vertical_;
  QImage horizontal_;
  QImage menu_;
  QImage middle_;
  QImage leftCorner_;
  QImage rightCorner_;
  std::vector<TextBox>* textBoxes_ = nullptr;
  bool print_ = false;
};
