#pragma once
// The Huffman tables of a baseline JPEG, for reading codes out of the
// entropy-coded data and for writing codes into it.

#include <QtGlobal>
#include <array>
#include <vector>

struct JpegHuffmanTable {
  std::array<quint8, 17> Bits{};  // Bits[n]: how many codes are n bits long
  std::vector<quint8> Values;     // the symbols in code order
};

// Codes as the decoder meets them: the next LookBits bits of the data find
// most symbols at once; longer codes take a loop.
class JpegHuffmanDecoder {
 public:
  static constexpr int LookBits = 10;

  // False when the table is not a valid set of codes.
  bool Build(const JpegHuffmanTable& table);

  // peek holds the next 16 bits of the data, first bit highest. Returns the
  // symbol and sets length, or returns -1 for a code not in the table.
  int Decode(quint32 peek16, int& length) const {
    const quint16 entry = fast_[peek16 >> (16 - LookBits)];
    if (entry != 0) {
      length = entry >> 8;
      return entry & 0xFF;
    }
    return DecodeLong(peek16, length);
  }

 private:
  int DecodeLong(quint32 peek16, int& length) const;

  std::array<quint16, 1u << LookBits> fast_{};  // length << 8 | symbol; 0: longer
  std::array<qint32, 18> maxCode_{};            // the last code of each length, -1: none
  std::array<qint32, 18> valueOffset_{};
  std::vector<quint8> values_;
};

// Codes as the encoder writes them.
struct JpegHuffmanEncoder {
  std::array<quint16, 256> Code{};
  std::array<quint8, 256> Length{};  // 0: the symbol is not in the table

  bool Build(const JpegHuffmanTable& table);
  bool Has(int symbol) const { return Length[symbol] != 0; }
};
