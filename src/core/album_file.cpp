#include "album_file.h"

#include "core/album_model.h"
#include "core/key_value.h"
#include "core/paths.h"

namespace {

QString RelativeToAlbum(const QString& album, const QString& name) {
  if (name.isEmpty()) return {};
  return MakeRelativePath(album, album, QString(), name);
}

}  // namespace

AlbumFileValues ReadAlbumFileValues(const QStringList& lines) {
  return {KeyValue(lines, QStringLiteral("DataFile")),
          KeyValue(lines, QStringLiteral("FormatFile"))};
}

QStringList AlbumFileLines(const AlbumModel& model) {
  const QString& album = model.AlbumFileName;
  return {QStringLiteral("DataFile=") + RelativeToAlbum(album, model.DataFiles.value(0)),
          QStringLiteral("FormatFile=") + RelativeToAlbum(album, model.FormatFileName)};
}

QString DefaultDataFileName(const QString& albumFileName) {
  QString base = NamePart(albumFileName);
  // Only a real extension is replaced; a name without one gains ".XML".
  base.chop(FileExtUpper(base).size());
  return FolderPart(albumFileName) + base + QStringLiteral(".XML");
}
