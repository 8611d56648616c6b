#include "gif_writer.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// 6 levels of red, 7 of green, 6 of blue.
constexpr int kRed = 6;
constexpr int kGreen = 7;
constexpr int kBlue = 6;

int Level(int value, int levels) { return (value * (levels - 1) + 127) / 255; }
int Value(int level, int levels) { return level * 255 / (levels - 1); }

class BitWriter {
 public:
  void Put(int code, int width) {
    acc_ |= static_cast<unsigned>(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      bytes_.push_back(static_cast<char>(acc_ & 0xFF));
      acc_ >>= 8;
      bits_ -= 8;
    }
  }
  std::vector<char> Finish() {
    if (bits_ > 0) bytes_.push_back(static_cast<char>(acc_ & 0xFF));
    return bytes_;
  }

 private:
  unsigned acc_ = 0;
  int bits_ = 0;
  std::vector<char> bytes_;
};

void PutWord(QByteArray& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

}  // namespace

QByteArray EncodeGif(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const int w = image.width();
  const int h = image.height();

  // Floyd-Steinberg diffusion onto the palette, row by row.
  std::vector<unsigned char> indexes(static_cast<size_t>(w) * h);
  std::vector<std::array<int, 3>> error(static_cast<size_t>(w + 2) * 2, {0, 0, 0});
  for (int y = 0; y < h; ++y) {
    const size_t stride = static_cast<size_t>(w) + 2;
    auto* cur = &error[static_cast<size_t>(y % 2) * stride];
    auto* next = &error[static_cast<size_t>((y + 1) % 2) * stride];
    std::fill(next, next + w + 2, std::array<int, 3>{0, 0, 0});
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      const int want[3] = {std::clamp(qRed(line[x]) + cur[x + 1][0] / 16, 0, 255),
                           std::clamp(qGreen(line[x]) + cur[x + 1][1] / 16, 0, 255),
                           std::clamp(qBlue(line[x]) + cur[x + 1][2] / 16, 0, 255)};
      const int r = Level(want[0], kRed);
      const int g = Level(want[1], kGreen);
      const int b = Level(want[2], kBlue);
      indexes[static_cast<size_t>(y) * w + x] =
          static_cast<unsigned char>((r * kGreen + g) * kBlue + b);
      const int got[3] = {Value(r, kRed), Value(g, kGreen), Value(b, kBlue)};
      for (int c = 0; c < 3; ++c) {
        const int e = want[c] - got[c];
        cur[x + 2][c] += e * 7;
        next[x][c] += e * 3;
        next[x + 1][c] += e * 5;
        next[x + 2][c] += e;
      }
    }
  }

  QByteArray out("GIF89a");
  PutWord(out, w);
  PutWord(out, h);
  out += static_cast<char>(0xF7);  // global table of 256 entries, 8 bits a colour
  out += '\0';                     // background colour
  out += '\0';                     // no aspect ratio
  for (int i = 0; i < 256; ++i) {
    const int r = i / (kGreen * kBlue);
    const int g = (i / kBlue) % kGreen;
    const int b = i % kBlue;
    const bool used = r < kRed;
    out += static_cast<char>(used ? Value(r, kRed) : 0);
    out += static_cast<char>(used ? Value(g, kGreen) : 0);
    out += static_cast<char>(used ? Value(b, kBlue) : 0);
  }
  out += ',';
  PutWord(out, 0);
  PutWord(out, 0);
  PutWord(out, w);
  PutWord(out, h);
  out += '\0';  // no local table, not interlaced

  // Only literal codes, with a clear code before the table would need
  // 10-bit codes, so every code stays 9 bits wide.
  constexpr int kClear = 256;
  constexpr int kEnd = 257;
  constexpr int kLiteralsPerClear = 250;
  BitWriter bits;
  int run = 0;
  bits.Put(kClear, 9);
  for (unsigned char index : indexes) {
    if (run == kLiteralsPerClear) {
      bits.Put(kClear, 9);
      run = 0;
    }
    bits.Put(index, 9);
    ++run;
  }
  bits.Put(kEnd, 9);
  const std::vector<char> data = bits.Finish();

  out += static_cast<char>(8);  // minimum code size
  for (size_t pos = 0; pos < data.size(); pos += 255) {
    const size_t n = std::min<size_t>(255, data.size() - pos);
    out += static_cast<char>(n);
    out.append(data.data() + pos, static_cast<qsizetype>(n));
  }
  out += '\0';
  out += ';';
  return out;
}
