// Times opening a photo in the image view's fit mode, as the view does it
// before it shows: our decoding (DCT scaling to the smallest size that still
// covers the fitted picture) plus the layout; against Qt's QImageReader
// reading the whole picture and scaling it to the fitted size. (The view then
// paints the decoded picture stretched to its place, as it would any other.)
//
//   bench_view [--rounds N] [--data FOLDER]
//
// The photo is a photo-like 4000 x 3000 JPEG at quality 90, made once into
// FOLDER/view; the screen is 1920 x 1080. The two ways take turns within each
// round; the medians of the rounds count. Exit status 1 when the goal is missed.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "../thumbs/bench_photos.h"
#include "bench_stats.h"
#include "dialogs/pic_view_layout.h"
#include "dialogs/pic_view_picture.h"
#include "image/jpeg_split_decode.h"

namespace {

const QSize kScreen(1920, 1080);
constexpr double kTarget = 3.0;

QSize Fitted(QSize full) { return PicViewLayout(full, kScreen, 0).Picture.size(); }

// What the view does before it can paint: decode and lay out. The size
// reported is the picture's place on the screen.
QImage Ours(const QString& file, QSize* shown) {
  const ViewPicture picture = ReadViewPicture(file, Fitted);
  *shown = PicViewLayout(picture.FullSize, kScreen, 0).Picture.size();
  return picture.Image;
}

QImage QtFullThenScale(const QString& file, QSize* shown) {
  QImageReader reader(file);
  const QImage full = reader.read();
  *shown = PicViewLayout(full.size(), kScreen, 0).Picture.size();
  return full.scaled(*shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

double Seconds(QImage (*open)(const QString&, QSize*), const QString& file, QSize* shown) {
  QElapsedTimer timer;
  timer.start();
  const QImage image = open(file, shown);
  const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  if (image.isNull()) *shown = QSize();
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QString data = QCoreApplication::applicationDirPath() + QStringLiteral("/../bench-data");
  int rounds = 9;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--rounds") && i + 1 < args.size()) {
      rounds = std::max(1, args[++i].toInt());
    } else if (args[i] == QLatin1String("--data") && i + 1 < args.size()) {
      data = args[++i];
    }
  }
  const QString folder = QDir::cleanPath(data + QStringLiteral("/view"));
  const QStringList photos = EnsureBenchPhotos(folder, 1, 4000, 3000, false);
  if (photos.isEmpty()) {
    std::printf("could not write the photo into %s\nGOAL view-fit-vs-qimagereader - >=%.2fx FAIL\n",
                qPrintable(folder), kTarget);
    return 1;
  }
  const QString& file = photos.first();
  if (!QImageReader::supportedImageFormats().contains("jpeg")) {
    std::printf("Qt has no JPEG reader here\nGOAL view-fit-vs-qimagereader - >=%.2fx FAIL\n",
                kTarget);
    return 1;
  }
  std::vector<double> ours;
  std::vector<double> qt;
  QSize oursSize;
  QSize qtSize;
  for (int round = 0; round < rounds; ++round) {
    ours.push_back(Seconds(Ours, file, &oursSize));
    qt.push_back(Seconds(QtFullThenScale, file, &qtSize));
  }
  const double oursMedian = Median(ours);
  const double qtMedian = Median(qt);
  const double ratio = qtMedian / oursMedian;
  std::printf("4000 x 3000 JPEG fitted to 1920 x 1080, %d rounds, medians\n", rounds);
  std::printf("  ours (DCT-scaled decode, layout):    %7.1f ms -> %dx%d\n", oursMedian * 1e3,
              oursSize.width(), oursSize.height());
  std::printf("  QImageReader full size, then scaled: %7.1f ms -> %dx%d\n", qtMedian * 1e3,
              qtSize.width(), qtSize.height());
  QFile photo(file);
  const bool split = photo.open(QIODevice::ReadOnly) &&
                     ReadJpegSplit(photo.readAll(), Fitted, JpegLimits()).has_value();
  std::printf("  decoded on two threads: %s\n", split ? "yes" : "no");
  // Both must have made the same picture for the ratio to mean anything.
  const bool pass = ratio >= kTarget && !oursSize.isEmpty() && oursSize == qtSize;
  std::printf("GOAL view-fit-vs-qimagereader %.2fx >=%.2fx %s\n", ratio, kTarget,
              pass ? "PASS" : "FAIL");
  return pass ? 0 : 1;
}
