#include "pic_view_picture.h"

#include <QImageReader>

#include "core/album_model.h"
#include "core/paths.h"
#include "image/jpeg_reader.h"

namespace {

ViewPicture ReadWithQt(const QString& fileName, const char* format) {
  QImageReader reader(fileName, format);
  const QSize size = reader.size();
  // The same pixel limit as JPEG: refused before anything large is allocated.
  if (size.isEmpty() || qint64(size.width()) * size.height() > JpegLimits().MaxPixels) return {};
  QImage image = reader.read();
  if (image.isNull()) return {};
  return {image, image.size()};
}

}  // namespace

ViewPicture ReadViewPicture(const QString& fileName, const std::function<QSize(QSize)>& neededSize,
                            JpegThreads threads) {
  const QString ext = FileExtUpper(fileName);
  if (ext == QLatin1String(".JPG") || ext == QLatin1String(".JPEG")) {
    JpegPicture jpeg = ReadJpegFile(fileName, neededSize, {}, threads);
    if (jpeg.Status != JpegStatus::Ok || jpeg.Image.isNull()) return {};
    return {std::move(jpeg.Image), jpeg.FullSize};
  }
  if (ext == QLatin1String(".BMP")) return ReadWithQt(fileName, "bmp");
  if (ext == QLatin1String(".GIF")) return ReadWithQt(fileName, "gif");
  return {};
}

QString ImageFilePath(const AlbumModel& model, int k, int index) {
  return ResolvePath(ResolvePath(model.DataFiles.value(0), QString(), model.DataFiles.value(k)),
                     model.ImageDirs.value(k), model.Images(k).value(index).File);
}
