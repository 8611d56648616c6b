#include "render_command.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

#include "app/headless_window.h"
#include "book/book.h"
#include "core/data_file.h"
#include "core/file_error.h"
#include "core/open_album.h"
#include "core/paths.h"
#include "core/program_files.h"
#include "init/album_document.h"
#include "init/language.h"
#include "init/load_settings.h"
#include "init/profile.h"
#include "init/profile_file.h"
#include "xml/xml_data.h"

QImage SpreadPicture(const BookView& book) {
  const QSize size = book.WindowSize();
  const bool closed = book.View().IsBookClosed();
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

QStringList RenderBookPictures(BookView& book, const QString& outDir, int chapter, int spread,
                               QString* error) {
  QStringList written;
  if (!QDir().mkpath(outDir)) {
    *error = QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(outDir));
    return written;
  }
  const AlbumModel& model = book.Model();
  const ViewState& view = book.View();
  const int perPage = book.Look().ImagesPerPage();
  auto render = [&](int c, int p, const QString& name) {
    book.ShowSpread(c, p);
    if (view.CurrentChapter != c || view.CurrentPage != p) {
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

namespace {

// Opens the file as the program does at start-up; false with a message when
// there is nothing to draw.
bool OpenForRender(const DocumentContext& context, const QString& file, QString* error) {
  const QString shown = QDir::toNativeSeparators(file);
  if (!QFileInfo(file).isFile()) {
    *error = QStringLiteral("cannot open %1: no such file").arg(shown);
    return false;
  }
  const QString ext = FileExtUpper(file);
  if (ext != u".ALB" && ext != u".AFM" && ext != u".XML") {
    *error =
        QStringLiteral("cannot open %1: not an album (.ALB), format (.AFM) or data file (.XML)")
            .arg(shown);
    return false;
  }
  try {
    OpenDocument(context, file);
  } catch (const EFileError& e) {
    *error = QStringLiteral("cannot open %1: %2").arg(shown, e.Message());
    return false;
  }
  // Reading a data file reports nothing; an album whose data file does not
  // read would come out as an empty book.
  const QString data = context.Data.Model.DataFiles.value(0);
  if (ext != u".AFM" && !data.isEmpty()) {
    QString title, folder;
    QStringList links, names;
    ImageList images;
    if (!ReadDataFile(context.Data.Document, data, title, folder, images, links, names)) {
      *error = QStringLiteral("cannot open %1: the album data file %2 does not read")
                   .arg(shown, QDir::toNativeSeparators(data));
      return false;
    }
  }
  return true;
}

}  // namespace

HeadlessAlbum::HeadlessAlbum(QSize size) : Window(size), Book(Album, Window, Look, Settings) {
  // The person's settings: the book speaks their language and shares
  // thumbnails as they chose.
  Settings = DefaultProgramSettings();
  ReadSettings(Settings);
  QCoreApplication::installTranslator(&Messages);
  try {
    LoadLanguage(LanguageFilePath(Settings.Language), Messages);
  } catch (const EFileError& e) {
    Ask.ShowError(e.Message());
  }
  // Start-up's look: the program's default format over the built-in defaults.
  try {
    LoadProfile(ProgramFile(QStringLiteral("default.AFM")), Look);
  } catch (const EFileError&) {
    SetDefaultProfile(Look);  // unreadable: the built-in look
  }
  Window.SetBook(&Book);
}

bool HeadlessAlbum::Open(const QString& file, QString* error) {
  static const bool loadAllChapters = false;
  const DocumentContext context{DataFileContext{Album.Model, Album.View, Album.Thumbs, Document,
                                                Window.Progress(), Window, Ask, loadAllChapters},
                                Look, Settings};
  Window.PositionWindow();
  return OpenForRender(context, file, error);
}

int RunRenderCommand(const CommandLine& command, QTextStream& out, QTextStream& err) {
  HeadlessAlbum album(command.size);
  QString error;
  if (!album.Open(command.file, &error)) {
    err << "quirevale: " << error << "\n";
    return 1;
  }
  for (const QString& message : album.Ask.Messages) err << "quirevale: " << message << "\n";
  const QStringList files =
      RenderBookPictures(album.Book, command.outDir, command.chapter, command.spread, &error);
  for (const QString& file : files) out << QDir::toNativeSeparators(file) << "\n";
  out.flush();
  if (!error.isEmpty()) {
    err << "quirevale: " << error << "\n";
    return 1;
  }
  return 0;
}
