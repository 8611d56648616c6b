#include "init/load_settings.h"

#include <QDir>
#include <QFileInfo>

#include "core/file_error.h"
#include "core/message_table.h"
#include "core/program_files.h"
#include "core/prompts.h"
#include "init/file_association.h"
#include "init/language.h"
#include "init/program_settings.h"

QString LanguageFilePath(const QString& name) {
  if (name.isEmpty() || QDir::isAbsolutePath(name) || QFileInfo::exists(name)) return name;
  const QString shipped = ProgramFile(name);
  return QFileInfo::exists(shipped) ? shipped : name;
}

void LoadSettings(const DocumentContext& context, LanguageMessages& messages,
                  const std::function<void(const QStringList& language)>& languageLoaded) {
  ProgramSettings& settings = context.Settings;
  settings = DefaultProgramSettings();
  messages.SetLines({});
  RegisterFileType(QStringLiteral(".ALB"), QStringLiteral("Album.File"));
  ReadSettings(settings);
  Prompts& ask = context.Data.Ask;
  // The language of the whole session: one chosen in the setup dialog
  // takes effect at the next start, for every window alike.
  QStringList language;
  try {
    LoadLanguage(LanguageFilePath(settings.Language), messages, &language);
  } catch (const EFileError& error) {
    ask.ShowError(error.Message());
  }
  if (languageLoaded) languageLoaded(language);
  try {
    OpenFormatFile(context, settings.Profile, true);
  } catch (const EFileError& error) {
    ask.ShowError(error.Message());
    // The built-in look, placed as any look is; saving it later creates
    // the file.
    AlbumLook defaults;
    SetDefaultProfile(defaults);
    context.Data.Model.FormatFileName = settings.Profile;
    ApplyProfile(context, defaults, true);
  }
}
