#include "browser/file_commands.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>

#include "browser/album_browser.h"
#include "browser/tool_panel.h"
#include "core/data_file.h"
#include "core/file_error.h"
#include "core/prompts.h"
#include "dialogs/pdf_export.h"
#include "dialogs/splash.h"
#include "init/program_settings.h"

FileCommands::FileCommands(AlbumBrowser& window) : window_(window) {
  auto on = [this](const char* name, std::function<void()> command) {
    connect(window_.Action(QLatin1String(name)), &QAction::triggered, this,
            [this, command] { Guarded(command); });
  };
  on("FileNew", [this] { NewAlbum(); });
  // F1 in the dialogs too, whose owner's shortcuts are blocked while they show,
  // and while the Help action is disabled by the properties dialog.
  InstallHelpKey(&window_, [this](const QWidget* window) { ShowHelpFor(window); });
  on("FileOpen", [this] { Open(); });
  for (const DocumentKind& kind : DocumentKinds()) {
    on(kind.Save, [this, &kind] { Save(kind); });
    on(kind.SaveAs, [this, &kind] { SaveAs(kind); });
  }
  on("SaveAll", [this] { SaveAll(); });
  on("ExportPdf", [this] { ExportPdf(); });
  on("Help", [this] { ShowHelp(); });
  connect(window_.Action(QStringLiteral("ExitAlbum")), &QAction::triggered, &window_,
          &QWidget::close);
  connect(window_.Action(QStringLiteral("About")), &QAction::triggered, this,
          [this] { SplashWindow(&window_, window_.Language()).ShowAbout(); });
}

void FileCommands::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const EFileError& error) {
    window_.prompts().ShowError(error.Message());
  }
  window_.UpdateActions();
}

void FileCommands::NewAlbum() {
  const DocumentContext& context = window_.Document();
  AlbumModel& model = window_.Model();
  if (!AskSaveChanges(context)) return;
  // Back to the start state first: showing spread 0 then opens the book and
  // cuts the window's outline for it.
  window_.Album().ResetToStart();
  OpenFormatFile(context, context.Settings.Profile, false);
  model.FormatFileName.clear();
  window_.Book().ShowSpread(0, 0);
  if (!window_.ToolPanel()->isVisible()) window_.SlideMenu();
  if (!window_.IsEditMode()) window_.RunAction(QStringLiteral("EditMode"));
  model.AlbumModified = true;
}

void FileCommands::Open() {
  if (!AskSaveChanges(window_.Document())) return;
  if (window_.IsEditMode()) window_.RunAction(QStringLiteral("EditMode"));
  const QString& album = window_.Model().AlbumFileName;
  FileDialogRequest request;
  request.Title = window_.Action(QStringLiteral("FileOpen"))->text();
  request.InitialDir = album.isEmpty() ? QCoreApplication::applicationDirPath() : FolderOf(album);
  request.Filter = QStringLiteral(
      "Album files (*.ALB *.alb);;Album format files (*.AFM *.afm);;"
      "Album data files (*.XML *.xml);;All files (*)");
  const QString name = window_.prompts().GetOpenFileName(request);
  if (!name.isEmpty()) OpenDocument(window_.Document(), name);
}

void FileCommands::OpenFile(const QString& name) {
  Guarded([&] {
    if (AskSaveChanges(window_.Document())) OpenDocument(window_.Document(), name);
  });
}

bool FileCommands::RunSaveCommand(const char* name, const std::function<void()>& command) {
  window_.UpdateActions();
  if (!window_.Action(QLatin1String(name))->isEnabled()) return false;
  command();
  return true;
}

void FileCommands::RunSave(const DocumentKind& kind) {
  RunSaveCommand(kind.Save, [this, &kind] { Save(kind); });
}

void FileCommands::Save(const DocumentKind& kind) {
  if (kind.FileName(window_.Model()).isEmpty())
    RunSaveCommand(kind.SaveAs, [this, &kind] { SaveAs(kind); });
  else
    kind.Write(window_.Document());
}

void FileCommands::SaveAs(const DocumentKind& kind) {
  AlbumModel& model = window_.Model();
  const QString old = kind.FileName(model);
  FileDialogRequest request;
  request.Title = window_.Action(QLatin1String(kind.SaveAs))->text();
  request.FileName = old;
  request.InitialDir = old.isEmpty() ? kind.UnnamedFolder(model) : FolderOf(old);
  request.Filter = QLatin1String(kind.Filter) + QStringLiteral(";;All files (*)");
  request.DefaultSuffix = QLatin1String(kind.Suffix);
  const QString name = window_.prompts().GetSaveFileName(request);
  if (name.isEmpty()) return;
  kind.Rename(model, name);
  kind.Write(window_.Document());
}

void FileCommands::SaveAll() {
  // The album file first, so that its name is asked for before the others.
  // A save that fails or is cancelled stops the rest: every flag it did not
  // clear stays, and nothing is written under names not yet chosen.
  for (const DocumentKind& kind : DocumentKinds()) {
    RunSave(kind);
    if (kind.Modified(window_.Model())) return;
  }
}

void FileCommands::ExportPdf() {
  PdfExportDialog dialog(&window_);
  const QString& album = window_.Model().AlbumFileName;
  const DocumentContext& context = window_.Document();
  dialog.Execute(window_.Model(), context.Look, context.Settings, window_.prompts(),
                 window_.Progress(),
                 album.isEmpty() ? QCoreApplication::applicationDirPath() : FolderOf(album));
}

void FileCommands::ShowHelp() {
  const QWidget* focus = QApplication::focusWidget();
  ShowHelpFor(focus != nullptr ? focus->window() : QApplication::activeWindow());
}

void FileCommands::ShowHelpFor(const QWidget* window) {
  openHelp_(HelpTopicUrl(
      HelpTopicForWindow(window != nullptr ? window->objectName() : window_.objectName())));
}

bool FileCommands::MayClose() { return AskSaveChanges(window_.Document()); }
