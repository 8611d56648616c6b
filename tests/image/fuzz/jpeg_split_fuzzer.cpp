// Drives the two-thread JPEG decode over arbitrary bytes: the first byte picks the MCU row to split
// at, the second the scale, the rest is the file. Besides the sanitizers it checks the promise that
// matters: whenever the file is split, the picture is the one the one-thread decode gives.

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

#include "image/jpeg_split_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int row = 1 + data[0] % 32;
  const int scale = 1 + data[1] % 8;
  const QByteArray file(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
  JpegLimits limits;
  limits.MaxPixels = 1 << 20;
  limits.MaxMemory = 64u << 20;
  const JpegMinimumSize minimum = [scale](QSize full) { return full * scale / 8; };
  const std::optional<JpegPicture> split = ReadJpegSplit(file, minimum, limits, row);
  if (!split) return 0;
  QBuffer buffer;
  buffer.setData(file);
  buffer.open(QIODevice::ReadOnly);
  const JpegPicture one = ReadJpeg(buffer, minimum, limits);
  if (one.Status != split->Status || one.Image != split->Image) std::abort();
  return 0;
}
