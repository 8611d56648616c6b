#include "thumbs_memory.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cstdio>

#include "bench_photos.h"
#include "book/thumbnail.h"
#include "book/thumbnail_loading.h"
#include "core/open_album.h"
#include "core/progress.h"
#include "init/profile.h"

namespace {

constexpr int kImages = 500;
constexpr double kMB = 1024.0 * 1024.0;

// A status line of /proc/self/status in MB; 0 where there is none.
double StatusMB(const char* key) {
  QFile file(QStringLiteral("/proc/self/status"));
  if (!file.open(QIODevice::ReadOnly)) return 0;
  for (QByteArray line = file.readLine(); !line.isEmpty(); line = file.readLine()) {
    if (line.startsWith(key))
      return line.mid(int(qstrlen(key))).trimmed().split(' ')[0].toDouble() / 1024;
  }
  return 0;
}

// The peak resident size starts again from the present one.
void ResetPeak() {
  QFile file(QStringLiteral("/proc/self/clear_refs"));
  if (file.open(QIODevice::WriteOnly)) file.write("5");
}

double ThumbnailsMB(const AlbumThumbnails& thumbs) {
  qint64 bytes = 0;
  for (int k = 0; k < MaxDataFiles; ++k) bytes += ChapterThumbnailBytes(thumbs, k);
  return static_cast<double>(bytes) / kMB;
}

void FillChapter(AlbumModel& model, const QStringList& files) {
  model.ResetToStart();
  QStringList chapter;
  for (int i = 0; i < kImages; ++i) chapter << files[i % files.size()];
  ImageEdits::SetChapter(model, 0, ImagesOf(chapter));
}

ThumbnailRequest Request(const AlbumLook& look, QSize window, int spread) {
  ThumbnailRequest request;
  request.Spread = spread;
  request.PerPage = look.ImagesPerPage();
  request.Share = false;
  request.Box = ThumbnailSize(window, look);
  return request;
}

AlbumLook GridLook(int rows, int columns) {
  AlbumLook look;
  SetDefaultProfile(look);
  look.RowCount = rows;
  look.ColumnCount = columns;
  return look;
}

// The demo album's look (samples/generator): 1240 x 660, 2 x 3 a page.
double DemoLookMB(const QString& dataDir) {
  AlbumLook look = GridLook(2, 3);
  look.TextRowCount = 2;
  const QSize window(1240, 660);
  // Camera-like: one picture in five upright.
  const QStringList wide = EnsureBenchPhotos(dataDir + "/demo-wide", 40, 800, 600, false);
  const QStringList tall = EnsureBenchPhotos(dataDir + "/demo-tall", 10, 600, 800, false);
  QStringList files;
  for (int i = 0; i < 50; ++i) files << (i % 5 == 4 ? tall[i / 5] : wide[i - i / 5]);
  AlbumModel model;
  AlbumThumbnails thumbs;
  FillChapter(model, files);
  NoProgress quiet;
  const ThumbnailRequest request = Request(look, window, 0);
  PrepareChapterThumbnails(model, thumbs, request, quiet);
  const double mb = ThumbnailsMB(thumbs);
  const double before =
      static_cast<double>(kImages) * request.Box.width() * request.Box.height() * 4 / kMB;
  std::printf(
      "\nDemo look, %d images, picture part %dx%d: thumbnails take %.1f MB (whole cells with "
      "alpha: %.1f MB)\n",
      kImages, request.Box.width(), request.Box.height(), mb, before);
  return mb;
}

// Pages through the first 60 spreads and back to the start; the peak of the
// process's resident size above where it began.
double LargeWindowPeakMB(const QStringList& photos) {
  const AlbumLook look = GridLook(1, 1);
  const QSize window(2400, 1500);
  AlbumModel model;
  AlbumThumbnails thumbs;
  FillChapter(model, photos);
  NoProgress quiet;
  ResetPeak();
  const double start = StatusMB("VmRSS:");
  double modelPeak = 0;
  std::vector<int> spreads;
  for (int p = 0; p <= 120; p += 2) spreads.push_back(p);
  spreads.push_back(0);
  for (int p : spreads) {
    PrepareChapterThumbnails(model, thumbs, Request(look, window, p), quiet);
    modelPeak = std::max(modelPeak, ThumbnailsMB(thumbs));
  }
  const double peak = StatusMB("VmHWM:") - start;
  const QSize box = ThumbnailSize(window, look);
  std::printf(
      "2400x1500, 1 x 1, %d images of 4000x3000, picture part %dx%d, paging through 60 "
      "spreads:\n  thumbnails at most %.1f MB, resident size peak +%.1f MB (all of them as "
      "whole cells with alpha: %.0f MB)\n",
      kImages, box.width(), box.height(), modelPeak, peak,
      static_cast<double>(kImages) * box.width() * box.height() * 4 / kMB);
  return peak;
}

}  // namespace

std::vector<BenchGoal> MeasureThumbnailMemory(const QString& dataDir,
                                              const QStringList& largePhotos) {
  std::vector<BenchGoal> goals;
  goals.push_back(
      {QStringLiteral("thumbs-memory-demo-look-500"), DemoLookMB(dataDir), 60, true, " MB"});
  if (!largePhotos.isEmpty()) {
    goals.push_back({QStringLiteral("thumbs-memory-2400x1500-1x1-500-peak"),
                     LargeWindowPeakMB(largePhotos), 600, true, " MB"});
  }
  std::fflush(stdout);
  return goals;
}
