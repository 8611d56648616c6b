#include "thumbnail_picture.h"

#include <QFileInfo>
#include <QImageReader>

#include "jpeg_reader.h"
#include "thumbnail_cache.h"

namespace {

QImage ReadWithQt(const QString& fileName, const char* format) {
  QImageReader reader(fileName, format);
  return reader.read();
}

}  // namespace

ThumbnailPicture ReadThumbnailPicture(const QString& fileName, QSize box,
                                      const ThumbnailDrawnSize& drawnSize, bool shareThumbnails) {
  const QFileInfo info(fileName);
  if (box.isEmpty() || !info.isFile()) return {};
  const QString ext = info.suffix().toUpper();
  const bool jpeg = ext == QLatin1String("JPG") || ext == QLatin1String("JPEG");
  const char* qtFormat = ext == QLatin1String("BMP")   ? "bmp"
                         : ext == QLatin1String("GIF") ? "gif"
                                                       : nullptr;
  if (!jpeg && qtFormat == nullptr) return {};

  const int sizeClass = ThumbnailCacheClass(box);
  const bool cached = sizeClass > 0 && !IsInsideThumbnailCache(fileName);
  if (cached) {
    CachedPicture entry = ReadCachedThumbnail(fileName, sizeClass);
    const QSize drawn = entry.Picture.isNull() ? QSize() : drawnSize(entry.FullSize);
    // An entry smaller than the rectangle it would fill is not used.
    if (!entry.Picture.isNull() && entry.Picture.width() >= drawn.width() &&
        entry.Picture.height() >= drawn.height())
      return {std::move(entry.Picture), entry.FullSize};
    if (IsRecordedFailure(fileName)) return {};
  }
  const bool store = cached && shareThumbnails;

  ThumbnailPicture read;
  if (jpeg) {
    // Decode no larger than the rectangle the picture will fill (drawn one
    // row short, so one row more), or the cache entry when one is to be
    // written.
    JpegPicture decoded = ReadJpegFile(fileName, [&drawnSize, store, sizeClass](QSize full) {
      const QSize least = drawnSize(full) + QSize(0, 1);
      return store ? least.expandedTo(CacheEntrySize(full, sizeClass)) : least;
    });
    read = {std::move(decoded.Image), decoded.FullSize};
  } else {
    read.Picture = ReadWithQt(fileName, qtFormat);
    read.FullSize = read.Picture.size();
  }
  if (read.Picture.isNull()) {
    if (store) StoreFailure(fileName);
    return {};
  }
  if (store) {
    // The book draws from the picture the cache keeps, so a chapter looks the
    // same when it is next made from the cache.
    const QSize entrySize = CacheEntrySize(read.FullSize, sizeClass);
    if (read.Picture.size() != entrySize)
      read.Picture =
          read.Picture.scaled(entrySize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    StoreCachedThumbnail(fileName, read.Picture, read.FullSize, sizeClass);
  }
  return read;
}
