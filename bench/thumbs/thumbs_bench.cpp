// Times making thumbnails of a folder of JPEGs against other ways of making
// them: full-size decoding then scaling, Qt's QImageReader with a scaled
// size, vipsthumbnail and djpeg -scale 1/8 (the floor of decoding alone).
//
//   bench_thumbs [DIR] [--rounds N] [--data FOLDER] [--only speed|memory|cache]
//
// Without DIR it times 60 photo-like 4000 x 3000 JPEGs at quality 90, once
// baseline and once progressive, made once into FOLDER/thumbs (by default
// bench-data/ beside the program). The exit status is 1 when a goal is missed.
// The ways take turns within each round; the medians of the rounds count.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench_goal.h"
#include "bench_photos.h"
#include "book/thumbnail.h"
#include "book/thumbnail_loading.h"
#include "core/open_album.h"
#include "core/progress.h"
#include "image/jpeg_reader.h"
#include "init/program_settings.h"
#include "thumbs_cache.h"
#include "thumbs_memory.h"

namespace {

const QSize kBox(180, 135);
constexpr int kPhotoCount = 60;

struct Method {
  QString name;
  std::function<bool(const QStringList&)> run;  // false: could not run
  std::vector<double> seconds;
  bool available = true;
};

bool RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process.setStandardOutputFile(QProcess::nullDevice());
  process.start(program, arguments);
  return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

bool OursAllCores(const QStringList& files) {
  AlbumModel model;
  AlbumThumbnails thumbs;
  ImageEdits::SetChapter(model, 0, ImagesOf(files));
  NoProgress quiet;
  LoadChapterThumbnails(model, thumbs, 0, kBox, quiet, 0, false);
  return std::none_of(thumbs.Lists[0].cbegin(), thumbs.Lists[0].cend(),
                      [](const Thumbnail& t) { return t.IsNull(); });
}

bool FullDecodeThenScale(const QStringList& files) {
  for (const QString& file : files) {
    if (MakeThumbnail(ReadJpegFile(file).Image, kBox).IsNull()) return false;
  }
  return true;
}

bool QtScaledRead(const QStringList& files) {
  for (const QString& file : files) {
    QImageReader reader(file);
    const EdgeRect rect = ThumbnailPictureRect(reader.size(), kBox);
    reader.setScaledSize(QSize(rect.Width(), rect.Height() + 1));
    if (reader.read().isNull()) return false;
  }
  return true;
}

// Runs program once per file, with arguments before the file name.
std::function<bool(const QStringList&)> ToolPerFile(const QString& program,
                                                    const QStringList& arguments) {
  return [program, arguments](const QStringList& files) {
    for (const QString& file : files) {
      if (!RunTool(program, arguments + QStringList{file})) return false;
    }
    return true;
  };
}

// In the order the results are printed; the first is ours.
std::vector<Method> Methods(const QString& scratch) {
  std::vector<Method> methods(5);
  methods[0].name = QStringLiteral("quirevale (all cores)");
  methods[0].run = OursAllCores;
  methods[1].name = QStringLiteral("full decode, then scale (1 thread)");
  methods[1].run = FullDecodeThenScale;
  methods[2].name = QStringLiteral("QImageReader setScaledSize (1 thread)");
  methods[2].run = QtScaledRead;
  const QString vips = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
  methods[3].name = QStringLiteral("vipsthumbnail -s 180x135 (each file)");
  methods[3].run = ToolPerFile(vips, {QStringLiteral("-s"), QStringLiteral("180x135"),
                                      QStringLiteral("-o"), scratch + QStringLiteral("/%s.jpg")});
  methods[3].available = !vips.isEmpty();
  const QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
  methods[4].name = QStringLiteral("djpeg -scale 1/8 (each file)");
  methods[4].run = ToolPerFile(djpeg, {QStringLiteral("-scale"), QStringLiteral("1/8"),
                                       QStringLiteral("-outfile"), QProcess::nullDevice()});
  methods[4].available = !djpeg.isEmpty();
  return methods;
}

// Images per second of each method, in the order of Methods(); 0 when a
// method is missing or failed.
std::vector<double> TimeSet(const QString& title, const QStringList& files, int rounds) {
  QTemporaryDir scratch;
  std::vector<Method> methods = Methods(scratch.path());
  // Read every file once so all methods start from the page cache.
  for (const QString& file : files) {
    QFile f(file);
    if (f.open(QIODevice::ReadOnly)) f.readAll();
  }
  for (int round = 0; round < rounds; ++round) {
    for (Method& method : methods) {
      if (!method.available) continue;
      QElapsedTimer timer;
      timer.start();
      const bool ok = method.run(files);
      const double seconds = timer.nsecsElapsed() / 1e9;
      if (!ok) {
        std::printf("  %s failed\n", qPrintable(method.name));
        method.available = false;
        continue;
      }
      method.seconds.push_back(seconds);
    }
  }
  std::printf("\n%s: %lld files, thumbnails %dx%d, %d rounds, %d cores\n", qPrintable(title),
              static_cast<long long>(files.size()), kBox.width(), kBox.height(), rounds,
              QThread::idealThreadCount());
  std::printf("  %-40s %10s %10s\n", "method", "images/s", "ours is");
  std::vector<double> rates;
  rates.reserve(methods.size());
  for (const Method& method : methods) {
    rates.push_back(method.available && !method.seconds.empty()
                        ? static_cast<double>(files.size()) / Median(method.seconds)
                        : 0.0);
  }
  for (std::size_t i = 0; i < methods.size(); ++i) {
    if (rates[i] == 0.0) {
      std::printf("  %-40s %10s\n", qPrintable(methods[i].name), "missing");
    } else if (i == 0) {
      std::printf("  %-40s %10.1f\n", qPrintable(methods[i].name), rates[i]);
    } else {
      std::printf("  %-40s %10.1f %9.2fx\n", qPrintable(methods[i].name), rates[i],
                  rates[0] / rates[i]);
    }
  }
  std::fflush(stdout);
  return rates;
}

// Other programs running at the same time take cores from the parallel
// method first; the load average shows whether the machine was quiet.
QString LoadAverage() {
  QFile file(QStringLiteral("/proc/loadavg"));
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("unknown");
  return QString::fromLatin1(file.readLine()).section(QLatin1Char(' '), 0, 0);
}

double Ratio(const std::vector<double>& rates, std::size_t other) {
  return rates.size() > other && rates[0] > 0 && rates[other] > 0 ? rates[0] / rates[other] : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QString dir;
  QString data = QCoreApplication::applicationDirPath() + QStringLiteral("/../bench-data");
  int rounds = 3;
  QString only;  // speed, memory or cache; empty: all
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--rounds") && i + 1 < args.size()) {
      rounds = std::max(1, args[++i].toInt());
    } else if (args[i] == QLatin1String("--data") && i + 1 < args.size()) {
      data = args[++i];
    } else if (args[i] == QLatin1String("--only") && i + 1 < args.size()) {
      only = args[++i];
    } else {
      dir = args[i];
    }
  }

  QStringList baseline, progressive;
  QString origin;
  if (dir.isEmpty()) {
    const QString photos = QDir::cleanPath(data + QStringLiteral("/thumbs"));
    std::printf("Making %d photo-like 4000x3000 JPEGs (quality 90) in %s, once ...\n", kPhotoCount,
                qPrintable(photos));
    std::fflush(stdout);
    baseline = EnsureBenchPhotos(photos + "/baseline", kPhotoCount, 4000, 3000, false);
    progressive = EnsureBenchPhotos(photos + "/progressive", kPhotoCount, 4000, 3000, true);
    origin = QStringLiteral("generated");
  } else {
    ListJpegFiles(dir, baseline, progressive);
    origin = dir;
  }
  if (baseline.isEmpty() && progressive.isEmpty()) {
    std::fprintf(stderr, "No JPEG files in %s\n", qPrintable(dir));
    return 1;
  }

  // Decoding is what the speed and memory parts time: an empty cache of their
  // own, never written. The cache part fills caches of its own.
  QTemporaryDir noCache;
  qputenv("XDG_CACHE_HOME", noCache.path().toUtf8());
  std::printf(
      "Load average at the start: %s (other work on the machine lowers the\n"
      "all-cores figure more than the one-thread ones)\n",
      qPrintable(LoadAverage()));
  // Method order: ours, full decode, QImageReader, vipsthumbnail, djpeg.
  std::vector<BenchGoal> goals;
  const auto part = [&only](const char* name) { return only.isEmpty() || only == name; };
  if (part("speed") && !baseline.isEmpty()) {
    const auto rates = TimeSet("baseline JPEGs (" + origin + ")", baseline, rounds);
    goals.push_back(
        {QStringLiteral("thumbs-baseline-vs-qimagereader"), Ratio(rates, 2), 1.8, false, "x"});
    goals.push_back(
        {QStringLiteral("thumbs-baseline-vs-vipsthumbnail"), Ratio(rates, 3), 4.0, false, "x"});
  }
  if (part("speed") && !progressive.isEmpty()) {
    const auto rates = TimeSet("progressive JPEGs (" + origin + ")", progressive, rounds);
    goals.push_back(
        {QStringLiteral("thumbs-progressive-vs-qimagereader"), Ratio(rates, 2), 2.5, false, "x"});
  }
  if (part("cache") && !baseline.isEmpty()) {
    const std::vector<BenchGoal> cache = MeasureCachedLoading(baseline, rounds, QtScaledRead);
    goals.insert(goals.end(), cache.begin(), cache.end());
  }
  if (part("memory")) {
    const std::vector<BenchGoal> memory =
        MeasureThumbnailMemory(QDir::cleanPath(data + QStringLiteral("/thumbs")), baseline);
    goals.insert(goals.end(), memory.begin(), memory.end());
  }
  std::printf("\nLoad average at the end: %s\n\n", qPrintable(LoadAverage()));
  return PrintGoals(goals) ? 0 : 1;
}
