#include "browser/copied_files.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

#include "core/paths.h"

QStringList CopiedFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr) return files;
  QList<QUrl> urls = data->urls();
  const QString gnome = QStringLiteral("x-special/gnome-copied-files");
  if (urls.isEmpty() && data->hasFormat(gnome)) {
    const QList<QByteArray> lines = data->data(gnome).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)  // the first says "copy" or "cut"
      if (!lines[i].trimmed().isEmpty()) urls << QUrl::fromEncoded(lines[i].trimmed());
  }
  for (const QUrl& url : urls) {
    if (!url.isLocalFile()) continue;
    const QFileInfo info(url.toLocalFile());
    if (info.isFile()) files << info.absoluteFilePath();
  }
  return files;
}

QStringList PictureFiles(const QStringList& files) {
  const QList<QByteArray> kinds = QImageReader::supportedImageFormats();
  QStringList pictures;
  for (const QString& file : files) {
    if (IsVideoFile(file) || kinds.contains(FileExtUpper(file).mid(1).toLower().toLatin1()))
      pictures << file;
  }
  return pictures;
}
