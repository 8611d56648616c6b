#include "thumbs_cache.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <utility>

#include "book/thumbnail_loading.h"
#include "core/open_album.h"
#include "core/progress.h"
#include "image/thumbnail_cache.h"
#include "init/program_settings.h"

namespace {

const QSize kBox(180, 135);

// Seconds to load the files as a chapter; 0 when a thumbnail is missing.
double TimedLoad(const QStringList& files) {
  AlbumModel model;
  AlbumThumbnails thumbs;
  ImageEdits::SetChapter(model, 0, ImagesOf(files));
  NoProgress quiet;
  QElapsedTimer timer;
  timer.start();
  LoadChapterThumbnails(model, thumbs, 0, kBox, quiet);
  const double seconds = timer.nsecsElapsed() / 1e9;
  const bool all = std::none_of(thumbs.Lists[0].cbegin(), thumbs.Lists[0].cend(),
                                [](const Thumbnail& t) { return t.IsNull(); });
  return all ? seconds : 0;
}

}  // namespace

std::vector<BenchGoal> MeasureCachedLoading(
    const QStringList& photos, int rounds,
    const std::function<bool(const QStringList&)>& qtReader) {
  const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
  std::vector<double> cold, warm, qt;
  for (int round = 0; round < rounds; ++round) {
    // Every round starts from an empty cache of its own.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    cold.push_back(TimedLoad(photos));
    // The first load's page does not wait for its entries; the second needs them.
    WaitForThumbnailCacheWrites();
    warm.push_back(TimedLoad(photos));
    QElapsedTimer timer;
    timer.start();
    if (qtReader(photos)) qt.push_back(timer.nsecsElapsed() / 1e9);
  }
  qputenv("XDG_CACHE_HOME", oldCache);
  const bool ok = std::none_of(cold.begin(), cold.end(), [](double s) { return s == 0; }) &&
                  std::none_of(warm.begin(), warm.end(), [](double s) { return s == 0; }) &&
                  !qt.empty();
  const double coldS = ok ? Median(cold) : 0;
  const double warmS = ok ? Median(warm) : 0;
  const double qtS = ok ? Median(qt) : 0;
  const auto n = static_cast<double>(photos.size());
  std::printf(
      "\nA chapter of %lld photos loaded twice, thumbnails %dx%d, %d rounds:\n"
      "  %-40s %10.1f images/s\n  %-40s %10.1f images/s\n  %-40s %10.1f images/s\n",
      static_cast<long long>(photos.size()), kBox.width(), kBox.height(), rounds,
      "first load (decoding, cache written)", ok ? n / coldS : 0.0, "second load (from the cache)",
      ok ? n / warmS : 0.0, "QImageReader setScaledSize (1 thread)", ok ? n / qtS : 0.0);
  std::fflush(stdout);
  return {
      {QStringLiteral("thumbs-cache-warm-vs-cold"), ok ? coldS / warmS : 0, 8, false, "x"},
      {QStringLiteral("thumbs-cache-warm-vs-qimagereader"), ok ? qtS / warmS : 0, 20, false, "x"},
  };
}
