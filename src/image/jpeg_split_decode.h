#pragma once
// Decoding one baseline JPEG on two threads: the calling thread decodes the
// rows above a split MCU row from the file, another thread the rows below it
// from the second stream of jpeg_split.h. The picture is the same, byte for
// byte, as the one-thread decode of jpeg_reader.h.
//
// Taken only by single-scan Huffman files of 8-bit grey or three components
// whose chroma is not subsampled and whose decoded rows need no rows of the
// MCU row above or below, without restart markers. Anything else, or any
// error or warning from either half, gives nothing: the caller then decodes
// the same bytes the usual way, so damaged files behave as they always did.

#include <QByteArray>
#include <optional>

#include "jpeg_reader.h"

// With row 0 the split row is chosen to balance the threads and small
// pictures are refused; otherwise the split is at that MCU row. splitBit,
// when given, learns where in its byte the row's first bit lies (-1: the
// file was not split that far).
std::optional<JpegPicture> ReadJpegSplit(const QByteArray& file, const JpegMinimumSize& minimumSize,
                                         const JpegLimits& limits, int row = 0,
                                         int* splitBit = nullptr);

// Whether a file beginning with head (its header at least) is one that
// ReadJpegSplit takes, so that reading it whole pays.
bool JpegWorthSplitting(const QByteArray& head, const JpegMinimumSize& minimumSize,
                        const JpegLimits& limits);
