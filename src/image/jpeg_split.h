#pragma once
// Splitting one baseline JPEG scan into two that decode independently, so
// two threads can share one picture even without restart markers.
//
// The scanner reads the Huffman codes up to the first MCU of a given MCU row
// (lengths and DC values only, nothing is stored), noting where that row's
// first bit lies and what the DC predictors are there. The second stream is
// a JPEG of its own: the original tables, one made-up MCU row that leaves
// every DC predictor where the original has it and ends exactly where the
// row's first bit falls, then the original bytes from there on. Its first
// MCU row decodes to junk that is thrown away; the rest decodes to the same
// pixels as the original's rows below the split.
//
// Everything here is bounds-checked and gives up (empty result) on anything
// unexpected; the caller then decodes the usual way.

#include <QByteArray>
#include <array>
#include <optional>
#include <vector>

#include "jpeg_huffman.h"

// One scan holding every component, as the scanner walks it.
struct JpegScanLayout {
  struct Component {
    int Blocks = 1;  // blocks of this component in one MCU
    JpegHuffmanTable Dc;
    JpegHuffmanTable Ac;
  };
  std::vector<Component> Components;  // in scan order, at most 4
  int McusPerRow = 0;
  int McuRows = 0;
  int McuHeight = 8;  // in pixels at full size
  int Height = 0;     // the frame's height in pixels
};

// Where in the file the frame's height is stored and the scan's data begins.
struct JpegFrameOffsets {
  qsizetype Height = 0;
  qsizetype Data = 0;
};

struct JpegSplitPoint {
  int Row = 0;         // the MCU row
  qsizetype Byte = 0;  // the byte holding the row's first bit
  int Bit = 0;         // 0..7, counted from the byte's highest bit
  std::array<int, 4> Dc{};
};

// The offsets of a file with one baseline frame (SOF0/SOF1) before its first
// scan; nothing when the markers say otherwise.
std::optional<JpegFrameOffsets> FindFrameOffsets(const QByteArray& file);

// The split points of MCU rows first..last (1 <= first <= last < McuRows),
// fewer when the data ends or breaks before.
std::vector<JpegSplitPoint> ScanToMcuRows(const QByteArray& file, qsizetype dataStart,
                                          const JpegScanLayout& layout, int first, int last);

// The stream whose MCU row 1 on is the original's from the point's row on;
// empty when no made-up row fits these tables.
QByteArray SecondStream(const QByteArray& file, const JpegFrameOffsets& offsets,
                        const JpegScanLayout& layout, const JpegSplitPoint& point);
