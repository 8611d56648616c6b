#pragma once
// Start-up's settings sequence: the defaults, the built-in messages, the
// association of album files, the stored settings, the language file, the
// action hints and the first look.

#include <QStringList>
#include <functional>

#include "init/album_document.h"

class LanguageMessages;

// Fills the context's settings (defaults, then what is stored), registers
// ".ALB", loads the language file into messages and the open windows,
// hands its lines to languageLoaded (none for English; the main window
// keeps them for the windows it makes later, and its action hints follow
// the translated captions), then opens the default format file (Profile)
// as the look with window placement. A language or format file that cannot
// be read is reported through the context's prompts; start-up goes on with
// the built-in texts or look.
void LoadSettings(const DocumentContext& context, LanguageMessages& messages,
                  const std::function<void(const QStringList& language)>& languageLoaded);

// The language file a stored name means: a relative name is looked for in
// the current folder, then among the program's run-time files.
QString LanguageFilePath(const QString& name);
