#include "dialogs/guide_album.h"

#include "core/album_model.h"
#include "core/paths.h"

TGuideAlbumFiles GuideAlbumFiles(const QString& typed, const QString& folder) {
  QString album = NormalizeSeparators(typed.trimmed());
  if (album.isEmpty()) return {};
  if (!IsAbsolutePath(album)) album = NormalizeSeparators(folder) + u'/' + album;
  album = ExpandPath(album, RealPathContext());
  if (FileExtUpper(album).isEmpty()) album += QStringLiteral(".ALB");
  const QString stem = album.left(album.size() - FileExtUpper(album).size());
  return {album, stem + QStringLiteral(".XML"), stem + QStringLiteral(".AFM")};
}

void NameNewAlbum(AlbumModel& model, const QString& title, const TGuideAlbumFiles& files) {
  model.AlbumFileName = files.Album;
  model.FormatFileName = files.Format;
  model.DataFiles = QStringList{files.Data};
  model.DataTitles = QStringList{title};
  if (model.ImageDirs.isEmpty()) model.ImageDirs << QString();
  model.DataModified[0] = true;
  model.AlbumModified = true;
  model.FormatModified = true;
}
