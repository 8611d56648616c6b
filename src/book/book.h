#pragma once
// The book view: the three page objects, the layout they share, and the one
// way to change the spread on screen (ShowSpread).
//
// Drawing is split by layer: InitPage (cover board and page-stack edges, on
// every re-layout), PaintPageBackground (colour, bookmarks, paper, spine
// shade, corner pictures) and PaintPageContent (titles, thumbnails, text),
// each in its own file. The album, the look and the settings are the ones
// given at construction, owned by whoever owns the book; the book only reads
// them.

#include <QImage>
#include <QPoint>
#include <QSize>
#include <array>
#include <vector>

#include "book/book_window.h"
#include "book/bookmarks.h"
#include "book/page.h"
#include "book/paint_tools.h"
#include "book/thumbnail_budget.h"
#include "core/album_model.h"
#include "init/profile.h"
#include "init/program_settings.h"

class PageText;
class QPainter;
struct TextBox;

class BookView {
 public:
  BookView(AlbumModel& model, BookWindow& window, const AlbumLook& look,
           const ProgramSettings& settings);

  BookPage CoverPage{PageKind::Cover};
  BookPage LeftPage{PageKind::Left};
  BookPage RightPage{PageKind::Right};

  // Where the bookmark tabs lie along the outer edge, from the page area's
  // top: BookmarkEdges[0] = 10, tab i spans [i-1] to [i]. Set by
  // PaintBookmarks.
  std::array<int, MaxDataFiles> BookmarkEdges{};
  // The tabs of the spread on screen, in window coordinates, as
  // PaintBookmarks drew them: the mouse handling finds the tab under the
  // pointer here.
  BookmarkTabs Bookmarks;

  int SpineX() const { return spineX_; }
  QSize WindowSize() const { return windowSize_; }
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

  // The layers of drawing (book_background.cpp, book_content.cpp).
  void InitPage(BookPage& page);
  void PaintPageBackground(BookPage& page);
  void PaintPageContent(BookPage& page);
  // The content layer drawn with painter (in page coordinates) rather than
  // into page.Image: a printer keeps the text as text.
  void PaintPageContent(const BookPage& page, QPainter& painter);
  void PaintBookmarks(BookPage& page);
  // While boxes is set, the content layer adds every text it draws to it:
  // tests check that no two overlap and none is cut. Null: nothing recorded.
  void RecordTextBoxes(std::vector<TextBox>* boxes) { textBoxes_ = boxes; }

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
  QSize ThumbnailBox() const;
  // Pictures made this many times finer than the page's pixels and drawn
  // scaled down into their cells, for painters finer than the screen (a
  // printer). 1 on screen; takes effect with the next thumbnails made.
  // budget bounds their memory as ThumbnailMemoryBudget does on screen; 0
  // keeps only the spread shown.
  void SetPictureScale(double scale, qint64 budget) {
    pictureScale_ = scale;
    pictureBudget_ = budget;
  }

  AlbumModel& Model() { return model_; }
  const AlbumModel& Model() const { return model_; }
  const AlbumLook& Look() const { return look_; }
  const ProgramSettings& Settings() const { return settings_; }

 private:
  void PaintPage(BookPage& page);
  // A cell's picture, scaled down by the picture scale.
  void DrawCellPicture(QPainter& p, const EdgeRect& picture, const Thumbnail& thumb) const;
  // The lines under picture, down to bottom (the cell's) at most.
  void PaintDescription(PageText& text, const EdgeRect& picture, int bottom, int index) const;

  AlbumModel& model_;
  BookWindow& window_;
  const AlbumLook& look_;
  const ProgramSettings& settings_;
  TextureCache textures_;
  // The decoration bitmaps, read once the open book is first drawn; a null
  // one is not drawn.
  void LoadDecorations();
  bool decorationsLoaded_ = false;
  QImage vertical_;
  QImage horizontal_;
  QImage menu_;
  QImage middle_;
  QImage leftCorner_;
  QImage rightCorner_;
  int spineX_ = 0;
  QSize windowSize_;
  double pictureScale_ = 1.0;
  qint64 pictureBudget_ = ThumbnailMemoryBudget;
  // While the book is closed a re-layout leaves the open book's two pages
  // for the first spread shown open.
  bool openPagesStale_ = true;
  std::vector<TextBox>* textBoxes_ = nullptr;
};
