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
  bool operator==(const TProgramSettings& other) const;
};

// The defaults, Profile being default.AFM among the program's run-time files.
TProgramSettings DefaultProgramSettings();

extern TProgramSettings ProgramSettings;
