// The chapter bookmarks: coloured tabs on the outer edge, the chapters ahead
// on the right page and those behind (and the current one) on the left,
// each with its name running along the edge.

#include "bookmarks.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "book/book.h"
#include "init/profile.h"

std::array<int, MaxDataFiles> ComputeBookmarkEdges(const QStringList& chapterNames,
                                                   int chapterCount, const QFontMetrics& metrics) {
  std::array<int, MaxDataFiles> edges{};
  edges[0] = 10;
  const int n = std::clamp(chapterCount, 0, MaxDataFiles - 1);
  for (int i = 1; i < MaxDataFiles; ++i)
    edges[i] = i <= n ? edges[i - 1] + metrics.horizontalAdvance(chapterNames.value(i - 1)) + 10
                      : edges[i - 1];
  return edges;
}

namespace {

// Labels run along the edge: upwards on the left page, downwards on the right.
void DrawLabel(QPainter& p, const QFont& font, const QColor& colour, int x, int y, bool upwards,
               const QString& text) {
  p.save();
  p.setFont(font);
  p.setPen(colour);
  p.translate(x, y);
  p.rotate(upwards ? -90 : 90);
  // Measured on the page, whose resolution the font is sized for.
  p.drawText(0, p.fontMetrics().ascent(), text);
  p.restore();
}

}  // namespace

void TBook::PaintBookmarks(TPage& page) {
  const QFont& bookmarkFont = AlbumProfile.BookmarkFont.Font;
  const QFontMetrics metrics(bookmarkFont, &page.Image);
  BookmarkEdges = ComputeBookmarkEdges(model_.ChapterNames, model_.ChapterCount(), metrics);
  const int n = model_.ChapterCount();
  if (n == 0 || page.IsCover() || page.Image.isNull()) return;

  const int c = model_.CurrentChapter;
  const int spread = model_.CurrentPage;
  const TRect a = page.Area;
  const int m = metrics.height();
  const std::array<int, MaxDataFiles>& edge = BookmarkEdges;

  // The tabs of the previous spread are gone: PaintPageBackground starts
  // from the page's Background.
  QPainter p(&page.Image);
  // The labels are always bold Arial of the bookmark font's size.
  QFont labelFont(QStringLiteral("Arial"));
  if (bookmarkFont.pixelSize() > 0)
    labelFont.setPixelSize(bookmarkFont.pixelSize());
  else
    labelFont.setPointSizeF(bookmarkFont.pointSizeF());
  labelFont.setBold(true);
  const QColor textColour = ToQColor(AlbumProfile.BookmarkFont.Color);

  auto tab = [&](int i, int left, int right) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(ToQColor(AlbumProfile.BM[i - 1]));
    const int top = edge[i - 1] + a.Top - 5;
    const int bottom = edge[i] + a.Top;
    p.drawRoundedRect(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1), 10, 10);
    p.setRenderHint(QPainter::Antialiasing, false);
  };
  auto edgeLine = [&](int i, int x) {
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(x, edge[i - 1] + a.Top - 5, x, edge[i] + a.Top - 1);
  };

  if (page.IsRight()) {
    // From the last chapter up, so each tab overlaps the one below it.
    const bool dividerShowing = spread == model_.LastSpread(c, AlbumProfile.ImagesPerPage());
    for (int i = n; i >= c + 1 && i >= 1; --i) {
      if (edge[i] + a.Top >= a.Bottom) continue;  // would reach below the page
      tab(i, a.Right + 1 - m, a.Right + 1 + m);
      DrawLabel(p, labelFont, textColour, a.Right - 1 + m, edge[i - 1] + a.Top + 3, false,
                model_.ChapterNames.value(i - 1));
      if (!(i == c + 1 && dividerShowing)) edgeLine(i, a.Right);
    }
  } else {
    for (int i = 1; i <= c; ++i) {
      if (edge[i] + a.Top >= a.Bottom) break;
      tab(i, a.Left - 1 - m, a.Left - 1 + m);
      DrawLabel(p, labelFont, textColour, a.Left - m + 1, edge[i] + a.Top - 8, true,
                model_.ChapterNames.value(i - 1));
      if (!(i == c && spread == 0)) edgeLine(i, a.Left - 1);
    }
  }
}
