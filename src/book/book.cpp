#include "book.h"

#include "book/thumbnail_loading.h"
#include "init/profile.h"
#include "init/program_settings.h"

BookView::BookView(OpenAlbum& album, BookWindow& window, const AlbumLook& look,
                   const ProgramSettings& settings)
    : model_(album.Model),
      view_(album.View),
      thumbs_(album.Thumbs),
      window_(window),
      look_(look),
      settings_(settings),
      layout_(look),
      painter_(album, look, layout_, window) {}

void BookView::SetWindowSize(QSize size) { layout_.SetWindowSize(size); }

void BookView::ShowSpread(int c, int p) {
  const int perPage = look_.ImagesPerPage();
  if (c < -1 || c > model_.ChapterCount() || p < -1 || p > model_.LastSpread(c, perPage)) return;
  // Only the front cover closes the book: chapter 0 (or no album, -1) at -1.
  if ((p == -1 && c > 0) || (c == -1 && p != -1)) return;
  const int oldChapter = view_.CurrentChapter;
  const int oldPage = view_.CurrentPage;
  const bool toggled = (oldPage > -1 && p == -1) || (oldPage == -1 && p > -1);
  view_.CurrentChapter = c;
  view_.CurrentPage = p;
  window_.SetToolPanelVisible(window_.IsMenuShown() && !view_.IsBookClosed());
  if (window_.IsEditMode() && c != oldChapter) {
    view_.SelStart = 0;
    view_.SelEnd = 0;
  }
  // Opening or closing changes the window's outline; PositionWindow lays the
  // pages out again and comes back here, no longer toggled, to draw them.
  if (toggled) window_.PositionWindow();
  layout_.LayBookmarks(model_, view_);
  if (!view_.IsBookClosed()) {
    // While a corner drag resizes the window no picture is drawn, so none
    // is made for the sizes it passes through.
    if (p <= model_.PageCount(c, perPage) && !window_.IsResizing()) {
      ThumbnailRequest request;
      request.Chapter = c;
      request.Spread = p;
      request.PerPage = perPage;
      request.Box = ThumbnailBox();
      request.Budget = pictureBudget_;
      request.KeepOneChapter = settings_.FreeMemory && !settings_.LoadAllChapters;
      request.Share = SharesThumbnails();
      PrepareChapterThumbnails(model_, thumbs_, request, window_.Progress());
    }
    if (!toggled) {
      if (openPagesStale_) {
        painter_.InitPage(LeftPage);
        painter_.InitPage(RightPage);
        openPagesStale_ = false;
      }
      PaintPage(LeftPage);
      PaintPage(RightPage);
    }
  } else if (!toggled) {
    PaintPage(CoverPage);
  }
  window_.RepaintWindow();
}

void BookView::PaintPage(BookPage& page) {
  painter_.PaintBackground(page);
  painter_.PaintContent(page);
}

void BookView::RebuildPages() { RebuildPages(view_.CurrentChapter, view_.CurrentPage); }

void BookView::RebuildPages(int c, int p) {
  // While closed, the cover is drawn by showing it; the open book's pages
  // wait until it opens.
  openPagesStale_ = view_.IsBookClosed();
  if (!openPagesStale_) {
    painter_.InitPage(CoverPage);
    painter_.InitPage(LeftPage);
    painter_.InitPage(RightPage);
  }
  const int oldChapter = view_.CurrentChapter;
  const int oldPage = view_.CurrentPage;
  ShowSpread(c, p);
  // Refused: the current spread is drawn for the new layout all the same.
  if ((c != oldChapter || p != oldPage) && view_.CurrentChapter == oldChapter &&
      view_.CurrentPage == oldPage)
    ShowSpread(oldChapter, oldPage);
}
