#pragma once
// Runs the book window's file commands: New, Open, Save, Save as and Save
// all for each kind of document, Export as PDF, Help, About, Exit, and the
// save question before the window closes.

#include <QObject>
#include <QString>
#include <functional>

#include "browser/document_kinds.h"
#include "dialogs/help_page.h"

class AlbumBrowser;

class FileCommands : public QObject {
  Q_OBJECT

 public:
  // Connects the commands to window's actions.
  explicit FileCommands(AlbumBrowser& window);

  // FileNew's command: the save question, then a new album in edit mode.
  void NewAlbum();
  // The save question, then OpenDocument. Errors are shown through the
  // prompts.
  void OpenFile(const QString& name);
  // Save of that kind (kind.Save), run as from the action list: the rule
  // first; Save as when the album has no such file yet.
  void RunSave(const DocumentKind& kind);
  // The help page at the topic of the window that has the focus.
  void ShowHelp();
  // The handbook at the section of window (the book's when null).
  void ShowHelpFor(const QWidget* window);
  void SetHelpOpener(UrlOpener opener) { openHelp_ = std::move(opener); }
  // The save question before closing: true when the window may close.
  bool MayClose();

 private:
  // Runs a command as the program's top-level handler does: a file error
  // is shown and the command abandoned.
  void Guarded(const std::function<void()>& command);
  void Open();
  void Save(const DocumentKind& kind);
  void SaveAs(const DocumentKind& kind);
  void SaveAll();
  void ExportPdf();
  // Runs an action's command from code, within a command that may fail:
  // the rule first, then the command itself (unlike RunAction, errors pass).
  bool RunSaveCommand(const char* name, const std::function<void()>& command);

  AlbumBrowser& window_;
  UrlOpener openHelp_ = OpenWithDesktop;
};
