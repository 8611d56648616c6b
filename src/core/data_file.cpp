// Reading data files through the document component: one element object at
// a time, each made from the bytes of its index entry.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <exception>
#include <memory>
#include <optional>

#include "core/album_window.h"
#include "core/data_file.h"
#include "core/data_file_repair.h"
#include "core/message_table.h"
#include "core/paths.h"
#include "core/progress.h"
#include "core/prompts.h"
#include "xml/xml_data.h"

namespace {

// Without the characters writing would drop, so that an album reads the
// same after it is saved.
QString Text(const std::string& utf8) {
  QString text = QString::fromStdString(utf8);
  text.removeIf([](QChar c) { return IsForbiddenInXml(c.unicode()); });
  return text;
}

// The text of element's first child named name, or nothing.
std::optional<QString> ChildText(const xml::XmlElement& element, const char* name) {
  const std::unique_ptr<xml::XmlElement> child = element.ChildByName(name);
  if (!child) return std::nullopt;
  return Text(child->Content());
}

std::optional<QString> AttributeValue(const xml::XmlElement& element, const char* name) {
  const xml::XmlAttribute* attribute = element.AttributeByName(name);
  if (!attribute) return std::nullopt;
  return Text(attribute->Value());
}

void ReadImage(const xml::XmlElement& image, bool isAlbum2, const QString& name,
               const QString& folder, ImageList& target) {
  // Appended first: what a broken element gave before it broke stays.
  target.append(ImageRecord());
  ImageRecord& record = target.last();
  // An empty name stays empty: resolved, it would name the image folder.
  const auto src = AttributeValue(image, "src");
  if (src && !src->isEmpty()) record.File = ResolvePath(name, folder, *src);
  const auto title = isAlbum2 ? ChildText(image, "title") : std::nullopt;
  record.Title = title ? *title : Text(image.Content());
  if (!isAlbum2) return;
  record.Date = ChildText(image, "date").value_or(QString());
  record.Place = ChildText(image, "place").value_or(QString());
  record.People = ChildText(image, "people").value_or(QString());
}

// Gives the document its own error handler back however opening ends.
struct HandlerGuard {
  xml::XmlData& Document;
  xml::XmlErrorEvent Saved;
  ~HandlerGuard() { Document.OnStructureError = std::move(Saved); }
};

// Opens the document on a file; where its first structure error lies, if any.
std::optional<size_t> OpenFile(xml::XmlData& document, const QString& file) {
  std::optional<size_t> errorAt;
  const HandlerGuard guard{document, document.OnStructureError};
  document.OnStructureError = [&](xml::XmlErrorType, const std::string&, int start, int) {
    if (!errorAt) errorAt = static_cast<size_t>(std::max(start, 0));
  };
  document.SetFileName(QFile::encodeName(file).toStdString());
  document.Open();
  return errorAt;
}

// Opens the document on a text made from the file's bytes, through a
// temporary file (the document reads only files); the file itself when that
// cannot be written.
std::optional<size_t> OpenText(xml::XmlData& document, const QString& name,
                               const std::string& text) {
  QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/quirevale-XXXXXX.xml"));
  const auto size = static_cast<qint64>(text.size());
  if (!copy.open() || copy.write(text.data(), size) != size || !copy.flush())
    return OpenFile(document, name);
  return OpenFile(document, copy.fileName());  // the document keeps the text in memory
}

bool IsUtf8(const std::string& encoding) {
  const QString name = QString::fromStdString(encoding);
  return name.isEmpty() || name.compare(u"utf-8", Qt::CaseInsensitive) == 0 ||
         name.compare(u"utf8", Qt::CaseInsensitive) == 0;
}

// Opens the document on the file's bytes with bare "&" escaped; when its
// structure breaks, on its whole elements only. The place of the first
// damage, if any: a file that does not open at all is damaged too, unless it
// holds nothing but blanks.
std::optional<TextPlace> OpenRepaired(xml::XmlData& document, const QString& name,
                                      const QByteArray& bytes) {
  const std::string raw = bytes.toStdString();
  const EscapedText escaped = EscapeBareAmpersands(raw);
  std::optional<size_t> damage = escaped.BareAmpersands.empty()
                                     ? OpenFile(document, name)
                                     : OpenText(document, name, escaped.Text);
  if (damage && document.IsOpen()) {
    if (const auto salvaged = SalvageWholeElements(escaped.Text)) {
      damage = salvaged->DamageAt;
      OpenText(document, name, salvaged->Text);
    }
  }
  if (!damage || (!document.IsOpen() && bytes.trimmed().isEmpty())) return std::nullopt;
  return PlaceOf(raw, escaped.OriginalOffset(*damage), IsUtf8(document.Encoding()));
}

void ShowLoading(ProgressSink& progress, const QString& fileName) {
  progress.ShowProgress(Msg(QStringLiteral("LoadingFile")) + QStringLiteral("\r\n") +
                            QDir::toNativeSeparators(fileName),
                        0, false);
}

// Hides the progress box however loading ends.
class ProgressGuard {
 public:
  explicit ProgressGuard(ProgressSink& progress) : progress_(progress) {}
  ~ProgressGuard() { progress_.HideProgress(); }
  ProgressGuard(const ProgressGuard&) = delete;
  ProgressGuard& operator=(const ProgressGuard&) = delete;

 private:
  ProgressSink& progress_;
};

// A link to the main file itself, or a second link to one chapter file, would
// make two chapters of one file: on saving, the copy written last would win
// and the other's changes and links would vanish. Such links are left out,
// also when they name the file another way (a symbolic link, letter case).
void SkipRepeatedLinks(ProgressSink& progress, const QString& main, QStringList& links,
                       QStringList& names) {
  QStringList seen{main};
  for (qsizetype i = 0; i < links.size();) {
    const QString full = ResolvePath(main, QString(), links[i]);
    const auto sameFile = [&](const QString& other) { return SameFile(other, full); };
    if (std::none_of(seen.cbegin(), seen.cend(), sameFile)) {
      seen << full;
      ++i;
      continue;
    }
    progress.ShowProgressText(Msg(QStringLiteral("LinkSkipped")) + QStringLiteral("\r\n") +
                              QDir::toNativeSeparators(links[i]));
    links.removeAt(i);
    names.removeAt(i);
  }
}

// Remembers whether a data file was read whole. Of a file read in part the
// user is told where the damage begins, and it is not saved over unasked.
void NoteDamage(AlbumModel& model, const QString& file, const std::optional<TextPlace>& damage,
                QStringList& damaged) {
  RemovePath(model.PartlyReadFiles, file);
  if (!damage) return;
  model.PartlyReadFiles << file;
  damaged << Msg(QStringLiteral("DataFileDamaged"))
                 .arg(QDir::toNativeSeparators(file), QString::number(damage->Line),
                      QString::number(damage->Column));
}

// LoadAlbumData without the progress box's end; damaged collects what the
// user is told about files read in part.
void ReadAlbumData(const DataFileContext& context, const QString& name,
                   const AlbumDataLists& target, QStringList& damaged) {
  for (ImageList& chapter : target.Chapters) chapter.clear();
  target.DataTitles.clear();
  target.ImageDirs.clear();
  target.DataFiles.clear();
  target.ChapterNames.clear();
  if (name.isEmpty()) {
    // An album without a data file: one empty entry, as for a new album.
    target.DataFiles << QString();
    target.DataTitles << QString();
    target.ImageDirs << QString();
    return;
  }
  const QString main = ResolvePath(context.Model.AlbumFileName, QString(), name);
  ShowLoading(context.Progress, main);
  QString title;
  QString folder;
  QStringList links;
  QStringList names;
  std::optional<TextPlace> damage;
  const bool ok = ReadDataFile(context.Document, main, title, folder, target.Chapters[0], links,
                               names, &damage);
  NoteDamage(context.Model, main, damage, damaged);
  context.Model.DiskStamps.Note(main);
  SkipRepeatedLinks(context.Progress, main, links, names);
  // The model has ten chapter slots; links beyond them are left out.
  constexpr int kMaxChapters = MaxDataFiles - 1;
  if (links.size() > kMaxChapters) {
    links = links.mid(0, kMaxChapters);
    names = names.mid(0, kMaxChapters);
  }
  target.DataTitles << title;
  target.ImageDirs << folder;
  target.DataFiles << main << links;
  target.ChapterNames = names;
  if (!ok) return;
  QStringList scratch;
  for (int i = 1; i < target.DataFiles.size(); ++i) {
    ShowLoading(context.Progress, target.DataFiles[i]);
    title.clear();
    const QString chapter = ResolvePath(main, QString(), target.DataFiles[i]);
    ReadDataFile(context.Document, chapter, title, folder, target.Chapters[i], scratch, scratch,
                 &damage);
    NoteDamage(context.Model, chapter, damage, damaged);
    context.Model.DiskStamps.Note(chapter);
    target.DataTitles << title;
    target.ImageDirs << folder;
  }
}

}  // namespace

bool ReadDataFile(xml::XmlData& document, const QString& name, QString& title, QString& folder,
                  ImageList& target, QStringList& links, QStringList& names,
                  std::optional<TextPlace>* damage) {
  links.clear();
  names.clear();
  folder.clear();
  target.clear();
  if (damage) damage->reset();
  if (name.isEmpty() || !QFileInfo(name).isFile()) return false;
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  file.close();
  const std::optional<TextPlace> damaged = OpenRepaired(document, name, bytes);
  if (damage) *damage = damaged;
  if (!document.IsOpen()) return false;
  const std::unique_ptr<xml::XmlElement> root = document.Root();
  if (!root) {
    document.Close();
    return false;
  }
  const bool isAlbum2 = root->Name() == "album2";
  if (const auto dir = AttributeValue(*root, "dir")) folder = *dir;
  const int count = root->ChildCount();
  for (int i = 0; i < count; ++i) {
    // One broken element is skipped; whatever it added stays, the rest loads.
    try {
      const std::unique_ptr<xml::XmlElement> child = root->ChildAt(i);
      if (!child) continue;
      const std::string& kind = child->Name();
      if (kind == "title") {
        title = Text(child->Content());
      } else if (kind == "link") {
        if (const auto href = AttributeValue(*child, "xlink:href")) {
          links << *href;
          names << Text(child->Content());
        }
      } else if (kind == "photo" || kind == "video") {
        ReadImage(*child, isAlbum2, name, folder, target);
      }
    } catch (const std::exception&) {
    }
  }
  document.Close();
  return true;
}

void LoadAlbumData(const DataFileContext& context, const QString& name,
                   const AlbumDataLists& target) {
  QStringList damaged;
  {
    ProgressGuard hide(context.Progress);
    ReadAlbumData(context, name, target, damaged);
  }
  // Told once, after loading, for every file at once.
  if (!damaged.isEmpty()) context.Ask.ShowWarning(damaged.join(QStringLiteral("\r\n\r\n")));
}

void LoadAlbumData(const DataFileContext& context, const QString& name) {
  AlbumData data;
  LoadAlbumData(context, name, data.Lists());
  data.MoveInto(context.Model);
  for (int k = 0; k < MaxDataFiles; ++k) context.Model.MarkSaved(k);
}

void AlbumData::MoveInto(AlbumModel& model) {
  model.DataFiles = std::move(DataFiles);
  model.ChapterNames = std::move(ChapterNames);
  model.DataTitles = std::move(DataTitles);
  model.ImageDirs = std::move(ImageDirs);
  ImageEdits::SetAlbum(model, std::move(Chapters));
}

void OpenDataFile(const DataFileContext& context, const QString& name) {
  AlbumData data;
  LoadAlbumData(context, name, data.Lists());
  data.MoveInto(context.Model);
  ShowOpenedData(context);
}

void ShowOpenedData(const DataFileContext& context) {
  AlbumModel& model = context.Model;
  context.Thumbs.Clear();
  for (int k = 0; k < MaxDataFiles; ++k) model.MarkSaved(k);
  if (context.Window.IsEditMode()) context.Window.RunEditMode();
  if (context.LoadAllChapters) {
    for (int k = 0; k <= model.ChapterCount(); ++k) context.Window.LoadThumbnails(k);
  }
  context.Window.ShowSpread(0, -1);
}
