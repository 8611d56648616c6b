#include "init/program_settings.h"

#include "core/program_files.h"

TProgramSettings ProgramSettings;

bool TProgramSettings::operator==(const TProgramSettings& o) const {
  return Language == o.Language && Profile == o.Profile && FreeMemory == o.FreeMemory &&
         LoadAllChapters == o.LoadAllChapters && MenuSpeed == o.MenuSpeed &&
         ConfirmDeletes == o.ConfirmDeletes && RunGuide == o.RunGuide;
}

TProgramSettings DefaultProgramSettings() {
  TProgramSettings settings;
  settings.Profile = ProgramFile(QStringLiteral("default.AFM"));
  return settings;
}
