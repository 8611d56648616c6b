// The layout of the book, what each page shows, and ShowSpread's rules.

#include <QFontMetrics>

#include "book/page_geometry.h"
#include "book/page_text.h"
#include "book/text_wrap.h"
#include "book/thumbnail.h"
#include "book_fixture.h"

TEST_F(BookTest, EachPagesColour) {
  MakeAlbum({13, 24, 12});  // 12 a page: chapter 0 has 2 pages, 1 has 2, 2 has 1
  const AlbumLook& l = look;
  const struct {
    int chapter, spread;
    LookColor left, right;
  } cases[] = {
      {0, 0, l.InsideColor, l.PageColor},  // the inside of the front cover, page 1
      {0, 2, l.PageColor, l.BM[0]},        // page 2, the front of chapter 1's divider
      {1, 0, l.BM[0], l.PageColor},        // the back of chapter 1's divider
      {1, 2, l.PageColor, l.BM[1]},
      {2, 2, l.PageColor, l.InsideColor},  // an empty page, the inside of the back cover
  };
  for (const auto& c : cases) {
    book.ShowSpread(c.chapter, c.spread);
    // Between two rows of cells.
    EXPECT_EQ(Pixel(book.LeftPage, 200, 209), Color(c.left)) << c.chapter << " " << c.spread;
    EXPECT_EQ(Pixel(book.RightPage, 200, 209), Color(c.right)) << c.chapter << " " << c.spread;
  }
}

TEST_F(BookTest, ShowSpreadIgnoresBadArguments) {
  MakeAlbum({13, 5});
  book.ShowSpread(0, 2);
  const int repaints = window.RepaintCalls;
  // Only chapter 0 (or no album, -1) has the closed book, spread -1.
  for (auto [c, p] : {std::pair{-2, 0}, {2, 0}, {0, -2}, {0, 4}, {1, 4}, {1, -1}, {-1, 0}}) {
    book.ShowSpread(c, p);
    EXPECT_EQ(view.CurrentChapter, 0) << c << " " << p;
    EXPECT_EQ(view.CurrentPage, 2) << c << " " << p;
  }
  EXPECT_EQ(window.RepaintCalls, repaints);
  // Odd spreads are not refused: callers pass even ones.
  book.ShowSpread(1, 1);
  EXPECT_EQ(view.CurrentPage, 1);
}

TEST_F(BookTest, ShowSpreadOpensAndClosesTheBook) {
  MakeAlbum({13, 5});
  window.MenuShown = true;
  // Opening and closing place the window again; the tool panel shows while open.
  for (auto [p, placed, panel] :
       {std::tuple{-1, 0, false}, {0, 1, true}, {2, 1, true}, {-1, 2, false}}) {
    book.ShowSpread(0, p);
    EXPECT_EQ(window.PositionCalls, placed) << p;
    EXPECT_EQ(window.ToolPanelVisible, panel) << p;
  }
  EXPECT_EQ(Pixel(book.CoverPage, 200, 100), Color(look.CoverColor));
}

TEST_F(BookTest, ChapterChangeResetsSelectionInEditMode) {
  MakeAlbum({30, 5});
  view.SelEnd = 9;
  book.ShowSpread(1, 0);  // browse mode: kept
  window.EditMode = true;
  book.ShowSpread(1, 2);  // same chapter: kept
  EXPECT_EQ(view.SelEnd, 9);
  book.ShowSpread(0, 2);
  EXPECT_EQ(view.SelEnd, 0);
}

TEST_F(BookTest, ShowSpreadLoadsThumbnailsOfAChapterNotLoaded) {
  MakeAlbum({3, 2});
  thumbs.Lists[1].clear();
  thumbs.Loaded[1] = false;
  book.ShowSpread(1, 0);
  EXPECT_TRUE(thumbs.Loaded[1]);
  EXPECT_EQ(thumbs.Lists[1].size(), 2);  // files missing: empty thumbnails
  // In a larger window the thumbnails of the old size are made again, once
  // the corner drag that resizes it has ended.
  const QSize before = book.ThumbnailBox();
  for (const bool resizing : {true, false}) {
    window.Resizing = resizing;
    window.Size = QSize(1000, resizing ? 650 : 700);
    window.PositionWindow();
    for (const Thumbnail& thumbnail : thumbs.Lists[1])
      EXPECT_EQ(thumbnail.Box, resizing ? before : book.ThumbnailBox());
  }
}

// From the demo's window down to a small square sheet: a cell's lines keep their bands in
// the room under the picture, and a long cover title is set in lines that fit the cover whole.
TEST(PrintLayout, CellLinesAndTheCoverTitleFitEverySheet) {
  AlbumLook look;
  SetDefaultProfile(look);
  look.TitleFont.Font.setPointSize(26);
  QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
  device.setDotsPerMeterX(PageDotsPerMeter);
  device.setDotsPerMeterY(PageDotsPerMeter);
  const QFontMetrics desc(look.DescFont.Font, &device);
  const QFontMetrics base(look.BaseFont.Font, &device);
  const QString title = QStringLiteral("Cesty po střední Evropě: Krkonoše, Tatry a Balaton");
  // The demo's window, A5 spreads and pages, 200 x 200 and 90 x 90 mm spreads.
  const std::pair<QSize, int> cases[] = {
      {{1240, 660}, 26}, {{794, 559}, 26}, {{1118, 794}, 26}, {{756, 756}, 26}, {{340, 340}, 19}};
  for (const auto& [window, titleSize] : cases) {
    SCOPED_TRACE(::testing::Message() << window.width() << "x" << window.height());
    const QSize page = PageSizeFor(window);
    const EdgeRect cell = CellRect(true, 0, page, look);
    const int room = std::min(DescHeight(look), cell.Height());
    for (const CellLines wanted : {CellLines{true, true, 1, 1}, CellLines{true, true, 2, 2}}) {
      const CellLines l = FitCellLines(wanted, room, desc.height(), base.height());
      auto height = [&](const CellLines& x) {
        return desc.height() * (int(x.Date) + int(x.PlaceBelow) + x.People) +
               base.height() * x.Title;
      };
      EXPECT_LE(height(l), room);
      // Nothing given up that fits; the place's line and people's second go first.
      EXPECT_TRUE(height(wanted) > room || height(l) == height(wanted));
      EXPECT_TRUE(!l.PlaceBelow || l.People + l.Title == wanted.People + wanted.Title);
      EXPECT_TRUE(l.People < 2 || l.Title == wanted.Title);
    }
    const QRect box = CoverTitleBox(page);
    QFont font = look.TitleFont.Font;
    font.setPointSize(TitlePointSize(title, font, box.size(), &device));
    EXPECT_EQ(font.pointSize(), titleSize);
    const QFontMetrics fm(font, &device);
    const std::vector<WrappedLine> lines = WrapText(
        title, box.width(), [&fm](QStringView s) { return fm.horizontalAdvance(s.toString()); });
    EXPECT_LE(int(lines.size()) * fm.height(), box.height());
    for (const WrappedLine& line : lines) EXPECT_FALSE(line.SplitWord) << line.Text.toStdString();
  }
}
