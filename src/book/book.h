#pragma once
// The book on screen: its three pages, the one way to change the spread they
// show (ShowSpread, RebuildPages) and the window's picture made from them.
// It keeps the layout up to date and has the page painter draw the pages.
// The album (its data, view state and thumbnails), the look and the settings
// are the ones given at construction, owned by whoever owns the book.

#include <QPoint>
#include <QSize>
#include <vector>

#include "book/book_layout.h"
#include "book/book_window.h"
#include "book/page.h"
#include "book/page_painter.h"
#include "book/thumbnail_budget.h"
#include "core/open_album.h"
#include "init/profile.h"
#include "init/program_settings.h"

class QPainter;
struct TextBox;

class BookView {
 public:
  BookView(OpenAlbum& album, BookWindow& window, const AlbumLook& look,
           const ProgramSettings& settings);

  BookPage CoverPage{PageKind::Cover};
  BookPage LeftPage{PageKind::Left};
  BookPage RightPage{PageKind::Right};

  // Where things lie for the window, the look and the spread on screen,
  // the bookmark tabs among them.
  const BookLayout& Layout() const { return layout_; }
  // Draws the pages; the PDF export draws with it onto its sheets.
  PagePainter& Painter() { return painter_; }

  int SpineX() const { return layout_.SpineX(); }
  QSize WindowSize() const { return layout_.WindowSize(); }
  // The window's size from now on (PositionWindow); pages follow on the
  // next RebuildPages.
  void SetWindowSize(QSize size);

  // Makes chapter c, spread p current and draws it; ignores arguments out of
  // range (c < -1, c > ChapterCount, p < -1, p > LastSpread(c)) and closed
  // books other than chapter 0's (or no album's) spread -1.
  void ShowSpread(int c, int p);
  // InitPage of the three pages (while the book is closed, those of the
  // open book wait for it to open), then ShowSpread of the current spread.
  void RebuildPages();
  // The same, showing spread c, p instead (the current one when c, p is
  // out of range), so that a re-layout followed by a change of spread
  // draws the pages once.
  void RebuildPages(int c, int p);

  // PagePainter::RecordTextBoxes.
  void RecordTextBoxes(std::vector<TextBox>* boxes) { painter_.RecordTextBoxes(boxes); }

  // The window's picture: the cover at SpineX while the book is closed, else
  // the left page at 0 and the right page at SpineX.
  void PaintWindow(QPainter& window) const;
  // Paints over the window (whose painter is given) after it has copied the
  // pages: a letter on every cell of the spread that holds an image.
  void PaintLetters(QPainter& window) const;
  struct LetterMark {
    QPoint At;  // window coordinates of the cell's top-left corner
    QChar Letter;
  };
  // The marks PaintLetters draws: LetterForCell(0) ("a") for the spread's
  // first cell, counting the left page's rows first; on spread 0 the right
  // page starts at "a".
  std::vector<LetterMark> LetterMarks() const;
  // Copies the cells of images a..b (either order) from the pages to the
  // window, wiping selection frames; dragIndex (-1: none) gets the drop mark.
  void RepaintCells(QPainter& window, int a, int b, int dragIndex) const;

  // The size thumbnails are made for in the current window and look, times
  // the picture scale.
  QSize ThumbnailBox() const { return layout_.ThumbnailBox(); }
  // Pictures made this many times finer than the page's pixels and drawn
  // scaled down into their cells, for painters finer than the screen (a
  // printer). 1 on screen; takes effect with the next thumbnails made.
  // budget bounds their memory as ThumbnailMemoryBudget does on screen; 0
  // keeps only the spread shown.
  void SetPictureScale(double scale, qint64 budget) {
    layout_.SetPictureScale(scale);
    pictureBudget_ = budget;
  }
  // Whether thumbnails made now go into the shared cache: only at the
  // screen's own scale, so a PDF export leaves no entries of its print sizes.
  bool SharesThumbnails() const {
    return settings_.ShareThumbnails && layout_.PictureScale() == 1.0;
  }

  AlbumModel& Model() { return model_; }
  const AlbumModel& Model() const { return model_; }
  ViewState& View() { return view_; }
  const ViewState& View() const { return view_; }
  AlbumThumbnails& Thumbs() { return thumbs_; }
  const AlbumThumbnails& Thumbs() const { return thumbs_; }
  const AlbumLook& Look() const { return look_; }
  const ProgramSettings& Settings() const { return settings_; }

 private:
  void PaintPage(BookPage& page);

  AlbumModel& model_;
  ViewState& view_;
  AlbumThumbnails& thumbs_;
  BookWindow& window_;
  const AlbumLook& look_;
  const ProgramSettings& settings_;
  BookLayout layout_;
  PagePainter painter_;
  qint64 pictureBudget_ = ThumbnailMemoryBudget;
  // While the book is closed a re-layout leaves the open book's two pages
  // for the first spread shown open.
  bool openPagesStale_ = true;
};
