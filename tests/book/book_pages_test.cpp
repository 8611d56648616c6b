// What a reader sees on the drawn pages: which texts stand where, in which
// font and direction, and that a spread looks the same however it is reached.

#include "book_fixture.h"
#include "page_text.h"

namespace {

// A page's pixels, and the texts on it as a reader finds them.
struct Seen {
  const QImage& image;
  std::optional<QRect> Find(const QString& text, const TProfileFont& font, TColor ground,
                            QRect within = {}, TRun run = TRun::Across) const {
    return FindText(image, within.isNull() ? image.rect() : within, text,
                    {font.Font, ToQColor(font.Color), ToQColor(ground), run});
  }
  // Text cut off at the edges of visible, running out of it to the left.
  std::optional<QRect> FindCut(const QString& text, const TProfileFont& font, TColor ground,
                               QRect visible) const {
    return FindText(image, visible.adjusted(-visible.x(), 0, 0, 0), text,
                    {font.Font, ToQColor(font.Color), ToQColor(ground)}, visible);
  }
};

// Within a pixel: glyph placement rounds.
::testing::AssertionResult Near(const std::optional<QRect>& seen, const QRect& expected) {
  if (!seen) return ::testing::AssertionFailure() << "not on the page";
  const QPoint d = seen->topLeft() - expected.topLeft();
  if (std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at " << seen->x() << "," << seen->y() << " instead of "
                                       << expected.x() << "," << expected.y();
}

}  // namespace

class PagesTest : public BookTest {
 protected:
  Seen Left() const { return {book.LeftPage.Image}; }
  Seen Right() const { return {book.RightPage.Image}; }
  // Whether the page shows text centred in box.
  static ::testing::AssertionResult Centred(const Seen& page, const QString& text,
                                            const TProfileFont& font, TColor ground, QRect box) {
    return Near(page.Find(text, font, ground, box), CentredBox(box, text, font.Font));
  }
  const TProfileFont& base = AlbumProfile.BaseFont;
  const TColor paper = AlbumProfile.PageColor;
};

TEST_F(PagesTest, TheCoverShowsTheTitleOrTheProgramsNameAndVersion) {
  MakeAlbum({5});
  AlbumProfile.TitleFont.Color = RGBColor(255, 255, 255);  // its dark edge is then no ink
  const TProfileFont& title = AlbumProfile.TitleFont;
  const TColor cover = AlbumProfile.CoverColor;
  const Seen seen{book.CoverPage.Image};
  book.ShowSpread(0, -1);
  EXPECT_TRUE(Centred(seen, "Album", title, cover, {28, 0, 372, 560}));
  model.DataTitles[0].clear();
  book.ShowSpread(0, -1);
  EXPECT_TRUE(Centred(seen, "Quirevale", title, cover, {28, 0, 372, 560}));
  TProfileFont version{QFont(QStringLiteral("Arial")), title.Color};
  version.Font.setPointSize(8);
  EXPECT_TRUE(Centred(seen, "1.0", version, cover, {28, 30, 372, 580}));
}

TEST_F(PagesTest, HeaderFooterAndTheNextChaptersTitleOnItsDivider) {
  MakeAlbum({13, 2});  // 12 a page: chapter 0 has two pages
  // The pages' areas are (28, 15)-(399, 572) on the left, (1, 15)-(372, 572) on the right.
  const QRect header(1, 15, 371, 20);
  const QRect footer(1, 552, 371, 20);
  const QRect leftHeader = header.translated(27, 0);
  const QRect leftFooter = footer.translated(27, 0);
  book.ShowSpread(0, 0);
  EXPECT_TRUE(Centred(Right(), "Album", base, paper, header));
  EXPECT_TRUE(Centred(Right(), "- Page 1/2 -", base, paper, footer));
  EXPECT_FALSE(Left().Find("Album", base, AlbumProfile.InsideColor, leftHeader));  // the cover

  book.ShowSpread(0, 2);
  EXPECT_TRUE(Centred(Left(), "Album", base, paper, leftHeader));
  EXPECT_TRUE(Centred(Left(), "- Page 2/2 -", base, paper, leftFooter));
  const TProfileFont& chapter = AlbumProfile.ChapterFont;
  const TColor divider = AlbumProfile.BM[0];
  EXPECT_TRUE(Centred(Right(), "Title 1", chapter, divider, {1, 15, 371, 517}));
  EXPECT_FALSE(Right().Find("Album", base, divider, header));

  SetMsg(QStringLiteral("PageNr"), QStringLiteral("Strana %1"));
  book.ShowSpread(0, 2);
  EXPECT_TRUE(Left().Find("- Strana %1 2/2 -", base, paper, leftFooter));
}

TEST_F(PagesTest, DescriptionLinesUnderThePicture) {
  MakeAlbum({3});
  AlbumProfile.ExtendedDesc = AlbumProfile.ShowDate = AlbumProfile.ShowPlace = true;
  AlbumProfile.ShowPeople = true;
  AlbumProfile.TextRowCount = 2;
  window.PositionWindow();
  TChapterData& data = model.Chapters[0];
  data.Dates[0] = QStringLiteral("1. 5. 2004");
  data.Places[0] = QStringLiteral("Brno");
  data.People[0] = QStringLiteral("Eva");
  data.Titles[0] = QStringLiteral("Old\r\nmill\r\nriver");
  // A place too long for what the date leaves: its end shows.
  data.Dates[1] = QStringLiteral("2004");
  data.Places[1] = QStringLiteral("Lake Geneva shore");
  book.ShowSpread(0, 0);

  // The first cell of the right page: (26, 40)-(101, 207).
  const QRect cell(26, 40, 75, 167);
  const TProfileFont& desc = AlbumProfile.DescFont;
  const auto date = Right().Find("1. 5. 2004", desc, paper, cell);
  const auto place = Right().Find("Brno", desc, paper, cell);
  const auto people = Right().Find("Eva", desc, paper, cell);
  const auto line1 = Right().Find("Old", base, paper, cell);
  const auto line2 = Right().Find("mill", base, paper, cell);
  ASSERT_TRUE(date && place && people && line1 && line2);
  EXPECT_EQ(date->left(), cell.left());
  EXPECT_EQ(place->right(), cell.right());
  EXPECT_EQ(place->top(), date->top());
  auto centred = [&](const auto& line, const char* text, const QFont& font, int top) {
    return Near(line, CentredBox({26, top, 75, line->height()}, text, font));
  };
  EXPECT_TRUE(centred(people, "Eva", desc.Font, date->bottom() + 1));
  EXPECT_TRUE(centred(line1, "Old", base.Font, people->bottom() + 1));
  EXPECT_TRUE(centred(line2, "mill", base.Font, line1->bottom() + 1));
  EXPECT_LE(line2->bottom(), cell.bottom());
  // Right of the second cell's date "2004".
  const auto shore = Right().FindCut("Lake Geneva shore", desc, paper, {146, 140, 40, 67});
  ASSERT_TRUE(shore);
  EXPECT_EQ(shore->right(), 111 + 75 - 1);

  // Past TextRowCount no line shows, even where there would be room.
  AlbumProfile.DescFont.Font.setPointSize(4);
  book.ShowSpread(0, 0);
  EXPECT_TRUE(Right().Find("mill", base, paper, cell));
  EXPECT_FALSE(Right().Find("river", base, paper, cell));
}

TEST_F(PagesTest, TextsStayInsideCellsTooSmallForThem) {
  AlbumProfile.ExtendedDesc = AlbumProfile.ShowDate = AlbumProfile.ShowPlace = true;
  AlbumProfile.ThumbnailFrames = true;
  struct Case {
    int rows, textRows;
    // The gaps right of and below the right page's first cell, up to the
    // next cells' frames.
    QRect gapRight, gapBelow;
  };
  const Case cases[] = {
      // Cells 58 wide: a long date stops at the cell's edge.
      {3, 2, {85, 40, 8, 167}, {26, 207, 58, 4}},
      // Cells 46 high, with room for fewer lines than asked for.
      {10, 4, {85, 40, 8, 46}, {26, 86, 58, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    AlbumProfile.RowCount = c.rows;
    AlbumProfile.ColumnCount = 5;
    AlbumProfile.TextRowCount = c.textRows;
    window.PositionWindow();
    MakeAlbum({30});
    for (int i = 0; i < 30; ++i) {
      model.Chapters[0].Dates[i] = QStringLiteral("Saturday 10 October 2007");
      model.Chapters[0].Titles[i] = QStringLiteral("Mill\r\nand\r\nriver\r\nbank");
    }
    book.ShowSpread(0, 0);
    const QImage& right = book.RightPage.Image;
    EXPECT_TRUE(IsPlain(right, c.gapRight, ToQColor(paper)));
    EXPECT_TRUE(IsPlain(right, c.gapBelow, ToQColor(paper)));
    EXPECT_TRUE(IsPlain(right, {30, 36, 330, 3}, ToQColor(paper)));  // above the first row
    EXPECT_TRUE(Right().Find("Album", base, paper, {1, 15, 371, 21}));
  }
}

TEST_F(PagesTest, BookmarkLabelsRunDownTheRightEdgeAndUpTheLeft) {
  MakeAlbum({30, 5, 5, 5});
  model.ChapterNames = QStringList{"North", "Lakes", "Towns"};  // nothing below the line
  TProfileFont label = AlbumProfile.BookmarkFont;               // always bold Arial of its size
  label.Font = QFont(QStringLiteral("Arial"));
  label.Font.setPointSizeF(AlbumProfile.BookmarkFont.Font.pointSizeF());
  label.Font.setBold(true);
  const auto& bm = AlbumProfile.BM;
  const QRect rightEdge(372, 15, 28, 557);
  const QRect leftEdge(0, 15, 28, 557);
  book.ShowSpread(0, 0);
  const auto north = Right().Find("North", label, bm[0], rightEdge, TRun::Down);
  const auto lakes = Right().Find("Lakes", label, bm[1], rightEdge, TRun::Down);
  const auto towns = Right().Find("Towns", label, bm[2], rightEdge, TRun::Down);
  ASSERT_TRUE(north && lakes && towns);
  EXPECT_EQ(north->top(), 15 + 10 + 3);  // the first tab starts 10 below the area's top
  EXPECT_LT(north->bottom(), lakes->top());
  EXPECT_LT(lakes->bottom(), towns->top());

  book.ShowSpread(2, 0);
  const auto behind1 = Left().Find("North", label, bm[0], leftEdge, TRun::Up);
  const auto behind2 = Left().Find("Lakes", label, bm[1], leftEdge, TRun::Up);
  ASSERT_TRUE(behind1 && behind2);
  EXPECT_LT(behind1->bottom(), behind2->top());
  EXPECT_TRUE(Right().Find("Towns", label, bm[2], rightEdge, TRun::Down));
  EXPECT_FALSE(Right().Find("North", label, bm[0], rightEdge, TRun::Down));

  // A tab that would reach below the page is left out, and those after it.
  model.ChapterNames[1] = QString(60, u'W');
  book.ShowSpread(0, 0);
  EXPECT_TRUE(Right().Find("North", label, bm[0], rightEdge, TRun::Down));
  EXPECT_FALSE(Right().Find("WWW", label, bm[1], rightEdge, TRun::Down));
  EXPECT_FALSE(Right().Find("Towns", label, bm[2], rightEdge, TRun::Down));
}

TEST_F(PagesTest, ASpreadLooksTheSameHoweverItIsReached) {
  MakeAlbum({30, 5, 5});
  book.ShowSpread(0, 2);
  const QImage left = book.LeftPage.Image;
  const QImage right = book.RightPage.Image;
  for (auto [c, p] : {std::pair{0, 2}, {0, 0}, {1, 0}, {2, 2}, {0, 2}}) book.ShowSpread(c, p);
  EXPECT_TRUE(book.LeftPage.Image == left);
  EXPECT_TRUE(book.RightPage.Image == right);
}
