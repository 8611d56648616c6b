#include "scripted_prompts.h"

#include <gtest/gtest.h>

namespace {

template <typename T>
std::optional<T> Next(QList<T>& queue, const QString& what) {
  if (queue.isEmpty()) {
    ADD_FAILURE() << "no scripted answer for " << what.toStdString();
    return std::nullopt;
  }
  return queue.takeFirst();
}

}  // namespace

PromptAnswer ScriptedPrompts::AskYesNoCancel(const QString& text) {
  Log << QStringLiteral("question: ") + text;
  return Next(YesNoCancelAnswers, text).value_or(PromptAnswer::Cancel);
}

bool ScriptedPrompts::AskOkCancel(const QString& text) {
  Log << QStringLiteral("okcancel: ") + text;
  return Next(OkCancelAnswers, text).value_or(false);
}

void ScriptedPrompts::ShowWarning(const QString& text) {
  Log << QStringLiteral("warning: ") + text;
}

void ScriptedPrompts::ShowError(const QString& text) { Log << QStringLiteral("error: ") + text; }

QString ScriptedPrompts::GetOpenFileName(const FileDialogRequest& request) {
  Log << QStringLiteral("open: ") + request.Title;
  FileRequests << request;
  return Next(OpenFileNames, request.Title).value_or(QString());
}

QStringList ScriptedPrompts::GetOpenFileNames(const FileDialogRequest& request) {
  Log << QStringLiteral("open: ") + request.Title;
  FileRequests << request;
  QStringList names;
  while (!OpenFileNames.isEmpty()) names << OpenFileNames.takeFirst();
  return names;
}

QString ScriptedPrompts::GetSaveFileName(const FileDialogRequest& request) {
  Log << QStringLiteral("save: ") + request.Title;
  FileRequests << request;
  return Next(SaveFileNames, request.Title).value_or(QString());
}

std::optional<QColor> ScriptedPrompts::GetColor(const QColor&) {
  Log << QStringLiteral("color");
  if (Colors.isEmpty()) return std::nullopt;
  return Colors.takeFirst();
}

std::optional<QFont> ScriptedPrompts::GetFont(const QFont&) {
  Log << QStringLiteral("font");
  if (Fonts.isEmpty()) return std::nullopt;
  return Fonts.takeFirst();
}
