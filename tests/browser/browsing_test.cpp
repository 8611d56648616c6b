#include "browser/browse_zones.h"
#include "browser_fixture.h"

namespace {

// 800 x 600, 3 rows x 4 columns: the left page's hit area starts at (38, 35),
// the right page's at (421, 35); cells are 85 x 172 pixels.
TEST_F(BrowseTest, ImageAtFindsTheCellUnderAPoint) {
  MakeAlbum({30});
  const struct {
    int page, x, y, image;
  } cases[] = {
      {2, 38, 35, 12},    {2, 37, 35, -1},   {2, 38, 34, -1},    // page 2's first cell, margins
      {2, 377, 550, 23},  {2, 379, 100, -1}, {2, 38, 552, -1},   // last cell; slivers past it
      {2, 400, 100, -1},  {2, 421, 35, 24},  {2, 591, 207, -1},  // spine; right page; no image
      {0, 100, 100, -1},  {0, 421, 35, 0},   {4, 421, 35, -1},   // opening page; back cover
      {-1, 600, 100, -1},
  };
  for (const auto& c : cases) {
    Show(0, c.page);
    EXPECT_EQ(browsing.ImageAt(c.x, c.y), c.image) << c.page << " " << c.x << "," << c.y;
  }
}

// Chapters of 30, 5 and 13 images, 12 a page: their last spreads are 4, 2, 2.
TEST_F(BrowseTest, KeysTurnPagesAndJumpBetweenChapters) {
  MakeAlbum({30, 5, 13});
  const auto ctrl = Qt::ControlModifier;
  const struct {
    std::pair<int, int> from;
    int key;
    Qt::KeyboardModifiers mods;
    std::pair<int, int> to;
  } cases[] = {
      {{0, -1}, Qt::Key_PageDown, {}, {0, 0}},
      {{0, 0}, Qt::Key_PageUp, {}, {0, -1}},
      {{0, 4}, Qt::Key_PageDown, {}, {1, 0}},
      {{1, 0}, Qt::Key_PageUp, {}, {0, 4}},
      {{2, 2}, Qt::Key_PageDown, {}, {2, 2}},
      {{1, 2}, Qt::Key_PageDown, ctrl, {2, 2}},
      {{0, 2}, Qt::Key_PageDown, ctrl, {0, 4}},
      {{2, 0}, Qt::Key_PageUp, ctrl, {0, 4}},
      {{1, 2}, Qt::Key_End, ctrl, {2, 2}},
      {{1, 2}, Qt::Key_Home, ctrl, {0, -1}},
      {{0, 2}, Qt::Key_Home, {}, {0, 0}},
      {{2, 2}, Qt::Key_1, {}, {0, 4}},
      {{2, 2}, Qt::Key_0, {}, {0, 0}},
      {{0, 0}, Qt::Key_4, {}, {0, 0}},
      {{0, 0}, Qt::Key_2, Qt::KeypadModifier, {1, 2}},
  };
  for (const auto& c : cases) {
    Show(c.from.first, c.from.second);
    EXPECT_TRUE(Key(c.key, c.mods));
    EXPECT_EQ(Spread(), c.to) << c.from.first << "," << c.from.second << " key " << c.key;
  }
}

// A tab opens the spread where its chapter begins. Tab i is drawn from
// b[i-1] + 10 to b[i] + 14, each over its neighbour by 5 rows: on the left
// the later tab lies on top, on the right the earlier.
TEST_F(BrowseTest, BookmarkAndPageCursorsActOnRelease) {
  MakeAlbum({30, 5, 30});
  Show(2, 2);
  const auto b = book.Layout().BookmarkEdges();
  const struct {
    std::pair<int, int> from;
    BookCursor cursor;
    QPoint at;
    std::pair<int, int> to;
  } cases[] = {
      {{2, 2}, BookCursor::Left, {5, b[0] + 10}, {0, 4}},
      {{2, 2}, BookCursor::Left, {5, b[1] + 9}, {0, 4}},
      {{2, 2}, BookCursor::Left, {5, b[1] + 10}, {1, 2}},
      {{2, 2}, BookCursor::Left, {5, b[2] + 14}, {1, 2}},
      {{2, 2}, BookCursor::Left, {5, b[2] + 15}, {0, 0}},
      {{0, 0}, BookCursor::Left, {5, 300}, {0, -1}},
      {{0, 2}, BookCursor::Right, {795, b[1] + 14}, {0, 4}},
      {{0, 2}, BookCursor::Right, {795, b[1] + 15}, {1, 2}},
      {{0, 2}, BookCursor::Right, {795, b[2] + 14}, {1, 2}},
      {{0, 2}, BookCursor::Right, {795, b[2] + 15}, {2, 4}},
      {{0, 0}, BookCursor::Previous, {100, 580}, {0, -1}},
      {{0, -1}, BookCursor::Next, {600, 300}, {0, 0}},
  };
  for (const auto& c : cases) {
    Show(c.from.first, c.from.second);
    EXPECT_TRUE(browsing.MouseRelease(c.cursor, c.at, Qt::LeftButton, {}));
    EXPECT_EQ(Spread(), c.to) << c.at.x() << "," << c.at.y();
  }
}

// 2 columns x 3 rows: a page holds 6 images, a row 2.
TEST_F(BrowseTest, SelectionKeysInEditModeFollowTheSpread) {
  look.ColumnCount = 2;
  MakeAlbum({20});
  SetEditMode(true);
  const struct {
    std::pair<int, int> selection;
    int key;
    Qt::KeyboardModifiers mods;
    std::pair<int, int> to;
    int spread;
  } cases[] = {
      {{1, 1}, Qt::Key_Right, {}, {6, 6}, 2},  // same row, next page
      {{6, 6}, Qt::Key_Left, {}, {1, 1}, 0},
      {{0, 1}, Qt::Key_Right, Qt::ShiftModifier, {0, 6}, 2},
      {{1, 1}, Qt::Key_Up, {}, {1, 1}, 0},
      {{19, 19}, Qt::Key_Right, {}, {18, 18}, 4},  // past the end: the last row's first
      {{2, 2}, Qt::Key_End, Qt::ShiftModifier, {2, 19}, 4},
      {{0, 0}, Qt::Key_Left, {}, {0, 0}, -1},  // turns back as Page Up: the book closes
  };
  for (const auto& c : cases) {
    Show(0, 0);
    browsing.SelectRange(c.selection.first, c.selection.second);
    EXPECT_TRUE(Key(c.key, c.mods));
    EXPECT_EQ(Selection(), c.to) << c.selection.second << " key " << c.key;
    EXPECT_EQ(view.CurrentPage, c.spread) << c.selection.second << " key " << c.key;
  }
}

// 5 x 5 cells a page: a spread has 50 cells, and letters past "z" only show.
TEST_F(BrowseTest, LetterKeysOpenTheFirst26CellsOfTheSpread) {
  look.RowCount = 5;
  look.ColumnCount = 5;
  MakeAlbum({80});
  Show(0, 2);
  EXPECT_EQ(book.LetterMarks().size(), 50u);
  const struct {
    int page, key, image;
  } cases[] = {{2, Qt::Key_A, 25}, {2, Qt::Key_Z, 50}, {0, Qt::Key_Y, 24},
               {0, Qt::Key_Z, -1}, {4, Qt::Key_K, -1}, {-1, Qt::Key_A, -1}};
  for (const auto& c : cases) {
    Show(0, c.page);
    EXPECT_EQ(browsing.ImageForLetterKey(c.key), c.image) << c.page << " " << c.key;
  }
}

TEST_F(BrowseTest, ClicksAndKeysOpenInBrowseModeAndSelectInEditMode) {
  MakeAlbum({30});
  // A double click on the chapter's end pages edits the chapters.
  for (auto [page, x] : {std::pair{0, 100}, std::pair{4, 600}}) {
    Show(0, page);
    EXPECT_TRUE(browsing.DoubleClick({x, 300}));
  }
  Show(0, 2);
  host.Press = {123, 35};
  browsing.ShowPictureCommand();
  browsing.ShowDetailsCommand();
  EXPECT_TRUE(Key(Qt::Key_B));
  EXPECT_FALSE(Key(Qt::Key_Right));
  EXPECT_TRUE(browsing.DoubleClick({38, 35}));
  EXPECT_FALSE(browsing.MousePress({5, 300}, Qt::RightButton, {}));
  EXPECT_TRUE(browsing.MousePress({38, 207}, Qt::RightButton, {}));
  EXPECT_EQ(Selection(), std::make_pair(16, 16));
  SetEditMode(true);
  host.DetailsShowing = true;
  EXPECT_FALSE(Key(Qt::Key_B));
  browsing.MouseRelease(BookCursor::Default, {38, 35}, Qt::LeftButton, {});
  browsing.MouseRelease(BookCursor::Default, {421, 207}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_TRUE(Key(Qt::Key_Return));
  browsing.ShowDetailsCommand();
  EXPECT_TRUE(Key(Qt::Key_Escape));
  EXPECT_EQ(host.Log,
            QStringList({"EditChapters", "EditChapters", "ShowImage 13", "OpenDetailsReadOnly 13",
                         "ShowImage 13", "OpenDetails 12 -1", "ShowPictureEnabled 0",
                         "PictureMenu 38 207", "SetDetailsRange 12 12", "SetDetailsRange 12 28",
                         "ShowImage 28", "OpenDetails 12 28", "EditMode"}));
}

// An 800 x 600 book of three data files (N = 2) whose tabs are drawn over
// the rows 20 to 94 and 90 to 164: chapter c at spread page, its last
// spread given.
ZoneState State(int c, int page, int lastSpread, bool edit = false) {
  const std::array<int, MaxDataFiles> edges{10, 80, 150, 150, 150, 150, 150, 150, 150, 150, 150};
  const EdgeRect left = PageArea(true, {400, 600}), right = PageArea(false, {400, 600});
  const BookmarkLayout tabs{edges, 2, c, page, lastSpread, left, right, 400, 16};
  return {800, 600, 400, c, page, 2, lastSpread, edit, 15, BookmarkTabs(tabs)};
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
