#include "book/thumbnail.h"

#include <gtest/gtest.h>

#include <QColorSpace>
#include <QFontMetrics>
#include <QTemporaryDir>

#include "init/profile.h"
#include "support/jpeg_test_files.h"
#include "support/test_files.h"

namespace {

// Where a thumbnail's picture lands in its box.
EdgeRect Placed(const Thumbnail& t) {
  return {t.Offset.x(), t.Offset.y(), t.Offset.x() + t.Picture.width(),
          t.Offset.y() + t.Picture.height()};
}

// A 1 x 1 red GIF.
const char kRedGif[] =
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
    ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;";

}  // namespace

TEST(Thumbnail, PicturesKeepTheirProportionsAndAreNeverEnlarged) {
  // A 75 x 167 cell with 32 pixels of description: thumbnails are 75 x 135.
  const QSize box(75, 135);
  const struct {
    QSize picture;
    EdgeRect drawn;  // one row shorter than the computed height
  } cases[] = {
      {{1600, 1200}, {0, 39, 75, 94}},   // 75 x 56 at y 39
      {{1200, 1600}, {0, 17, 75, 116}},  // 75 x 100 at y 17
      {{40, 30}, {17, 52, 57, 81}},      // its own size, centred
      {{100, 100}, {0, 30, 75, 104}},
      {{300, 4000}, {32, 0, 42, 134}},  // width round(300*135/4000) = 10
      {{100, 50}, {0, 48, 75, 85}},     // 37.5 rounds to 38
      {{200, 20}, {0, 63, 75, 70}},     // 7.5 rounds to 8
      {{600, 20}, {0, 66, 75, 67}},     // 2.5 rounds to 2
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ThumbnailPictureRect(c.picture, box), c.drawn)
        << c.picture.width() << "x" << c.picture.height();
  }

  // Only the picture is kept; an opaque one without alpha, a see-through
  // one with it.
  const Thumbnail thumbnail = MakeThumbnail(Filled(1600, 1200, Qt::red), box);
  EXPECT_EQ(thumbnail.Box, box);
  EXPECT_FALSE(thumbnail.Picture.hasAlphaChannel());
  EXPECT_EQ(Placed(thumbnail), (EdgeRect{0, 39, 75, 94}));
  EXPECT_EQ(thumbnail.Picture.pixelColor(37, 20), QColor(Qt::red));
  QImage glass(40, 30, QImage::Format_ARGB32);
  glass.fill(QColor(0, 0, 255, 100));
  EXPECT_EQ(qAlpha(MakeThumbnail(glass, box).Picture.pixel(5, 5)), 100);
  EXPECT_TRUE(MakeThumbnail(QImage(), box).IsNull());
  EXPECT_TRUE(MakeThumbnail(Filled(10, 10, Qt::red), QSize()).IsNull());
}

TEST(Thumbnail, SizeComesFromTheFirstCellAndTheDescriptionLines) {
  AlbumLook look;
  SetDefaultProfile(look);
  look.RowCount = 3;
  look.ColumnCount = 4;
  const struct {
    int textRows;
    bool extended, date, place, people;
    int lines;
  } cases[] = {{2, true, true, true, true, 4},
               {2, true, false, true, false, 3},
               {2, false, true, true, true, 2},
               {0, true, false, false, true, 1},
               {0, false, false, false, false, 0}};
  const int lineHeight = QFontMetrics(look.BaseFont.Font).height();
  ASSERT_GT(lineHeight, 0);
  for (const auto& c : cases) {
    look.TextRowCount = c.textRows;
    look.ExtendedDesc = c.extended;
    look.ShowDate = c.date;
    look.ShowPlace = c.place;
    look.ShowPeople = c.people;
    EXPECT_EQ(DescHeight(look), c.lines * lineHeight) << c.lines;
    EXPECT_EQ(ThumbnailSize(QSize(800, 600), look), QSize(75, 167 - c.lines * lineHeight));
  }
  look.RowCount = 10;
  look.TextRowCount = 10;
  EXPECT_TRUE(ThumbnailSize(QSize(300, 200), look).isEmpty());
}

TEST(Thumbnail, FilesAreReadByTheirExtension) {
  QTemporaryDir dir;
  const QByteArray jpeg = EncodeJpeg(Filled(160, 120, Qt::green));
  const struct {
    const char* name;
    QByteArray bytes;
    bool readable;
  } cases[] = {
      {"photo.jpg", jpeg, true},
      {"photo.JPEG", jpeg, true},
      {"photo.tif", jpeg, false},
      {"clip.avi", jpeg, false},
      {"red.gif", QByteArray(kRedGif, sizeof kRedGif - 1), true},
      {"bad.jpg", QByteArray("not a picture"), false},
      {"noext", jpeg, false},
      {"jpeg.bmp", jpeg, false},
  };
  const QSize box(75, 135);
  for (const auto& c : cases) {
    const QString name = dir.filePath(c.name);
    WriteAll(name, c.bytes);
    const Thumbnail target = ReadThumbnail(name, box, true);
    EXPECT_EQ(!target.IsNull(), c.readable) << c.name;
    EXPECT_EQ(target.Box, box) << c.name;
  }
  ASSERT_TRUE(Filled(40, 30, Qt::blue).save(dir.filePath("icon.bmp"), "BMP"));
  const Thumbnail icon = ReadThumbnail(dir.filePath("icon.bmp"), box, false);
  EXPECT_EQ(Placed(icon), (EdgeRect{17, 52, 57, 81}));
  EXPECT_EQ(icon.Picture.pixelColor(13, 8), QColor(Qt::blue));
  EXPECT_TRUE(ReadThumbnail(dir.filePath("missing.jpg"), box, false).IsNull());
  EXPECT_TRUE(ReadThumbnail(dir.path(), box, false).IsNull());  // a folder
}

TEST(Thumbnail, VideoPictureIsMadeForTheCurrentBox) {
  const Thumbnail small = VideoThumbnail(QSize(75, 135));
  EXPECT_EQ(small.Box, QSize(75, 135));
  EXPECT_TRUE(QRect(QPoint(), small.Box).contains(QRect(small.Offset, small.Picture.size())));
  EXPECT_EQ(VideoThumbnail(QSize(120, 90)).Box, QSize(120, 90));
}

// A photo with its own profile (Adobe RGB) shows with the colours of its
// sRGB conversion, not its raw numbers read as sRGB (dull).
TEST(Thumbnail, EmbeddedColourProfileIsConvertedToSrgb) {
  QTemporaryDir dir;
  QImage chart(160, 120, QImage::Format_RGB32);
  for (int y = 0; y < chart.height(); ++y)
    for (int x = 0; x < chart.width(); ++x)
      chart.setPixelColor(x, y, QColor::fromHsv(x * 359 / 160, 255, 255 - y));
  chart.setColorSpace(QColorSpace(QColorSpace::AdobeRgb));
  const QString file = dir.filePath("adobe.jpg");
  ASSERT_TRUE(chart.save(file, "JPEG", 95));
  const QImage raw(file);
  ASSERT_EQ(raw.colorSpace(), QColorSpace(QColorSpace::AdobeRgb));
  const Thumbnail thumb = ReadThumbnail(file, QSize(200, 200), false);
  const QSize size = thumb.Picture.size();
  ASSERT_EQ(size.width(), raw.width());
  const QImage srgb = raw.convertedToColorSpace(QColorSpace::SRgb)
                          .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  EXPECT_LT(MeanDifference(thumb.Picture, srgb), 1.5);
  EXPECT_GT(MeanDifference(thumb.Picture,
                           raw.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
            4.0);
}
