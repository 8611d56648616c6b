#include "dialogs/guide_album.h"

#include "core/album_model.h"
#include "core/paths.h"

GuideFileNames GuideAlbumFiles(const QString& typed, const QString& folder) {
  QString name = NormalizeSeparators(typed.trimmed());
  if (name.isEmpty()) return {};
  if (!IsAbsolutePath(name)) name = NormalizeSeparators(folder) + u'/' + name;
  name = ExpandPath(name, RealPathContext());
  // Only the three extensions of an album's files are taken off: any other
  // dot ("Holiday 2024.06") is part of the name. The album file keeps the
  // ".ALB" as typed; the data and format files get their own extensions, so
  // the three are always three files.
  const QString ext = FileExtUpper(name);
  const bool albumExt = ext == u".ALB";
  QString stem = name;
  if (albumExt || ext == u".XML" || ext == u".AFM") stem.chop(ext.size());
  if (NamePart(stem).isEmpty()) return {};  // a folder or a bare extension
  return {albumExt ? name : stem + QStringLiteral(".ALB"), stem + QStringLiteral(".XML"),
          stem + QStringLiteral(".AFM")};
}

void NameNewAlbum(AlbumModel& model, const QString& title, const GuideFileNames& files) {
  model.AlbumFileName = files.Album;
  model.FormatFileName = files.Format;
  model.DataFiles = QStringList{files.Data};
  model.DataTitles = QStringList{title};
  if (model.ImageDirs.isEmpty()) model.ImageDirs << QString();
  model.DataModified[0] = true;
  model.AlbumModified = true;
  model.FormatModified = true;
}
