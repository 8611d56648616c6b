#include "browse_zones.h"

namespace {

int Edge(const TZoneState& s, int i) {
  return i >= 0 && i < MaxDataFiles ? s.Edges[static_cast<size_t>(i)] : 0;
}

// The left edge band is a way back to an earlier bookmark everywhere except
// on the current chapter's own tab while its opening spread shows.
bool LeftBookmarkZone(const TZoneState& s, QPoint p) {
  if (p.x() > 27 || p.y() < Edge(s, 0) + 5 || s.Chapter < 0) return false;
  return s.Page > 0 || p.y() > Edge(s, s.Chapter) + 5 ||
         (s.Chapter >= 1 && p.y() <= Edge(s, s.Chapter - 1) + 5);
}

// The right edge band leads forward, except over the next chapter's tab
// while its divider already shows on the right page.
bool RightBookmarkZone(const TZoneState& s, QPoint p) {
  if (s.AtAlbumEnd() || s.IsClosed() || p.x() < s.Width - 27) return false;
  if (s.Chapter >= s.ChapterCount) return true;
  const bool onNextTab = Edge(s, s.Chapter) + 10 <= p.y() && p.y() < Edge(s, s.Chapter + 1) + 10;
  return !(onNextTab && s.PageCount <= s.Page);
}

}  // namespace

TBookCursor BrowseZoneCursor(const TZoneState& s, QPoint p, int imageAtP) {
  const int x = p.x();
  const int y = p.y();
  if (s.Chapter == 0 && s.Page == 0 && x <= 27) return TBookCursor::Left;
  if (LeftBookmarkZone(s, p)) return TBookCursor::Left;
  if (RightBookmarkZone(s, p)) return TBookCursor::Right;
  if (x < s.SpineX && y >= s.Height - 47) return TBookCursor::Previous;
  if (x > s.SpineX && s.IsClosed()) return TBookCursor::Next;
  if (y >= s.Height - 47 && s.Chapter > -1 && !s.AtAlbumEnd()) return TBookCursor::Next;
  if (!s.EditMode && imageAtP > -1) return TBookCursor::Zoom;
  return TBookCursor::Default;
}
