#include "thumbnail_loading.h"

#include <QFuture>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <vector>

#include "book/busy_cursor.h"
#include "book/thumbnail.h"
#include "core/album_model.h"
#include "core/message_table.h"
#include "core/progress.h"

namespace {

bool ValidSlot(int k) { return k >= 0 && k < MaxDataFiles; }

}  // namespace

void LoadThumbnail(AlbumModel& model, int k, const QString& fileName, int position, QSize box) {
  if (!ValidSlot(k)) return;
  BusyCursor busy;
  QList<TThumbnail>& thumbnails = model.Thumbnails[k];
  if (position < 0 || position > thumbnails.size()) position = static_cast<int>(thumbnails.size());
  thumbnails.insert(position, ReadThumbnail(fileName, box));
}

void LoadChapterThumbnails(AlbumModel& model, int k, QSize box, ProgressSink& progress,
                           int threads) {
  if (!ValidSlot(k) || k > model.ChapterCount()) return;
  BusyCursor busy;
  model.Thumbnails[k].clear();
  // The workers read this copy, never the model.
  const QStringList files = model.Chapters[k].Files;
  const int count = static_cast<int>(files.size());
  const QString text =
      model.DataTitles.value(k) + QLatin1Char('\n') + Msg(QStringLiteral("LoadingThumbs"));

  // Every file is queued at once, in order; the pool works through them on
  // all cores while this thread takes the results in order.
  QThreadPool pool;
  pool.setMaxThreadCount(threads > 0 ? threads : QThread::idealThreadCount());
  std::vector<QFuture<TThumbnail>> pending;
  if (threads != 1) {
    pending.reserve(static_cast<std::size_t>(count));
    for (const QString& file : files)
      pending.push_back(QtConcurrent::run(&pool, ReadThumbnail, file, box));
  }
  model.Thumbnails[k].reserve(count);
  for (int i = 0; i < count; ++i) {
    const int percent = static_cast<int>(RoundHalfEven(static_cast<qint64>(i + 1) * 100, count));
    progress.ShowProgress(text, percent, true);
    const auto index = static_cast<std::size_t>(i);
    model.Thumbnails[k].append(pending.empty() ? ReadThumbnail(files[i], box)
                                               : pending[index].result());
  }
  model.ThumbsLoaded[k] = true;
  progress.HideProgress();
}

void LoadAllThumbnails(AlbumModel& model, QSize box, ProgressSink& progress, int threads) {
  for (int k = 0; k <= model.ChapterCount() && k < MaxDataFiles; ++k) {
    LoadChapterThumbnails(model, k, box, progress, threads);
  }
}

bool ChapterThumbnailsReady(const AlbumModel& model, int k, QSize box) {
  if (!ValidSlot(k) || !model.ThumbsLoaded[k]) return false;
  const QList<TThumbnail>& thumbnails = model.Thumbnails[k];
  if (thumbnails.size() != model.Chapters[k].Files.size()) return false;
  // Thumbnails made for another window size or grid would overlap the cells.
  for (const TThumbnail& thumbnail : thumbnails) {
    if (thumbnail.Box != box) return false;
  }
  return true;
}

void PrepareChapterThumbnails(AlbumModel& model, int k, QSize box, ProgressSink& progress,
                              bool keepOneChapter) {
  if (!ValidSlot(k)) return;
  if (keepOneChapter) {
    for (int other = 0; other < MaxDataFiles; ++other) {
      if (other == k) continue;
      model.Thumbnails[other].clear();
      model.ThumbsLoaded[other] = false;
    }
  }
  if (!ChapterThumbnailsReady(model, k, box)) LoadChapterThumbnails(model, k, box, progress);
}
