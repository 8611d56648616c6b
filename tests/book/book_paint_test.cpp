// Colours, lines and marks of the drawn book at chosen points.

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "book/cell_letters.h"
#include "book/paint_tools.h"
#include "book/spread_table.h"
#include "book_fixture.h"

TEST(TileTexture, TilesFromTheTopLeftOrFillsWithTheColour) {
  QTemporaryDir dir;
  QImage texture(3, 2, QImage::Format_RGB32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) texture.setPixelColor(x, y, QColor(x * 100, y * 100, 7));
  ASSERT_TRUE(texture.save(dir.filePath("tex.bmp"), "BMP"));
  QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter p(&image);
  TileTexture(p, TRect{10, 10, 17, 15}, dir.filePath("tex.bmp"), Qt::red);
  TileTexture(p, TRect{0, 0, 5, 5}, dir.filePath("missing.bmp"), Qt::red);
  p.end();
  EXPECT_EQ(image.pixelColor(14, 11), QColor(100, 100, 7));  // the second copy, second row
  EXPECT_EQ(image.pixelColor(16, 14), QColor(0, 0, 7));      // the last copy, cut off
  EXPECT_EQ(image.pixelColor(17, 10), QColor(Qt::white));    // right and bottom are left out
  EXPECT_EQ(image.pixelColor(4, 4), QColor(Qt::red));
}

TEST_F(BookTest, CoverPaperAndTheSpineShade) {
  MakeAlbum({30});
  AlbumProfile.PageColor = RGBColor(200, 220, 240);
  book.ShowSpread(0, -1);
  EXPECT_EQ(Pixel(book.CoverPage, 100, 100), Color(AlbumProfile.CoverColor));
  EXPECT_EQ(Pixel(book.CoverPage, 28, 300), QColor(Qt::black));  // the hinge
  EXPECT_EQ(book.CoverPage.Image.pixelColor(0, 0).alpha(), 0);   // cut off by the round corner

  book.ShowSpread(0, 2);
  const QColor paper = Color(AlbumProfile.PageColor);
  const QColor grey(0x80, 0x80, 0x80);
  // Grey at the spine, fading into the paper over 20 pixels.
  EXPECT_EQ(Pixel(book.RightPage, 1, 300), grey);
  EXPECT_EQ(Pixel(book.RightPage, 11, 300), QColor(164, 174, 184));
  EXPECT_EQ(Pixel(book.RightPage, 21, 300), paper);
  EXPECT_EQ(Pixel(book.LeftPage, 398, 300), grey);
  EXPECT_EQ(Pixel(book.LeftPage, 378, 300), paper);
  EXPECT_EQ(Pixel(book.RightPage, 372, 300), QColor(Qt::black));  // the page's edge
  EXPECT_EQ(Pixel(book.RightPage, 393, 300), Color(AlbumProfile.CoverColor));
  book.ShowSpread(0, 0);  // the inside of the front cover
  EXPECT_EQ(Pixel(book.LeftPage, 200, 300), Color(AlbumProfile.InsideColor));
}

TEST_F(BookTest, ThePageEdgeRunsOverATabUnlessItsDividerShows) {
  MakeAlbum({30, 5, 5, 5});
  const TProfile& l = AlbumProfile;
  book.ShowSpread(2, 0);
  const int onTab3 = book.BookmarkEdges[3] + 15 - 3;  // low on tab 3
  const int onTab2 = book.BookmarkEdges[1] + 15 + 2;  // high on tab 2
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
  model.Thumbnails[0][1] = TThumbnail();  // its file is missing
  const QColor paper = Color(AlbumProfile.PageColor);
  const QRect a = Picture(0);
  const QRect b = Picture(1);
  book.ShowSpread(0, 0);
  const TPage& right = book.RightPage;
  EXPECT_EQ(Pixel(right, a.left() + 2, a.top() + 2), QColor(10, 200, 30));
  EXPECT_EQ(Pixel(right, a.left() - 1, a.top() + 5), paper);
  EXPECT_EQ(Pixel(right, b.left() - 1, b.top() + 5), QColor(Qt::black));
  EXPECT_EQ(Pixel(right, b.right() + 1, b.top() + 5), QColor(Qt::black));

  AlbumProfile.ThumbnailFrames = true;
  book.ShowSpread(0, 0);
  EXPECT_EQ(Pixel(right, a.left() - 1, a.top() + 5), QColor(Qt::black));
  window.resizing = true;  // pictures are left out meanwhile
  book.ShowSpread(0, 0);
  EXPECT_EQ(Pixel(right, a.left() + 2, a.top() + 2), paper);
}

TEST_F(CellTest, SelectionFrameInEditModeOnlyAndWipedOnTheWindow) {
  MakeAlbum({5});
  model.SelStart = 2;
  model.SelEnd = 1;
  const QPoint frame(Picture(1).left() - 3, 60);  // three pixels left of the cell
  const QColor navy(0, 0, 0x80);
  book.ShowSpread(0, 0);
  EXPECT_NE(Pixel(book.RightPage, frame.x(), frame.y()), navy);
  window.editMode = true;
  book.ShowSpread(0, 0);
  EXPECT_EQ(Pixel(book.RightPage, frame.x(), frame.y()), navy);
  model.SelEnd = -1;  // nothing selected
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

TEST(CellPicture, WhatStandsInForAMissingThumbnail) {
  QTemporaryDir dir;
  for (const char* name : {"clip.AVI", "scan.tif"}) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  const QImage none;
  EXPECT_EQ(CellPictureFor(QImage(2, 2, QImage::Format_RGB32), dir.filePath("clip.AVI")),
            TCellPicture::Thumbnail);
  EXPECT_EQ(CellPictureFor(none, dir.filePath("clip.AVI")), TCellPicture::Video);
  EXPECT_EQ(CellPictureFor(none, dir.filePath("scan.tif")), TCellPicture::UnknownFormat);
  EXPECT_EQ(CellPictureFor(none, dir.filePath("gone.jpg")), TCellPicture::NoPreview);
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
    AlbumProfile.RowCount = c.rows;
    AlbumProfile.ColumnCount = c.columns;
    MakeAlbum({c.rows == 3 ? 30 : 80, 3});
    book.ShowSpread(c.chapter, c.spread);
    QString letters;
    for (const TBook::TLetterMark& mark : book.LetterMarks()) letters += mark.Letter;
    EXPECT_EQ(letters, QString::fromUtf8(c.letters)) << c.chapter << " " << c.spread;
  }
  EXPECT_EQ(book.LetterMarks()[0].At, QPoint(43, 40));  // the left page's first cell
  // Keys map back through the same table.
  for (int n = 0; !LetterForCell(n).isNull(); ++n) ASSERT_EQ(CellForLetter(LetterForCell(n)), n);
  EXPECT_EQ(CellForLetter(QChar(0x7F)), -1);
  EXPECT_EQ(CellForLetter(u'A'), -1);
}
