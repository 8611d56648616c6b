#include "thumbnail_batch.h"

#include <QFuture>
#include <QtConcurrent/QtConcurrentMap>
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

NewImages MakeNewImages(const QStringList& files, QSize box, const QString& title,
                        ProgressSink& progress, bool readDetails, int threads) {
  NewImages made;
  if (readDetails && threads == 1) {
    for (const QString& file : files) made.Details << ReadPhotoDetails(file);
    readDetails = false;
  }
  QFuture<PhotoDetails> details;
  if (readDetails) details = QtConcurrent::mapped(files, ReadPhotoDetails);
  made.Thumbnails = MakeThumbnails(files, box, title, progress, threads);
  if (readDetails) made.Details = details.results();
  return made;
}

bool FillEmptyDetails(ImageRecord& record, const PhotoDetails& details,
                      const std::optional<DateForm>& form) {
  bool changed = false;
  auto fill = [&changed](QString& field, const QString& value) {
    if (!field.trimmed().isEmpty() || value.isEmpty()) return;
    field = value;
    changed = true;
  };
  fill(record.Date, WriteDate(details.Taken, form));
  fill(record.Title, details.Title);
  fill(record.Place, details.Place);
  fill(record.People, details.People);
  return changed;
}
