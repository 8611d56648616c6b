// Writing a data file: plain lines, not the XML writer, so the bytes are
// exactly the program's own layout.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/album_window.h"
#include "core/data_file.h"
#include "core/file_stamps.h"
#include "core/message_table.h"
#include "core/paths.h"
#include "core/prompts.h"
#include "xml/codepages.h"
#include "xml/xml_text.h"

namespace {

constexpr xml::CodePage kDataFileCodePage = xml::CodePage::Windows1250;

void AppendReference(QByteArray& out, char32_t ch) {
  out += "&#x";
  out += QByteArray::number(static_cast<uint>(ch), 16).toUpper();
  out += ';';
}

// Text in the data file's code page with the toolkit's escapes: in attribute
// values also the double quote, tab and line breaks, and "&" as a character
// reference, which reads back as itself even before "#".
void AppendText(QByteArray& out, const QString& text, bool attribute) {
  for (char32_t ch : text.toUcs4()) {
    if (const char* reference = xml::ReferenceFor(ch, attribute)) {
      out += reference;
      continue;
    }
    // Dropped so that every reader still accepts the file.
    if (IsForbiddenInXml(ch)) continue;
    if (const auto byte = xml::UnicodeToByte(kDataFileCodePage, ch)) {
      out += static_cast<char>(*byte);
    } else {
      AppendReference(out, ch);
    }
  }
}

void AppendElement(QByteArray& out, const char* indent, const char* name, const QString& text) {
  out += indent;
  out += '<';
  out += name;
  out += '>';
  AppendText(out, text, false);
  out += "</";
  out += name;
  out += ">\r\n";
}

// A name beside file that no file has yet: NAME.bak, else NAME.2.bak, ...
QString BackupName(const QString& file) {
  QString name = file + QStringLiteral(".bak");
  for (int n = 2; QFileInfo::exists(name); ++n) name = file + QStringLiteral(".%1.bak").arg(n);
  return name;
}

// A file read only in part is saved over only when the user says so, and
// its original is kept beside it first. False when it must not be written.
bool MaySaveOver(const DataFileContext& context, const QString& target) {
  if (!ContainsPath(context.Model.PartlyReadFiles, target) || !QFileInfo::exists(target))
    return true;
  const QString backup = BackupName(target);
  const QString question =
      Msg(QStringLiteral("OverwriteDamaged"))
          .arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(backup));
  if (!context.Ask.AskYesNo(question)) return false;
  if (QFile::copy(target, backup)) return true;
  context.Ask.ShowWarning(Msg(QStringLiteral("ErrorWritingFile")));
  return false;
}

}  // namespace

QByteArray DataFileBytes(const AlbumModel& model, int k) {
  QByteArray out;
  out += "<?xml version=\"1.0\" encoding=\"Windows-1250\"?>\r\n";
  out += "<!DOCTYPE album2 SYSTEM \"album2.dtd\"> \r\n";
  out += "\r\n";
  out += "<album2";
  const QString folder = model.ImageDirs.value(k);
  if (!folder.isEmpty()) {
    out += " dir=\"";
    AppendText(out, folder, true);
    out += '"';
  }
  out += ">\r\n";
  AppendElement(out, "\t", "title", model.DataTitles.value(k));
  if (k == 0) {
    const QString& main = model.DataFiles[0];
    for (int i = 1; i < model.DataFiles.size() && i < MaxDataFiles; ++i) {
      out += "\t<link xlink:href=\"";
      AppendText(out, MakeRelativePath(main, main, QString(), model.DataFiles[i]), true);
      out += "\">";
      AppendText(out, model.ChapterNames.value(i - 1), false);
      out += "</link>\r\n";
    }
  }
  for (const ImageRecord& image : model.Images(k)) {
    out += "\t<photo src=\"";
    AppendText(out, model.ImagePathForWriting(k, image.File), true);
    out += "\">\r\n";
    AppendElement(out, "\t\t", "title", image.Title);
    AppendElement(out, "\t\t", "date", image.Date);
    AppendElement(out, "\t\t", "place", image.Place);
    AppendElement(out, "\t\t", "people", image.People);
    out += "\t</photo>\r\n";
  }
  out += "</album2>\r\n";
  return out;
}

bool WriteDataFile(const DataFileContext& context, int k) {
  AlbumModel& model = context.Model;
  if (k < 0 || k >= MaxDataFiles || k >= model.DataFiles.size() || model.DataFiles[k].isEmpty())
    return true;
  const QString& main = model.DataFiles[0];
  const QString target = ResolvePath(main, QString(), model.DataFiles[k]);
  if (!MayOverwrite(model.DiskStamps, context.Ask, target) || !MaySaveOver(context, target))
    return false;
  ScopedCursor busy(context.Window, CursorKind::HourGlass);
  if (k == 0) {
    // The model keeps the links in the form the file gets.
    for (int i = 1; i < model.DataFiles.size(); ++i)
      model.DataFiles[i] = MakeRelativePath(main, main, QString(), model.DataFiles[i]);
  }
  const QByteArray bytes = DataFileBytes(model, k);
  QSaveFile file(target);
  // commit() does not see a failure of the final flush (the old file would be
  // replaced by a cut one), so the flush is checked first.
  const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                       file.flush() && file.commit();
  if (!written) {
    context.Ask.ShowWarning(Msg(QStringLiteral("ErrorWritingFile")));
    return false;
  }
  model.MarkSaved(k);
  model.DiskStamps.Note(target);
  RemovePath(model.PartlyReadFiles, target);
  return true;
}

void RenameMainDataFile(AlbumModel& model, const QString& name) {
  if (model.DataFiles.isEmpty()) model.DataFiles << QString();
  const QString old = model.DataFiles[0];
  model.DataFiles[0] = name;
  if (old.isEmpty() || SamePath(FolderPart(old), FolderPart(name))) return;
  for (int i = 1; i < model.DataFiles.size(); ++i)
    model.DataFiles[i] = ResolvePath(old, QString(), model.DataFiles[i]);
  if (model.ImageDirs.isEmpty()) return;
  QString& folder = model.ImageDirs[0];
  if (folder.isEmpty() || IsAbsolutePath(folder)) return;
  // The same folder, whether or not it exists: one that does not is still
  // ignored when read, and the image names stay relative to the data file.
  const QString full = ExpandPath(FolderPart(old) + folder, RealPathContext());
  folder = MakeRelativePath(name, name, QString(), full);
}

void SaveModifiedDataFiles(const DataFileContext& context) {
  const AlbumModel& model = context.Model;
  const int last = std::min(model.ChapterCount(), MaxDataFiles - 1);
  for (int k = 0; k <= last; ++k) {
    if (model.DataModified[k]) WriteDataFile(context, k);
  }
}
