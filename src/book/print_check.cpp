#include "print_check.h"

#include <QDir>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentMap>
#include <optional>

#include "book/book.h"
#include "book/page_text.h"
#include "book/sized_book_window.h"
#include "book/thumbnail.h"
#include "core/paths.h"
#include "image/thumbnail_picture.h"

namespace {

struct PictureJob {
  int Chapter = 0;
  int Image = 0;
  QString File;
};

// A cache entry answers at once; else the decoder reads at its smallest
// scale: only the full size counts.
std::optional<PrintFinding> CheckPicture(const PictureJob& job, QSize box) {
  PrintFinding f{PrintFinding::Kind::Missing, job.Chapter, job.Image, job.File, 0, QString()};
  if (IsVideoFile(job.File)) {
    f.What = PrintFinding::Kind::Video;
    return f;
  }
  if (!QFileInfo(job.File).isFile()) return f;
  const ThumbnailPicture read = ReadThumbnailPicture(
      job.File, QSize(1, 1), [](QSize) { return QSize(1, 1); }, false);
  if (read.Picture.isNull()) {
    f.What = PrintFinding::Kind::Unreadable;
    return f;
  }
  const EdgeRect printed = ThumbnailPictureRect(read.FullSize, box);
  if (printed.Width() <= 0) return std::nullopt;
  // The pages are laid out at 96 pixels to the inch.
  f.Ppi = int(96.0 * read.FullSize.width() / printed.Width());
  if (f.Ppi >= MinPrintPpi) return std::nullopt;
  f.What = PrintFinding::Kind::LowResolution;
  return f;
}

}  // namespace

std::vector<PrintFinding> CheckBookForPrint(BookView& book, SizedBookWindow& window,
                                            bool withCover) {
  const AlbumModel& model = book.Model();
  std::vector<PictureJob> jobs;
  for (int c = 0; c <= model.ChapterCount(); ++c) {
    const ImageList& images = model.Images(c);
    for (int i = 0; i < int(images.size()); ++i) jobs.push_back({c, i, images[i].File});
  }
  const QSize box = book.Layout().ScreenThumbnailBox();
  const std::vector<std::optional<PrintFinding>> checked = QtConcurrent::blockingMapped(
      jobs, [box](const PictureJob& job) { return CheckPicture(job, box); });
  std::vector<PrintFinding> findings;
  for (const std::optional<PrintFinding>& f : checked)
    if (f) findings.push_back(*f);

  // The texts of every spread, laid out without pictures: seconds, no decoding.
  std::vector<TextBox> boxes;
  window.SetPicturesOff(true);
  book.RecordTextBoxes(&boxes);
  const int perPage = book.Look().ImagesPerPage();
  auto check = [&](int c, int p) {
    boxes.clear();
    book.ShowSpread(c, p);
    for (const TextBox& b : boxes) {
      if (b.Cut || b.Elided)
        findings.push_back({PrintFinding::Kind::TextDoesNotFit, c, -1, QString(), 0, b.Text});
    }
  };
  if (withCover) check(0, -1);
  for (int c = 0; c <= model.ChapterCount(); ++c)
    for (int p = 0; p <= model.LastSpread(c, perPage); p += 2) check(c, p);
  book.RecordTextBoxes(nullptr);
  window.SetPicturesOff(false);
  book.ShowSpread(0, -1);
  return findings;
}

QString DescribeFinding(const PrintFinding& f, const AlbumModel& model) {
  const QString where =
      QStringLiteral("chapter %1 (%2)").arg(f.Chapter + 1).arg(model.DataTitles.value(f.Chapter));
  const QString picture = QStringLiteral("%1, picture %2 %3")
                              .arg(where)
                              .arg(f.Image + 1)
                              .arg(QDir::toNativeSeparators(f.File));
  switch (f.What) {
    case PrintFinding::Kind::Missing:
      return picture + QStringLiteral(": missing, its place stays empty");
    case PrintFinding::Kind::Unreadable:
      return picture + QStringLiteral(": cannot be read, its place stays empty");
    case PrintFinding::Kind::Video:
      return picture + QStringLiteral(": a video, printed as its picture");
    case PrintFinding::Kind::LowResolution:
      return picture +
             QStringLiteral(": %1 ppi at its printed size (%2 wanted)").arg(f.Ppi).arg(MinPrintPpi);
    case PrintFinding::Kind::TextDoesNotFit:
      return where + QStringLiteral(": \"%1\" does not fit its place").arg(f.Text);
  }
  return where;
}
