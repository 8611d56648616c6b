#pragma once
// JPEG decoding through libjpeg-turbo, made for thumbnails: the picture is
// decoded at the smallest scale that still gives the size asked for.
//
// Promises: a bad file never ends the process, never writes to stderr and
// never leaks the decompressor. A header claiming more than MaxPixels is
// refused before anything large is allocated; libjpeg's working memory is
// capped at MaxMemory (a progressive file keeps every coefficient of the
// whole picture, so a tiny file can claim gigabytes); a file with more than
// MaxScans scans is refused. The EXIF orientation is applied. Every function
// here may run on several threads at once.

#include <QImage>
#include <QSize>
#include <QString>
#include <cstddef>
#include <functional>

class QIODevice;

struct JpegLimits {
  qint64 MaxPixels = 300'000'000;      // 20000 x 15000: beyond any camera
  std::size_t MaxMemory = 512u << 20;  // a 170-megapixel progressive photo
  int MaxScans = 1000;                 // real files have about ten
};

enum class JpegStatus {
  Ok,
  Unreadable,     // not a JPEG, or damaged before any picture data
  TooManyPixels,  // the header claims more than MaxPixels
  TooMuchMemory,  // decoding would need more than MaxMemory
  TooManyScans,
};

struct JpegPicture {
  JpegStatus Status = JpegStatus::Unreadable;
  QImage Image;         // upright, Format_RGB32; null unless Status is Ok
  QSize FullSize;       // the whole upright picture, whatever scale was decoded
  int Orientation = 1;  // the EXIF orientation that was applied
};

// Given the full upright size, the smallest upright size the decoded image
// may have. The decoder picks the smallest of the scales 1/8 .. 8/8 that
// reaches it in both directions (8/8 when none does).
using JpegMinimumSize = std::function<QSize(QSize fullSize)>;

// Whether a large baseline photo may be decoded on two threads
// (jpeg_split_decode.h), with the same result: worth it where one picture
// is awaited, not where many are decoded side by side (the scan the second
// thread needs costs CPU time).
enum class JpegThreads { One, Two };

// Decodes a JPEG from a readable device; without minimumSize at full size.
// A file cut short keeps what was decoded (the rest is grey). With Two, a
// picture that qualifies is read whole first.
JpegPicture ReadJpeg(QIODevice& device, const JpegMinimumSize& minimumSize = {},
                     const JpegLimits& limits = {}, JpegThreads threads = JpegThreads::One);
JpegPicture ReadJpegFile(const QString& fileName, const JpegMinimumSize& minimumSize = {},
                         const JpegLimits& limits = {}, JpegThreads threads = JpegThreads::One);
