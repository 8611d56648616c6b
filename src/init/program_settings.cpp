#include "init/program_settings.h"

#include <QSettings>

#include "core/program_files.h"

TProgramSettings ProgramSettings;

bool TProgramSettings::operator==(const TProgramSettings& o) const {
  return Language == o.Language && Profile == o.Profile && FreeMemory == o.FreeMemory &&
         LoadAllChapters == o.LoadAllChapters && MenuSpeed == o.MenuSpeed &&
         ConfirmDeletes == o.ConfirmDeletes && RunGuide == o.RunGuide &&
         ShareThumbnails == o.ShareThumbnails;
}

TProgramSettings DefaultProgramSettings() {
  TProgramSettings settings;
  settings.Profile = ProgramFile(QStringLiteral("default.AFM"));
  return settings;
}

namespace {
// Organisation and application "Quirevale": HKCU\Software\Quirevale on
// Windows, ~/.config/Quirevale/Quirevale.conf elsewhere.
QSettings Store() { return QSettings(QStringLiteral("Quirevale"), QStringLiteral("Quirevale")); }

void ReadFlag(const QSettings& store, const char* name, bool& flag) {
  const QVariant value = store.value(QLatin1String(name));
  if (!value.isValid()) return;
  bool ok = false;
  const qlonglong number = value.toLongLong(&ok);
  if (ok) flag = number != 0;
}
}  // namespace

void ReadSettings(TProgramSettings& s) {
  const QSettings store = Store();
  s.Language = store.value(QStringLiteral("Language"), s.Language).toString();
  s.Profile = store.value(QStringLiteral("Profile"), s.Profile).toString();
  ReadFlag(store, "FreeMemory", s.FreeMemory);
  ReadFlag(store, "LoadAllChapters", s.LoadAllChapters);
  bool ok = false;
  const int speed = store.value(QStringLiteral("MenuSpeed")).toInt(&ok);
  if (ok) s.MenuSpeed = speed;
  ReadFlag(store, "ConfirmDeletes", s.ConfirmDeletes);
  ReadFlag(store, "RunGuide", s.RunGuide);
  ReadFlag(store, "ShareThumbnails", s.ShareThumbnails);
}

void SaveSettings(const TProgramSettings& s) {
  QSettings store = Store();
  store.setValue(QStringLiteral("Language"), s.Language);
  store.setValue(QStringLiteral("Profile"), s.Profile);
  store.setValue(QStringLiteral("FreeMemory"), s.FreeMemory ? 1 : 0);
  store.setValue(QStringLiteral("LoadAllChapters"), s.LoadAllChapters ? 1 : 0);
  store.setValue(QStringLiteral("MenuSpeed"), s.MenuSpeed);
  store.setValue(QStringLiteral("ConfirmDeletes"), s.ConfirmDeletes ? 1 : 0);
  store.setValue(QStringLiteral("RunGuide"), s.RunGuide ? 1 : 0);
  store.setValue(QStringLiteral("ShareThumbnails"), s.ShareThumbnails ? 1 : 0);
  store.sync();
}
