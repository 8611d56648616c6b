#pragma once
// Prompts shown as Qt's own message boxes and dialogs, owned by a window.

#include <QPointer>
#include <QWidget>

#include "core/prompts.h"

class QtPrompts : public Prompts {
 public:
  // Boxes are modal to parent (may be null) and carry title as their caption.
  explicit QtPrompts(QWidget* parent = nullptr, QString title = QStringLiteral("Quirevale"));

  void SetParent(QWidget* parent) { parent_ = parent; }

  PromptAnswer AskYesNoCancel(const QString& text) override;
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
  QPointer<QWidget> parent_;
  QString title_;
};
