#include "album_document.h"

#include <QFileInfo>

#include "core/album_file.h"
#include "core/album_window.h"
#include "core/file_error.h"
#include "core/file_stamps.h"
#include "core/message_table.h"
#include "core/paths.h"
#include "core/prompts.h"
#include "core/text_file.h"
#include "init/profile_file.h"
#include "init/program_settings.h"

namespace {

bool FileExists(const QString& name) { return !name.isEmpty() && QFileInfo(name).isFile(); }

// The unsaved state a question was asked about is gone.
bool DataAndAlbumSaved(const AlbumModel& model) {
  return !model.AnyDataModified() && !model.AlbumModified;
}

// Makes a look that was read the album's own, under the name it came from.
// Read into a copy first: ApplyProfile must see the window's maximised state,
// not the one just read.
void UseFormat(const DocumentContext& context, const QString& name, const AlbumLook& look,
               bool placeWindow) {
  context.Data.Model.FormatFileName = name;
  ApplyProfile(context, look, placeWindow);
  context.Data.Model.FormatModified = false;
}

}  // namespace

void OpenDocument(const DocumentContext& context, const QString& name) {
  if (!FileExists(name)) return;
  AlbumModel& model = context.Data.Model;
  const QString full = ExpandPath(name, RealPathContext());
  ScopedCursor cursor(context.Data.Window, CursorKind::AppStart);
  const QString ext = FileExtUpper(full);
  // Everything is read before anything of the open album changes: a file
  // that fails to read leaves that album whole, under its own names.
  if (ext == u".ALB") {
    const AlbumFileValues values = ReadAlbumFileValues(ReadTextLines(full));
    model.DiskStamps.Note(full);
    QString format = values.FormatFile;
    if (!format.isEmpty()) format = ResolvePath(full, QString(), format);
    AlbumLook look;
    LoadProfile(format, look, context.Data.Window.WindowGeometry().topLeft());
    model.DiskStamps.Note(format);
    QString dataFile = values.DataFile;
    if (!dataFile.isEmpty()) dataFile = ResolvePath(full, QString(), dataFile);
    AlbumData data;
    LoadAlbumData(context.Data, dataFile, data.Lists());
    model.AlbumFileName = full;
    UseFormat(context, format, look, true);
    data.MoveInto(model);
    ShowOpenedData(context.Data);
    model.AlbumModified = false;
    context.Data.Window.DocumentOpened();
  } else if (ext == u".AFM") {
    OpenFormatFile(context, full, true);
  } else if (ext == u".XML") {
    AlbumData data;
    LoadAlbumData(context.Data, full, data.Lists());
    model.AlbumFileName.clear();
    data.MoveInto(model);
    ShowOpenedData(context.Data);
    // A data file opened alone has no album file that could be unsaved.
    model.AlbumModified = false;
    context.Data.Window.DocumentOpened();
  }
}

void OpenFormatFile(const DocumentContext& context, const QString& name, bool placeWindow) {
  AlbumLook loaded;
  LoadDefaultLook(name, loaded, context.Data.Window.WindowGeometry().topLeft());
  context.Data.Model.DiskStamps.Note(name);
  UseFormat(context, name, loaded, placeWindow);
}

void ApplyProfile(const DocumentContext& context, const AlbumLook& profile, bool placeWindow) {
  AlbumLook& look = context.Look;
  const bool wasMaximized = look.FormMaximized;
  AssignProfile(look, profile);
  AlbumWindow& window = context.Data.Window;
  if (placeWindow) {
    window.PositionWindow();
    return;
  }
  const QRect place = window.WindowGeometry();
  look.FormLeft = place.left();
  look.FormTop = place.top();
  look.FormWidth = place.width();
  look.FormHeight = place.height();
  look.FormMaximized = wasMaximized;
  window.RebuildPages();
}

void WriteAlbumFile(const DocumentContext& context) {
  AlbumModel& model = context.Data.Model;
  const QString& album = model.AlbumFileName;
  if (album.isEmpty()) return;  // Save album as names it first
  if (!model.FormatFileName.isEmpty() &&
      !FileExists(ResolvePath(album, QString(), model.FormatFileName))) {
    SaveFormatFile(context);
  }
  // Independent of the format file: a new album always gets its data file.
  if (model.DataFiles.isEmpty()) model.DataFiles << QString();
  if (model.DataFiles[0].isEmpty()) {
    model.DataFiles[0] = DefaultDataFileName(album);
    model.DataModified[0] = true;
  }
  if (!FileExists(ResolvePath(album, QString(), model.DataFiles[0])))
    SaveModifiedDataFiles(context.Data);
  // Declined: the file stays as the other program left it, the flag set.
  if (!MayOverwrite(model.DiskStamps, context.Data.Ask, album)) return;
  WriteTextLines(album, AlbumFileLines(model));
  model.DiskStamps.Note(album);
  model.AlbumModified = false;
}

void SaveFormatFile(const DocumentContext& context) {
  AlbumModel& model = context.Data.Model;
  if (model.FormatFileName.isEmpty()) return;  // Save format as names it first
  const QString file = ResolvePath(model.AlbumFileName, QString(), model.FormatFileName);
  if (!MayOverwrite(model.DiskStamps, context.Data.Ask, file)) return;
  SaveLook(file, context.Look);
  model.DiskStamps.Note(file);
  model.FormatModified = false;
}

bool AskSaveChanges(const DocumentContext& context) {
  const AlbumModel& model = context.Data.Model;
  AlbumWindow& window = context.Data.Window;
  Prompts& ask = context.Data.Ask;
  try {
    if (model.AnyDataModified() || model.AlbumModified) {
      switch (ask.AskYesNoCancel(Msg(QStringLiteral("DataModified")))) {
        case PromptAnswer::Yes:
          window.RunSaveAlbum();
          SaveModifiedDataFiles(context.Data);
          if (!DataAndAlbumSaved(model)) return false;
          break;
        case PromptAnswer::No:
          break;
        case PromptAnswer::Cancel:
          return false;
      }
    }
    // The look is asked about as well: answering the data question must not
    // drop the look's changes without a word.
    if (model.FormatModified) {
      switch (ask.AskYesNoCancel(Msg(QStringLiteral("FormatModified")))) {
        case PromptAnswer::Yes:
          window.RunSaveFormat();
          return !model.FormatModified;
        case PromptAnswer::No:
          return true;
        case PromptAnswer::Cancel:
          return false;
      }
    }
  } catch (const EFileError& error) {
    // The question's caller (a close query, Open, New) goes no further.
    ask.ShowError(error.Message());
    return false;
  }
  return true;
}
