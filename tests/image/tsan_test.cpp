// Built with ThreadSanitizer (scripts/test): the two-thread JPEG decode, the thumbnail cache's
// writer and the photo details reader, each driven from several threads at once on pictures made
// here. Exits non-zero when a result is wrong; the sanitizer fails the run on any race it sees.

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "image/jpeg_split_decode.h"
#include "image/photo_details.h"
#include "image/picture_prefetch.h"
#include "image/thumbnail_cache.h"
#include "image/thumbnail_picture.h"
#include "support/jpeg_test_files.h"
#include "support/photo_test_files.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir home;
  if (!home.isValid()) return 2;
  qputenv("XDG_CACHE_HOME", home.path().toUtf8());

  // 4:4:4 and grey baseline files: the kinds the decode splits.
  const std::vector<QByteArray> jpegs{
      EncodeJpeg(Grainy(400, 300), {90, false, 0, false, false, 1, 1}),
      EncodeJpeg(Grainy(300, 400), {90, false, 6, false, false, 1, 1, true}),
  };
  std::vector<QImage> expected;
  QStringList files;
  for (const QByteArray& jpeg : jpegs) {
    for (int copy = 0; copy < 3; ++copy) {
      const QString name = home.filePath(QStringLiteral("p%1.jpg").arg(files.size()));
      QFile file(name);
      if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size()) return 2;
      files << name;
    }
    expected.push_back(ReadJpegFile(files.last()).Image);
  }

  // Photos with XMP (the library's least thread-safe part) and EXIF.
  const QString tagged[] = {home.filePath(QStringLiteral("t0.jpg")),
                            home.filePath(QStringLiteral("t1.jpg"))};
  if (!WritePhoto(tagged[0], {{"Xmp.photoshop.City", "Praha"}, {"Xmp.dc.title", "Most"}}) ||
      !WritePhoto(tagged[1], {{"Exif.Photo.DateTimeOriginal", "2004:06:05 14:30:00"}}))
    return 2;
  const PhotoDetails alone[] = {ReadPhotoDetails(tagged[0]), ReadPhotoDetails(tagged[1])};
  if (alone[0].Place != QLatin1String("Praha") || !alone[1].Taken.isValid()) return 2;

  const QSize box(75, 135);  // served by the "large" class (256)
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 3; ++round) {
        for (size_t i = 0; i < jpegs.size(); ++i) {
          const std::optional<JpegPicture> split = ReadJpegSplit(jpegs[i], {}, {}, 5 + t * 7);
          if (!split || split->Image != expected[i]) ++wrong;
        }
        for (int i = 0; i < 2; ++i) {
          const PhotoDetails d = ReadPhotoDetails(tagged[i]);
          if (d.Place != alone[i].Place || d.Title != alone[i].Title || d.Taken != alone[i].Taken)
            ++wrong;
        }
        // Each file decoded and its entry queued by every thread.
        for (const QString& file : files) {
          const auto drawn = [&](QSize full) { return full.scaled(box, Qt::KeepAspectRatio); };
          if (ReadThumbnailPicture(file, box, drawn, true).Picture.isNull()) ++wrong;
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  WaitForThumbnailCacheWrites();
  for (const QString& file : files) {
    if (ReadCachedThumbnail(file, 256).Picture.isNull()) ++wrong;
  }
  if (QDir(home.filePath("thumbnails/large")).entryList(QDir::Files).size() != files.size())
    ++wrong;
  // The slideshow's worker: a walk taking each picture while the next is made.
  {
    PicturePrefetch prefetch([&](int key) { return ReadJpegFile(files[key % files.size()]).Image; },
                             [](int) {});
    for (int i = 0; i < 8; ++i) {
      prefetch.Want({i, i + 1, i - 1});
      if (prefetch.Take(i) != expected[(i % files.size()) / 3] || prefetch.Held().size() > 3)
        ++wrong;
    }
  }
  std::printf("%d wrong results\n", wrong.load());
  return wrong.load() == 0 ? 0 : 1;
}
