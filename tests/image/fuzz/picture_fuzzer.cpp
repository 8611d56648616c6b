// Reads the bytes as an album's picture for a thumbnail: the first byte picks BMP or GIF (through
// Qt's readers, as the book reads them) or an EXIF block, the second the thumbnail box. A picture
// must come out no larger than our pixel limit allows; an orientation must be 1..8 and turn the
// picture to its upright size.

#include <QFile>
#include <cstdlib>

#include "image/exif_orientation.h"
#include "image/jpeg_reader.h"
#include "image/thumbnail_picture.h"
#include "support/fuzz_app.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  FuzzApp();
  const auto* file = reinterpret_cast<const char*>(data + 2);
  const auto length = qint64(size - 2);
  if (data[0] % 3 == 2) {
    const int orientation = ExifOrientation(data + 2, size - 2);
    Check(orientation >= 1 && orientation <= 8);
    const QImage stored(3, 2, QImage::Format_RGB32);
    Check(ApplyExifOrientation(stored, orientation).size() ==
          UprightSize(stored.size(), orientation));
    return 0;
  }
  const QString name = FuzzScratch().filePath(data[0] % 3 == 0 ? "picture.bmp" : "picture.gif");
  QFile out(name);
  Check(out.open(QIODevice::WriteOnly) && out.write(file, length) == length);
  out.close();
  const int side = 16 + data[1] * 4;
  const auto drawn = [side](QSize full) { return full.scaled(side, side, Qt::KeepAspectRatio); };
  const ThumbnailPicture read = ReadThumbnailPicture(name, QSize(side, side), drawn, false);
  Check(read.Picture.isNull() ||
        qint64(read.FullSize.width()) * read.FullSize.height() <= JpegLimits().MaxPixels);
  return 0;
}
