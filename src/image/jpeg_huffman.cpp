#include "jpeg_huffman.h"

namespace {

// Canonical codes: each length's codes follow the previous length's, doubled.
// Calls emit(symbol, code, length) for each; false on an impossible table.
template <typename Emit>
bool ForEachCode(const JpegHuffmanTable& table, Emit emit) {
  std::size_t index = 0;
  quint32 code = 0;
  for (int length = 1; length <= 16; ++length) {
    for (int i = 0; i < table.Bits[length]; ++i) {
      if (index >= table.Values.size() || index >= 256) return false;
      if (code >= (1u << length)) return false;
      emit(table.Values[index], code, length, index);
      ++index;
      ++code;
    }
    code <<= 1;
  }
  return index > 0;
}

}  // namespace

bool JpegHuffmanDecoder::Build(const JpegHuffmanTable& table) {
  fast_.fill(0);
  maxCode_.fill(-1);
  valueOffset_.fill(0);
  values_ = table.Values;
  return ForEachCode(table, [&](quint8 symbol, quint32 code, int length, std::size_t index) {
    maxCode_[length] = static_cast<qint32>(code);
    // Codes and indices of one length rise together.
    valueOffset_[length] = static_cast<qint32>(index) - static_cast<qint32>(code);
    if (length <= LookBits) {
      const int shift = LookBits - length;
      const quint16 entry = static_cast<quint16>(length << 8 | symbol);
      for (quint32 fill = 0; fill < (1u << shift); ++fill) fast_[(code << shift) | fill] = entry;
    }
  });
}

int JpegHuffmanDecoder::DecodeLong(quint32 peek16, int& length) const {
  for (length = LookBits + 1; length <= 16; ++length) {
    const auto code = static_cast<qint32>(peek16 >> (16 - length));
    if (code <= maxCode_[length]) {
      const qint32 index = code + valueOffset_[length];
      if (index < 0 || index >= static_cast<qint32>(values_.size())) return -1;
      return values_[static_cast<std::size_t>(index)];
    }
  }
  return -1;
}

bool JpegHuffmanEncoder::Build(const JpegHuffmanTable& table) {
  Code.fill(0);
  Length.fill(0);
  return ForEachCode(table, [&](quint8 symbol, quint32 code, int length, std::size_t) {
    if (Length[symbol] != 0) return;  // a repeated symbol: the decoder finds the first
    Code[symbol] = static_cast<quint16>(code);
    Length[symbol] = static_cast<quint8>(length);
  });
}
