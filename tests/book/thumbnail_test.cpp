// Thumbnails: their size and place in the cell, the files read, and the loading of a chapter's.
#include "book/thumbnail.h"
#include "book/thumbnail_loading.h"

#include <gtest/gtest.h>

#include <QColorSpace>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <algorithm>

#include "support/book_fixture.h"
#include "support/jpeg_test_files.h"
#include "support/test_files.h"

namespace {

const QSize kBox(75, 135);

// Where a thumbnail's picture lands in its box.
EdgeRect Placed(const Thumbnail& t) {
  return {t.Offset.x(), t.Offset.y(), t.Offset.x() + t.Picture.width(),
          t.Offset.y() + t.Picture.height()};
}

// A 1 x 1 red GIF.
const char kRedGif[] =
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
    ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;";

// A picture that differs from image to image.
QImage Sample(int i, int width = 320, int height = 240) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, qRgb(x * i % 256, y * 3 % 256, i * 40 % 256));
  return image;
}

// A chapter of varied files: baseline, progressive and turned JPEGs, a
// bitmap, a damaged JPEG, a missing file and a video.
QStringList WriteChapter(const QTemporaryDir& dir, int count) {
  QStringList files;
  for (int i = 0; i < count; ++i) {
    QString name = dir.filePath(QStringLiteral("img%1.jpg").arg(i));
    const int kind = i % 6;
    if (kind == 0) WriteAll(name, EncodeJpeg(Sample(i)));
    if (kind == 1) WriteAll(name, EncodeJpeg(Sample(i, 1024, 768), {85, true}));
    if (kind == 2) WriteAll(name, EncodeJpeg(Sample(i, 240, 320), {90, false, 8}));
    if (kind == 3) name = dir.filePath(QStringLiteral("img%1.bmp").arg(i));
    if (kind == 3) Sample(i, 40, 30).save(name, "BMP");
    if (kind == 4) WriteAll(name, EncodeJpeg(Sample(i)).left(200));
    if (kind == 5) name = dir.filePath(i % 12 == 5 ? "gone.jpg" : "clip.avi");
    files << name;
  }
  return files;
}

// Whether chapter k has a thumbnail for every file, made for box.
bool ChapterThumbnailsReady(const AlbumModel& model, const AlbumThumbnails& thumbs, int k,
                            QSize box) {
  const QList<Thumbnail>& thumbnails = thumbs.Lists[k];
  return thumbs.Loaded[k] && thumbnails.size() == model.ImageCount(k) &&
         std::all_of(thumbnails.cbegin(), thumbnails.cend(),
                     [box](const Thumbnail& t) { return t.Box == box; });
}

}  // namespace

TEST(ThumbnailLoading, ProgressAdvancesImageByImageWithEvenHalves) {
  AlbumModel model;
  AlbumThumbnails thumbs;
  MakeChapters(model, {40, 40}, QStringLiteral("/nowhere/photo.jpg"));
  RecordingProgress progress;
  LoadChapterThumbnails(model, thumbs, 1, kBox, progress);
  ASSERT_EQ(progress.Showings.size(), 41u);
  const int first[] = {2, 5, 8, 10, 12, 15, 18, 20, 22, 25};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(progress.Showings[i].Percent, first[i]) << i;
  EXPECT_EQ(progress.Showings[39].Percent, 100);
  EXPECT_EQ(progress.Showings[0].Text, "Title 1\nLoading thumbnails...");
  EXPECT_TRUE(progress.Showings[0].Gauge);
  EXPECT_LT(progress.Showings[40].Percent, 0);  // hidden at the end
  EXPECT_TRUE(thumbs.Loaded[1]);
  EXPECT_EQ(thumbs.Lists[1].size(), 40);
}

TEST(ThumbnailLoading, ParallelLoadingGivesWhatOneByOneLoadingGives) {
  QTemporaryDir dir;
  AlbumModel model;
  AlbumThumbnails thumbs;
  MakeChapters(model, {0});
  ImageEdits::SetChapter(model, 0, ImagesOf(WriteChapter(dir, 24)));
  NoProgress quiet;
  // Entries of the shared cache would stand in for decoding on later loads.
  QTemporaryDir cache;
  const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
  qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
  LoadChapterThumbnails(model, thumbs, 0, kBox, quiet, 1, false);
  const QList<Thumbnail> serial = thumbs.Lists[0];
  for (int threads : {0, 3}) {
    LoadChapterThumbnails(model, thumbs, 0, kBox, quiet, threads, false);
    EXPECT_EQ(thumbs.Lists[0], serial) << "threads " << threads;
  }
  EXPECT_FALSE(QFileInfo::exists(cache.filePath("thumbnails")));  // the setting was heeded
  qputenv("XDG_CACHE_HOME", oldCache);
  // A damaged JPEG, a missing file and a video leave empty entries in their
  // places; everything after them is made.
  for (int i = 0; i < serial.size(); ++i) {
    EXPECT_EQ(serial[i].IsNull(), i % 6 >= 4) << i;
    EXPECT_EQ(serial[i].Box, kBox) << i;
  }
}

ThumbnailRequest Request(int chapter, QSize box, bool keepOne, int spread = 0) {
  return {chapter, spread, 2, box, keepOne};
}

TEST(ThumbnailLoading, OnlyTheShownChapterIsKeptWhenMemoryIsFreed) {
  QTemporaryDir dir;
  const QString photo = dir.filePath("photo.jpg");
  WriteAll(photo, EncodeJpeg(Sample(2)));
  AlbumModel model;
  AlbumThumbnails thumbs;
  MakeChapters(model, {1, 1, 1}, photo);
  NoProgress quiet;
  LoadAllThumbnails(model, thumbs, kBox, quiet);
  LoadChapterThumbnails(model, thumbs, 3, kBox, quiet);  // beyond the last chapter
  EXPECT_FALSE(thumbs.Loaded[3]);
  for (int k = 0; k <= 2; ++k) EXPECT_TRUE(ChapterThumbnailsReady(model, thumbs, k, kBox)) << k;

  PrepareChapterThumbnails(model, thumbs, Request(1, kBox, false), quiet);  // LoadAllChapters
  EXPECT_TRUE(thumbs.Loaded[0] && thumbs.Loaded[2]);
  PrepareChapterThumbnails(model, thumbs, Request(1, kBox, true), quiet);
  EXPECT_FALSE(thumbs.Loaded[0] || thumbs.Loaded[2]);
  EXPECT_TRUE(thumbs.Lists[0].isEmpty() && thumbs.Lists[2].isEmpty());
  EXPECT_TRUE(ChapterThumbnailsReady(model, thumbs, 1, kBox));

  // After the window or grid changed, thumbnails of the old size are made
  // again; other chapters' old ones are let go even when all are kept.
  LoadChapterThumbnails(model, thumbs, 0, kBox, quiet);
  const QSize bigger(90, 150);
  EXPECT_FALSE(ChapterThumbnailsReady(model, thumbs, 1, bigger));
  PrepareChapterThumbnails(model, thumbs, Request(1, bigger, false), quiet);
  EXPECT_TRUE(ChapterThumbnailsReady(model, thumbs, 1, bigger));
  EXPECT_FALSE(thumbs.Loaded[0]);
}

TEST(ThumbnailBudget, ABigChapterKeepsWholeSpreadsAroundTheOneShown) {
  const struct {
    int count, perPage, spread;
    qint64 each, available;
    ImageRange kept;
  } cases[] = {
      {500, 6, 10, 100, 50000, {0, 500}},  // fits
      {10, 2, 0, 10, 100, {0, 10}},        // just fits
      {100, 2, 20, 1, 12, {34, 46}},       // ahead, behind, then no more
      {100, 2, 0, 1, 9, {0, 6}},           // nothing behind the first spread
      {101, 2, 50, 1, 8, {94, 101}},       // the last spread, one image on its right page
      {100, 4, 10, 1, 3, {36, 44}},        // the shown spread even when it alone is too big
      {100, 4, 10, 0, 0, {0, 100}},        // cells too small for pictures
      {0, 4, 0, 1, 0, {0, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(KeptImages(c.count, c.perPage, c.spread, c.each, c.available), c.kept)
        << c.count << " images, spread " << c.spread << ", room for " << c.available;
}

TEST(ThumbnailBudget, PagingThroughABigChapterMakesWhatComesIntoView) {
  QTemporaryDir dir;
  const QString photo = dir.filePath("photo.jpg");
  WriteAll(photo, EncodeJpeg(Sample(3, 64, 48)));
  AlbumModel model;
  AlbumThumbnails thumbs;
  MakeChapters(model, {60, 60}, photo);
  const qint64 budget = 12 * ThumbnailBytesAtMost(kBox);
  // Which images have a thumbnail ("#") and which are not made ("-").
  auto made = [&](int k) {
    QString marks;
    for (const Thumbnail& t : thumbs.Lists[k]) marks += t.IsNull() ? '-' : '#';
    return marks;
  };
  auto marks = [](int before, int made, int after) {
    return QString(before, '-') + QString(made, '#') + QString(after, '-');
  };
  RecordingProgress progress;
  ThumbnailRequest request = Request(1, kBox, false, 20);
  request.Budget = budget;
  PrepareChapterThumbnails(model, thumbs, request, progress);
  EXPECT_EQ(made(1), marks(34, 12, 14));
  EXPECT_FALSE(progress.Showings.empty());  // a chapter not loaded shows its progress

  progress.Showings.clear();
  request.Spread = 22;
  PrepareChapterThumbnails(model, thumbs, request, progress);
  EXPECT_EQ(made(1), marks(38, 12, 10));
  EXPECT_TRUE(progress.Showings.empty());  // one spread more: no box
  EXPECT_LE(ChapterThumbnailBytes(thumbs, 1), budget);

  // A chapter that does not fit beside the one kept pushes it out.
  request.Chapter = 0;
  request.Spread = 0;
  PrepareChapterThumbnails(model, thumbs, request, progress);
  EXPECT_FALSE(thumbs.Loaded[1]);
  EXPECT_EQ(made(0), marks(0, 10, 50));
}

TEST(Thumbnail, PicturesKeepTheirProportionsAndAreNeverEnlarged) {
  // A 75 x 167 cell with 32 pixels of description: thumbnails are 75 x 135.
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
    EXPECT_EQ(ThumbnailPictureRect(c.picture, kBox), c.drawn)
        << c.picture.width() << "x" << c.picture.height();
  }

  // Only the picture is kept; an opaque one without alpha, a see-through one with it.
  const Thumbnail thumbnail = MakeThumbnail(Filled(1600, 1200, Qt::red), kBox);
  EXPECT_EQ(thumbnail.Box, kBox);
  EXPECT_FALSE(thumbnail.Picture.hasAlphaChannel());
  EXPECT_EQ(Placed(thumbnail), (EdgeRect{0, 39, 75, 94}));
  EXPECT_EQ(thumbnail.Picture.pixelColor(37, 20), QColor(Qt::red));
  QImage glass(40, 30, QImage::Format_ARGB32);
  glass.fill(QColor(0, 0, 255, 100));
  EXPECT_EQ(qAlpha(MakeThumbnail(glass, kBox).Picture.pixel(5, 5)), 100);
  EXPECT_TRUE(MakeThumbnail(QImage(), kBox).IsNull());
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
  for (const auto& c : cases) {
    const QString name = dir.filePath(c.name);
    WriteAll(name, c.bytes);
    const Thumbnail target = ReadThumbnail(name, kBox, true);
    EXPECT_EQ(!target.IsNull(), c.readable) << c.name;
    EXPECT_EQ(target.Box, kBox) << c.name;
  }
  ASSERT_TRUE(Filled(40, 30, Qt::blue).save(dir.filePath("icon.bmp"), "BMP"));
  const Thumbnail icon = ReadThumbnail(dir.filePath("icon.bmp"), kBox, false);
  EXPECT_EQ(Placed(icon), (EdgeRect{17, 52, 57, 81}));
  EXPECT_EQ(icon.Picture.pixelColor(13, 8), QColor(Qt::blue));
  EXPECT_TRUE(ReadThumbnail(dir.filePath("missing.jpg"), kBox, false).IsNull());
  EXPECT_TRUE(ReadThumbnail(dir.path(), kBox, false).IsNull());  // a folder
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
