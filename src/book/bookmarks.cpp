#include "bookmarks.h"

#include <QFontMetrics>
#include <algorithm>

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
