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

void TfAlbumBrowser::ConnectCommands() {
  auto on = [this](const char* name, void (TfAlbumBrowser::*command)()) {
    connect(Action(QLatin1String(name)), &QAction::triggered, this,
            [this, command] { Guarded([this, command] { (this->*command)(); }); });
  };
  on("FileNew", &TfAlbumBrowser::NewAlbum);
  // F1 in the dialogs too, whose owner's shortcuts are blocked while they show,
  // and while the Help action is disabled by the properties dialog.
  InstallHelpKey(this, [this](const QWidget* window) { ShowHelpFor(window); });
  on("FileOpen", &TfAlbumBrowser::FileOpenExecute);
  on("SaveAlbum", &TfAlbumBrowser::SaveAlbumExecute);
  on("SaveAlbumAs", &TfAlbumBrowser::SaveAlbumAsExecute);
  on("SaveData", &TfAlbumBrowser::SaveDataExecute);
  on("SaveDataAs", &TfAlbumBrowser::SaveDataAsExecute);
  on("SaveFormat", &TfAlbumBrowser::SaveFormatExecute);
  on("SaveFormatAs", &TfAlbumBrowser::SaveFormatAsExecute);
  on("SaveAll", &TfAlbumBrowser::SaveAllExecute);
  on("ExportPdf", &TfAlbumBrowser::ExportPdfExecute);
  on("Help", &TfAlbumBrowser::ShowHelp);
  connect(Action(QStringLiteral("ExitAlbum")), &QAction::triggered, this, &QWidget::close);
  connect(Action(QStringLiteral("About")), &QAction::triggered, this,
          [this] { SplashWindow(this, language_).ShowAbout(); });
}

void TfAlbumBrowser::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const EFileError& error) {
    ask_->ShowError(error.Message());
  }
  UpdateActions();
}

void TfAlbumBrowser::NewAlbum() {
  if (!AskSaveChanges(*context_)) return;
  // Back to the start state first: showing spread 0 then opens the book and
  // cuts the window's outline for it.
  model_.ResetToStart();
  OpenFormatFile(*context_, ProgramSettings.Profile, false);
  model_.FormatFileName.clear();
  book_->ShowSpread(0, 0);
  if (!pnMenu_->isVisible()) SlideMenu();
  if (!IsEditMode()) RunAction(QStringLiteral("EditMode"));
  model_.AlbumModified = true;
}

void TfAlbumBrowser::FileOpenExecute() {
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

void TfAlbumBrowser::OpenFile(const QString& name) {
  Guarded([&] {
    if (AskSaveChanges(*context_)) OpenDocument(*context_, name);
  });
}

QString TfAlbumBrowser::SaveDialog(const char* action, const QString& name, const QString& folder,
                                   const QString& filter, const QString& suffix) {
  FileDialogRequest request;
  request.Title = Action(QLatin1String(action))->text();
  request.FileName = name;
  request.InitialDir = folder;
  request.Filter = filter + QStringLiteral(";;All files (*)");
  request.DefaultSuffix = suffix;
  return ask_->GetSaveFileName(request);
}

bool TfAlbumBrowser::RunSaveCommand(const char* name, void (TfAlbumBrowser::*command)()) {
  UpdateActions();
  if (!Action(QLatin1String(name))->isEnabled()) return false;
  (this->*command)();
  return true;
}

void TfAlbumBrowser::SaveAlbumExecute() {
  if (model_.AlbumFileName.isEmpty())
    RunSaveCommand("SaveAlbumAs", &TfAlbumBrowser::SaveAlbumAsExecute);
  else
    WriteAlbumFile(*context_);
}

void TfAlbumBrowser::SaveAlbumAsExecute() {
  const QString& album = model_.AlbumFileName;
  const QString name =
      SaveDialog("SaveAlbumAs", album,
                 album.isEmpty() ? QCoreApplication::applicationDirPath() : FolderOf(album),
                 QStringLiteral("Album files (*.ALB *.alb)"), QStringLiteral("ALB"));
  if (name.isEmpty()) return;
  model_.AlbumFileName = name;
  WriteAlbumFile(*context_);
}

void TfAlbumBrowser::SaveDataExecute() {
  if (model_.DataFiles.value(0).isEmpty())
    RunSaveCommand("SaveDataAs", &TfAlbumBrowser::SaveDataAsExecute);
  else
    SaveModifiedDataFiles(context_->Data);
}

void TfAlbumBrowser::SaveDataAsExecute() {
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

void TfAlbumBrowser::SaveFormatExecute() {
  if (model_.FormatFileName.isEmpty())
    RunSaveCommand("SaveFormatAs", &TfAlbumBrowser::SaveFormatAsExecute);
  else
    SaveFormatFile(*context_);
}

void TfAlbumBrowser::SaveFormatAsExecute() {
  const QString& format = model_.FormatFileName;
  const QString name = SaveDialog(
      "SaveFormatAs", format, format.isEmpty() ? FolderOf(model_.AlbumFileName) : FolderOf(format),
      QStringLiteral("Album format files (*.AFM *.afm)"), QStringLiteral("AFM"));
  if (name.isEmpty()) return;
  if (name != format) model_.AlbumModified = true;
  model_.FormatFileName = name;
  SaveFormatFile(*context_);
}

void TfAlbumBrowser::ExportPdfExecute() {
  TfPdfExport dialog(this);
  const QString& album = model_.AlbumFileName;
  dialog.Execute(model_, *ask_, progress_,
                 album.isEmpty() ? QCoreApplication::applicationDirPath() : FolderOf(album));
}

void TfAlbumBrowser::SaveAllExecute() {
  // The album file first, so that its name is asked for before the others.
  // A save that fails or is cancelled stops the rest: every flag it did not
  // clear stays, and nothing is written under names not yet chosen.
  RunSaveCommand("SaveAlbum", &TfAlbumBrowser::SaveAlbumExecute);
  if (model_.AlbumModified) return;
  RunSaveCommand("SaveData", &TfAlbumBrowser::SaveDataExecute);
  if (model_.AnyDataModified()) return;
  RunSaveCommand("SaveFormat", &TfAlbumBrowser::SaveFormatExecute);
}

void TfAlbumBrowser::RunSaveAlbum() {
  RunSaveCommand("SaveAlbum", &TfAlbumBrowser::SaveAlbumExecute);
}

void TfAlbumBrowser::RunSaveFormat() {
  RunSaveCommand("SaveFormat", &TfAlbumBrowser::SaveFormatExecute);
}

void TfAlbumBrowser::ShowHelp() {
  const QWidget* focus = QApplication::focusWidget();
  ShowHelpFor(focus != nullptr ? focus->window() : QApplication::activeWindow());
}

void TfAlbumBrowser::ShowHelpFor(const QWidget* window) {
  openHelp_(
      HelpTopicUrl(HelpTopicForWindow(window != nullptr ? window->objectName() : objectName())));
}

void TfAlbumBrowser::closeEvent(QCloseEvent* event) {
  if (AskSaveChanges(*context_))
    event->accept();
  else
    event->ignore();
  UpdateActions();
}
