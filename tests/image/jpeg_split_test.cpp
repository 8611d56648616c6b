#include <gtest/gtest.h>

#include <QBuffer>
#include <cstring>
#include <set>

#include "image/jpeg_split.h"
#include "image/jpeg_split_decode.h"
#include "support/jpeg_test_files.h"

namespace {

JpegPicture Decode(const QByteArray& bytes, const JpegMinimumSize& minimum,
                   JpegThreads threads = JpegThreads::One) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  return ReadJpeg(buffer, minimum, {}, threads);
}

QByteArray Damaged(QByteArray bytes, qsizetype at, const char* with) {
  return bytes.replace(at, qsizetype(std::strlen(with)), with);
}

}  // namespace

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
    const JpegPicture picture = Decode(c.bytes, half, JpegThreads::Two);
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
