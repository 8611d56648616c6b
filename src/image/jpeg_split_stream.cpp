// The second stream of jpeg_split.h: the made-up first MCU row and the
// stream around it.

#include <algorithm>
#include <cstdlib>
#include <deque>

#include "jpeg_split.h"

namespace {

class BitWriter {
 public:
  void Put(quint32 value, int bits) {
    acc_ = acc_ << bits | (value & ((quint32{1} << bits) - 1));
    count_ += bits;
    while (count_ >= 8) {
      count_ -= 8;
      bytes_.push_back(static_cast<char>((acc_ >> count_) & 0xFF));
    }
  }
  int Pending() const { return count_; }
  const QByteArray& Bytes() const { return bytes_; }

 private:
  quint64 acc_ = 0;
  int count_ = 0;
  QByteArray bytes_;
};

int Category(int value) {
  int bits = 0;
  for (int magnitude = std::abs(value); magnitude != 0; magnitude >>= 1) ++bits;
  return bits;
}

// Sums of a few DC differences that each fit a category the table has.
class DcSums {
 public:
  explicit DcSums(const JpegHuffmanEncoder& dc) : dc_(dc) {
    for (int size = 0; size <= 15; ++size) {
      if (!dc.Has(size)) continue;
      for (const int value : {size == 0 ? 0 : 1 << (size - 1), (1 << size) - 1}) {
        candidates_.push_back(value);
        if (value != 0) candidates_.push_back(-value);
      }
    }
  }
  bool Fits(qint64 value) const {
    return std::abs(value) < (1 << 15) && dc_.Has(Category(static_cast<int>(value)));
  }

  // Appends `count` (0..3) differences adding up to sum; false when none found.
  bool Split(qint64 sum, int count, std::vector<int>& out) const {
    if (count == 0) return sum == 0;
    if (count == 1) {
      if (!Fits(sum)) return false;
      out.push_back(static_cast<int>(sum));
      return true;
    }
    for (const int first : candidates_) {
      out.push_back(first);
      if (Split(sum - first, count - 1, out)) return true;
      out.pop_back();
    }
    return false;
  }

  // Appends `count` differences adding up to nothing.
  bool Nothing(int count, std::vector<int>& out) const {
    if (dc_.Has(0)) {
      out.insert(out.end(), static_cast<std::size_t>(count), 0);
      return true;
    }
    if (candidates_.empty()) return count == 0;
    int pairs = count;
    if (count % 2 == 1) {
      if (count < 3 || !Split(0, 3, out)) return false;
      pairs -= 3;
    }
    for (int i = 0; i < pairs; ++i) out.push_back(i % 2 == 0 ? candidates_[0] : -candidates_[0]);
    return true;
  }

 private:
  const JpegHuffmanEncoder& dc_;
  std::vector<int> candidates_;
};

// DC differences for `blocks` blocks that add up to target, each in a
// category the table has: large steps towards the target, then a few that
// end on it, then ones that cancel out. Empty when none are found.
std::vector<int> PlanDc(int target, std::size_t blocks, const JpegHuffmanEncoder& dc) {
  const DcSums sums(dc);
  std::vector<int> diffs;
  qint64 rest = target;
  constexpr int MaxSteps = 40;
  for (int step = 0; step < MaxSteps && diffs.size() < blocks; ++step) {
    const int left = static_cast<int>(blocks - diffs.size());
    for (int ending = 1; ending <= std::min(left, 3); ++ending) {
      std::vector<int> tail;
      if (sums.Split(rest, ending, tail) && sums.Nothing(left - ending, tail)) {
        diffs.insert(diffs.end(), tail.begin(), tail.end());
        return diffs;
      }
    }
    // The largest step towards the target.
    int size = std::min(Category(static_cast<int>(std::clamp<qint64>(rest, -32767, 32767))), 15);
    while (size > 0 && !dc.Has(size)) --size;
    if (size == 0) return {};
    const int largest = (1 << size) - 1;
    diffs.push_back(rest < 0 ? -largest : largest);
    rest -= diffs.back();
  }
  return {};
}

int DcBits(const JpegHuffmanEncoder& dc, int diff) {
  return dc.Length[Category(diff)] + Category(diff);
}

void PutDc(BitWriter& out, const JpegHuffmanEncoder& dc, int diff) {
  const int size = Category(diff);
  out.Put(dc.Code[size], dc.Length[size]);
  if (size > 0) out.Put(static_cast<quint32>(diff >= 0 ? diff : diff + (1 << size) - 1), size);
}

// How the last made-up block ends: its AC symbols, of which the last is
// written only in part; the rest of it is the first bits of the original
// byte at the split, which belong to the MCU before the split row.
struct LastBlock {
  std::vector<int> Symbols;
  int FinalBits = 0;  // of the last symbol's code and value bits, those written
};

// Whether `symbol`, next at coefficient k, ends the block, and how many of
// its bits are then written so that the junk (junkBits bits, value junk)
// follows; -1 when it cannot.
int FinalBits(const JpegHuffmanEncoder& ac, int symbol, int k, int startBits, int junkBits,
              int junk) {
  const int run = symbol >> 4, size = symbol & 15, length = ac.Length[symbol];
  const bool ends = (size == 0 && run != 15) || k + (size == 0 ? 15 : run) == 63;
  const int written = length + size - junkBits;
  if (!ends || written < 0 || (startBits + written) % 8 != 0) return -1;
  if (written < length) {
    // The code's last bits are junk bits: they must be the same.
    const int shared = length - written;
    const int mask = (1 << shared) - 1;
    if ((ac.Code[symbol] & mask) != ((junk >> (junkBits - shared)) & mask)) return -1;
  }
  return written;
}

// The shortest way over (next coefficient, bits written mod 8).
std::optional<LastBlock> FindLastBlock(const JpegHuffmanEncoder& ac, int startBits, int junkBits,
                                       int junk) {
  constexpr int States = 64 * 8;
  std::array<int, States> from;
  std::array<int, States> via{};
  from.fill(-1);
  const int start = 1 * 8 + startBits % 8;
  from[start] = start;
  std::vector<int> symbols;
  for (int symbol = 0; symbol < 256; ++symbol) {
    if (ac.Has(symbol)) symbols.push_back(symbol);
  }
  std::deque<int> queue{start};
  while (!queue.empty()) {
    const int state = queue.front();
    queue.pop_front();
    const int k = state / 8, bits = state % 8;
    for (const int symbol : symbols) {
      const int finalBits = FinalBits(ac, symbol, k, bits, junkBits, junk);
      if (finalBits >= 0) {
        LastBlock last{{symbol}, finalBits};
        for (int at = state; at != start; at = from[at]) {
          last.Symbols.insert(last.Symbols.begin(), via[at]);
        }
        return last;
      }
      const int run = symbol >> 4, size = symbol & 15;
      if (size == 0 && run != 15) continue;
      const int next = k + (size == 0 ? 16 : run + 1);
      if (next > 63) continue;
      const int target = next * 8 + (bits + ac.Length[symbol] + size) % 8;
      if (from[target] >= 0) continue;
      from[target] = state;
      via[target] = symbol;
      queue.push_back(target);
    }
  }
  return std::nullopt;
}

void PutLastBlock(BitWriter& out, const JpegHuffmanEncoder& ac, const LastBlock& last) {
  for (std::size_t i = 0; i + 1 < last.Symbols.size(); ++i) {
    const int symbol = last.Symbols[i], size = symbol & 15;
    out.Put(ac.Code[symbol], ac.Length[symbol]);
    out.Put((1u << size) - 1, size);
  }
  const int symbol = last.Symbols.back(), length = ac.Length[symbol];
  if (last.FinalBits <= length) {
    out.Put(ac.Code[symbol] >> (length - last.FinalBits), last.FinalBits);
  } else {
    out.Put(ac.Code[symbol], length);
    out.Put((1u << (last.FinalBits - length)) - 1, last.FinalBits - length);
  }
}

// The made-up MCU row, unstuffed; empty when the tables allow none.
QByteArray MadeUpRow(const JpegScanLayout& layout, const JpegSplitPoint& point, int junk) {
  const std::size_t components = layout.Components.size();
  std::array<JpegHuffmanEncoder, 4> dc;
  std::array<JpegHuffmanEncoder, 4> ac;
  std::array<std::vector<int>, 4> diffs;
  for (std::size_t c = 0; c < components; ++c) {
    const JpegScanLayout::Component& component = layout.Components[c];
    if (!dc[c].Build(component.Dc) || !ac[c].Build(component.Ac) || !ac[c].Has(0x00)) return {};
    const auto blocks =
        static_cast<std::size_t>(layout.McusPerRow) * static_cast<std::size_t>(component.Blocks);
    diffs[c] = PlanDc(point.Dc[c], blocks, dc[c]);
    if (diffs[c].empty()) return {};
  }
  struct Block {
    std::size_t Component;
    int Diff;
  };
  std::vector<Block> blocks;
  std::array<std::size_t, 4> used{};
  for (int mcu = 0; mcu < layout.McusPerRow; ++mcu) {
    for (std::size_t c = 0; c < components; ++c) {
      for (int block = 0; block < layout.Components[c].Blocks; ++block) {
        blocks.push_back({c, diffs[c][used[c]++]});
      }
    }
  }
  BitWriter out;
  for (std::size_t i = 0; i + 2 < blocks.size(); ++i) {
    PutDc(out, dc[blocks[i].Component], blocks[i].Diff);
    out.Put(ac[blocks[i].Component].Code[0], ac[blocks[i].Component].Length[0]);  // end of block
  }
  const Block& last = blocks.back();
  if (blocks.size() == 1) {
    PutDc(out, dc[last.Component], last.Diff);
    const std::optional<LastBlock> end =
        FindLastBlock(ac[last.Component], out.Pending(), point.Bit, junk);
    if (!end) return {};
    PutLastBlock(out, ac[last.Component], *end);
  } else {
    // The block before the last may take more codes than an end of block,
    // so that the last one finds its way.
    const Block& before = blocks[blocks.size() - 2];
    PutDc(out, dc[before.Component], before.Diff);
    const int lastDc = DcBits(dc[last.Component], last.Diff);
    const int plain = (out.Pending() + ac[before.Component].Length[0]) % 8;
    std::optional<LastBlock> padding;
    std::optional<LastBlock> end;
    for (int i = 0; i < 8 && !(padding && end); ++i) {
      const int bits = (plain + i) % 8;  // after the block before the last
      padding = FindLastBlock(ac[before.Component], (out.Pending() - bits + 8) % 8, 0, 0);
      end = FindLastBlock(ac[last.Component], bits + lastDc, point.Bit, junk);
    }
    if (!padding || !end) return {};
    PutLastBlock(out, ac[before.Component], *padding);
    PutDc(out, dc[last.Component], last.Diff);
    PutLastBlock(out, ac[last.Component], *end);
  }
  if (out.Pending() != 0) return {};
  return out.Bytes();
}

}  // namespace

QByteArray SecondStream(const QByteArray& file, const JpegFrameOffsets& offsets,
                        const JpegScanLayout& layout, const JpegSplitPoint& point) {
  const int row = point.Row;
  const int height = layout.Height - (row - 1) * layout.McuHeight;
  if (layout.Components.empty() || layout.Components.size() > 4 || layout.McusPerRow < 1 ||
      row < 1 || row >= layout.McuRows || height < 1 || height > layout.Height ||
      offsets.Height < 0 || offsets.Height + 2 > offsets.Data || offsets.Data > point.Byte ||
      point.Byte >= file.size() || point.Bit < 0 || point.Bit > 7) {
    return {};
  }
  const int junk = static_cast<uchar>(file[point.Byte]) >> (8 - point.Bit);
  const QByteArray made = MadeUpRow(layout, point, junk);
  if (made.isEmpty()) return {};
  QByteArray stream;
  stream.reserve(offsets.Data + made.size() * 2 + (file.size() - point.Byte));
  stream.append(file.constData(), offsets.Data);
  stream[offsets.Height] = static_cast<char>(height >> 8);
  stream[offsets.Height + 1] = static_cast<char>(height & 0xFF);
  for (const char byte : made) {
    stream.append(byte);
    if (static_cast<uchar>(byte) == 0xFF) stream.append('\0');
  }
  stream.append(file.constData() + point.Byte, file.size() - point.Byte);
  return stream;
}
