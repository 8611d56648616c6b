// Times a slideshow step: from the step key to the first frame of the
// cross-fade with the next photo painted, with the next photo made ahead by
// the show's worker. Beside it, what the same step costs without the worker:
// decoding, fitting and captioning the photo on the key.
//
//   bench_slideshow [--rounds N] [--data FOLDER] [--shots FOLDER]
//
// The photos are four photo-like 6000 x 4000 (24 megapixel) JPEGs at quality
// 90, made once into FOLDER/slideshow; the screen is 1920 x 1080 (offscreen:
// a screen of that size is configured). --shots saves a title card, a photo
// and a frame in mid-fade as PNG files. Exit status 1 when the goal is missed.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "../thumbs/bench_photos.h"
#include "bench_stats.h"
#include "core/album_model.h"
#include "dialogs/slide_frame.h"
#include "dialogs/slide_sequence.h"
#include "dialogs/slideshow.h"
#include "init/program_settings.h"

namespace {

constexpr double kTargetMs = 16.0;

QString Argument(int argc, char** argv, const char* name, const QString& fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (qstrcmp(argv[i], name) == 0) return QString::fromLocal8Bit(argv[i + 1]);
  return fallback;
}

// The offscreen platform gets a 1920 x 1080 screen from a file of its own.
void UseFullHdScreen(const QString& data) {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && platform != "offscreen") return;
  QDir().mkpath(data);
  const QString config = data + QStringLiteral("/offscreen-1920x1080.json");
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(R"({ "screens": [ { "name": "bench", "x": 0, "y": 0, "width": 1920, )"
             R"("height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ] })");
  file.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
}

void WaitUntil(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 20000) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

double Ms(qint64 ns) { return static_cast<double>(ns) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  const QString data = Argument(
      argc, argv, "--data", QString::fromLocal8Bit(argv[0]) + QStringLiteral("/../../bench-data"));
  UseFullHdScreen(data);
  QApplication app(argc, argv);
  const int rounds = std::max(1, Argument(argc, argv, "--rounds", QStringLiteral("9")).toInt());
  const QString shots = Argument(argc, argv, "--shots", QString());
  const QString folder = QDir(data).absoluteFilePath(QStringLiteral("slideshow"));
  const QStringList photos = EnsureBenchPhotos(folder, 4, 6000, 4000, false);
  if (photos.isEmpty()) {
    std::printf("could not write the photos into %s\nGOAL slideshow-step - <%.2fms FAIL\n",
                qPrintable(folder), kTargetMs);
    return 1;
  }
  AlbumModel model;
  model.DataFiles = QStringList{folder + QStringLiteral("/bench.xml"), QStringLiteral("lake.xml")};
  model.ImageDirs = QStringList{QString(), QString()};
  model.ChapterNames = QStringList{QStringLiteral("lake")};
  model.DataTitles = QStringList{QStringLiteral("Bench album"), QStringLiteral("By the lake")};
  ImageList images = ImagesOf(photos);
  for (ImageRecord& image : images) {
    image.Title = QStringLiteral("Evening at the lake");
    image.Date = QStringLiteral("12 August 2024");
    image.Place = QStringLiteral("Lipno");
    image.People = QStringLiteral("Anna, Petr");
  }
  ImageEdits::SetChapter(model, 0, images);
  ImageEdits::SetChapter(model, 1, images.mid(0, 1));
  AlbumLook look;
  ProgramSettings settings;
  settings.SlideshowInterval = 60;  // the keys step, not the timer

  // Photo after photo, round after round: each step shows another decode.
  const QList<SlideItem> chapter = SlideSequence(model, 0, 0).mid(0, photos.size());
  if (chapter.isEmpty()) return 1;
  QList<SlideItem> items;
  for (int i = 0; i <= rounds + 1; ++i) items << chapter[i % chapter.size()];
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect geometry = screen->geometry();
  SlideshowView view(nullptr);
  view.Play(model, look, settings, items, geometry);
  std::vector<double> steps;
  std::vector<double> unprepared;
  for (int round = 0; round <= rounds; ++round) {
    const int next = round + 1;  // one item a step from the first
    WaitUntil([&] { return view.IsReady(next) && !view.IsFading(); });
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QElapsedTimer timer;
    timer.start();
    QApplication::sendEvent(&view, &right);
    view.repaint();  // the first frame of the fade, painted now
    const qint64 step = timer.nsecsElapsed();
    timer.start();
    QImage frame = SlidePictureFrame(items[next].File, geometry.size());
    PaintCaption(frame, images[items[next].Index], look);
    const qint64 without = timer.nsecsElapsed();
    if (round == 0) continue;  // warming up
    steps.push_back(Ms(step));
    unprepared.push_back(Ms(without));
  }
  if (!shots.isEmpty()) {
    QDir().mkpath(shots);
    const QList<SlideItem> book = SlideSequence(model, 0, 3);  // a photo, the card, a photo
    view.Play(model, look, settings, book, geometry);
    view.grab().save(shots + QStringLiteral("/slideshow-photo.png"));
    WaitUntil([&] { return view.IsReady(1); });
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&view, &right);
    QElapsedTimer timer;
    timer.start();
    WaitUntil([&] { return timer.elapsed() >= 150; });
    view.grab().save(shots + QStringLiteral("/slideshow-fade.png"));
    WaitUntil([&] { return !view.IsFading(); });
    view.grab().save(shots + QStringLiteral("/slideshow-card.png"));
  }
  view.close();
  const double step = Median(steps);
  std::printf("24 MP JPEGs (6000 x 4000) on a %dx%d screen, %d rounds, medians\n", geometry.width(),
              geometry.height(), rounds);
  std::printf("  step without prefetch (decode, fit, caption on the key): %.1f ms\n",
              Median(unprepared));
  const bool pass = step < kTargetMs;
  std::printf("GOAL slideshow-step %.2fms <%.2fms %s\n", step, kTargetMs, pass ? "PASS" : "FAIL");
  return pass ? 0 : 1;
}
