#pragma once
// The program-wide settings, kept per user (QSettings: the registry on
// Windows, an ini file elsewhere) under the organisation and application
// "Quirevale". Each field bears the name of its stored value.

#include <QString>

struct TProgramSettings {
  QString Language = QStringLiteral("english.lng");  // empty: built-in English
  QString Profile;  // the default format file; DefaultProgramSettings sets it
  bool FreeMemory = true;
  bool LoadAllChapters = false;
  int MenuSpeed = 10;
  bool ConfirmDeletes = true;
  bool RunGuide = true;
  // Thumbnails made here are written to the desktop's shared thumbnail cache
  // (read from it always).
  bool ShareThumbnails = true;
  bool operator==(const TProgramSettings& other) const;
};

// The defaults, Profile being default.AFM among the program's run-time files.
TProgramSettings DefaultProgramSettings();

extern TProgramSettings ProgramSettings;

// Reads the stored settings over the defaults: a missing value keeps its
// default, a flag is true for any non-zero number. Start-up's LoadSettings
// (with the language, the association and the first look) is the window's.
void ReadSettings(TProgramSettings& settings);
// Writes every value: strings, flags as 0/1, MenuSpeed as a number.
void SaveSettings(const TProgramSettings& settings);
