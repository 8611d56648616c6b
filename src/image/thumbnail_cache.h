#pragma once
// The desktop's shared thumbnail cache, as file managers and photo programs
// keep it (the freedesktop.org thumbnail standard): PNG files under
// $XDG_CACHE_HOME/thumbnails (else the user's cache folder), in the size
// classes normal (128), large (256), x-large (512) and xx-large (1024),
// named by the MD5 of the file's URI and valid while their Thumb::URI,
// Thumb::MTime and (when present) Thumb::Size match the file.
//
// Every function may run on any thread. Entries are written by one worker
// thread of their own, to a temporary file in the entry's folder that is
// then renamed, so readers and other writers (other programs included)
// never see half a file. Folders the cache creates are 0700, files 0600.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// The size class that serves a picture part of box: the smallest class not
// smaller than box's longer side; 0 when box is larger than every class.
int ThumbnailCacheClass(QSize box);

// The cache folder: $XDG_CACHE_HOME/thumbnails when that is set (and
// absolute), else "thumbnails" in the user's cache folder.
QString ThumbnailCacheRoot();

// The file:// URI the cache knows a file by.
QByteArray ThumbnailCacheUri(const QString& fileName);

// An entry's file for fileName in sizeClass (a class's size in pixels).
QString ThumbnailCacheEntry(const QString& fileName, int sizeClass);

// The size the cache last recorded for fileName (which may be gone now):
// how big a moved file was.
std::optional<qint64> LastKnownSize(const QString& fileName);

// Whether fileName lies inside the cache folder (its entries are never
// looked up or written).
bool IsInsideThumbnailCache(const QString& fileName);

struct CachedPicture {
  QImage Picture;  // upright; null when there is no valid entry
  QSize FullSize;  // the whole upright picture's size
};

// The entry of sizeClass for fileName when it exists, reads whole and
// matches the file as it is now.
CachedPicture ReadCachedThumbnail(const QString& fileName, int sizeClass);

// Whether the cache records that fileName, as it is now, could not be read
// (fail/quirevale/).
bool IsRecordedFailure(const QString& fileName);

// The picture an entry of sizeClass stores for an upright picture: scaled
// to fit sizeClass x sizeClass, never enlarged.
QSize CacheEntrySize(QSize fullSize, int sizeClass);

// Queues writing the entry of sizeClass for fileName from picture (upright,
// at least CacheEntrySize) whose whole size is fullSize. Nothing is written
// for files inside the cache, or when its folders cannot be made or written.
void StoreCachedThumbnail(const QString& fileName, const QImage& picture, QSize fullSize,
                          int sizeClass);

// Queues recording that fileName could not be read.
void StoreFailure(const QString& fileName);

// Waits until every queued entry is written.
void WaitForThumbnailCacheWrites();
