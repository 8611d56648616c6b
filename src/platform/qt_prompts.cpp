#include "qt_prompts.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <utility>

namespace {

// The folder a dialog opens in: the preselected name's when it has one.
QString StartPath(const FileDialogRequest& request) {
  if (request.FileName.isEmpty()) return request.InitialDir;
  if (QFileInfo(request.FileName).isAbsolute() || request.InitialDir.isEmpty())
    return request.FileName;
  return QDir(request.InitialDir).filePath(request.FileName);
}

// The one name chosen in a dialog that takes any name; empty when cancelled.
QString ChooseAnyFile(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(request.DefaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QtPrompts::QtPrompts(QWidget* parent, QString title) : parent_(parent), title_(std::move(title)) {}

PromptAnswer QtPrompts::AskYesNoCancel(const QString& text) {
  const auto button = QMessageBox::question(
      parent_, title_, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
      QMessageBox::Yes);
  if (button == QMessageBox::Yes) return PromptAnswer::Yes;
  if (button == QMessageBox::No) return PromptAnswer::No;
  return PromptAnswer::Cancel;  // also a box closed without an answer
}

bool QtPrompts::AskOkCancel(const QString& text) {
  return QMessageBox::question(parent_, title_, text, QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Ok) == QMessageBox::Ok;
}

void QtPrompts::ShowWarning(const QString& text) {
  QMessageBox::warning(parent_, title_, text, QMessageBox::Ok);
}

void QtPrompts::ShowError(const QString& text) {
  QMessageBox::critical(parent_, title_, text, QMessageBox::Ok);
}

QString QtPrompts::GetOpenFileName(const FileDialogRequest& request) {
  if (request.AllowNewFile) {
    QFileDialog dialog(parent_, request.Title, StartPath(request), request.Filter);
    return ChooseAnyFile(dialog, request);
  }
  return QFileDialog::getOpenFileName(parent_, request.Title, StartPath(request), request.Filter);
}

QStringList QtPrompts::GetOpenFileNames(const FileDialogRequest& request) {
  return QFileDialog::getOpenFileNames(parent_, request.Title, StartPath(request), request.Filter);
}

QString QtPrompts::GetSaveFileName(const FileDialogRequest& request) {
  // The static helper cannot add a default suffix, so the dialog is built here.
  QFileDialog dialog(parent_, request.Title, StartPath(request), request.Filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  return ChooseAnyFile(dialog, request);
}

QString QtPrompts::GetDirectory(const QString& initial) {
  return QFileDialog::getExistingDirectory(parent_, title_, initial);
}

std::optional<QColor> QtPrompts::GetColor(const QColor& initial) {
  const QColor color = QColorDialog::getColor(initial, parent_, title_);
  if (!color.isValid()) return std::nullopt;
  return color;
}

std::optional<QFont> QtPrompts::GetFont(const QFont& initial) {
  QFontDialog dialog(initial, parent_);
  dialog.setWindowTitle(title_);
  // A family the font configuration knows by another name ("Arial" for
  // "Liberation Sans", or an alias such as "Sans Serif") shows under that
  // name, or under the face it resolves to in a desktop's own dialog:
  // unless another one is picked, the look keeps its own.
  const QStringList standIns{dialog.currentFont().family(), QFontInfo(initial).family()};
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QFont font = dialog.selectedFont();
  if (standIns.contains(font.family())) font.setFamily(initial.family());
  return font;
}
