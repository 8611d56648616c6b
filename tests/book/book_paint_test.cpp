// Pixels of the drawn book at chosen points.

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "book/bookmarks.h"
#include "book/paint_tools.h"
#include "book/spread_table.h"
#include "book/thumbnail.h"
#include "book_fixture.h"

TEST(SpineShade, ColoursRunFromOneSideToTheOther) {
  const TRect r{0, 0, 20, 10};
  const QColor from(0, 0, 0);
  const QColor to(200, 100, 50);
  EXPECT_EQ(SpineShadeColor(r, 0, from, to), from);
  EXPECT_EQ(SpineShadeColor(r, 20, from, to), to);
  EXPECT_EQ(SpineShadeColor(r, 10, from, to), QColor(100, 50, 25));
  EXPECT_EQ(SpineShadeColor(r, 5, from, to), QColor(50, 25, 12));    // 12.5: halves to even
  EXPECT_EQ(SpineShadeColor(TRect{3, 0, 3, 5}, 3, from, to), from);  // one column

  QImage image(22, 12, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  SpineShade(p, r, from, to);
  p.end();
  EXPECT_EQ(image.pixelColor(0, 0), from);
  EXPECT_EQ(image.pixelColor(20, 9), to);  // the right column is drawn
  EXPECT_EQ(image.pixelColor(21, 5), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));  // the bottom is left out
}

TEST(TileTexture, TilesFromTheTopLeftOrFillsWithTheColour) {
  QTemporaryDir dir;
  const QString file = dir.filePath("tex.bmp");
  QImage texture(3, 2, QImage::Format_RGB32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) texture.setPixelColor(x, y, QColor(x * 100, y * 100, 7));
  ASSERT_TRUE(texture.save(file, "BMP"));

  QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter p(&image);
  EXPECT_TRUE(TileTexture(p, TRect{10, 10, 17, 15}, file, Qt::red));
  EXPECT_FALSE(TileTexture(p, TRect{0, 0, 5, 5}, dir.filePath("missing.bmp"), Qt::red));
  p.end();
  EXPECT_EQ(image.pixelColor(10, 10), QColor(0, 0, 7));
  EXPECT_EQ(image.pixelColor(14, 11), QColor(100, 100, 7));  // the second copy
  EXPECT_EQ(image.pixelColor(16, 14), QColor(0, 0, 7));      // the cut-off last copy
  EXPECT_EQ(image.pixelColor(17, 10), QColor(Qt::white));    // right and bottom are left out
  EXPECT_EQ(image.pixelColor(4, 4), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
}

TEST_F(BookTest, CoverAndPaperColoursAndTheSpineShade) {
  MakeAlbum({30});
  AlbumProfile.PageColor = RGBColor(200, 220, 240);
  book.ShowSpread(0, -1);
  const TPage& cover = book.CoverPage;
  EXPECT_EQ(Pixel(cover, 100, 100), Color(AlbumProfile.CoverColor));
  EXPECT_EQ(Pixel(cover, 28, 300), QColor(Qt::black));  // the hinge
  EXPECT_EQ(cover.Image.pixelColor(0, 0).alpha(), 0);   // outside the rounded corner

  book.ShowSpread(0, 2);
  const TPage& left = book.LeftPage;
  const TPage& right = book.RightPage;
  const QColor paper = Color(AlbumProfile.PageColor);
  const QColor grey(0x80, 0x80, 0x80);
  EXPECT_EQ(Pixel(right, right.Area.Left, 300), grey);
  EXPECT_EQ(Pixel(right, right.Area.Left + 20, 300), paper);
  EXPECT_EQ(Pixel(right, right.Area.Left + 10, 300),
            SpineShadeColor(TRect{1, 0, 21, 0}, 11, grey, paper));
  EXPECT_EQ(Pixel(left, left.Area.Right - 1, 300), grey);
  EXPECT_EQ(Pixel(left, left.Area.Right - 20, 300), paper);
  // The area's outline, and the hard cover outside the page stacks.
  EXPECT_EQ(Pixel(right, right.Area.Right, 300), QColor(Qt::black));
  EXPECT_EQ(Pixel(right, 393, 300), Color(AlbumProfile.CoverColor));

  book.ShowSpread(0, 0);  // the inside of the front cover
  EXPECT_EQ(Pixel(left, 200, 300), Color(AlbumProfile.InsideColor));
  EXPECT_EQ(Pixel(left, left.Area.Right - 1, 300), grey);
}

class BookmarkTest : public BookTest {
 protected:
  // The middle of tab i's visible half, below its label.
  QColor TabPixel(const TPage& page, int i) {
    const int m = QFontMetrics(AlbumProfile.BookmarkFont.Font, &page.Image).height();
    const int x = page.IsRight() ? page.Area.Right + 1 + m / 2 : page.Area.Left - 1 - m / 2;
    const int y = page.IsRight() ? book.BookmarkEdges[i] + page.Area.Top - 3
                                 : book.BookmarkEdges[i - 1] + page.Area.Top - 2;
    return Pixel(page, x, y);
  }
  bool BandUntouched(const TPage& page) {
    return page.Image.copy(page.BandRect().ToQRect()) == page.Background;
  }
};

TEST_F(BookmarkTest, ChaptersAheadOnTheRightBehindOnTheLeft) {
  MakeAlbum({30, 5, 5, 5});
  const TProfile& l = AlbumProfile;
  book.ShowSpread(0, 0);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(TabPixel(book.RightPage, i), Color(l.BM[i - 1])) << i;
  EXPECT_TRUE(BandUntouched(book.LeftPage));

  book.ShowSpread(2, 0);
  EXPECT_EQ(TabPixel(book.LeftPage, 1), Color(l.BM[0]));
  EXPECT_EQ(TabPixel(book.LeftPage, 2), Color(l.BM[1]));
  EXPECT_EQ(TabPixel(book.RightPage, 3), Color(l.BM[2]));
  EXPECT_NE(TabPixel(book.RightPage, 1), Color(l.BM[0]));  // wiped from the last spread

  // The page edge runs over a tab, except where the divider of its chapter shows.
  const TPage& right = book.RightPage;
  const int y3 = book.BookmarkEdges[3] + right.Area.Top - 3;
  EXPECT_EQ(Pixel(right, right.Area.Right, y3), QColor(Qt::black));
  book.ShowSpread(2, 2);  // chapter 2's last spread: chapter 3's divider on the right
  EXPECT_EQ(Pixel(right, right.Area.Right, y3), Color(l.BM[2]));
  EXPECT_EQ(Pixel(right, 200, 300), Color(l.BM[2]));
  const TPage& left = book.LeftPage;
  const int y2 = book.BookmarkEdges[1] + left.Area.Top + 2;
  EXPECT_EQ(Pixel(left, left.Area.Left - 1, y2), QColor(Qt::black));
  book.ShowSpread(2, 0);  // the back of chapter 2's divider: its tab runs into the page
  EXPECT_EQ(Pixel(left, left.Area.Left - 1, y2), Color(l.BM[1]));
}

TEST_F(BookmarkTest, ATabReachingBelowThePageIsNotDrawnNorAreThoseAfterIt) {
  MakeAlbum({30, 5, 5, 5});
  model.ChapterNames[1] = QString(60, u'W');
  book.ShowSpread(0, 0);
  const TPage& right = book.RightPage;
  EXPECT_GE(book.BookmarkEdges[2] + right.Area.Top, right.Area.Bottom);
  EXPECT_EQ(TabPixel(right, 1), Color(AlbumProfile.BM[0]));
  const int m = QFontMetrics(AlbumProfile.BookmarkFont.Font, &right.Image).height();
  // Nothing of tabs 2 and 3 on the band below tab 1.
  const int below = book.BookmarkEdges[1] + right.Area.Top + 2;
  const QImage band = right.Image.copy(right.Area.Right + 1, below, m, right.Area.Bottom - below);
  for (int y = 0; y < band.height(); y += 3)
    for (int x = 0; x < band.width(); ++x) {
      const QColor c = band.pixelColor(x, y);
      ASSERT_NE(c, Color(AlbumProfile.BM[1]));
      ASSERT_NE(c, Color(AlbumProfile.BM[2]));
    }
  model.ChapterNames[0] = QString(60, u'W');
  book.ShowSpread(0, 0);
  EXPECT_TRUE(BandUntouched(right));
}

TEST(BookmarkEdges, FollowTheNames) {
  const QFont font(QStringLiteral("Arial"), 10, QFont::Bold);
  const QFontMetrics fm(font);
  const QStringList names{"One", "Second", "3"};
  const auto edges = ComputeBookmarkEdges(names, 3, fm);
  EXPECT_EQ(edges[0], 10);
  EXPECT_EQ(edges[1], 20 + fm.horizontalAdvance("One"));
  EXPECT_EQ(edges[3], edges[2] + fm.horizontalAdvance("3") + 10);
  EXPECT_EQ(edges[10], edges[3]);
}

class CellTest : public BookTest {
 protected:
  TRect Picture(int position) {
    TRect cell = CellRect(true, position, QSize(400, 600), AlbumProfile);
    cell.Bottom -= DescHeight(AlbumProfile);
    return cell;
  }
};

TEST_F(CellTest, FramesOffButKeptForAnEmptyThumbnail) {
  MakeAlbum({5});
  model.Thumbnails[0][1] = TThumbnail();  // its file is missing
  const QColor paper = Color(AlbumProfile.PageColor);
  const QColor green(10, 200, 30);
  book.ShowSpread(0, 0);
  const TPage& right = book.RightPage;
  const TRect a = Picture(0);
  const TRect b = Picture(1);
  EXPECT_EQ(Pixel(right, a.Left + 2, a.Top + 2), green);
  EXPECT_EQ(Pixel(right, a.Left - 1, a.Top + 5), paper);
  EXPECT_EQ(Pixel(right, b.Left - 1, b.Top + 5), QColor(Qt::black));
  EXPECT_EQ(Pixel(right, b.Right, b.Top + 5), QColor(Qt::black));

  AlbumProfile.ThumbnailFrames = true;
  book.ShowSpread(0, 0);
  EXPECT_EQ(Pixel(right, a.Left - 1, a.Top + 5), QColor(Qt::black));

  // While the window is being resized the pictures are left out.
  window.resizing = true;
  book.ShowSpread(0, 0);
  EXPECT_EQ(Pixel(right, a.Left + 2, a.Top + 2), paper);
}

TEST_F(CellTest, SelectionFrameInEditModeOnly) {
  MakeAlbum({5});
  model.SelStart = 2;
  model.SelEnd = 1;
  book.ShowSpread(0, 0);
  const TPage& right = book.RightPage;
  const TRect cell = CellRect(true, 1, QSize(400, 600), AlbumProfile);
  const QColor navy(0, 0, 0x80);
  EXPECT_NE(Pixel(right, cell.Left - 3, cell.Top + 5), navy);
  window.editMode = true;
  book.ShowSpread(0, 0);
  EXPECT_EQ(Pixel(right, cell.Left - 3, cell.Top + 5), navy);
  EXPECT_EQ(Pixel(right, cell.Right + 2, cell.Bottom + 2), navy);
  model.SelEnd = -1;  // nothing selected
  book.ShowSpread(0, 0);
  EXPECT_NE(Pixel(right, cell.Left - 3, cell.Top + 5), navy);

  // Repainting the cell on the window wipes the frame it had there.
  QImage screen(800, 600, QImage::Format_ARGB32_Premultiplied);
  screen.fill(Qt::red);
  QPainter p(&screen);
  book.RepaintCells(p, 1, 1, 1);
  p.end();
  EXPECT_EQ(screen.pixelColor(400 + cell.Left - 3, cell.Top + 5),
            Pixel(right, cell.Left - 3, cell.Top + 5));
  EXPECT_EQ(screen.pixelColor(400 + cell.Right + 1, cell.Top + 5), navy);  // the drop mark
  EXPECT_EQ(screen.pixelColor(400 + cell.Left - 4, cell.Top + 5), QColor(Qt::red));
}

TEST_F(BookTest, LettersMarkTheCellsOfTheSpread) {
  MakeAlbum({30, 3});  // 12 a page: pages 1..3, the last one with 6
  auto letters = [&] {
    QString s;
    for (const TBook::TLetterMark& mark : book.LetterMarks()) s += mark.Letter;
    return s;
  };
  const struct {
    int chapter, spread;
    const char* letters;
  } cases[] = {{0, 0, "abcdefghijkl"},
               {0, 2, "abcdefghijklmnopqr"},
               {0, 4, ""},  // divider
               {1, 0, "abc"},
               {0, -1, ""}};
  for (const auto& c : cases) {
    book.ShowSpread(c.chapter, c.spread);
    EXPECT_EQ(letters(), c.letters) << c.chapter << " " << c.spread;
  }
  book.ShowSpread(0, 2);
  EXPECT_EQ(book.LetterMarks()[0].At, QPoint(43, 40));  // left page, first cell
}

TEST_F(CellTest, TheVideoPictureOrATextStandsInForAMissingThumbnail) {
  QTemporaryDir dir;
  auto touch = [&](const QString& name) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    return file.fileName();
  };
  const QString video = touch("clip.AVI");
  const QString tiff = touch("scan.tif");
  const QImage none;
  EXPECT_EQ(CellPictureFor(QImage(2, 2, QImage::Format_RGB32), video), TCellPicture::Thumbnail);
  EXPECT_EQ(CellPictureFor(none, video), TCellPicture::Video);
  EXPECT_EQ(CellPictureFor(none, tiff), TCellPicture::UnknownFormat);
  EXPECT_EQ(CellPictureFor(none, dir.filePath("gone.jpg")), TCellPicture::NoPreview);

  MakeAlbum({2});
  model.Chapters[0].Files[1] = video;
  model.Thumbnails[0][1] = TThumbnail();
  book.ShowSpread(0, 0);
  const TThumbnail picture = VideoThumbnail(book.ThumbnailBox());
  ASSERT_FALSE(picture.IsNull());
  const TRect b = Picture(1);
  const QPoint centre(picture.Picture.width() / 2, picture.Picture.height() / 2);
  const QPoint at = QPoint(b.Left, b.Top) + picture.Offset + centre;
  EXPECT_EQ(Pixel(book.RightPage, at.x(), at.y()), picture.Picture.pixelColor(centre));
}
