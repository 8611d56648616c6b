// The book window's two goals:
// - start-up: from starting the process to the first painted frame of the
//   demo album's cover, against a minimal Qt program that shows one window
//   (this program in another mode), the two started in turns; on the display
//   when there is one (scripts/bench gives it a virtual X server), and on the
//   offscreen platform for comparison;
// - a page turn (ShowSpread and the paint) in a chapter of 1,000 images
//   whose thumbnails are loaded.
//   window_bench [--rounds R] [--album FILE]
//   window_bench --first-paint minimal | book FILE   (one start, for the above)

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/headless_window.h"
#include "app/startup.h"
#include "bench_stats.h"
#include "browser/album_browser.h"
#include "core/message_table.h"
#include "core/program_files.h"
#include "init/profile.h"
#include "init/profile_file.h"
#include "sample_album.h"

namespace {

// Says "painted" and ends the program once the window's first paint is done.
class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      // Handled after the paint event has been handled in full.
      QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
    return false;
  }
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    std::printf("painted\n");
    std::fflush(stdout);
    QCoreApplication::exit(0);
    return true;
  }

 private:
  bool seen_ = false;
};

int FirstPaintChild(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString mode = QString::fromLocal8Bit(argv[2]);
  FirstPaint watcher;
  std::unique_ptr<QWidget> window;
  if (mode == QLatin1String("book") && argc > 3) {
    window.reset(StartBookWindow(QString::fromLocal8Bit(argv[3])));
  } else {
    window = std::make_unique<QWidget>();
    window->resize(600, 400);
  }
  window->installEventFilter(&watcher);
  window->show();
  return QApplication::exec();
}

// Milliseconds from starting the child to its "painted" line; -1 on failure.
double TimeStart(const QStringList& arguments, const QProcessEnvironment& environment) {
  QProcess child;
  child.setProcessEnvironment(environment);
  QElapsedTimer timer;
  timer.start();
  child.start(QCoreApplication::applicationFilePath(), arguments);
  while (child.waitForReadyRead(30000)) {
    if (child.readAll().contains("painted")) {
      const double ms = timer.nsecsElapsed() / 1e6;
      child.waitForFinished(30000);
      return ms;
    }
  }
  std::fprintf(stderr, "window_bench: %s did not paint: %s\n", qPrintable(arguments.join(' ')),
               child.readAllStandardError().constData());
  return -1;
}

struct StartTimes {
  double MinimalMs = -1;
  double BookMs = -1;
  double Ratio() const { return MinimalMs > 0 && BookMs > 0 ? BookMs / MinimalMs : 0; }
};

QProcessEnvironment OnPlatform(QProcessEnvironment environment, const QString& platform) {
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
  return environment;
}

// Medians of the two starts, taken in turns.
StartTimes TimeStarts(const QProcessEnvironment& environment, const QString& album, int rounds) {
  const QStringList minimal{"--first-paint", "minimal"};
  const QStringList book{"--first-paint", "book", album};
  TimeStart(minimal, environment);  // warm the disk cache for both
  TimeStart(book, environment);
  std::vector<double> minimalMs;
  std::vector<double> bookMs;
  for (int round = 0; round < rounds; ++round) {
    minimalMs.push_back(TimeStart(minimal, environment));
    bookMs.push_back(TimeStart(book, environment));
  }
  return {Median(minimalMs), Median(bookMs)};
}

// Milliseconds per page turn, median over every spread of the chapter.
double PageTurnMs() {
  HeadlessPrompts ask;
  AlbumBrowser window(&ask);
  AlbumLook& look = window.Document().Look;
  LoadProfile(ProgramFile(QStringLiteral("default.AFM")), look);
  look.FormLeft = 0;
  look.FormTop = 0;
  look.FormWidth = 1200;
  look.FormHeight = 800;
  look.RowCount = 3;
  look.ColumnCount = 4;
  window.PositionWindow();
  MakeSampleAlbum(window.Album(), 1000, 1, window.Book().ThumbnailBox());
  window.show();
  window.ShowSpread(0, 0);
  window.repaint();
  const int last = window.Model().LastSpread(0, look.ImagesPerPage());
  std::vector<double> turns;
  for (int round = 0; round < 3; ++round) {
    for (int p = 2; p <= last; p += 2) {
      QElapsedTimer timer;
      timer.start();
      window.ShowSpread(0, p);
      window.repaint();  // the paint step, now rather than when idle
      turns.push_back(timer.nsecsElapsed() / 1e6);
    }
  }
  std::printf("page turn, 1,000 images (%d spreads), 1200x800, 4x3 grid: median %.2f ms\n",
              last / 2, Median(turns));
  return Median(turns);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc > 2 && qstrcmp(argv[1], "--first-paint") == 0) return FirstPaintChild(argc, argv);

  QApplication app(argc, argv);
  int rounds = 9;
  QString album = ProgramFile(QStringLiteral("../samples/demo/Demo.ALB"));
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == QLatin1String("--rounds")) rounds = std::max(1, args[i + 1].toInt());
    if (args[i] == QLatin1String("--album")) album = args[i + 1];
  }

  // The book's start reads and writes the user's settings and desktop
  // files: here they go to a folder of their own.
  QTemporaryDir home;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
  environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
  // A frame is shown on a display; the offscreen platform, with no display
  // connection to make, is timed as well and printed for comparison.
  const QString platform = QGuiApplication::platformName();
  const StartTimes offscreen = TimeStarts(OnPlatform(environment, "offscreen"), album, rounds);
  std::printf(
      "first frame offscreen: minimal Qt window %.1f ms, demo album's cover %.1f ms (%.2fx)\n",
      offscreen.MinimalMs, offscreen.BookMs, offscreen.Ratio());
  const StartTimes shown = platform == QLatin1String("offscreen")
                               ? offscreen
                               : TimeStarts(OnPlatform(environment, platform), album, rounds);
  if (platform != QLatin1String("offscreen")) {
    std::printf("first frame on %s: minimal Qt window %.1f ms, demo album's cover %.1f ms\n",
                qPrintable(platform), shown.MinimalMs, shown.BookMs);
  }
  const double ratio = shown.Ratio();
  const bool started = ratio > 0;
  std::printf("GOAL window-start-vs-minimal %.2fx <=2.00x %s (%s)\n", ratio,
              started && ratio <= 2.0 ? "PASS" : "FAIL", qPrintable(platform));
  const double turn = PageTurnMs();
  std::printf("GOAL window-page-turn %.2fms <16.00ms %s\n", turn, turn < 16.0 ? "PASS" : "FAIL");
  return started && ratio <= 2.0 && turn < 16.0 ? 0 : 1;
}
