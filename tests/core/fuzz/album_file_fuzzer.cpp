// Reads the bytes as an album file (any key=value file decodes alike). The
// lines written back must decode to the same lines, the key lookup must
// agree with a plain scan, and the names the program writes for the values
// found must name the same files again.

#include <QDir>
#include <cstdlib>

#include "core/album_file.h"
#include "core/album_model.h"
#include "core/key_value.h"
#include "core/paths.h"
#include "core/text_codec.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// A path tidied as the file system reads it: "sub/.." gone, ".." above the
// root is the root.
QString Tidy(const QString& path) {
  QString tidy = QDir::cleanPath(path);
  while (tidy.startsWith(QLatin1String("/../"))) tidy = tidy.mid(3);
  return tidy == QLatin1String("/..") ? QStringLiteral("/") : tidy;
}

// A name whose last part is empty, "." or "..": a folder, never a file. No
// album opens with one, so what is written back for it does not matter.
bool NamesAFolder(QString name) {
  const QString last = name.replace(u'\\', u'/').section(u'/', -1);
  return last.isEmpty() || last == QLatin1String(".") || last == QLatin1String("..");
}

// The first line whose key matches, found the long way.
std::optional<QString> Scan(const QStringList& lines, const QString& key) {
  for (const QString& line : lines) {
    const QStringList parts = line.split(u'=');
    if (parts.size() > 1 && parts[0].toCaseFolded() == key.toCaseFolded())
      return line.mid(parts[0].size() + 1);
  }
  return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QStringList lines = SplitTextLines(DecodeKeyValueText(bytes));
  Check(SplitTextLines(DecodeKeyValueText(EncodeKeyValueLines(lines))) == lines);
  const AlbumFileValues values = ReadAlbumFileValues(lines);
  Check(Scan(lines, QStringLiteral("DataFile")).value_or(QString()) == values.DataFile);
  Check(Scan(lines, QStringLiteral("FormatFile")).value_or(QString()) == values.FormatFile);
  // Each line's own key finds that line's value or an earlier line's.
  for (const QString& line : lines) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq >= 0) Check(FindKeyValue(lines, line.left(eq)).has_value());
  }
  // The album as opened from /albums/a.ALB, written and read again.
  AlbumModel model;
  model.AlbumFileName = QStringLiteral("/albums/a.ALB");
  const QString album = model.AlbumFileName;
  if (!values.DataFile.isEmpty()) model.DataFiles = {ResolvePath(album, {}, values.DataFile)};
  model.FormatFileName = ResolvePath(album, {}, values.FormatFile);
  // An absolute name keeps its "sub/.." as written; the relative one written
  // for it is tidied, so the two are compared tidied.
  const AlbumFileValues again = ReadAlbumFileValues(AlbumFileLines(model));
  const auto same = [&album](const QString& written, const QString& opened) {
    return SamePath(Tidy(ResolvePath(album, {}, written)), Tidy(opened));
  };
  Check(NamesAFolder(values.DataFile) || same(again.DataFile, model.DataFiles[0]));
  Check(NamesAFolder(values.FormatFile) || same(again.FormatFile, model.FormatFileName));
  return 0;
}
