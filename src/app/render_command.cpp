#include "render_command.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

#include "app/headless_window.h"
#include "book/book.h"
#include "core/album_model.h"
#include "core/message_table.h"
#include "init/profile.h"

QImage SpreadPicture(const TBook& book) {
  const QSize size = book.WindowSize();
  const bool closed = book.Model().IsBookClosed();
  QImage picture(closed ? QSize(book.SpineX(), size.height()) : size,
                 QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  if (closed) p.translate(-book.SpineX(), 0);
  book.PaintWindow(p);
  return picture;
}

namespace {

bool SavePicture(const QImage& picture, const QString& path, QString* error) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && picture.save(&file, "PNG") && file.commit()) return true;
  *error =
      QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
  return false;
}

}  // namespace

QStringList RenderBookPictures(TBook& book, const QString& outDir, int chapter, int spread,
                               QString* error) {
  QStringList written;
  if (!QDir().mkpath(outDir)) {
    *error = QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(outDir));
    return written;
  }
  const AlbumModel& model = book.Model();
  const int perPage = AlbumProfile.ImagesPerPage();
  auto render = [&](int c, int p, const QString& name) {
    book.ShowSpread(c, p);
    if (model.CurrentChapter != c || model.CurrentPage != p) {
      *error = QStringLiteral("the album has no spread %1 in chapter %2").arg(p).arg(c);
      return false;
    }
    const QString path = QDir(outDir).filePath(name);
    if (!SavePicture(SpreadPicture(book), path, error)) return false;
    written << path;
    return true;
  };
  if (chapter != -2) {
    render(chapter, spread,
           spread == -1 ? QStringLiteral("cover.png")
                        : QStringLiteral("chapter%1-spread%2.png")
                              .arg(chapter, 2, 10, QLatin1Char('0'))
                              .arg(spread, 4, 10, QLatin1Char('0')));
    return written;
  }
  // A running number first, so that the names sort in book order.
  int sequence = 0;
  if (!render(0, -1, QStringLiteral("%1-cover.png").arg(sequence++, 4, 10, QLatin1Char('0'))))
    return written;
  for (int c = 0; c <= model.ChapterCount(); ++c) {
    for (int p = 0; p <= model.LastSpread(c, perPage); p += 2) {
      const QString name = QStringLiteral("%1-chapter%2-spread%3.png")
                               .arg(sequence++, 4, 10, QLatin1Char('0'))
                               .arg(c, 2, 10, QLatin1Char('0'))
                               .arg(p, 4, 10, QLatin1Char('0'));
      if (!render(c, p, name)) return written;
    }
  }
  return written;
}

int RunRenderCommand(const CommandLine& command, QTextStream& out, QTextStream& err) {
  FillDefaultMessages();
  SetDefaultProfile(AlbumProfile);
  AlbumModel model;
  const QFileInfo info(command.file);
  if (!info.isFile()) {
    err << "quirevale: cannot open " << QDir::toNativeSeparators(command.file)
        << ": no such file\n";
    return 1;
  }
  // Opening arrives with the album files.
  err << "quirevale: cannot open " << QDir::toNativeSeparators(command.file) << "\n";
  Q_UNUSED(out);
  return 1;
}
