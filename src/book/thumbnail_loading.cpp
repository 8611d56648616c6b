#include "thumbnail_loading.h"

#include <QFuture>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <vector>

#include "book/busy_cursor.h"
#include "book/thumbnail.h"
#include "core/message_table.h"
#include "core/open_album.h"
#include "core/progress.h"

namespace {

bool ValidSlot(int k) { return k >= 0 && k < MaxDataFiles; }

// Whether every thumbnail chapter k has made was made for box.
bool MadeOnlyFor(const AlbumThumbnails& thumbs, int k, QSize box) {
  return std::all_of(thumbs.Lists[k].cbegin(), thumbs.Lists[k].cend(),
                     [box](const Thumbnail& t) { return !t.IsMade() || t.Box == box; });
}

qint64 OtherChaptersBytes(const AlbumThumbnails& thumbs, int k) {
  qint64 bytes = 0;
  for (int other = 0; other < MaxDataFiles; ++other) {
    if (other != k) bytes += ChapterThumbnailBytes(thumbs, other);
  }
  return bytes;
}

// Chapter k's thumbnails: those in range made for box (all of them anew
// with remake), those outside it dropped. progress (when given) advances
// with each one made; share as for LoadChapterThumbnails.
void MakeRange(const AlbumModel& model, AlbumThumbnails& thumbs, int k, ImageRange range, QSize box,
               bool remake, ProgressSink* progress, int threads, bool share) {
  BusyCursor busy;
  // The workers read this copy, never the model.
  const QStringList files = FilesOf(model.Images(k));
  QList<Thumbnail>& thumbnails = thumbs.Lists[k];
  // A list out of step with the files cannot be trusted position by position.
  if (thumbnails.size() != files.size()) thumbnails = QList<Thumbnail>(files.size());
  std::vector<int> todo;
  for (int i = 0; i < files.size(); ++i) {
    if (!range.Contains(i)) {
      thumbnails[i] = Thumbnail();
    } else if (remake || thumbnails[i].Box != box) {
      thumbnails[i] = Thumbnail();  // its memory goes before the new one comes
      todo.push_back(i);
    }
  }
  const QString text =
      model.DataTitles.value(k) + QLatin1Char('\n') + Msg(QStringLiteral("LoadingThumbs"));
  // Every file is queued at once, in order; the pool works through them on
  // all cores while this thread takes the results in order.
  QThreadPool pool;
  pool.setMaxThreadCount(threads > 0 ? threads : QThread::idealThreadCount());
  std::vector<QFuture<Thumbnail>> pending;
  if (threads != 1) {
    pending.reserve(todo.size());
    for (int i : todo)
      pending.push_back(QtConcurrent::run(&pool, ReadThumbnail, files[i], box, share));
  }
  const auto count = static_cast<qint64>(todo.size());
  for (std::size_t n = 0; n < todo.size(); ++n) {
    if (progress != nullptr) {
      const auto percent = static_cast<int>(RoundHalfEven(static_cast<qint64>(n + 1) * 100, count));
      progress->ShowProgress(text, percent, true);
    }
    const int i = todo[n];
    thumbnails[i] = pending.empty() ? ReadThumbnail(files[i], box, share) : pending[n].result();
  }
  thumbs.Loaded[k] = true;
  if (progress != nullptr) progress->HideProgress();
}

}  // namespace

void LoadChapterThumbnails(const AlbumModel& model, AlbumThumbnails& thumbs, int k, QSize box,
                           ProgressSink& progress, int threads, bool share) {
  if (!ValidSlot(k) || k > model.ChapterCount()) return;
  thumbs.Lists[k].clear();
  const ImageRange range = KeptImages(model.ImageCount(k), 1, 0, ThumbnailBytesAtMost(box),
                                      ThumbnailMemoryBudget - OtherChaptersBytes(thumbs, k));
  MakeRange(model, thumbs, k, range, box, true, &progress, threads, share);
}

void LoadAllThumbnails(const AlbumModel& model, AlbumThumbnails& thumbs, QSize box,
                       ProgressSink& progress, int threads, bool share) {
  for (int k = 0; k <= model.ChapterCount() && k < MaxDataFiles; ++k) {
    LoadChapterThumbnails(model, thumbs, k, box, progress, threads, share);
  }
}

void PrepareChapterThumbnails(const AlbumModel& model, AlbumThumbnails& thumbs,
                              const ThumbnailRequest& request, ProgressSink& progress) {
  const int k = request.Chapter;
  if (!ValidSlot(k) || k > model.ChapterCount()) return;
  for (int other = 0; other < MaxDataFiles; ++other) {
    // Thumbnails of another size would be made again before being shown.
    if (other != k && (request.KeepOneChapter || !MadeOnlyFor(thumbs, other, request.Box)))
      thumbs.Drop(other);
  }
  const int count = model.ImageCount(k);
  const qint64 each = ThumbnailBytesAtMost(request.Box);
  qint64 others = OtherChaptersBytes(thumbs, k);
  // The bound is for all thumbnails together: a chapter that does not fit
  // beside the others pushes them out before it is cut to spreads.
  if (others > 0 && qint64{count} * each > request.Budget - others) {
    for (int other = 0; other < MaxDataFiles; ++other) {
      if (other != k) thumbs.Drop(other);
    }
    others = 0;
  }
  const ImageRange range =
      KeptImages(count, request.PerPage, request.Spread, each, request.Budget - others);
  const QList<Thumbnail>& thumbnails = thumbs.Lists[k];
  const bool fresh = !thumbs.Loaded[k] || thumbnails.size() != count;
  qint64 toMake = 0;
  for (int i = range.First; i < range.Last; ++i) {
    if (fresh || thumbnails[i].Box != request.Box) ++toMake;
  }
  const bool showProgress = fresh || toMake > 2 * qint64{request.PerPage};
  MakeRange(model, thumbs, k, range, request.Box, false, showProgress ? &progress : nullptr,
            request.Threads, request.Share);
}
