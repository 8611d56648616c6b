#include "browse_zones.h"

namespace {

// A tab beside its own divider would lead where the book already is.
bool OnInactiveTab(const ZoneState& s, QPoint p) {
  const BookmarkTab* tab = s.Tabs.At(p);
  return tab != nullptr && !tab->Active;
}

// The left edge band is a way back: to an earlier bookmark on its tab, to
// the album's beginning elsewhere; not on the current chapter's own tab
// while its opening spread shows.
bool LeftBookmarkZone(const ZoneState& s, QPoint p) {
  if (p.x() > 27 || p.y() < s.EdgeTop || s.Chapter < 0) return false;
  return !OnInactiveTab(s, p);
}

// The right edge band leads forward: to a later bookmark on its tab, to the
// album's end elsewhere; not on the next chapter's tab while its divider
// already shows on the right page.
bool RightBookmarkZone(const ZoneState& s, QPoint p) {
  if (s.AtAlbumEnd() || s.IsClosed() || p.x() < s.Width - 27) return false;
  return !OnInactiveTab(s, p);
}

}  // namespace

BookCursor BrowseZoneCursor(const ZoneState& s, QPoint p, int imageAtP) {
  const int x = p.x();
  const int y = p.y();
  if (s.Chapter == 0 && s.Page == 0 && x <= 27) return BookCursor::Left;
  if (LeftBookmarkZone(s, p)) return BookCursor::Left;
  if (RightBookmarkZone(s, p)) return BookCursor::Right;
  if (x < s.SpineX && y >= s.Height - 47) return BookCursor::Previous;
  if (x > s.SpineX && s.IsClosed()) return BookCursor::Next;
  if (y >= s.Height - 47 && s.Chapter > -1 && !s.AtAlbumEnd()) return BookCursor::Next;
  if (!s.EditMode && imageAtP > -1) return BookCursor::Zoom;
  return BookCursor::Default;
}
