// The layout of the book, what each page shows, and ShowSpread's rules.

#include "book/spread_table.h"
#include "book_fixture.h"

TEST_F(BookTest, WhatEachPageShows) {
  MakeAlbum({13, 24, 12});  // 12 a page: chapter 0 has 2 pages, 1 has 2, 2 has 1
  const TProfile& l = AlbumProfile;
  struct Case {
    int chapter, spread;
    TPageLook left, right;
  };
  const Case cases[] = {
      // The inside of the front cover, then page 1.
      {0, 0, {TPageShows::Nothing, l.InsideColor, 0}, {TPageShows::Images, l.PageColor, 1}},
      // Two pages exactly: page 2, then the front of chapter 1's divider.
      {0, 2, {TPageShows::Images, l.PageColor, 2}, {TPageShows::DividerTitle, l.BM[0], 0}},
      // The back of chapter 1's divider.
      {1, 0, {TPageShows::Nothing, l.BM[0], 0}, {TPageShows::Images, l.PageColor, 1}},
      {1, 2, {TPageShows::Images, l.PageColor, 2}, {TPageShows::DividerTitle, l.BM[1], 0}},
      // One page: spread 2 has an empty page before the inside of the back cover.
      {2, 0, {TPageShows::Nothing, l.BM[1], 0}, {TPageShows::Images, l.PageColor, 1}},
      {2, 2, {TPageShows::Empty, l.PageColor, 2}, {TPageShows::Nothing, l.InsideColor, 0}},
  };
  for (const Case& c : cases) {
    model.CurrentChapter = c.chapter;
    model.CurrentPage = c.spread;
    SCOPED_TRACE(testing::Message() << "chapter " << c.chapter << " spread " << c.spread);
    EXPECT_EQ(PageLookFor(TPageKind::Left, model, l), c.left);
    EXPECT_EQ(PageLookFor(TPageKind::Right, model, l), c.right);
  }
  EXPECT_EQ(PageLookFor(TPageKind::Cover, model, l).Shows, TPageShows::Title);
}

TEST_F(BookTest, ShowSpreadIgnoresBadArguments) {
  MakeAlbum({13, 5});
  book.ShowSpread(0, 2);
  const int repaints = window.repaintCalls;
  // Only chapter 0 (or no album, -1) has the closed book, spread -1.
  for (auto [c, p] : {std::pair{-2, 0}, {2, 0}, {0, -2}, {0, 4}, {1, 4}, {1, -1}, {-1, 0}}) {
    book.ShowSpread(c, p);
    EXPECT_EQ(model.CurrentChapter, 0) << c << " " << p;
    EXPECT_EQ(model.CurrentPage, 2) << c << " " << p;
  }
  EXPECT_EQ(window.repaintCalls, repaints);
  // Odd spreads are not refused: callers pass even ones.
  book.ShowSpread(1, 1);
  EXPECT_EQ(model.CurrentPage, 1);
}

TEST_F(BookTest, ShowSpreadOpensAndClosesTheBook) {
  MakeAlbum({13, 5});
  window.menuShown = true;
  // Opening and closing place the window again; the tool panel shows while open.
  for (auto [p, placed, panel] :
       {std::tuple{-1, 0, false}, {0, 1, true}, {2, 1, true}, {-1, 2, false}}) {
    book.ShowSpread(0, p);
    EXPECT_EQ(window.positionCalls, placed) << p;
    EXPECT_EQ(window.toolPanelVisible, panel) << p;
  }
  EXPECT_EQ(Pixel(book.CoverPage, 200, 100), Color(AlbumProfile.CoverColor));
}

TEST_F(BookTest, ChapterChangeResetsSelectionInEditMode) {
  MakeAlbum({30, 5});
  book.ShowSpread(0, 0);
  model.SelStart = 7;
  model.SelEnd = 9;
  book.ShowSpread(1, 0);  // browse mode: kept
  EXPECT_EQ(model.SelStart, 7);
  window.editMode = true;
  book.ShowSpread(1, 2);  // same chapter: kept
  EXPECT_EQ(model.SelEnd, 9);
  book.ShowSpread(0, 2);
  EXPECT_EQ(model.SelStart, 0);
  EXPECT_EQ(model.SelEnd, 0);
}

TEST_F(BookTest, ShowSpreadLoadsThumbnailsOfAChapterNotLoaded) {
  MakeAlbum({3, 2});
  model.Thumbnails[1].clear();
  model.ThumbsLoaded[1] = false;
  book.ShowSpread(1, 0);
  EXPECT_TRUE(model.ThumbsLoaded[1]);
  EXPECT_EQ(model.Thumbnails[1].size(), 2);  // files missing: empty thumbnails
}
