#pragma once
// The decoding half of thumbnail making: an image file read upright and no
// larger than it will be drawn, through the desktop's thumbnail cache
// (thumbnail_cache.h). Where the picture lands in its cell is the caller's.
// May run on any thread.

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

struct ThumbnailPicture {
  QImage Picture;  // upright; null when there is no picture
  QSize FullSize;  // the whole upright picture's size
};

// Given the full upright size, the size the picture is drawn at.
using ThumbnailDrawnSize = std::function<QSize(QSize fullSize)>;

// The picture of an image file for a thumbnail of box size, read by its
// extension: .BMP and .GIF through Qt's readers, .JPG and .JPEG through our
// JPEG decoder (scaled while decoding, EXIF orientation applied). Null for
// a missing file, any other extension, or a file that fails to decode. A
// cache entry at least drawnSize stands in for decoding, and so does an
// entry recording that the file failed; with shareThumbnails a file decoded
// here gets its entry, and the picture returned is the one the entry keeps.
ThumbnailPicture ReadThumbnailPicture(const QString& fileName, QSize box,
                                      const ThumbnailDrawnSize& drawnSize, bool shareThumbnails);
