// The marker walk and the scanner of jpeg_split.h.

#include <QtEndian>
#include <cstdlib>
#include <memory>

#include "jpeg_split.h"

namespace {

int Byte(const QByteArray& file, qsizetype at) { return static_cast<uchar>(file[at]); }

// The entropy-coded bits with their stuffing removed. A marker or the end of
// the file gives zero bits, counted so that reading into them is noticed.
class BitReader {
 public:
  BitReader(const QByteArray& file, qsizetype start)
      : data_(reinterpret_cast<const uchar*>(file.constData())),
        size_(file.size()),
        start_(start),
        pos_(start) {}

  // At least 32 bits are then ready.
  void Fill() {
    if (padding_ == 0 && pos_ + 8 <= size_) {
      const quint64 word = qFromBigEndian<quint64>(data_ + pos_);
      // No 0xFF among the eight bytes: no stuffing, no marker.
      const quint64 inverted = ~word;
      if (((inverted - 0x0101010101010101) & word & 0x8080808080808080) == 0) {
        const int bytes = (63 - count_) / 8;
        acc_ = acc_ << (8 * bytes) | word >> (64 - 8 * bytes);
        count_ += 8 * bytes;
        pos_ += bytes;
        return;
      }
    }
    while (count_ <= 56) LoadByte();
  }
  bool Low() const { return count_ < 32; }
  quint32 Peek(int bits) const {
    return static_cast<quint32>(acc_ >> (count_ - bits)) & ((1u << bits) - 1);
  }
  void Skip(int bits) { count_ -= bits; }
  int Get(int bits) {
    count_ -= bits;
    return static_cast<int>((acc_ >> count_) & ((quint64{1} << bits) - 1));
  }
  bool Overrun() const { return count_ < padding_; }

  // The byte holding the next bit, -1 when that is past the data.
  qsizetype NextByte() const {
    qint64 back = (count_ + 7) / 8 - padding_ / 8;
    if (back <= 0) return -1;
    qsizetype at = pos_;
    // Step back over whole bytes; 0xFF 0x00 is one byte of data.
    for (; back > 0; --back) {
      at -= at - 2 >= start_ && data_[at - 1] == 0 && data_[at - 2] == 0xFF ? 2 : 1;
    }
    return at;
  }
  int NextBit() const { return (8 - count_ % 8) % 8; }

 private:
  void LoadByte() {
    int value = 0;
    if (padding_ == 0 && pos_ < size_ && data_[pos_] != 0xFF) {
      value = data_[pos_++];
    } else if (padding_ == 0 && pos_ + 1 < size_ && data_[pos_ + 1] == 0) {
      value = 0xFF;
      pos_ += 2;
    } else {
      padding_ += 8;
    }
    acc_ = acc_ << 8 | static_cast<quint64>(value);
    count_ += 8;
  }

  const uchar* data_;
  qsizetype size_;
  qsizetype start_;
  qsizetype pos_;
  quint64 acc_ = 0;
  int count_ = 0;  // bits in acc_ not yet read, the next one highest
  qint64 padding_ = 0;
};

// Several AC codes with their value bits at once: for each value of the next
// SkipBits bits, how many bits the codes in them take with their value bits
// and how far they move along the block (an end of block last, if any).
// Small enough to stay in the first-level cache.
class AcSkipper {
 public:
  static constexpr int SkipBits = 13;
  static constexpr int NoCode = 1000;

  void Build(const JpegHuffmanDecoder& decoder) {
    for (quint32 peek = 0; peek < (1u << SkipBits); ++peek) {
      int used = 0, advance = 0;
      bool end = false;
      while (used < SkipBits && !end) {
        int length = 0;
        const int symbol = decoder.Decode((peek << (16 - SkipBits + used)) & 0xFFFF, length);
        const int size = symbol & 15, run = symbol >> 4;
        // A code that fits is enough: its value bits are skipped unseen.
        if (symbol < 0 || used + length > SkipBits || advance + 16 > 255) break;
        const bool last = used + length + size > SkipBits;
        used += length + size;
        if (size != 0) {
          advance += run + 1;
        } else if (run == 15) {
          advance += 16;
        } else {
          end = true;
        }
        if (last) break;
      }
      // Not even one code: an advance no block has room for.
      if (used == 0) advance = NoCode;
      entries_[peek] = static_cast<quint16>(advance << 6 | (end ? 32 : 0) | used);
    }
  }
  // Bits to skip, whether the block ends, and the coefficients moved over
  // (NoCode: not even one code).
  static int Bits(quint16 entry) { return entry & 31; }
  static bool EndOfBlock(quint16 entry) { return (entry & 32) != 0; }
  static int Advance(quint16 entry) { return entry >> 6; }
  quint16 operator[](quint32 peek) const { return entries_[peek]; }

 private:
  std::array<quint16, 1u << SkipBits> entries_{};
};

int Extend(int value, int size) {
  return value < (1 << (size - 1)) ? value + 1 - (1 << size) : value;
}

// A DC code with its value bits at once, when they fit in DcBits bits.
class DcReader {
 public:
  static constexpr int DcBits = 11;
  struct Entry {
    qint16 Diff = 0;
    quint8 Bits = 0;  // 0: longer
  };

  void Build(const JpegHuffmanDecoder& decoder) {
    for (quint32 peek = 0; peek < (1u << DcBits); ++peek) {
      int length = 0;
      const int size = decoder.Decode((peek << (16 - DcBits)) & 0xFFFF, length);
      Entry entry;
      if (size >= 0 && size <= 15 && length + size <= DcBits) {
        const int value = static_cast<int>(peek >> (DcBits - length - size)) & ((1 << size) - 1);
        entry.Diff = static_cast<qint16>(size == 0 ? 0 : Extend(value, size));
        entry.Bits = static_cast<quint8>(length + size);
      }
      entries_[peek] = entry;
    }
  }
  const Entry& operator[](quint32 peek) const { return entries_[peek]; }

 private:
  std::array<Entry, 1u << DcBits> entries_{};
};

// The codes of one component; components with the same tables share them.
struct ComponentCodes {
  int Blocks = 1;
  const DcReader* DcFast = nullptr;
  const JpegHuffmanDecoder* Dc = nullptr;
  const JpegHuffmanDecoder* Ac = nullptr;
  const AcSkipper* Skipper = nullptr;
};

struct TableSet {
  std::array<JpegHuffmanDecoder, 4> Dc;
  std::array<DcReader, 4> DcFast;
  std::array<JpegHuffmanDecoder, 4> Ac;
  std::array<AcSkipper, 4> Skippers;
};

constexpr int MaxPredictor = 1 << 20;

// One block: updates the DC predictor; false on a code not in the tables.
bool ScanBlock(BitReader& bits, const ComponentCodes& codes, int& predictor) {
  if (bits.Low()) bits.Fill();
  int length = 0;
  const DcReader::Entry& dc = (*codes.DcFast)[bits.Peek(DcReader::DcBits)];
  if (dc.Bits != 0) {
    bits.Skip(dc.Bits);
    predictor += dc.Diff;
  } else {
    const int size = codes.Dc->Decode(bits.Peek(16), length);
    if (size < 0 || size > 15) return false;
    bits.Skip(length);
    if (size > 0) predictor += Extend(bits.Get(size), size);
  }
  if (std::abs(predictor) > MaxPredictor) return false;
  for (int k = 1; k < 64;) {
    if (bits.Low()) bits.Fill();
    // Whole codes at once while they stay inside the block.
    const quint16 entry = (*codes.Skipper)[bits.Peek(AcSkipper::SkipBits)];
    if (k + AcSkipper::Advance(entry) <= 63) {
      bits.Skip(AcSkipper::Bits(entry));
      if (AcSkipper::EndOfBlock(entry)) break;
      k += AcSkipper::Advance(entry);
      continue;
    }
    const int symbol = codes.Ac->Decode(bits.Peek(16), length);
    if (symbol < 0) return false;
    const int run = symbol >> 4, bitsOfValue = symbol & 15;
    bits.Skip(length + bitsOfValue);
    if (bitsOfValue != 0) {
      k += run + 1;
    } else if (run == 15) {
      k += 16;
    } else {
      break;  // end of block
    }
  }
  return true;
}

}  // namespace

std::optional<JpegFrameOffsets> FindFrameOffsets(const QByteArray& file) {
  const qsizetype size = file.size();
  if (size < 4 || Byte(file, 0) != 0xFF || Byte(file, 1) != 0xD8) return std::nullopt;
  qsizetype height = 0;
  qsizetype at = 2;
  while (at < size && Byte(file, at) == 0xFF) {
    while (at < size && Byte(file, at) == 0xFF) ++at;  // fill bytes
    if (at >= size) return std::nullopt;
    const int marker = Byte(file, at++);
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
    if (at + 2 > size) return std::nullopt;
    const qsizetype length = Byte(file, at) << 8 | Byte(file, at + 1);
    if (length < 2 || at + length > size) return std::nullopt;
    if (marker == 0xC0 || marker == 0xC1) {
      if (height != 0 || length < 8) return std::nullopt;
      height = at + 3;  // after the length and the sample precision
    } else if (marker == 0xD8 || marker == 0xD9 ||
               (marker >= 0xC2 && marker <= 0xCF && marker != 0xC4 && marker != 0xCC)) {
      return std::nullopt;  // another kind of frame, or no scan at all
    }
    if (marker == 0xDA) {
      if (height == 0) return std::nullopt;
      return JpegFrameOffsets{height, at + length};
    }
    at += length;
  }
  return std::nullopt;
}

std::vector<JpegSplitPoint> ScanToMcuRows(const QByteArray& file, qsizetype dataStart,
                                          const JpegScanLayout& layout, int first, int last) {
  const std::size_t components = layout.Components.size();
  if (components == 0 || components > 4 || first < 1 || last < first || last >= layout.McuRows ||
      layout.McusPerRow < 1 || dataStart < 0 || dataStart > file.size()) {
    return {};
  }
  auto tables = std::make_unique<TableSet>();
  std::array<ComponentCodes, 4> codes;
  for (std::size_t c = 0; c < components; ++c) {
    const JpegScanLayout::Component& component = layout.Components[c];
    if (component.Blocks < 1 || component.Blocks > 4) return {};
    codes[c].Blocks = component.Blocks;
    std::size_t same = 0;
    while (same < c && (layout.Components[same].Dc.Bits != component.Dc.Bits ||
                        layout.Components[same].Dc.Values != component.Dc.Values)) {
      ++same;
    }
    if (same == c) {
      if (!tables->Dc[c].Build(component.Dc)) return {};
      tables->DcFast[c].Build(tables->Dc[c]);
    }
    codes[c].Dc = &tables->Dc[same];
    codes[c].DcFast = &tables->DcFast[same];
    same = 0;
    while (same < c && (layout.Components[same].Ac.Bits != component.Ac.Bits ||
                        layout.Components[same].Ac.Values != component.Ac.Values)) {
      ++same;
    }
    if (same == c) {
      if (!tables->Ac[c].Build(component.Ac)) return {};
      tables->Skippers[c].Build(tables->Ac[c]);
    }
    codes[c].Ac = &tables->Ac[same];
    codes[c].Skipper = &tables->Skippers[same];
  }
  BitReader bits(file, dataStart);
  std::array<int, 4> predictors{};
  std::vector<JpegSplitPoint> points;
  for (int row = 0; row < last; ++row) {
    for (int mcu = 0; mcu < layout.McusPerRow; ++mcu) {
      for (std::size_t c = 0; c < components; ++c) {
        for (int block = 0; block < codes[c].Blocks; ++block) {
          if (!ScanBlock(bits, codes[c], predictors[c])) return points;
        }
      }
    }
    if (bits.Overrun()) return points;
    if (row + 1 >= first) {
      const qsizetype byte = bits.NextByte();
      if (byte < 0) return points;
      points.push_back({row + 1, byte, bits.NextBit(), predictors});
    }
  }
  return points;
}
