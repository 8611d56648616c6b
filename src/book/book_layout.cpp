#include "book_layout.h"

#include <QFontMetrics>
#include <QImage>

#include "book/page_geometry.h"
#include "book/thumbnail.h"
#include "init/profile.h"

void BookLayout::SetWindowSize(QSize size) {
  windowSize_ = size;
  spineX_ = SpineXFor(size.width());
}

QSize BookLayout::ScreenThumbnailBox() const { return ThumbnailSize(windowSize_, look_); }

QSize BookLayout::ThumbnailBox() const {
  const QSize box = ScreenThumbnailBox();
  return pictureScale_ == 1.0 ? box : (QSizeF(box) * pictureScale_).toSize();
}

void BookLayout::LayBookmarks(const AlbumModel& model, const ViewState& view) {
  // Measured at the pages' resolution, which the font is sized for.
  QImage page(1, 1, QImage::Format_ARGB32_Premultiplied);
  page.setDotsPerMeterX(PageDotsPerMeter);
  page.setDotsPerMeterY(PageDotsPerMeter);
  const QFontMetrics metrics(look_.BookmarkFont.Font, &page);
  bookmarkEdges_ = ComputeBookmarkEdges(model.ChapterNames, model.ChapterCount(), metrics);
  const int c = view.CurrentChapter;
  const QSize pageSize = PageSizeFor(windowSize_);
  BookmarkLayout layout;
  layout.Edges = bookmarkEdges_;
  layout.ChapterCount = model.ChapterCount();
  layout.Chapter = c;
  layout.Spread = view.CurrentPage;
  layout.LastSpread = model.LastSpread(c, look_.ImagesPerPage());
  layout.LeftArea = PageArea(true, pageSize);
  layout.RightArea = PageArea(false, pageSize);
  layout.SpineX = spineX_;
  layout.HalfWidth = metrics.height();
  bookmarks_ = BookmarkTabs(layout);
}
