// bench_pdf: the demo album written as a PDF at 300 dpi against the render
// command drawing the same spreads into PNG files of the same pixel size,
// taking turns round by round; then the peak memory of writing an album of
// 1,000 camera photos (links to the thumbnail benchmark's 4000 x 3000 JPEGs).

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "../thumbs/bench_goal.h"
#include "../thumbs/bench_photos.h"
#include "app/render_command.h"
#include "book/pdf_book.h"

namespace {

constexpr int kDpi = 300;
constexpr int kPhotos = 60;
int cameraPhotos = 1000;
constexpr double kRatioTarget = 2.0;
constexpr double kMemoryTarget = 500;      // MB
constexpr double kColdMemoryTarget = 300;  // MB, with the empty cache every run starts with
const QString kDemo = QStringLiteral(QV_BINARY_DIR "/samples/demo/Demo.ALB");

double Seconds(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e9; }

// The process's peak resident memory since the last ResetPeak.
double PeakMegabytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:"))
      return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
  }
  return 0;
}

// Making the photos takes memory the export must not be charged with.
void ResetPeak() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

// The sheet's pixels at kDpi: what the PDF's pictures are made for.
QSize PrintPixels(const PdfOptions& options) {
  const QSize layout = PdfLayoutSize(options);
  return QSize(layout.width() * kDpi / 96, layout.height() * kDpi / 96);
}

double TimePdf(const QString& out) {
  PdfOptions options;
  options.Dpi = kDpi;
  HeadlessAlbum album(PdfLayoutSize(options));
  QString error;
  if (!album.Open(kDemo, &error)) return -1;
  QElapsedTimer timer;
  timer.start();
  if (!WriteBookPdf(album.Book, out, options, nullptr, &error)) return -1;
  return Seconds(timer);
}

double TimePng(const QString& out, int* files) {
  HeadlessAlbum album(PrintPixels(PdfOptions()));
  QString error;
  if (!album.Open(kDemo, &error)) return -1;
  QElapsedTimer timer;
  timer.start();
  *files = int(RenderBookPictures(album.Book, out, -2, -2, &error).size());
  return error.isEmpty() ? Seconds(timer) : -1;
}

// An album of cameraPhotos (--photos) photos in one chapter, titled, as from a camera.
void CameraAlbum(AlbumModel& model, const QString& data) {
  const QStringList photos =
      EnsureBenchPhotos(data + QStringLiteral("/thumbs/baseline"), kPhotos, 4000, 3000, false);
  QDir dir(data + QStringLiteral("/pdf"));
  dir.mkpath(QStringLiteral("."));
  model.DataTitles = QStringList{QStringLiteral("A thousand photos")};
  ImageList images;
  for (int i = 0; i < cameraPhotos; ++i) {
    const QString name = dir.filePath(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
    if (!QFile::exists(name)) QFile::link(QFileInfo(photos[i % kPhotos]).absoluteFilePath(), name);
    images.append({name, QStringLiteral("Photo %1").arg(i + 1), {}, {}, {}});
  }
  ImageEdits::SetChapter(model, 0, images);
}

}  // namespace

int main(int argc, char** argv) {
  // A cold cache of its own: a warm one hides the decoding, and the person's
  // own cache is no place for a benchmark's entries.
  QTemporaryDir cache;
  qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
  QGuiApplication app(argc, argv);
  QString data = QCoreApplication::applicationDirPath() + QStringLiteral("/bench-data");
  int rounds = 3;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == QLatin1String("--data")) data = args[i + 1];
    if (args[i] == QLatin1String("--rounds")) rounds = std::max(1, args[i + 1].toInt());
    if (args[i] == QLatin1String("--photos")) cameraPhotos = std::max(1, args[i + 1].toInt());
  }
  QTemporaryDir out;
  std::vector<BenchGoal> goals;

  // Memory first, while the process has drawn nothing else.
  {
    AlbumModel model;
    CameraAlbum(model, data);
    PdfOptions options;
    options.Dpi = kDpi;
    QString error;
    ResetPeak();
    QElapsedTimer timer;
    timer.start();
    const bool ok =
        WriteAlbumPdf(model, AlbumLook(), ProgramSettings(),
                      out.filePath(QStringLiteral("camera.pdf")), options, nullptr, &error);
    std::printf("%d camera photos at %d dpi: %.1f s, %lld MB of PDF, peak %.0f MB%s\n",
                cameraPhotos, kDpi, Seconds(timer),
                QFileInfo(out.filePath(QStringLiteral("camera.pdf"))).size() >> 20, PeakMegabytes(),
                ok ? "" : qPrintable(QStringLiteral(" (failed: %1)").arg(error)));
    goals.push_back({QStringLiteral("pdf-memory-1000-photos"), ok ? PeakMegabytes() : 0,
                     kMemoryTarget, true, " MB"});
    goals.push_back({QStringLiteral("pdf-memory-1000-photos-cold-cache"), ok ? PeakMegabytes() : 0,
                     kColdMemoryTarget, true, " MB"});
  }
  QFile::remove(out.filePath(QStringLiteral("camera.pdf")));

  std::vector<double> pdf, png;
  int files = 0;
  for (int r = 0; r < rounds; ++r) {
    pdf.push_back(TimePdf(out.filePath(QStringLiteral("demo.pdf"))));
    png.push_back(TimePng(out.filePath(QStringLiteral("png%1").arg(r)), &files));
  }
  const QSize pixels = PrintPixels(PdfOptions());
  std::printf("demo album, %d sheets of %dx%d pixels, %d rounds: PDF %.2f s, PNG %.2f s\n", files,
              pixels.width(), pixels.height(), rounds, Median(pdf), Median(png));
  const bool measured = Median(pdf) > 0 && Median(png) > 0;
  goals.push_back({QStringLiteral("pdf-vs-png-render"), measured ? Median(pdf) / Median(png) : 0,
                   kRatioTarget, true, "x"});
  return PrintGoals(goals) ? 0 : 1;
}
