#include "scripted_prompts.h"

#include <gtest/gtest.h>

#include <utility>

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

bool ScriptedPrompts::AskYesNo(const QString& text) {
  Log << QStringLiteral("yesno: ") + text;
  return Next(YesNoAnswers, text).value_or(false);
}

bool ScriptedPrompts::AskOkCancel(const QString& text) {
  Log << QStringLiteral("okcancel: ") + text;
  return Next(OkCancelAnswers, text).value_or(false);
}

void ScriptedPrompts::ShowWarning(const QString& text) {
  Log << QStringLiteral("warning: ") + text;
}

void ScriptedPrompts::ShowError(const QString& text) { Log << QStringLiteral("error: ") + text; }

const QString& ScriptedPrompts::Record(const char* kind, const FileDialogRequest& request) {
  Log << QLatin1String(kind) + request.Title;
  FileRequests << request;
  return request.Title;
}

QString ScriptedPrompts::GetOpenFileName(const FileDialogRequest& request) {
  return Next(OpenFileNames, Record("open: ", request)).value_or(QString());
}

QStringList ScriptedPrompts::GetOpenFileNames(const FileDialogRequest& request) {
  Record("open: ", request);
  return std::exchange(OpenFileNames, {});
}

QString ScriptedPrompts::GetSaveFileName(const FileDialogRequest& request) {
  return Next(SaveFileNames, Record("save: ", request)).value_or(QString());
}

QString ScriptedPrompts::GetDirectory(const QString&) {
  Log << QStringLiteral("directory");
  return Next(Directories, QStringLiteral("directory")).value_or(QString());
}

std::optional<QColor> ScriptedPrompts::GetColor(const QColor&) {
  Log << QStringLiteral("color");
  return Colors.isEmpty() ? std::nullopt : std::optional(Colors.takeFirst());
}

std::optional<QFont> ScriptedPrompts::GetFont(const QFont&) {
  Log << QStringLiteral("font");
  return Fonts.isEmpty() ? std::nullopt : std::optional(Fonts.takeFirst());
}
