#pragma once
// Prompts for tests: answers come from queues the test fills, and every box
// shown is logged. A question with no scripted answer fails the test.

#include <QList>
#include <QStringList>

#include "core/prompts.h"

class ScriptedPrompts : public Prompts {
 public:
  QList<PromptAnswer> YesNoCancelAnswers;
  QList<bool> OkCancelAnswers;
  QList<bool> YesNoAnswers;
  QStringList OpenFileNames;  // one name per GetOpenFileName call
  QStringList SaveFileNames;  // one name per GetSaveFileName call; "" cancels
  QStringList Directories;    // one folder per GetDirectory call; "" cancels
  QList<QColor> Colors;
  QList<QFont> Fonts;

  // "question: text", "yesno: text", "okcancel: text", "warning: text", "error: text",
  // "open: title", "save: title", "directory", "color", "font".
  QStringList Log;
  QList<FileDialogRequest> FileRequests;

  PromptAnswer AskYesNoCancel(const QString& text) override;
  bool AskYesNo(const QString& text) override;
  bool AskOkCancel(const QString& text) override;
  void ShowWarning(const QString& text) override;
  void ShowError(const QString& text) override;
  QString GetOpenFileName(const FileDialogRequest& request) override;
  QStringList GetOpenFileNames(const FileDialogRequest& request) override;
  QString GetSaveFileName(const FileDialogRequest& request) override;
  QString GetDirectory(const QString& initial) override;
  std::optional<QColor> GetColor(const QColor& initial) override;
  std::optional<QFont> GetFont(const QFont& initial) override;

 private:
  // Logs a file dialog ("open: title") and keeps its request; gives the title.
  const QString& Record(const char* kind, const FileDialogRequest& request);
};
