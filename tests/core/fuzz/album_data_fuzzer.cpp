// Opens an album from bytes: the main data file, then up to nine chapter
// files c1.xml..c9.xml, parts split at form feeds. It reads and
// repairs them into the model, lays out every spread of the book and writes
// every data file back; the written files must read back to the same model
// and be written again byte for byte.

#include <QDir>
#include <QFile>

#include "app/headless_window.h"
#include "book/book_layout.h"
#include "core/data_file.h"
#include "core/paths.h"
#include "init/profile.h"
#include "support/fuzz_app.h"
#include "xml/xml_data.h"

namespace {

QString Scratch(const QString& name) { return FuzzScratch().filePath(name); }

void Write(const QString& file, const QByteArray& bytes) {
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) std::abort();
}

struct Opened {
  OpenAlbum Album;
  xml::XmlData Document;
  NoProgress Progress;
  SizedBookWindow Window{QSize(800, 600)};
  HeadlessPrompts Ask;
  bool LoadAll = false;

  Opened() {
    Album.Model.AlbumFileName = Scratch("album.ALB");
    const DataFileContext context{Album.Model, Album.View, Album.Thumbs, Document,
                                  Progress,    Window,     Ask,          LoadAll};
    LoadAlbumData(context, QStringLiteral("album.xml"));
  }
};

void LayOutEverySpread(const AlbumModel& model) {
  AlbumLook look;
  SetDefaultProfile(look);
  BookLayout layout(look);
  layout.SetWindowSize(QSize(800, 600));
  ViewState view;
  for (int c = 0; c <= model.ChapterCount(); ++c) {
    for (int p = c == 0 ? -1 : 0; p <= model.LastSpread(c, look.ImagesPerPage());
         p += p < 0 ? 1 : 2) {
      view.CurrentChapter = c;
      view.CurrentPage = p;
      layout.LayBookmarks(model, view);
    }
  }
  if (layout.ThumbnailBox().isEmpty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzApp();
  const QList<QByteArray> parts =
      QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\f');
  for (int k = 0; k < MaxDataFiles; ++k) {
    const QString file =
        Scratch(k == 0 ? QStringLiteral("album.xml") : QStringLiteral("c%1.xml").arg(k));
    QFile::remove(file);
    if (k < parts.size()) Write(file, parts[k]);
  }
  const Opened first;
  const AlbumModel& model = first.Album.Model;
  LayOutEverySpread(model);
  // Written back only where every file lies in the scratch folder.
  QStringList files;
  for (const QString& name : model.DataFiles) files << ResolvePath(model.DataFiles[0], {}, name);
  for (const QString& file : files) {
    if (!SamePath(FolderPart(file), FolderPart(Scratch("album.xml")))) return 0;
  }
  QList<QByteArray> written;
  for (int k = 0; k < files.size(); ++k) written << DataFileBytes(model, k);
  for (int k = 0; k < files.size(); ++k) Write(files[k], written[k]);
  const Opened again;
  const AlbumModel& reread = again.Album.Model;
  if (reread.DataFiles.size() != files.size() || reread.ChapterNames != model.ChapterNames ||
      reread.DataTitles != model.DataTitles || reread.AllImages() != model.AllImages())
    std::abort();
  for (int k = 0; k < files.size(); ++k) {
    if (DataFileBytes(reread, k) != written[k]) std::abort();
  }
  return 0;
}
