#pragma once
// Every modal question, message box and common dialog the program shows goes
// through one Prompts object: the Qt implementation shows real boxes, tests
// script the answers. Nothing below src/platform opens a window itself.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

enum class PromptAnswer { Yes, No, Cancel };

// What an open or save dialog starts with. Filters use Qt's form:
// "Album files (*.ALB *.alb);;All files (*)".
struct FileDialogRequest {
  QString Title;
  QString FileName;    // preselected name, may be empty
  QString InitialDir;  // may be empty
  QString Filter;
  QString DefaultSuffix;      // without the dot; appended when a typed name has none
  bool AllowNewFile = false;  // an open dialog also takes a name that does not exist yet
};

class Prompts {
 public:
  virtual ~Prompts() = default;

  // A confirmation box with Yes, No and Cancel; closing the box is Cancel.
  virtual PromptAnswer AskYesNoCancel(const QString& text) = 0;
  // A confirmation box with Yes and No; true for Yes. Where an implementation
  // has no such box, the Yes/No/Cancel one stands in, Cancel counting as No.
  virtual bool AskYesNo(const QString& text) { return AskYesNoCancel(text) == PromptAnswer::Yes; }
  // A confirmation box with OK and Cancel; true for OK.
  virtual bool AskOkCancel(const QString& text) = 0;
  // A warning box with OK.
  virtual void ShowWarning(const QString& text) = 0;
  // The box an operation's error is reported in.
  virtual void ShowError(const QString& text) = 0;

  // Empty when cancelled. The file must exist unless AllowNewFile is set.
  virtual QString GetOpenFileName(const FileDialogRequest& request) = 0;
  // Empty when cancelled. Several files may be chosen.
  virtual QStringList GetOpenFileNames(const FileDialogRequest& request) = 0;
  // Empty when cancelled. Asks before an existing file is overwritten.
  virtual QString GetSaveFileName(const FileDialogRequest& request) = 0;

  // Empty when cancelled. A folder, starting at initial; without a folder
  // dialog (a stand-in) none is chosen.
  virtual QString GetDirectory(const QString& initial) {
    Q_UNUSED(initial);
    return {};
  }

  virtual std::optional<QColor> GetColor(const QColor& initial) = 0;
  virtual std::optional<QFont> GetFont(const QFont& initial) = 0;
};
