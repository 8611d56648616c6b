// Times adding 200 camera-size JPEGs to a chapter (the Add command: the
// thumbnails of the new files, then one undo step that inserts them) against
// loading that chapter's thumbnails from scratch, the two taking turns round
// by round; the medians count.
//
//   bench_edit [--rounds N] [--data FOLDER]
//
// The 60 photo-like 4000 x 3000 JPEGs of the thumbnail benchmark are made
// once into FOLDER/thumbs; the chapter's 200 files are links to them in
// FOLDER/edit. The exit status is 1 when the goal is missed.
//
// Then adding 200 camera photos with their details read against adding them
// without: tagged copies (date taken, camera names, a camera's boilerplate
// description, XMP title, people and city) made once into
// FOLDER/edit-details. Camera photos are added once, so that pair runs with
// an empty thumbnail cache each time (a fresh XDG_CACHE_HOME).

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <exiv2/exiv2.hpp>
#include <vector>

#include "../thumbs/bench_photos.h"
#include "bench_stats.h"
#include "book/thumbnail_batch.h"
#include "book/thumbnail_loading.h"
#include "browser/editing.h"
#include "core/chapter_undo.h"
#include "core/progress.h"
#include "core/prompts.h"

namespace {

const QSize kBox(180, 135);
constexpr int kPhotos = 60;
constexpr int kFiles = 200;
constexpr double kTarget = 1.2;

QStringList ChapterFiles(const QString& data) {
  const QStringList photos =
      EnsureBenchPhotos(data + QStringLiteral("/thumbs/baseline"), kPhotos, 4000, 3000, false);
  QDir dir(data + QStringLiteral("/edit"));
  dir.mkpath(QStringLiteral("."));
  QStringList files;
  for (int i = 0; i < kFiles; ++i) {
    const QString name =
        dir.filePath(QStringLiteral("photo%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
    if (!QFile::exists(name)) QFile::link(QFileInfo(photos[i % kPhotos]).absoluteFilePath(), name);
    files << name;
  }
  return files;
}

// Adding asks nothing; every question is answered "no".
class NoPrompts : public Prompts {
 public:
  PromptAnswer AskYesNoCancel(const QString&) override { return PromptAnswer::Cancel; }
  bool AskOkCancel(const QString&) override { return false; }
  void ShowWarning(const QString&) override {}
  void ShowError(const QString&) override {}
  QString GetOpenFileName(const FileDialogRequest&) override { return {}; }
  QStringList GetOpenFileNames(const FileDialogRequest&) override { return {}; }
  QString GetSaveFileName(const FileDialogRequest&) override { return {}; }
  std::optional<QColor> GetColor(const QColor&) override { return std::nullopt; }
  std::optional<QFont> GetFont(const QFont&) override { return std::nullopt; }
};

// 60 tagged copies of the photos, linked to 200 times.
QStringList TaggedFiles(const QString& data, const QStringList& photos) {
  QDir dir(data + QStringLiteral("/edit-details"));
  dir.mkpath(QStringLiteral("."));
  Exiv2::XmpParser::initialize();
  QStringList files;
  for (int i = 0; i < kFiles; ++i) {
    const QString copy = dir.filePath(QStringLiteral("tagged%1.jpg").arg(i % kPhotos));
    if (i < kPhotos && !QFile::exists(copy)) {
      QFile::copy(QFileInfo(photos[i]).canonicalFilePath(), copy);
      auto image = Exiv2::ImageFactory::open(QFile::encodeName(copy).toStdString());
      image->readMetadata();
      image->exifData()["Exif.Photo.DateTimeOriginal"] = "2004:06:05 14:30:00";
      image->exifData()["Exif.Image.Make"] = "OLYMPUS IMAGING CORP.";
      image->exifData()["Exif.Image.Model"] = "E-M10";
      image->exifData()["Exif.Image.ImageDescription"] = "OLYMPUS DIGITAL CAMERA";
      image->xmpData()["Xmp.dc.title"] = "lang=x-default Castle at dusk";
      image->xmpData()["Xmp.photoshop.City"] = "Brno";
      image->xmpData()["Xmp.iptc.Location"] = "Spilberk";
      image->writeMetadata();
    }
    const QString name =
        dir.filePath(QStringLiteral("photo%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
    if (!QFile::exists(name)) QFile::link(QFileInfo(copy).absoluteFilePath(), name);
    files << name;
  }
  return files;
}

double AddToChapter(const QStringList& files, bool readDetails, bool coldCache) {
  OpenAlbum album;
  album.View.CurrentChapter = 0;
  album.View.CurrentPage = 0;
  album.Thumbs.Loaded[0] = true;
  AlbumUndo undo(album);
  NoPrompts prompts;
  NoProgress quiet;
  ChapterEditor editor(undo, prompts, [&](const QStringList& names) {
    return MakeNewImages(names, kBox, QString(), quiet, readDetails);
  });
  QTemporaryDir cache;
  const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
  if (coldCache) qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
  QElapsedTimer timer;
  timer.start();
  editor.AddImages(files);
  const double seconds = timer.nsecsElapsed() / 1e9;
  if (coldCache) qputenv("XDG_CACHE_HOME", oldCache);
  if (readDetails && album.Model.Images(0).value(0).Title.isEmpty()) return -1;
  return album.Thumbs.Lists[0].size() == files.size() ? seconds : -1;
}

double LoadChapter(const QStringList& files) {
  AlbumModel model;
  AlbumThumbnails thumbs;
  ImageEdits::SetChapter(model, 0, ImagesOf(files));
  NoProgress quiet;
  QElapsedTimer timer;
  timer.start();
  LoadChapterThumbnails(model, thumbs, 0, kBox, quiet);
  return timer.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QString data = QCoreApplication::applicationDirPath() + QStringLiteral("/bench-data");
  int rounds = 5;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == QLatin1String("--data")) data = args[i + 1];
    if (args[i] == QLatin1String("--rounds")) rounds = std::max(1, args[i + 1].toInt());
  }
  const QStringList files = ChapterFiles(data);
  LoadChapter(files);  // every file into the page cache first
  std::vector<double> add, load;
  for (int round = 0; round < rounds; ++round) {
    add.push_back(AddToChapter(files, false, false));
    load.push_back(LoadChapter(files));
    if (add.back() < 0) {
      std::printf("adding lost thumbnails\n");
      return 1;
    }
  }
  const double ratio = Median(add) / Median(load);
  std::printf("%d files, thumbnails %dx%d, %d rounds, %d cores\n", kFiles, kBox.width(),
              kBox.height(), rounds, QThread::idealThreadCount());
  std::printf("  add to a chapter      %8.3f s\n  load the chapter      %8.3f s\n", Median(add),
              Median(load));
  std::printf("GOAL edit-add-vs-chapter-load %.2fx <=%.2fx %s\n", ratio, kTarget,
              ratio <= kTarget ? "PASS" : "FAIL");

  const QStringList tagged = TaggedFiles(data, ChapterFiles(data));
  std::vector<double> with, without, warmWith, warmWithout;
  for (int round = 0; round < rounds; ++round) {
    with.push_back(AddToChapter(tagged, true, true));
    without.push_back(AddToChapter(tagged, false, true));
    warmWith.push_back(AddToChapter(tagged, true, false));
    warmWithout.push_back(AddToChapter(tagged, false, false));
    if (with.back() < 0) {
      std::printf("adding read no details\n");
      return 1;
    }
  }
  const double details = Median(with) / Median(without);
  std::printf(
      "  add, details read    %8.3f s (empty thumbnail cache)\n"
      "  add, details not read %8.3f s (empty thumbnail cache)\n"
      "  with a warm thumbnail cache: %.2fx (information)\n",
      Median(with), Median(without), Median(warmWith) / Median(warmWithout));
  std::printf("GOAL edit-add-with-details-vs-without %.2fx <=%.2fx %s\n", details, kTarget,
              details <= kTarget ? "PASS" : "FAIL");
  return ratio <= kTarget && details <= kTarget ? 0 : 1;
}
