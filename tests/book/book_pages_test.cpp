// What a reader sees on the drawn pages: which texts stand where, in which
// font and direction, and that a spread looks the same however it is reached.
//
// A text is found by the shape of its ink (the pixels nearer the text's colour than the ground's),
// so the wrong words, font, weight or direction do not match.

#include <QCoreApplication>
#include <QPainter>
#include <QVector3D>
#include <climits>
#include <cmath>

#include "core/message_table.h"
#include "support/book_fixture.h"

namespace {

enum class ImageRun { Across, Down, Up };

// An image that measures and draws text as the pages do.
QImage PageLike(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.setDotsPerMeterX(PageDotsPerMeter);
  image.setDotsPerMeterY(PageDotsPerMeter);
  return image;
}

QFontMetrics PageMetrics(const QFont& font) {
  static const QImage device = PageLike(QSize(1, 1));
  return QFontMetrics(font, &device);
}

// The line box of text centred in box.
QRect CentredBox(const QRect& box, const QString& text, const QFont& font) {
  const QFontMetrics fm = PageMetrics(font);
  const QSize size(fm.horizontalAdvance(text), fm.height());
  return QRect(box.left() + (box.width() - size.width()) / 2,
               box.top() + (box.height() - size.height()) / 2, size.width(), size.height());
}

struct Seen {
  const QImage& image;
  // The line box of text (turned with it) where its ink stands within `within`, or nothing.
  std::optional<QRect> Find(const QString& text, const LookFont& font, LookColor ground,
                            QRect within, ImageRun run = ImageRun::Across) const {
    const QFontMetrics fm = PageMetrics(font.Font);
    const QColor ink = ToQColor(font.Color);
    const QColor groundColour = ToQColor(ground);
    const int pad = 4;
    const QSize line(fm.horizontalAdvance(text), fm.height());
    const QSize box = run == ImageRun::Across ? line : line.transposed();
    QImage sample = PageLike(box + QSize(2 * pad, 2 * pad));
    sample.fill(groundColour);
    QPainter p(&sample);
    p.setFont(font.Font);
    p.setPen(ink);
    p.translate(pad, pad);
    if (run == ImageRun::Down) p.translate(box.width(), 0);
    if (run == ImageRun::Up) p.translate(0, box.height());
    p.rotate(run == ImageRun::Down ? 90 : run == ImageRun::Up ? -90 : 0);
    p.drawText(0, fm.ascent(), text);
    p.end();
    auto inked = [&](QRgb c) {
      auto d = [c](const QColor& b) {
        return QVector3D(qRed(c), qGreen(c), qBlue(c)) - QVector3D(b.red(), b.green(), b.blue());
      };
      return d(ink).lengthSquared() < d(groundColour).lengthSquared();
    };
    std::vector<QPoint> on;
    QRect inkBox;
    for (int y = 0; y < sample.height(); ++y)
      for (int x = 0; x < sample.width(); ++x)
        if (inked(sample.pixel(x, y))) {
          on.emplace_back(x, y);
          inkBox |= QRect(x, y, 1, 1);
        }
    if (on.empty()) return std::nullopt;

    // Glyph edges may round either way: a tenth of the ink compared may differ.
    const QImage seen = image.convertToFormat(QImage::Format_ARGB32);
    const QRect shown = seen.rect();
    auto differ = [&](QPoint shift) {
      int compared = 0;
      for (const QPoint& s : on) compared += shown.contains(s + shift);
      if (compared < int(on.size()) / 4) return INT_MAX;
      int count = 0;
      for (int sy = inkBox.top(); count <= compared / 10 && sy <= inkBox.bottom(); ++sy)
        for (int sx = inkBox.left(); sx <= inkBox.right(); ++sx) {
          const QPoint at(sx + shift.x(), sy + shift.y());
          if (shown.contains(at)) count += inked(sample.pixel(sx, sy)) != inked(seen.pixel(at));
        }
      return count <= compared / 10 ? count : INT_MAX;
    };
    const QRect area = within & seen.rect();
    for (int y = area.top(); y + inkBox.height() - 1 <= area.bottom(); ++y)
      for (int x = area.left(); x + inkBox.width() - 1 <= area.right(); ++x) {
        QPoint shift = QPoint(x, y) - inkBox.topLeft();
        const QPoint anchor = on[0] + shift;
        if ((shown.contains(anchor) && !inked(seen.pixel(anchor))) || differ(shift) == INT_MAX)
          continue;
        for (const QPoint next : {shift + QPoint(1, 0), shift + QPoint(0, 1), shift + QPoint(1, 1)})
          if (differ(next) < differ(shift)) shift = next;  // the best of the neighbours
        return QRect(QPoint(pad, pad) + shift, box);
      }
    return std::nullopt;
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

bool IsPlain(const QImage& page, const QRect& r, const QColor& colour) {
  QImage plain(r.size(), page.format());
  plain.fill(colour);
  return page.copy(r) == plain;
}

}  // namespace

class PagesTest : public BookTest {
 protected:
  Seen Left() const { return {book.LeftPage.Image}; }
  Seen Right() const { return {book.RightPage.Image}; }
  // Whether the page shows text centred in box.
  static ::testing::AssertionResult Centred(const Seen& page, const QString& text,
                                            const LookFont& font, LookColor ground, QRect box) {
    return Near(page.Find(text, font, ground, box), CentredBox(box, text, font.Font));
  }
  const LookFont& base = look.BaseFont;
  const LookColor paper = look.PageColor;
};

TEST_F(PagesTest, TheCoverShowsTheTitleOrTheProgramsNameAndVersion) {
  MakeAlbum({5});
  look.TitleFont.Color = RGBColor(255, 255, 255);  // its dark edge is then no ink
  const LookFont& title = look.TitleFont;
  const LookColor cover = look.CoverColor;
  const Seen seen{book.CoverPage.Image};
  book.ShowSpread(0, -1);
  EXPECT_TRUE(Centred(seen, "Album", title, cover, {28, 0, 372, 560}));
  model.DataTitles[0].clear();
  book.ShowSpread(0, -1);
  EXPECT_TRUE(Centred(seen, "Quirevale", title, cover, {28, 0, 372, 560}));
  LookFont version{QFont(QStringLiteral("Arial")), title.Color};
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
  EXPECT_FALSE(Left().Find("Album", base, look.InsideColor, leftHeader));  // the cover

  book.ShowSpread(0, 2);
  EXPECT_TRUE(Centred(Left(), "Album", base, paper, leftHeader));
  EXPECT_TRUE(Centred(Left(), "- Page 2/2 -", base, paper, leftFooter));
  const LookFont& chapter = look.ChapterFont;
  const LookColor divider = look.BM[0];
  EXPECT_TRUE(Centred(Right(), "Title 1", chapter, divider, {1, 15, 371, 517}));
  EXPECT_FALSE(Right().Find("Album", base, divider, header));

  LanguageMessages czech({QStringLiteral("PageNr=Strana %1")});
  QCoreApplication::installTranslator(&czech);
  book.ShowSpread(0, 2);
  EXPECT_TRUE(Left().Find("- Strana %1 2/2 -", base, paper, leftFooter));
}

TEST_F(PagesTest, DescriptionLinesUnderThePicture) {
  MakeAlbum({3});
  look.ExtendedDesc = look.ShowDate = look.ShowPlace = true;
  look.ShowPeople = true;
  look.TextRowCount = 2;
  window.PositionWindow();
  ImageList data = model.Images(0);
  data[0] = {data[0].File, QStringLiteral("Old\r\nmill\r\nriver"), QStringLiteral("1. 5. 2004"),
             QStringLiteral("Brno"), QStringLiteral("Eva")};
  // A place too long for what the date leaves after a blank: on a line of its own.
  data[1].Date = QStringLiteral("2004");
  data[1].Place = QStringLiteral("Lake Geneva shore");
  ImageEdits::SetChapter(model, 0, data);
  book.ShowSpread(0, 0);

  // The first cell of the right page: (26, 40)-(101, 207).
  const QRect cell(26, 40, 75, 167);
  const LookFont& desc = look.DescFont;
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
  const QFontMetrics dm = PageMetrics(desc.Font);
  const QString shown = dm.elidedText("Lake Geneva shore", Qt::ElideRight, 75);
  const auto year = Right().Find("2004", desc, paper, QRect(111, 140, 75, 67));
  const auto shore = Right().Find(shown, desc, paper, QRect(111, 140, 75, 67));
  ASSERT_TRUE(year && shore);
  EXPECT_EQ(shore->right(), 111 + 75 - 1);
  EXPECT_EQ(shore->top(), year->top() + dm.height());

  // Past TextRowCount no line shows, even where there would be room.
  look.DescFont.Font.setPointSize(4);
  book.ShowSpread(0, 0);
  EXPECT_TRUE(Right().Find("mill", base, paper, cell));
  EXPECT_FALSE(Right().Find("river", base, paper, cell));
}

TEST_F(PagesTest, TextsStayInsideCellsTooSmallForThem) {
  look.ExtendedDesc = look.ShowDate = look.ShowPlace = true;
  look.ThumbnailFrames = true;
  struct Case {
    int rows, textRows;
    // The gaps right of and below the right page's first cell, up to the next cells' frames.
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
    look.RowCount = c.rows;
    look.ColumnCount = 5;
    look.TextRowCount = c.textRows;
    window.PositionWindow();
    MakeAlbum({30});
    ImageList data = model.Images(0);
    for (ImageRecord& image : data) {
      image.Date = QStringLiteral("Saturday 10 October 2007");
      image.Title = QStringLiteral("Mill\r\nand\r\nriver\r\nbank");
    }
    ImageEdits::SetChapter(model, 0, data);
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
  LookFont label = look.BookmarkFont;                           // always bold Arial of its size
  label.Font = QFont(QStringLiteral("Arial"));
  label.Font.setPointSizeF(look.BookmarkFont.Font.pointSizeF());
  label.Font.setBold(true);
  // Chapter i's label on its tab of colour BM[i - 1] by the outer edge.
  auto onRight = [&](int i) {
    return Right().Find(model.ChapterNames[i - 1].left(5), label, look.BM[i - 1],
                        {372, 15, 28, 557}, ImageRun::Down);
  };
  auto onLeft = [&](int i) {
    return Left().Find(model.ChapterNames[i - 1], label, look.BM[i - 1], {0, 15, 28, 557},
                       ImageRun::Up);
  };
  book.ShowSpread(0, 0);
  ASSERT_TRUE(onRight(1) && onRight(2) && onRight(3));
  EXPECT_EQ(onRight(1)->top(), 15 + 10 + 3);  // the first tab starts 10 below the area's top
  EXPECT_LT(onRight(1)->bottom(), onRight(2)->top());
  EXPECT_LT(onRight(2)->bottom(), onRight(3)->top());

  book.ShowSpread(2, 0);  // the chapters behind and the current one on the left
  ASSERT_TRUE(onLeft(1) && onLeft(2));
  EXPECT_LT(onLeft(1)->bottom(), onLeft(2)->top());
  EXPECT_TRUE(onRight(3));
  EXPECT_FALSE(onRight(1));

  // A tab that would reach below the page is left out, and those after it.
  model.ChapterNames[1] = QString(60, u'W');
  book.ShowSpread(0, 0);
  EXPECT_TRUE(onRight(1));
  EXPECT_FALSE(onRight(2));
  EXPECT_FALSE(onRight(3));
}

TEST_F(PagesTest, TheCoverAndThePagesFollowEveryChangeOfLookOrSizeAndNothingElse) {
  // The album's thumbnails are made by hand (their files do not exist), so
  // other chapters must keep them while one is shown.
  settings.FreeMemory = false;
  MakeAlbum({30, 5, 5});
  const auto coverAt = [&](int x, int y) { return Pixel(book.CoverPage, x, y); };
  book.ShowSpread(0, -1);
  const QImage cover = book.CoverPage.Image;
  // Shown again, the title is not drawn over itself.
  book.ShowSpread(0, -1);
  EXPECT_TRUE(book.CoverPage.Image == cover);

  struct Step {
    const char* what;
    LookColor colour;
    QSize size;
    bool relayout;
  };
  const Step steps[] = {
      {"a new colour with a re-layout", RGBColor(10, 120, 30), {800, 600}, true},
      {"a new colour without one", RGBColor(200, 0, 90), {800, 600}, false},
      {"a new size while closed", RGBColor(200, 0, 90), {1000, 700}, true},
  };
  for (const Step& s : steps) {
    look.CoverColor = s.colour;
    window.Size = s.size;
    if (s.relayout) window.PositionWindow();
    book.ShowSpread(0, -1);
    EXPECT_EQ(book.CoverPage.Image.size(), QSize(s.size.width() / 2, s.size.height())) << s.what;
    EXPECT_EQ(coverAt(60, s.size.height() - 40), Color(s.colour)) << s.what;
  }
  // Opened after a re-layout while closed: the pages are those of the
  // window's size, as a re-layout of the open book draws them.
  book.ShowSpread(0, 2);
  const QImage left = book.LeftPage.Image;
  const QImage right = book.RightPage.Image;
  EXPECT_EQ(left.size(), QSize(500, 700));
  // The same however it is reached, and after a re-layout of the open book.
  for (auto [c, p] : {std::pair{0, 2}, {0, 0}, {1, 0}, {2, 2}, {0, 2}}) book.ShowSpread(c, p);
  EXPECT_TRUE(book.LeftPage.Image == left);
  EXPECT_TRUE(book.RightPage.Image == right);
  window.PositionWindow();
  EXPECT_TRUE(book.LeftPage.Image == left);
  EXPECT_TRUE(book.RightPage.Image == right);
  // A re-layout asked to show a spread that does not exist keeps the
  // current one, drawn for the new size.
  book.SetWindowSize(QSize(900, 650));
  book.RebuildPages(0, 999);
  EXPECT_EQ(view.CurrentPage, 2);
  EXPECT_EQ(book.LeftPage.Image.size(), QSize(450, 650));
}
