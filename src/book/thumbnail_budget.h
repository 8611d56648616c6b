#pragma once
// How much memory thumbnails may take, and which images of a chapter keep
// theirs when the whole chapter would take more.
//
// Estimates are upper bounds (four bytes a pixel of the box, as a picture
// with alpha takes), so the bound holds whatever the pictures turn out to be.

#include <QSize>
#include <QtGlobal>

struct AlbumThumbnails;

constexpr qint64 ThumbnailMemoryBudget = qint64{512} << 20;

// The most a thumbnail made for box can take.
qint64 ThumbnailBytesAtMost(QSize box);

// The bytes the made thumbnails of chapter k hold.
qint64 ChapterThumbnailBytes(const AlbumThumbnails& thumbs, int k);

// Images First .. Last - 1 of a chapter.
struct ImageRange {
  int First = 0;
  int Last = 0;
  bool Contains(int index) const { return index >= First && index < Last; }
  bool operator==(const ImageRange& other) const {
    return First == other.First && Last == other.Last;
  }
};

// The images of spread (page spread - 1 and page spread) with perPage images
// a page: empty for spread 0's left page and pages past the last image.
ImageRange SpreadImages(int imageCount, int perPage, int spread);

// Which images of a chapter of imageCount keep their thumbnails when spread
// is shown and each may take bytesEach of available: all of them when they
// fit; otherwise the shown spread and whole spreads around it, taken after
// and before by turns, as many as fit. The shown spread is always kept, even
// when it alone does not fit.
ImageRange KeptImages(int imageCount, int perPage, int spread, qint64 bytesEach, qint64 available);
