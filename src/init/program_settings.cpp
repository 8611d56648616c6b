#include "init/program_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

#include "core/program_files.h"
#include "init/profile_file.h"

bool ProgramSettings::operator==(const ProgramSettings& o) const {
  return Language == o.Language && Profile == o.Profile && FreeMemory == o.FreeMemory &&
         LoadAllChapters == o.LoadAllChapters && MenuSpeed == o.MenuSpeed &&
         ConfirmDeletes == o.ConfirmDeletes && RunGuide == o.RunGuide &&
         ShareThumbnails == o.ShareThumbnails && ReadPhotoDetails == o.ReadPhotoDetails &&
         SlideshowInterval == o.SlideshowInterval && SlideshowOpensVideos == o.SlideshowOpensVideos;
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

QString ShippedDefaultLook() { return ProgramFile(QStringLiteral("default.AFM")); }

QString PersonalDefaultLook() {
#ifdef Q_OS_WIN
  // The settings are in the registry; files go where an ini file of them would.
  const QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quirevale"),
                        QStringLiteral("Quirevale"));
#else
  const QSettings store = Store();
#endif
  return QFileInfo(store.fileName()).absolutePath() + QStringLiteral("/default.AFM");
}

bool LoadDefaultLook(const QString& profile, AlbumLook& look, std::optional<QPoint> windowPlace) {
  if (LoadProfile(profile, look, windowPlace)) return true;
  return profile == PersonalDefaultLook() && LoadProfile(ShippedDefaultLook(), look, windowPlace);
}

bool SaveLook(const QString& fileName, const AlbumLook& look) {
  if (fileName == PersonalDefaultLook()) QDir().mkpath(QFileInfo(fileName).absolutePath());
  return SaveProfile(fileName, look);
}

ProgramSettings DefaultProgramSettings() {
  ProgramSettings settings;
  settings.Profile = PersonalDefaultLook();
  return settings;
}

void ReadSettings(ProgramSettings& s) {
  const QSettings store = Store();
  s.Language = store.value(QStringLiteral("Language"), s.Language).toString();
  s.Profile = store.value(QStringLiteral("Profile"), s.Profile).toString();
  if (!s.Profile.isEmpty() && QFileInfo(s.Profile) == QFileInfo(ShippedDefaultLook()))
    s.Profile = PersonalDefaultLook();
  ReadFlag(store, "FreeMemory", s.FreeMemory);
  ReadFlag(store, "LoadAllChapters", s.LoadAllChapters);
  bool ok = false;
  const int speed = store.value(QStringLiteral("MenuSpeed")).toInt(&ok);
  if (ok) s.MenuSpeed = speed;
  ReadFlag(store, "ConfirmDeletes", s.ConfirmDeletes);
  ReadFlag(store, "RunGuide", s.RunGuide);
  ReadFlag(store, "ShareThumbnails", s.ShareThumbnails);
  ReadFlag(store, "ReadPhotoDetails", s.ReadPhotoDetails);
  const int interval = store.value(QStringLiteral("SlideshowInterval")).toInt(&ok);
  if (ok) s.SlideshowInterval = std::clamp(interval, 1, 60);
  ReadFlag(store, "SlideshowOpensVideos", s.SlideshowOpensVideos);
}

void SaveSettings(const ProgramSettings& s) {
  QSettings store = Store();
  store.setValue(QStringLiteral("Language"), s.Language);
  store.setValue(QStringLiteral("Profile"), s.Profile);
  store.setValue(QStringLiteral("FreeMemory"), s.FreeMemory ? 1 : 0);
  store.setValue(QStringLiteral("LoadAllChapters"), s.LoadAllChapters ? 1 : 0);
  store.setValue(QStringLiteral("MenuSpeed"), s.MenuSpeed);
  store.setValue(QStringLiteral("ConfirmDeletes"), s.ConfirmDeletes ? 1 : 0);
  store.setValue(QStringLiteral("RunGuide"), s.RunGuide ? 1 : 0);
  store.setValue(QStringLiteral("ShareThumbnails"), s.ShareThumbnails ? 1 : 0);
  store.setValue(QStringLiteral("ReadPhotoDetails"), s.ReadPhotoDetails ? 1 : 0);
  store.setValue(QStringLiteral("SlideshowInterval"), s.SlideshowInterval);
  store.setValue(QStringLiteral("SlideshowOpensVideos"), s.SlideshowOpensVideos ? 1 : 0);
  store.sync();
}
