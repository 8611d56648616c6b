// The book window's file commands: New, Open, the save commands, Exit,
// About, Help and the close prompt.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>

#include "browser/album_browser.h"
#include "browser/tool_panel.h"
#include "core/data_file.h"
#include "core/file_error.h"
#include "core/prompts.h"
#include "dialogs/help_page.h"
#include "dialogs/pdf_export.h"
#include "dialogs/splash.h"
#include "init/program_settings.h"

namespace {

QString FolderOf(const QString& file) {
  return file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
}

}  // namespace

void AlbumBrowser::ConnectCommands() {
  auto on = [this](const char* name, void (AlbumBrowser::*command)()) {
    connect(Action(QLatin1String(name)), &QAction::triggered, this,
            [this, command] { Guarded([this, command] { (this->*command)(); }); });
  };
  on("FileNew", &AlbumBrowser::NewAlbum);
  // F1 in the dialogs too, whose owner's shortcuts are blocked while they show,
  // and while the Help action is disabled by the properties dialog.
  InstallHelpKey(this, [this](const QWidget* window) { ShowHelpFor(window); });
  on("FileOpen", &AlbumBrowser::FileOpenExecute);
  on("SaveAlbum", &AlbumBrowser::SaveAlbumExecute);
  on("SaveAlbumAs", &AlbumBrowser::SaveAlbumAsExecute);
  on("SaveData", &AlbumBrowser::SaveDataExecute);
  on("SaveDataAs", &AlbumBrowser::SaveDataAsExecute);
  on("SaveFormat", &AlbumBrowser::SaveFormatExecute);
  on("SaveFormatAs", &AlbumBrowser::SaveFormatAsExecute);
  on("SaveAll", &AlbumBrowser::SaveAllExecute);
  on("ExportPdf", &AlbumBrowser::ExportPdfExecute);
  on("Help", &AlbumBrowser::ShowHelp);
  connect(Action(QStringLiteral("ExitAlbum")), &QAction::triggered, this, &QWidget::close);
  connect(Action(QStringLiteral("About")), &QAction::triggered, this,
          [this] { SplashWindow(this, language_).ShowAbout(); });
}

void AlbumBrowser::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const EFileError& error) {
    ask_->ShowError(error.Message());
  }
  UpdateActions();
}

void AlbumBrowser::NewAlbum() {
  if (!AskSaveChanges(*context_)) return;
  // Back to the start state first: showing spread 0 then opens the book and
  // cuts the window's outline for it.
  model_.ResetToStart();
  OpenFormatFile(*context_, settings_.Profile, false);
  model_.FormatFileName.clear();
  book_->ShowSpread(0, 0);
  if (!pnMenu_->isVisible()) SlideMenu();
  if (!IsEditMode()) RunAction(QStringLiteral("EditMode"));
  model_.AlbumModified = true;
}

void AlbumBrowser::FileOpenExecute() {
  if (!AskSaveChanges(*context_)) return;
  if (IsEditMode()) RunAction(QStringLiteral("EditMode"));
  FileDialogRequest request;
  request.Title = Action(QStringLiteral("FileOpen"))->text();
  request.InitialDir = model_.AlbumFileName.isEmpty() ? QCoreApplication::applicationDirPath()
                                                      : FolderOf(model_.AlbumFileName);
  request.Filter = QStringLiteral(
      "Album files (*.ALB *.alb);;Album format files (*.AFM *.afm);;"
      "Album data files (*.XML *.xml);;All files (*)");
  const QString name = ask_->GetOpenFileName(request);
  if (!name.isEmpty()) OpenDocument(*context_, name);
}

void AlbumBrowser::OpenFile(const QString& name) {
  Guarded([&] {
    if (AskSaveChanges(*context_)) OpenDocument(*context_, name);
  });
}

QString AlbumBrowser::SaveDialog(const char* action, const QString& name, const QString& folder,
                                 const QString& filter, const QString& suffix) {
  FileDialogRequest request;
  request.Title = Action(QLatin1String(action))->text();
  request.FileName = name;
  request.InitialDir = folder;
  request.Filter = filter + QStringLiteral(";;All files (*)");
  request.DefaultSuffix = suffix;
  return ask_->GetSaveFileName(request);
}

bool AlbumBrowser::RunSaveCommand(const char* name, void (AlbumBrowser::*command)()) {
  UpdateActions();
  if (!Action(QLatin1String(name))->isEnabled()) return false;
  (this->*command)();
  return true;
}

void AlbumBrowser::SaveAlbumExecute() {
  if (model_.AlbumFileName.isEmpty())
    RunSaveCommand("SaveAlbumAs", &AlbumBrowser::SaveAlbumAsExecute);
  else
    WriteAlbumFile(*context_);
}

void AlbumBrowser::SaveAlbumAsExecute() {
  const QString& album = model_.AlbumFileName;
  const QString name =
      SaveDialog("SaveAlbumAs", album,
                 album.isEmpty() ? QCoreApplication::applicationDirPath() : FolderOf(album),
                 QStringLiteral("Album files (*.ALB *.alb)"), QStringLiteral("ALB"));
  if (name.isEmpty()) return;
  model_.AlbumFileName = name;
  WriteAlbumFile(*context_);
}

void AlbumBrowser::SaveDataExecute() {
  if (model_.DataFiles.value(0).isEmpty())
    RunSaveCommand("SaveDataAs", &AlbumBrowser::SaveDataAsExecute);
  else
    SaveModifiedDataFiles(context_->Data);
}

void AlbumBrowser::SaveDataAsExecute() {
  const QString data = model_.DataFiles.value(0);
  const QString name = SaveDialog(
      "SaveDataAs", data, data.isEmpty() ? FolderOf(model_.AlbumFileName) : FolderOf(data),
      QStringLiteral("Album data files (*.XML *.xml)"), QStringLiteral("XML"));
  if (name.isEmpty()) return;
  if (name != data) {
    model_.AlbumModified = true;  // the album file names its data file
    // Written under its new name even when nothing in it changed.
    model_.DataModified[0] = true;
  }
  RenameMainDataFile(model_, name);
  SaveModifiedDataFiles(context_->Data);
}

void AlbumBrowser::SaveFormatExecute() {
  if (model_.FormatFileName.isEmpty())
    RunSaveCommand("SaveFormatAs", &AlbumBrowser::SaveFormatAsExecute);
  else
    SaveFormatFile(*context_);
}

void AlbumBrowser::SaveFormatAsExecute() {
  const QString& format = model_.FormatFileName;
  const QString name = SaveDialog(
      "SaveFormatAs", format, format.isEmpty() ? FolderOf(model_.AlbumFileName) : FolderOf(format),
      QStringLiteral("Album format files (*.AFM *.afm)"), QStringLiteral("AFM"));
  if (name.isEmpty()) return;
  if (name != format) model_.AlbumModified = true;
  model_.FormatFileName = name;
  SaveFormatFile(*context_);
}

void AlbumBrowser::ExportPdfExecute() {
  PdfExportDialog dialog(this);
  const QString& album = model_.AlbumFileName;
  dialog.Execute(model_, look_, settings_, *ask_, progress_,
                 album.isEmpty() ? QCoreApplication::applicationDirPath() : FolderOf(album));
}

void AlbumBrowser::SaveAllExecute() {
  // The album file first, so that its name is asked for before the others.
  // A save that fails or is cancelled stops the rest: every flag it did not
  // clear stays, and nothing is written under names not yet chosen.
  RunSaveCommand("SaveAlbum", &AlbumBrowser::SaveAlbumExecute);
  if (model_.AlbumModified) return;
  RunSaveCommand("SaveData", &AlbumBrowser::SaveDataExecute);
  if (model_.AnyDataModified()) return;
  RunSaveCommand("SaveFormat", &AlbumBrowser::SaveFormatExecute);
}

void AlbumBrowser::RunSaveAlbum() { RunSaveCommand("SaveAlbum", &AlbumBrowser::SaveAlbumExecute); }

void AlbumBrowser::RunSaveFormat() {
  RunSaveCommand("SaveFormat", &AlbumBrowser::SaveFormatExecute);
}

void AlbumBrowser::ShowHelp() {
  const QWidget* focus = QApplication::focusWidget();
  ShowHelpFor(focus != nullptr ? focus->window() : QApplication::activeWindow());
}

void AlbumBrowser::ShowHelpFor(const QWidget* window) {
  openHelp_(
      HelpTopicUrl(HelpTopicForWindow(window != nullptr ? window->objectName() : objectName())));
}

void AlbumBrowser::closeEvent(QCloseEvent* event) {
  if (AskSaveChanges(*context_))
    event->accept();
  else
    event->ignore();
  UpdateActions();
}
