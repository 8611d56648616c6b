#pragma once
// The main window's stand-ins without a window, so an album can be opened
// and its book drawn into files (the render command): the window itself is
// SizedBookWindow, the questions go to HeadlessPrompts.

#include <QStringList>

#include "book/sized_book_window.h"
#include "core/prompts.h"

// Questions without anyone to answer them: every question is cancelled and
// every message kept, to be printed.
class HeadlessPrompts : public Prompts {
 public:
  QStringList Messages;

  PromptAnswer AskYesNoCancel(const QString& text) override {
    Messages << text;
    return PromptAnswer::Cancel;
  }
  bool AskOkCancel(const QString& text) override {
    Messages << text;
    return false;
  }
  void ShowWarning(const QString& text) override { Messages << text; }
  void ShowError(const QString& text) override { Messages << text; }
  QString GetOpenFileName(const FileDialogRequest&) override { return QString(); }
  QStringList GetOpenFileNames(const FileDialogRequest&) override { return QStringList(); }
  QString GetSaveFileName(const FileDialogRequest&) override { return QString(); }
  std::optional<QColor> GetColor(const QColor&) override { return std::nullopt; }
  std::optional<QFont> GetFont(const QFont&) override { return std::nullopt; }
};
