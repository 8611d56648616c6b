// The drawn book at chosen points: its layout, colours, lines and marks, what
// each page shows and ShowSpread's rules; the pictures the program ships.

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>

#include "book/cell_letters.h"
#include "book/decoration_bitmaps.h"
#include "book/page_geometry.h"
#include "book/page_text.h"
#include "book/paint_tools.h"
#include "book/program_cursors.h"
#include "book/text_wrap.h"
#include "book/thumbnail.h"
#include "core/program_files.h"
#include "support/book_fixture.h"

TEST_F(BookTest, CoverPaperAndTheSpineShade) {
  MakeAlbum({30});
  look.PageColor = RGBColor(200, 220, 240);
  book.ShowSpread(0, -1);
  EXPECT_EQ(Pixel(book.CoverPage, 28, 300), QColor(Qt::black));  // the hinge
  EXPECT_EQ(book.CoverPage.Image.pixelColor(0, 0).alpha(), 0);   // cut off by the round corner
  book.ShowSpread(0, 2);
  // Grey at the spine, fading into the paper over 20 pixels; then the page's edge.
  for (auto [x, colour] : {std::pair{1, QColor(0x80, 0x80, 0x80)},
                           {11, QColor(164, 174, 184)},
                           {21, QColor(200, 220, 240)},
                           {372, QColor(Qt::black)}})
    EXPECT_EQ(Pixel(book.RightPage, x, 300), colour) << x;
  EXPECT_EQ(Pixel(book.LeftPage, 398, 300), QColor(0x80, 0x80, 0x80));
}

TEST_F(BookTest, TwoBooksInOneProcessDrawEachWithItsOwnLook) {
  MakeAlbum({30});
  OpenAlbum otherAlbum = album;
  AlbumLook other = look;
  other.CoverColor = RGBColor(20, 90, 40);
  other.PageColor = RGBColor(250, 240, 200);
  RecordingWindow otherWindow;
  BookView second{otherAlbum, otherWindow, other, settings};
  LayOutIn(otherWindow, second);
  otherWindow.PositionWindow();
  for (int spread : {-1, 2, -1}) {
    book.ShowSpread(0, spread);
    second.ShowSpread(0, spread);
    const bool closed = spread == -1;
    const QColor mine = Color(closed ? look.CoverColor : look.PageColor);
    const QColor its = Color(closed ? other.CoverColor : other.PageColor);
    EXPECT_EQ(Pixel(closed ? book.CoverPage : book.RightPage, closed ? 200 : 21, 300), mine)
        << spread;
    EXPECT_EQ(Pixel(closed ? second.CoverPage : second.RightPage, closed ? 200 : 21, 300), its)
        << spread;
  }
}

TEST_F(BookTest, ThePageEdgeRunsOverATabUnlessItsDividerShows) {
  MakeAlbum({30, 5, 5, 5});
  const AlbumLook& l = look;
  book.ShowSpread(2, 0);
  const int onTab3 = book.Layout().BookmarkEdges()[3] + 15 - 3;  // low on tab 3
  const int onTab2 = book.Layout().BookmarkEdges()[1] + 15 + 2;  // high on tab 2
  EXPECT_EQ(Pixel(book.RightPage, 372, onTab3), QColor(Qt::black));
  EXPECT_EQ(Pixel(book.LeftPage, 27, onTab2), Color(l.BM[1]));  // the back of chapter 2's divider
  book.ShowSpread(2, 2);                                        // chapter 3's divider on the right
  EXPECT_EQ(Pixel(book.RightPage, 372, onTab3), Color(l.BM[2]));
  EXPECT_EQ(Pixel(book.LeftPage, 27, onTab2), QColor(Qt::black));
}

class CellTest : public BookTest {
 protected:
  // The top of the right page's pictures in the 3 x 4 grid: cells 75 x 167
  // with two title lines under the picture.
  static QRect Picture(int position) {
    return QRect(26 + position % 4 * 85, 40 + position / 4 * 172, 75, 100);
  }
};

TEST_F(CellTest, FramesOffButKeptForAnEmptyThumbnail) {
  MakeAlbum({5});
  thumbs.Lists[0][1] = Thumbnail();  // its file is missing
  const QColor paper = Color(look.PageColor);
  const QRect a = Picture(0);
  const QRect b = Picture(1);
  book.ShowSpread(0, 0);
  const BookPage& right = book.RightPage;
  EXPECT_EQ(Pixel(right, a.left() + 2, a.top() + 2), QColor(10, 200, 30));
  EXPECT_EQ(Pixel(right, a.left() - 1, a.top() + 5), paper);
  EXPECT_EQ(Pixel(right, b.left() - 1, b.top() + 5), QColor(Qt::black));
  EXPECT_EQ(Pixel(right, b.right() + 1, b.top() + 5), QColor(Qt::black));

  look.ThumbnailFrames = true;
  book.ShowSpread(0, 0);
  EXPECT_EQ(Pixel(right, a.left() - 1, a.top() + 5), QColor(Qt::black));
  window.Resizing = true;  // pictures are left out meanwhile
  book.ShowSpread(0, 0);
  EXPECT_EQ(Pixel(right, a.left() + 2, a.top() + 2), paper);
}

TEST_F(CellTest, SelectionFrameInEditModeOnlyAndWipedOnTheWindow) {
  MakeAlbum({5});
  view.SelStart = 2;
  view.SelEnd = 1;
  const QPoint frame(Picture(1).left() - 3, 60);  // three pixels left of the cell
  const QColor navy(0, 0, 0x80);
  book.ShowSpread(0, 0);
  EXPECT_NE(Pixel(book.RightPage, frame.x(), frame.y()), navy);
  window.EditMode = true;
  book.ShowSpread(0, 0);
  EXPECT_EQ(Pixel(book.RightPage, frame.x(), frame.y()), navy);
  view.SelEnd = -1;  // nothing selected
  book.ShowSpread(0, 0);
  EXPECT_NE(Pixel(book.RightPage, frame.x(), frame.y()), navy);

  QImage screen(800, 600, QImage::Format_ARGB32_Premultiplied);
  screen.fill(Qt::red);
  QPainter p(&screen);
  book.RepaintCells(p, 1, 1, 1);
  p.end();
  const QPoint onScreen = frame + QPoint(400, 0);
  EXPECT_EQ(screen.pixelColor(onScreen), Pixel(book.RightPage, frame.x(), frame.y()));
  EXPECT_EQ(screen.pixelColor(onScreen + QPoint(2 + 75 + 2, 0)), navy);  // the drop mark
  EXPECT_EQ(screen.pixelColor(onScreen - QPoint(1, 0)), QColor(Qt::red));
}

TEST_F(BookTest, LettersMarkTheCellsOfTheSpread) {
  const struct {
    int rows, columns, chapter, spread;
    const char* letters;
  } cases[] = {
      // 12 a page: chapter 0 of 30 images has pages 1..3, the last one with 6.
      {3, 4, 0, 0, "abcdefghijkl"},
      {3, 4, 0, 2, "abcdefghijklmnopqr"},
      {3, 4, 0, 4, ""},  // divider
      {3, 4, 1, 0, "abc"},
      {3, 4, 0, -1, ""},
      // 50 cells: past "z" the code page's printable characters, no controls.
      {5, 5, 0, 2, "abcdefghijklmnopqrstuvwxyz{|}~€‚„…†‡‰Š‹ŚŤŽŹ‘’“”•–—"},
  };
  for (const auto& c : cases) {
    look.RowCount = c.rows;
    look.ColumnCount = c.columns;
    MakeAlbum({c.rows == 3 ? 30 : 80, 3});
    book.ShowSpread(c.chapter, c.spread);
    QString letters;
    for (const BookView::LetterMark& mark : book.LetterMarks()) letters += mark.Letter;
    EXPECT_EQ(letters, QString::fromUtf8(c.letters)) << c.chapter << " " << c.spread;
  }
  EXPECT_EQ(book.LetterMarks()[0].At, QPoint(43, 40));  // the left page's first cell
  // Keys map back through the same table.
  for (int n = 0; !LetterForCell(n).isNull(); ++n) ASSERT_EQ(CellForLetter(LetterForCell(n)), n);
  EXPECT_EQ(CellForLetter(QChar(0x7F)), -1);
  EXPECT_EQ(CellForLetter(u'A'), -1);
}

TEST_F(BookTest, TheEmptyCoversLinesStandBelowALargeTitle) {
  std::vector<TextBox> boxes;
  book.RecordTextBoxes(&boxes);
  look.TitleFont.Font.setPointSize(48);
  book.ShowSpread(-1, -1);  // no album: the program's name, its version and a maker line
  book.RecordTextBoxes(nullptr);
  ASSERT_EQ(boxes.size(), 3U);
  for (std::size_t i = 1; i < boxes.size(); ++i)
    EXPECT_GT(boxes[i].Box.top(), boxes[i - 1].Box.bottom()) << boxes[i].Text.toStdString();
}

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

TEST(Artwork, DecorationsCursorsTexturesAndTheDefaultLook) {
  for (const char* name : {"VERTICAL", "HORIZONTAL", "MENU", "MIDDLE", "LEFT", "RIGHT", "VIDEO"})
    EXPECT_FALSE(DecorationBitmap(QString::fromLatin1(name)).isNull()) << name;
  // The pictures drawn transparent have a transparent background.
  EXPECT_EQ(DecorationBitmap("MENU").pixelColor(0, 11).alpha(), 0);
  EXPECT_EQ(DecorationBitmap("RIGHT").pixelColor(0, 0).alpha(), 0);

  for (int number : {crZoom, crLeft, crRight, crPrevious, crNext}) {
    QPoint hotSpot(-1, -1);
    const QImage cursor = ProgramCursorImage(ProgramCursorName(number), &hotSpot);
    ASSERT_FALSE(cursor.isNull()) << number;
    EXPECT_TRUE(cursor.rect().contains(hotSpot)) << number;
  }

  AlbumLook look;
  SetDefaultProfile(look);
  EXPECT_FALSE(TexturePicture(look.CoverTexture).isNull()) << look.CoverTexture.toStdString();
  EXPECT_FALSE(TexturePicture(look.PageTexture).isNull()) << look.PageTexture.toStdString();
  EXPECT_TRUE(QFileInfo::exists(ProgramFile("default.AFM")));
}

TEST(Artwork, ATextureIsReadByItsNameAndElseByItsContent) {
  QTemporaryDir dir;
  QImage red(4, 4, QImage::Format_RGB32);
  red.fill(Qt::red);
  for (const char* name : {"a.png", "png-named.bmp", "b.jpg", "no-extension"}) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    ASSERT_TRUE(red.save(path, QByteArray(name).endsWith(".jpg") ? "jpg" : "png"));
    EXPECT_EQ(TexturePicture(path).size(), QSize(4, 4)) << name;
  }
}
