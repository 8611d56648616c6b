#include <QFile>
#include <QTemporaryDir>

#include "browse_fixture.h"

namespace {

// 800 x 600, 3 rows x 4 columns: the left page's hit area starts at (38, 35),
// the right page's at (421, 35); cells are 85 x 172 pixels.
TEST_F(BrowseTest, ImageAtFindsTheCellUnderAPoint) {
  MakeAlbum({30});
  const struct {
    int page;
    QPoint at;
    int image;
  } cases[] = {
      {2, {38, 35}, 12},    // the left page's first cell holds page 2's first image
      {2, {37, 35}, -1},    // the margin left of it
      {2, {38, 34}, -1},    // above it
      {2, {123, 35}, 13},   // the next column
      {2, {38, 207}, 16},   // the next row
      {2, {377, 550}, 23},  // the last cell's far corner
      {2, {379, 100}, -1},  // the sliver past the last column
      {2, {38, 552}, -1},   // the sliver below the last row
      {2, {400, 100}, -1},  // the spine
      {2, {421, 35}, 24},   // the right page
      {2, {420, 35}, -1},   {2, {506, 207}, 29},  // the last image
      {2, {591, 207}, -1},                        // past the last image
      {0, {100, 100}, -1},                        // spread 0: the opening page holds no images
      {0, {421, 35}, 0},    {4, {421, 35}, -1},   // the last spread's right page is the back cover
      {-1, {600, 100}, -1},                       // closed
  };
  for (const auto& c : cases) {
    Show(0, c.page);
    EXPECT_EQ(browsing.ImageAt(c.at), c.image) << c.page << " " << c.at.x() << "," << c.at.y();
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
      {{0, -1}, Qt::Key_PageDown, {}, {0, 0}},   // opens the book
      {{0, 0}, Qt::Key_PageUp, {}, {0, -1}},     // closes it
      {{0, 4}, Qt::Key_PageDown, {}, {1, 0}},    // into the next chapter
      {{1, 0}, Qt::Key_PageUp, {}, {0, 4}},      // back to the previous one's end
      {{2, 2}, Qt::Key_PageDown, {}, {2, 2}},    // the album's end
      {{1, 2}, Qt::Key_PageDown, ctrl, {2, 2}},  // next bookmark from a chapter's end
      {{0, 2}, Qt::Key_PageDown, ctrl, {0, 4}},  // next bookmark: this chapter's end
      {{2, 0}, Qt::Key_PageUp, ctrl, {0, 4}},    // previous bookmark
      {{1, 0}, Qt::Key_PageUp, ctrl, {0, 0}},
      {{1, 2}, Qt::Key_End, ctrl, {2, 2}},
      {{1, 2}, Qt::Key_Home, ctrl, {0, -1}},
      {{0, 2}, Qt::Key_End, {}, {0, 4}},
      {{0, 2}, Qt::Key_Home, {}, {0, 0}},
      {{2, 2}, Qt::Key_1, {}, {0, 4}},  // digit d: bookmark d
      {{2, 2}, Qt::Key_0, {}, {0, 0}},
      {{0, 0}, Qt::Key_3, {}, {2, 2}},
      {{0, 0}, Qt::Key_4, {}, {0, 0}},  // no chapter 3
      {{0, 0}, Qt::Key_2, Qt::KeypadModifier, {1, 2}},
  };
  for (const auto& c : cases) {
    Show(c.from.first, c.from.second);
    EXPECT_TRUE(Key(c.key, c.mods));
    EXPECT_EQ(Spread(), c.to) << c.from.first << "," << c.from.second << " key " << c.key;
  }
}

TEST_F(BrowseTest, BookmarkAndPageCursorsActOnRelease) {
  MakeAlbum({30, 5, 30});
  Show(2, 2);
  const auto edges = book.BookmarkEdges;
  const int tab1 = (edges[0] + edges[1]) / 2;
  const int tab2 = (edges[1] + edges[2]) / 2;
  const struct {
    std::pair<int, int> from;
    TBookCursor cursor;
    QPoint at;
    std::pair<int, int> to;
  } cases[] = {
      // A tab opens the spread where its chapter begins.
      {{2, 2}, TBookCursor::Left, {5, tab1}, {0, 4}},
      {{2, 2}, TBookCursor::Left, {5, tab2}, {1, 2}},
      {{2, 2}, TBookCursor::Left, {5, edges[2] + 20}, {0, 0}},
      {{0, 0}, TBookCursor::Left, {5, 300}, {0, -1}},
      {{0, 2}, TBookCursor::Right, {795, edges[0] + 10}, {0, 4}},
      {{0, 2}, TBookCursor::Right, {795, edges[1] + 5}, {1, 2}},
      {{0, 2}, TBookCursor::Right, {795, edges[2] + 10}, {2, 4}},
      {{0, 0}, TBookCursor::Next, {600, 580}, {0, 2}},
      {{0, 0}, TBookCursor::Previous, {100, 580}, {0, -1}},
      {{0, -1}, TBookCursor::Next, {600, 300}, {0, 0}},
  };
  for (const auto& c : cases) {
    Show(c.from.first, c.from.second);
    EXPECT_TRUE(browsing.MouseRelease(c.cursor, c.at, Qt::LeftButton, {}));
    EXPECT_EQ(Spread(), c.to) << c.at.x() << "," << c.at.y();
  }
  EXPECT_TRUE(host.Log.isEmpty()) << host.Log.join(';').toStdString();
}

// 2 columns x 3 rows: a page holds 6 images, a row 2.
TEST_F(BrowseTest, SelectionKeysInEditModeFollowTheSpread) {
  AlbumProfile.ColumnCount = 2;
  MakeAlbum({20});
  SetEditMode(true);
  const auto shift = Qt::ShiftModifier;
  const struct {
    std::pair<int, int> selection;
    int key;
    Qt::KeyboardModifiers mods;
    std::pair<int, int> to;
    int spread;
  } cases[] = {
      {{1, 1}, Qt::Key_Right, {}, {6, 6}, 2},  // same row, next page
      {{6, 6}, Qt::Key_Left, {}, {1, 1}, 0},
      {{0, 1}, Qt::Key_Right, shift, {0, 6}, 2},
      {{2, 2}, Qt::Key_Right, {}, {3, 3}, 0},
      {{1, 1}, Qt::Key_Down, {}, {3, 3}, 0},
      {{3, 3}, Qt::Key_Up, {}, {1, 1}, 0},
      {{1, 1}, Qt::Key_Up, {}, {1, 1}, 0},
      {{18, 18}, Qt::Key_Down, {}, {18, 18}, 4},
      {{19, 19}, Qt::Key_Right, {}, {18, 18}, 4},  // past the end: the last row's first
      {{2, 2}, Qt::Key_End, shift, {2, 19}, 4},
      {{19, 19}, Qt::Key_Home, {}, {0, 0}, 0},
  };
  for (const auto& c : cases) {
    browsing.SelectRange(c.selection.first, c.selection.second);
    EXPECT_TRUE(Key(c.key, c.mods));
    EXPECT_EQ(Selection(), c.to) << c.selection.second << " key " << c.key;
    EXPECT_EQ(model.CurrentPage, c.spread) << c.selection.second << " key " << c.key;
  }
  // Left from the first image turns back as Page Up does: the book closes.
  browsing.SelectRange(0, 0);
  EXPECT_TRUE(Key(Qt::Key_Left));
  EXPECT_EQ(Selection(), std::make_pair(0, 0));
  EXPECT_EQ(Spread(), std::make_pair(0, -1));
}

TEST_F(BrowseTest, SelectionKeysBelongToEditModeAndLettersToBrowseMode) {
  MakeAlbum({30});
  Show(0, 2);
  EXPECT_FALSE(Key(Qt::Key_Right));
  EXPECT_FALSE(Key(Qt::Key_Escape));
  EXPECT_TRUE(Key(Qt::Key_B));
  EXPECT_FALSE(Key(Qt::Key_B, Qt::ControlModifier));
  SetEditMode(true);
  EXPECT_FALSE(Key(Qt::Key_B));
  EXPECT_TRUE(Key(Qt::Key_Escape));
  browsing.SelectRange(4, 5);
  EXPECT_TRUE(Key(Qt::Key_Return));
  EXPECT_EQ(host.Log, QStringList({"ShowImage 13", "EditMode", "ShowImage 5"}));
}

TEST_F(BrowseTest, LetterKeysOpenTheFirst26CellsOfTheSpread) {
  AlbumProfile.RowCount = 5;
  AlbumProfile.ColumnCount = 5;
  MakeAlbum({80});
  Show(0, 2);
  EXPECT_EQ(book.LetterMarks().size(), 50u);
  EXPECT_EQ(book.LetterMarks()[26].Letter, QChar(u'{'));  // drawn past "z"
  const struct {
    int page;
    int key;
    int image;
  } cases[] = {
      {2, Qt::Key_A, 25},  {2, Qt::Key_Z, 50}, {0, Qt::Key_A, 0},
      {0, Qt::Key_Y, 24},  {0, Qt::Key_Z, -1},  // spread 0 shows one page of 25
      {4, Qt::Key_K, -1},                       // past the last image
      {-1, Qt::Key_A, -1},
  };
  for (const auto& c : cases) {
    Show(0, c.page);
    EXPECT_EQ(browsing.ImageForLetterKey(c.key), c.image) << c.page << " " << c.key;
  }
  Show(0, 4);
  EXPECT_TRUE(Key(Qt::Key_K));
  EXPECT_TRUE(host.Log.isEmpty());
}

TEST_F(BrowseTest, ClicksSelectInEditModeAndOpenInBrowseMode) {
  MakeAlbum({30});
  Show(0, 2);
  EXPECT_TRUE(browsing.MouseRelease(TBookCursor::Zoom, {38, 35}, Qt::LeftButton, {}));
  host.Press = {123, 35};
  browsing.ShowPictureCommand();
  EXPECT_FALSE(browsing.MouseRelease(TBookCursor::Default, {38, 35}, Qt::LeftButton, {}));
  EXPECT_EQ(host.Log, QStringList({"ShowPicture", "ShowImage 13"}));
  host.Log.clear();
  SetEditMode(true);
  EXPECT_TRUE(browsing.MouseRelease(TBookCursor::Default, {38, 35}, Qt::LeftButton, {}));
  EXPECT_EQ(Selection(), std::make_pair(12, 12));
  browsing.MouseRelease(TBookCursor::Default, {421, 207}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Selection(), std::make_pair(12, 28));
  browsing.MouseRelease(TBookCursor::Default, {5, 5}, Qt::LeftButton, {});
  EXPECT_EQ(Selection(), std::make_pair(12, 28));
  EXPECT_TRUE(host.Log.isEmpty());
}

TEST_F(BrowseTest, RightButtonSelectsTheImageAndOffersShowImageOnlyForAFile) {
  MakeAlbum({30});
  QTemporaryDir dir;
  model.Chapters[0].Files[13] = dir.filePath(QStringLiteral("there.jpg"));
  QFile(model.Chapters[0].Files[13]).open(QIODevice::WriteOnly);
  Show(0, 2);
  browsing.SelectRange(12, 14);
  EXPECT_TRUE(browsing.MousePress({123, 35}, Qt::RightButton, {}));  // 13, inside
  EXPECT_EQ(Selection(), std::make_pair(12, 14));
  EXPECT_TRUE(browsing.MousePress({38, 207}, Qt::RightButton, {}));  // 16, missing
  EXPECT_EQ(Selection(), std::make_pair(16, 16));
  EXPECT_FALSE(browsing.MousePress({5, 300}, Qt::RightButton, {}));
  EXPECT_FALSE(browsing.MousePress({38, 35}, Qt::LeftButton, {}));
  EXPECT_EQ(host.Log, QStringList({"ShowPictureEnabled 1", "PictureMenu 123,35",
                                   "ShowPictureEnabled 0", "PictureMenu 38,207"}));
}

TEST_F(BrowseTest, DoubleClickEditsChaptersOnTheEndPagesElseOpensDetails) {
  MakeAlbum({30});
  Show(0, 0);
  EXPECT_TRUE(browsing.DoubleClick({100, 100}));  // the opening page
  EXPECT_TRUE(browsing.DoubleClick({421, 35}));   // image 0
  Show(0, 4);
  EXPECT_TRUE(browsing.DoubleClick({600, 100}));  // the back cover
  EXPECT_FALSE(browsing.DoubleClick({38, 35}));   // page 4 holds no images
  Show(0, 2);
  EXPECT_FALSE(browsing.DoubleClick({5, 5}));
  EXPECT_EQ(host.Log, QStringList({"EditChapters", "OpenDetails 0 -1", "EditChapters"}));
}

TEST_F(BrowseTest, DetailsFollowTheSelectionAndThePressPoint) {
  MakeAlbum({30});
  Show(0, 2);
  host.DetailsShowing = true;
  browsing.SelectRange(40, 41);  // out of range: unchanged, still told
  browsing.SelectRange(3, 5);
  host.Press = {506, 35};
  browsing.ShowDetailsCommand();
  SetEditMode(true);
  browsing.ShowDetailsCommand();
  EXPECT_EQ(host.Log, QStringList({"SetDetailsRange 40 41", "SetDetailsRange 3 5",
                                   "OpenDetailsReadOnly 1", "OpenDetails 3 5"}));
  EXPECT_EQ(model.CurrentPage, 0);  // the selection's spread
}

}  // namespace
