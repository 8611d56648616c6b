#include "browser/browse_zones.h"

#include <gtest/gtest.h>

namespace {

// An 800 x 600 book of three data files (N = 2) whose tabs are drawn over
// the rows 20 to 94 and 90 to 164: chapter c at spread page, its last
// spread given.
ZoneState State(int c, int page, int lastSpread, bool edit = false) {
  ZoneState s;
  s.Width = 800;
  s.Height = 600;
  s.SpineX = 400;
  s.Chapter = c;
  s.Page = page;
  s.ChapterCount = 2;
  s.LastSpread = lastSpread;
  s.EditMode = edit;
  BookmarkLayout tabs;
  tabs.Edges = {10, 80, 150, 150, 150, 150, 150, 150, 150, 150, 150};
  tabs.ChapterCount = 2;
  tabs.Chapter = c;
  tabs.Spread = page;
  tabs.LastSpread = lastSpread;
  tabs.LeftArea = PageArea(true, {400, 600});
  tabs.RightArea = PageArea(false, {400, 600});
  tabs.SpineX = 400;
  tabs.HalfWidth = 16;
  s.Tabs = BookmarkTabs(tabs);
  return s;
}

using C = BookCursor;

TEST(BrowseZones, OnePointOfEachZoneInTheStatesThatDecideIt) {
  const ZoneState first = State(0, 0, 4);        // spread 0 of chapter 0
  const ZoneState middle = State(1, 2, 4);       // inside chapter 1
  const ZoneState opening = State(1, 0, 4);      // spread 0 of chapter 1
  const ZoneState divider = State(1, 4, 4);      // chapter 2's divider on the right
  const ZoneState end = State(2, 2, 2);          // the album's end
  const ZoneState lastOpening = State(2, 0, 2);  // chapter N, not at its end
  const ZoneState closed = State(0, -1, 4);
  const struct {
    const char* what;
    ZoneState state;
    QPoint at;
    int image;
    C cursor;
  } cases[] = {
      {"left edge of the first spread", first, {5, 300}, -1, C::Left},
      {"left edge inside a chapter", middle, {27, 100}, -1, C::Left},
      {"left edge just outside the band", middle, {28, 100}, -1, C::Default},
      {"own tab on the chapter's opening", opening, {5, 50}, -1, C::Default},
      {"low on that tab", opening, {5, 93}, -1, C::Default},
      {"below the tabs on the chapter's opening", opening, {5, 120}, -1, C::Left},
      {"right edge over the next tab", middle, {795, 100}, -1, C::Right},
      {"next tab while its divider shows", divider, {795, 100}, -1, C::Default},
      {"right edge below the next tab", divider, {795, 200}, -1, C::Right},
      {"right edge in the last chapter", lastOpening, {773, 100}, -1, C::Right},
      {"right edge at the album's end", end, {795, 300}, -1, C::Default},
      {"bottom left strip", middle, {100, 553}, -1, C::Previous},
      {"bottom right strip", middle, {600, 553}, -1, C::Next},
      {"bottom right strip at the end", end, {600, 580}, -1, C::Default},
      {"the closed cover", closed, {600, 300}, -1, C::Next},
      {"a thumbnail", middle, {200, 200}, 3, C::Zoom},
      {"a thumbnail in edit mode", State(1, 2, 4, true), {200, 200}, 3, C::Default},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BrowseZoneCursor(c.state, c.at, c.image), c.cursor) << c.what;
  }
}

}  // namespace
