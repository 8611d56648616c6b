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

BookmarkTabs::BookmarkTabs(const BookmarkLayout& l) {
  const int n = std::clamp(l.ChapterCount, 0, MaxDataFiles - 1);
  const int c = l.Chapter;
  if (n == 0 || c < 0 || l.Spread < 0) return;
  // Tab i spans its edges, from 5 pixels above the first; it lies across the
  // page's outer edge line, half over the band and half under the paper.
  auto lay = [&](int i, bool onRight, bool active) {
    const EdgeRect& a = onRight ? l.RightArea : l.LeftArea;
    const int top = l.Edges[static_cast<size_t>(i - 1)] + a.Top - 5;
    const int bottom = l.Edges[static_cast<size_t>(i)] + a.Top;
    if (bottom >= a.Bottom) return false;  // would reach below the page
    const int middle = onRight ? l.SpineX + a.Right + 1 : a.Left - 1;
    BookmarkTab tab;
    tab.Chapter = i;
    tab.OnRight = onRight;
    tab.Rect = QRect(middle - l.HalfWidth, top, 2 * l.HalfWidth, bottom - top);
    tab.EdgeX = onRight ? l.SpineX + a.Right : a.Left - 1;
    tab.Active = active;
    tabs_.push_back(tab);
    return true;
  };
  for (int i = 1; i <= std::min(c, n); ++i) {
    if (!lay(i, false, !(i == c && l.Spread == 0))) break;
  }
  // From the last chapter up, so each tab lies over the one below it.
  const bool dividerShowing = l.Spread == l.LastSpread;
  for (int i = n; i >= c + 1; --i) lay(i, true, !(i == c + 1 && dividerShowing));
}

const BookmarkTab* BookmarkTabs::At(QPoint p) const {
  // The last drawn lies on top.
  for (auto it = tabs_.rbegin(); it != tabs_.rend(); ++it) {
    if (p.y() < it->Rect.top() || p.y() > it->Rect.bottom()) continue;
    if (it->OnRight ? p.x() >= it->EdgeX : p.x() <= it->EdgeX) return &*it;
  }
  return nullptr;
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

void BookView::PaintBookmarks(BookPage& page) {
  const QFont& bookmarkFont = look_.BookmarkFont.Font;
  const QFontMetrics metrics(bookmarkFont, &page.Image);
  BookmarkEdges = ComputeBookmarkEdges(model_.ChapterNames, model_.ChapterCount(), metrics);
  const int c = model_.CurrentChapter;
  const QSize pageSize = PageSizeFor(windowSize_);
  BookmarkLayout layout;
  layout.Edges = BookmarkEdges;
  layout.ChapterCount = model_.ChapterCount();
  layout.Chapter = c;
  layout.Spread = model_.CurrentPage;
  layout.LastSpread = model_.LastSpread(c, look_.ImagesPerPage());
  layout.LeftArea = PageArea(true, pageSize);
  layout.RightArea = PageArea(false, pageSize);
  layout.SpineX = spineX_;
  layout.HalfWidth = metrics.height();
  Bookmarks = BookmarkTabs(layout);
  if (page.IsCover() || page.Image.isNull()) return;

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
  const QColor textColour = ToQColor(look_.BookmarkFont.Color);
  // In page coordinates: the right page starts at the spine.
  const int originX = page.IsRight() ? spineX_ : 0;

  for (const BookmarkTab& tab : Bookmarks.Tabs()) {
    if (tab.OnRight != page.IsRight()) continue;
    const QRect r = tab.Rect.translated(-originX, 0);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(ToQColor(look_.BM[tab.Chapter - 1]));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QString name = model_.ChapterNames.value(tab.Chapter - 1);
    if (tab.OnRight)
      DrawLabel(p, labelFont, textColour, r.right() - 1, r.top() + 8, false, name);
    else
      DrawLabel(p, labelFont, textColour, r.left() + 2, r.bottom() - 7, true, name);
    // The page's edge runs over the tab, unless the tab joins its divider.
    if (tab.Active) {
      p.setPen(QPen(Qt::black, 1));
      p.drawLine(tab.EdgeX - originX, r.top(), tab.EdgeX - originX, r.bottom());
    }
  }
}
