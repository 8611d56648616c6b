#include "thumbnail_budget.h"

#include <algorithm>

#include "core/open_album.h"

qint64 ThumbnailBytesAtMost(QSize box) {
  return box.isEmpty() ? 0 : qint64{box.width()} * box.height() * 4;
}

qint64 ChapterThumbnailBytes(const AlbumThumbnails& thumbs, int k) {
  qint64 bytes = 0;
  for (const Thumbnail& thumbnail : thumbs.Lists[k]) bytes += thumbnail.Picture.sizeInBytes();
  return bytes;
}

ImageRange SpreadImages(int imageCount, int perPage, int spread) {
  perPage = std::max(1, perPage);
  const qint64 first = std::max(qint64{0}, qint64{spread - 1} * perPage);
  const qint64 last = std::min(qint64{imageCount}, qint64{spread + 1} * perPage);
  if (first >= last) return {};
  return {static_cast<int>(first), static_cast<int>(last)};
}

ImageRange KeptImages(int imageCount, int perPage, int spread, qint64 bytesEach, qint64 available) {
  if (imageCount <= 0) return {};
  if (bytesEach <= 0 || qint64{imageCount} * bytesEach <= available) return {0, imageCount};
  perPage = std::max(1, perPage);
  ImageRange kept = SpreadImages(imageCount, perPage, spread);
  const qint64 fit = std::max<qint64>(kept.Last - kept.First, available / bytesEach);
  const int spreadImages = 2 * perPage;
  // Whole spreads ahead and behind by turns, ahead first: paging forward is
  // what a reader does most.
  for (bool ahead = true;; ahead = !ahead) {
    const bool canAhead = kept.Last < imageCount;
    const bool canBehind = kept.First > 0;
    if (!canAhead && !canBehind) break;
    if (ahead && !canAhead) continue;
    if (!ahead && !canBehind) continue;
    ImageRange grown = kept;
    if (ahead) {
      grown.Last = static_cast<int>(std::min<qint64>(imageCount, qint64{kept.Last} + spreadImages));
    } else {
      grown.First = std::max(0, kept.First - spreadImages);
    }
    if (grown.Last - grown.First > fit) break;
    kept = grown;
  }
  return kept;
}
