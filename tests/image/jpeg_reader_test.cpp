#include "image/jpeg_reader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>
#include <QTransform>
#include <cstring>
#include <set>

#include "image/jpeg_split.h"
#include "image/jpeg_split_decode.h"
#include "support/jpeg_test_files.h"

namespace {

JpegPicture Decode(const QByteArray& bytes, const JpegMinimumSize& minimum = {},
                   const JpegLimits& limits = {}, JpegThreads threads = JpegThreads::One) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  return ReadJpeg(buffer, minimum, limits, threads);
}

JpegMinimumSize AtLeast(QSize size) {
  return [size](QSize) { return size; };
}

QByteArray Damaged(QByteArray bytes, qsizetype at, const char* with) {
  return bytes.replace(at, qsizetype(std::strlen(with)), with);
}

// Four blocks of plain colour, 16-pixel aligned so JPEG keeps them clean.
QImage Quadrants(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  const int w = width / 2, h = height / 2;
  painter.fillRect(0, 0, w, h, Qt::red);
  painter.fillRect(w, 0, width - w, h, Qt::green);
  painter.fillRect(0, h, w, height - h, Qt::blue);
  painter.fillRect(w, h, width - w, height - h, Qt::white);
  return image;
}

bool Near(QRgb a, QColor b, int tolerance = 24) {
  return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance &&
         std::abs(qBlue(a) - b.blue()) <= tolerance;
}

}  // namespace

TEST(JpegReader, DecodesAtTheSmallestScaleThatIsLargeEnough) {
  const QByteArray baseline = EncodeJpeg(Quadrants(1600, 1200));
  const QByteArray progressive = EncodeJpeg(Quadrants(1600, 1200), {90, true});
  const struct {
    QSize minimum, decoded;
  } cases[] = {
      {QSize(75, 57), QSize(200, 150)},        // 1/8
      {QSize(201, 150), QSize(400, 300)},      // 2/8
      {QSize(100, 300), QSize(400, 300)},      // height decides
      {QSize(1400, 10), QSize(1400, 1050)},    // 7/8
      {QSize(3000, 3000), QSize(1600, 1200)},  // never beyond full size
  };
  const QByteArray cmyk = EncodeJpeg(Quadrants(1600, 1200), {90, false, 0, false, true});
  // Stored on its side: the sizes asked for and given are the upright ones.
  const QByteArray turned =
      EncodeJpeg(Quadrants(1600, 1200).transformed(QTransform().rotate(-90)), {90, false, 6});
  for (const QByteArray& bytes : {baseline, progressive, cmyk, turned}) {
    for (const auto& c : cases) {
      const JpegPicture picture = Decode(bytes, AtLeast(c.minimum));
      ASSERT_EQ(picture.Status, JpegStatus::Ok);
      EXPECT_EQ(picture.FullSize, QSize(1600, 1200));
      EXPECT_EQ(picture.Image.size(), c.decoded) << c.minimum.width() << "x" << c.minimum.height();
      EXPECT_TRUE(Near(picture.Image.pixel(picture.Image.width() / 4, picture.Image.height() / 4),
                       Qt::red));
      EXPECT_TRUE(
          Near(picture.Image.pixel(picture.Image.width() * 3 / 4, picture.Image.height() * 3 / 4),
               Qt::white));
    }
  }
}

TEST(JpegReader, ProgressiveFileAtOneEighthStopsAfterItsDcScans) {
  const QImage noise = Grainy(1600, 1200);
  const QByteArray baseline = EncodeJpeg(noise);
  const QByteArray progressive = EncodeJpeg(noise, {90, true});
  QBuffer buffer;
  buffer.setData(progressive);
  buffer.open(QIODevice::ReadOnly);
  const JpegPicture early = ReadJpeg(buffer, [](QSize) { return QSize(150, 100); });
  ASSERT_EQ(early.Status, JpegStatus::Ok);
  EXPECT_EQ(early.Image.size(), QSize(200, 150));
  // Only the first scans were read ...
  EXPECT_LT(buffer.pos(), progressive.size() / 4);
  // ... and they give about what decoding everything gives.
  const JpegPicture full = Decode(baseline, AtLeast(QSize(150, 100)));
  EXPECT_LT(MeanDifference(early.Image, full.Image), 2.0);
}

TEST(JpegReader, EveryExifOrientationStandsUpright) {
  // Upright: red top left, green top right, blue bottom left, white bottom right.
  const QImage upright = Quadrants(64, 48);
  const int W = 64, H = 48;
  for (int orientation = 1; orientation <= 8; ++orientation) {
    // Where each stored pixel belongs, by the tag's definition of the stored first row and column.
    const bool turned = orientation >= 5;
    QImage stored(turned ? H : W, turned ? W : H, QImage::Format_RGB32);
    for (int y = 0; y < stored.height(); ++y)
      for (int x = 0; x < stored.width(); ++x) {
        const QPoint source[] = {{x, y}, {W - 1 - x, y}, {W - 1 - x, H - 1 - y}, {x, H - 1 - y},
                                 {y, x}, {W - 1 - y, x}, {W - 1 - y, H - 1 - x}, {y, H - 1 - x}};
        stored.setPixel(x, y, upright.pixel(source[orientation - 1]));
      }
    const JpegOptions options{95, orientation % 3 == 0, orientation, orientation % 2 == 0};
    const JpegPicture picture = Decode(EncodeJpeg(stored, options));
    ASSERT_EQ(picture.Status, JpegStatus::Ok) << orientation;
    EXPECT_EQ(picture.Orientation, orientation);
    EXPECT_EQ(picture.FullSize, QSize(W, H)) << orientation;
    ASSERT_EQ(picture.Image.size(), QSize(W, H)) << orientation;
    EXPECT_TRUE(Near(picture.Image.pixel(8, 8), Qt::red)) << orientation;
    EXPECT_TRUE(Near(picture.Image.pixel(W - 8, 8), Qt::green)) << orientation;
    EXPECT_TRUE(Near(picture.Image.pixel(8, H - 8), Qt::blue)) << orientation;
    EXPECT_TRUE(Near(picture.Image.pixel(W - 8, H - 8), Qt::white)) << orientation;
  }
}

TEST(JpegReader, DamagedAndHostileFilesAreRefusedQuietly) {
  const QByteArray good = EncodeJpeg(Quadrants(320, 240));
  const QByteArray goodProgressive = EncodeJpeg(Quadrants(320, 240), {90, true});
  QByteArray badPrecision = good;
  badPrecision[good.indexOf(QByteArray("\xFF\xC0", 2)) + 4] = 3;  // sample precision
  QByteArray random(4000, '\0');
  QRandomGenerator(11).fillRange(reinterpret_cast<quint32*>(random.data()), 1000);
  JpegLimits roomy;
  roomy.MaxPixels = 1'000'000'000;
  const QByteArray huge = WithClaimedSize(EncodeJpeg(Quadrants(64, 64)), 60000, 60000);
  const QByteArray hugeProgressive =
      WithClaimedSize(EncodeJpeg(Quadrants(64, 64), {90, true}), 20000, 20000);
  ASSERT_LT(hugeProgressive.size(), 2000);
  const struct {
    const char* what;
    QByteArray bytes;
    JpegLimits limits;
    JpegStatus status;
  } cases[] = {
      {"empty", QByteArray(), {}, JpegStatus::Unreadable},
      {"random bytes", random, {}, JpegStatus::Unreadable},
      {"bad frame header", badPrecision, {}, JpegStatus::Unreadable},
      {"cut in its headers", good.left(120), {}, JpegStatus::Unreadable},
      {"60000 x 60000", huge, {}, JpegStatus::TooManyPixels},
      {"progressive 20000 x 20000", hugeProgressive, {}, JpegStatus::TooManyPixels},
      {"progressive 20000 x 20000, pixels allowed", hugeProgressive, roomy,
       JpegStatus::TooMuchMemory},
      // Cut in the picture data: what was decoded is kept, the rest is grey.
      {"cut short", good.left(good.size() * 3 / 4), {}, JpegStatus::Ok},
      {"progressive cut short",
       goodProgressive.left(goodProgressive.size() * 3 / 4),
       {},
       JpegStatus::Ok},
  };
  for (const auto& c : cases) {
    const JpegPicture picture = Decode(c.bytes, {}, c.limits);
    EXPECT_EQ(picture.Status, c.status) << c.what;
    if (c.status != JpegStatus::Ok) {
      EXPECT_TRUE(picture.Image.isNull()) << c.what;
    } else {
      EXPECT_TRUE(Near(picture.Image.pixel(40, 40), Qt::red)) << c.what;
    }
  }
}

TEST(JpegSplit, TwoThreadsDecodeWhatOneDoes) {
  const struct {
    int width, height;
    JpegOptions options;
  } files[] = {
      {203, 131, {}},                                               // 4:2:0, odd size
      {203, 131, {50, false, 0, false, false, 2, 1}},               // 4:2:2
      {97, 45, {100, false, 0, false, false, 1, 1}},                // 4:4:4, a few rows
      {130, 70, {90, false, 0, false, false, 2, 2, true}},          // grey
      {203, 131, {90, false, 0, false, false, 2, 2, false, true}},  // optimised tables
      {150, 97, {50, false, 0, false, false, 2, 1, false, true}},
      {121, 67, {100, false, 0, false, false, 1, 1, false, true}},
      {77, 150, {90, false, 6, false, false, 2, 2, true, true}},  // turned, grey, optimised
  };
  std::set<int> bits;
  int splits = 0, refused = 0;
  for (const auto& f : files) {
    const QByteArray bytes = EncodeJpeg(Grainy(f.width, f.height), f.options);
    const int mcuHeight = f.options.Grey ? 8 : 8 * f.options.LumaV;
    const int mcuRows = (f.height + mcuHeight - 1) / mcuHeight;
    for (int scale = 1; scale <= 8; ++scale) {
      const JpegMinimumSize minimum = [&](QSize full) { return full * scale / 8; };
      const JpegPicture expected = Decode(bytes, minimum);
      // Rows whose pixels would need the MCU row above are never split.
      const bool splittable = f.options.Grey || f.options.LumaV == 1 || scale < 8;
      for (int row = 1; row < mcuRows; ++row) {
        SCOPED_TRACE(::testing::Message()
                     << f.width << "x" << f.height << " " << f.options.LumaH << f.options.LumaV
                     << " q" << f.options.Quality << " scale " << scale << "/8 row " << row);
        int bit = -1;
        const std::optional<JpegPicture> split = ReadJpegSplit(bytes, minimum, {}, row, &bit);
        if (!splittable) {
          EXPECT_FALSE(split);
          continue;
        }
        // Only tables without the codes a made-up row needs may refuse.
        if (!split) {
          EXPECT_TRUE(f.options.OptimizedTables);
          ++refused;
          continue;
        }
        ++splits;
        bits.insert(bit);
        EXPECT_EQ(split->FullSize, expected.FullSize);
        EXPECT_EQ(split->Orientation, expected.Orientation);
        ASSERT_EQ(split->Image, expected.Image);
      }
    }
  }
  // Every place of a row's first bit in its byte was met.
  EXPECT_EQ(bits, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_LT(refused, splits / 4) << splits;
}

TEST(JpegSplit, OtherFilesTakeTheOneThreadPath) {
  const QImage small = Grainy(160, 128);
  const QByteArray large = EncodeJpeg(Grainy(2000, 1008));
  const struct {
    const char* what;
    QByteArray bytes;
    int row;
    bool split;
  } cases[] = {
      {"large photo", large, 0, true},
      {"large photo cut short", large.left(large.size() * 2 / 3), 0, false},
      {"large photo with a marker in its data", Damaged(large, large.size() / 3, "\xFF\xD3"), 0,
       false},
      {"large photo with a changed byte", Damaged(large, large.size() / 3, "\x5A"), 0, true},
      {"small photo", EncodeJpeg(small), 0, false},
      {"progressive", EncodeJpeg(small, {90, true}), 2, false},
      {"restart markers", EncodeJpeg(small, {90, false, 0, false, false, 2, 2, false, false, 4}), 2,
       false},
      {"CMYK", EncodeJpeg(small, {90, false, 0, false, true}), 2, false},
      {"cut short", EncodeJpeg(small).left(3000), 2, false},
  };
  // Half size: a 4:2:0 picture at full size is never split.
  const JpegMinimumSize half = [](QSize full) { return full / 2; };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadJpegSplit(c.bytes, half, {}, c.row).has_value(), c.split) << c.what;
    // Whichever way ReadJpeg goes, the picture is the one-thread one.
    const JpegPicture expected = Decode(c.bytes, half);
    const JpegPicture picture = Decode(c.bytes, half, {}, JpegThreads::Two);
    EXPECT_EQ(picture.Status, expected.Status) << c.what;
    EXPECT_EQ(picture.Image, expected.Image) << c.what;
  }
}

// Codes that do not fit their lengths: refused, never read past the table.
TEST(JpegSplit, AnImpossibleHuffmanTableIsRefused) {
  JpegHuffmanTable tooMany;
  tooMany.Bits[1] = 3;  // three 1-bit codes
  tooMany.Values = {1, 2, 3};
  JpegHuffmanDecoder decoder;
  EXPECT_FALSE(decoder.Build(tooMany));
}

TEST(JpegSplit, FrameOffsetsOnlyForOneBaselineFrame) {
  const QByteArray good = EncodeJpeg(Grainy(40, 24));
  const qsizetype scan = good.indexOf(QByteArray("\xFF\xDA", 2));
  const struct {
    const char* what;
    QByteArray bytes;
    bool found;
  } cases[] = {
      {"baseline", good, true},
      {"progressive", EncodeJpeg(Grainy(40, 24), {90, true}), false},
      {"cut in the scan header", good.left(scan + 6), false},
      {"no start of image", good.mid(2), false},
      {"a segment longer than the file", good.left(scan + 2) + QByteArray("\xFF\xFF", 2), false},
  };
  for (const auto& c : cases) {
    const std::optional<JpegFrameOffsets> offsets = FindFrameOffsets(c.bytes);
    ASSERT_EQ(offsets.has_value(), c.found) << c.what;
    if (!offsets) continue;
    EXPECT_EQ(offsets->Data, scan + 2 + (uchar(good[scan + 2]) << 8 | uchar(good[scan + 3])));
    EXPECT_EQ(uchar(good[offsets->Height]) << 8 | uchar(good[offsets->Height + 1]), 24);
  }
}

TEST(JpegReader, MutatedFilesNeverCrash) {
  // Run under the sanitizers, this finds reads past buffers, leaks and
  // decompressors left undestroyed on error paths.
  const QByteArray seeds[] = {EncodeJpeg(Quadrants(48, 32)),
                              EncodeJpeg(Quadrants(48, 32), {80, true, 6, true})};
  QRandomGenerator random(2024);
  int decoded = 0;
  for (int i = 0; i < 400; ++i) {
    QByteArray bytes = seeds[i % 2];
    const int changes = 1 + static_cast<int>(random.bounded(8));
    for (int c = 0; c < changes; ++c)
      bytes[random.bounded(static_cast<int>(bytes.size()))] =
          static_cast<char>(random.bounded(256));
    if (i % 5 == 0) bytes.truncate(random.bounded(static_cast<int>(bytes.size())));
    const JpegPicture picture =
        Decode(bytes, i % 3 != 0 ? AtLeast(QSize(6, 4)) : JpegMinimumSize());
    EXPECT_EQ(picture.Status == JpegStatus::Ok, !picture.Image.isNull()) << i;
    if (picture.Status == JpegStatus::Ok) ++decoded;
  }
  EXPECT_GT(decoded, 0);
}
