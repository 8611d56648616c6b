#include "thumbnail_batch.h"

#include <utility>

#include "book/thumbnail_loading.h"

ThumbnailList MakeThumbnails(const QStringList& files, QSize box, const QString& title,
                             ProgressSink& progress, int threads) {
  if (files.isEmpty()) return {};
  // A scratch album whose only chapter holds the files lets the chapter
  // loader do the work, so new images get exactly the thumbnails a reload
  // of the chapter would give them.
  AlbumModel scratch;
  AlbumThumbnails thumbs;
  ImageEdits::SetChapter(scratch, 0, ImagesOf(files));
  scratch.DataTitles = QStringList{title};
  LoadChapterThumbnails(scratch, thumbs, 0, box, progress, threads);
  return std::move(thumbs.Lists[0]);
}
