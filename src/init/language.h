#pragma once
// Language files (*.LNG): key=text lines that replace the built-in English
// messages and the captions of the translated windows and their controls.

#include <QString>
#include <QStringList>

class LanguageMessages;
class QWidget;

// The translated windows by object name, in the order they are processed.
// The image view and the new-album guide are not translated.
extern const QStringList TranslatedWindows;

// Loads a language file. A non-empty name of a file that does not exist
// changes nothing and returns false. Otherwise messages are reset to English,
// then the file's lines (none for the empty name) become the messages and
// are applied to every open window named in TranslatedWindows; returns true,
// with the lines in applied when given. Raises EFileError (Reading) when the
// file cannot be read, the messages already reset by then.
bool LoadLanguage(const QString& fileName, LanguageMessages& messages,
                  QStringList* applied = nullptr);

// Applies language lines to one window, whose object name is its name in the
// file: the window's caption ("name=text") and the captions of its
// labels, actions, push buttons, check boxes, radio buttons, group boxes and
// tab pages ("name.component=text", the component found by object name among
// the window's descendants, not looking into child windows such as dialogs). Empty texts and
// unknown keys are ignored; keys ignore letter case; the first line of a key counts.
void TranslateForm(const QStringList& lines, QWidget* window);
