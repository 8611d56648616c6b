#include "browser/document_kinds.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "core/album_model.h"
#include "core/data_file.h"

QString FolderOf(const QString& file) {
  return file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
}

namespace {

QString ProgramFolder(const AlbumModel&) { return QCoreApplication::applicationDirPath(); }
QString AlbumFolder(const AlbumModel& model) { return FolderOf(model.AlbumFileName); }

}  // namespace

const std::vector<DocumentKind>& DocumentKinds() {
  static const std::vector<DocumentKind> kinds{
      {"SaveAlbum", "SaveAlbumAs", "Album files (*.ALB *.alb)", "ALB",
       [](const AlbumModel& model) { return model.AlbumFileName; }, ProgramFolder,
       [](AlbumModel& model, const QString& name) { model.AlbumFileName = name; }, WriteAlbumFile,
       [](const AlbumModel& model) { return model.AlbumModified; }},
      {"SaveData", "SaveDataAs", "Album data files (*.XML *.xml)", "XML",
       [](const AlbumModel& model) { return model.DataFiles.value(0); }, AlbumFolder,
       [](AlbumModel& model, const QString& name) {
         if (name != model.DataFiles.value(0)) {
           model.AlbumModified = true;  // the album file names its data file
           // Written under its new name even when nothing in it changed.
           model.DataModified[0] = true;
         }
         RenameMainDataFile(model, name);
       },
       [](const DocumentContext& context) { SaveModifiedDataFiles(context.Data); },
       [](const AlbumModel& model) { return model.AnyDataModified(); }},
      {"SaveFormat", "SaveFormatAs", "Album format files (*.AFM *.afm)", "AFM",
       [](const AlbumModel& model) { return model.FormatFileName; }, AlbumFolder,
       [](AlbumModel& model, const QString& name) {
         if (name != model.FormatFileName) model.AlbumModified = true;
         model.FormatFileName = name;
       },
       SaveFormatFile, [](const AlbumModel& model) { return model.FormatModified; }},
  };
  return kinds;
}
