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

// Seconds to load the files as a chapter, writing cache entries when share
// (not waiting for them); 0 when a thumbnail is missing.
double TimedLoad(const QStringList& files, bool share) {
  AlbumModel model;
  AlbumThumbnails thumbs;
  ImageEdits::SetChapter(model, 0, ImagesOf(files));
  NoProgress quiet;
  QElapsedTimer timer;
  timer.start();
  LoadChapterThumbnails(model, thumbs, 0, kBox, quiet, 0, share);
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
  std::vector<double> coldNoWrite, coldWrite, warm, qt;
  for (int round = 0; round < rounds; ++round) {
    // Each cold load starts from an empty cache of its own; the two take
    // turns going first.
    QTemporaryDir plain, shared;
    const auto cold = [&](bool share) {
      qputenv("XDG_CACHE_HOME", (share ? shared : plain).path().toUtf8());
      (share ? coldWrite : coldNoWrite).push_back(TimedLoad(photos, share));
    };
    cold(round % 2 == 1);
    cold(round % 2 == 0);
    // The first load's page does not wait for its entries; the second needs them.
    WaitForThumbnailCacheWrites();
    qputenv("XDG_CACHE_HOME", shared.path().toUtf8());
    warm.push_back(TimedLoad(photos, true));
    QElapsedTimer timer;
    timer.start();
    if (qtReader(photos)) qt.push_back(timer.nsecsElapsed() / 1e9);
  }
  qputenv("XDG_CACHE_HOME", oldCache);
  const auto measured = [](const std::vector<double>& v) {
    return std::none_of(v.begin(), v.end(), [](double s) { return s == 0; });
  };
  const bool ok = measured(coldNoWrite) && measured(coldWrite) && measured(warm) && !qt.empty();
  const double plainS = ok ? Median(coldNoWrite) : 0;
  const double writeS = ok ? Median(coldWrite) : 0;
  const double warmS = ok ? Median(warm) : 0;
  const double qtS = ok ? Median(qt) : 0;
  const auto n = static_cast<double>(photos.size());
  const auto rate = [&](double s) { return ok ? n / s : 0.0; };
  std::printf(
      "\nA chapter of %lld photos, thumbnails %dx%d, %d rounds:\n"
      "  %-40s %10.1f images/s\n  %-40s %10.1f images/s\n  %-40s %10.1f images/s\n"
      "  %-40s %10.1f images/s\n",
      static_cast<long long>(photos.size()), kBox.width(), kBox.height(), rounds,
      "first load, no cache entries written", rate(plainS), "first load, entries written",
      rate(writeS), "second load (from the cache)", rate(warmS),
      "QImageReader setScaledSize (1 thread)", rate(qtS));
  std::fflush(stdout);
  return {
      {QStringLiteral("thumbs-cold-with-cache-writes-vs-without"), ok ? plainS / writeS : 0, 0.9,
       false, "x"},
      {QStringLiteral("thumbs-cache-warm-vs-cold-decode"), ok ? plainS / warmS : 0, 8, false, "x"},
      {QStringLiteral("thumbs-cache-warm-vs-qimagereader"), ok ? qtS / warmS : 0, 20, false, "x"},
  };
}
