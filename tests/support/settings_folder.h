#pragma once
// Points the per-user settings, and with them the person's own default look,
// at a folder of the test while it lives; back where they were afterwards.

#include <QFileInfo>
#include <QSettings>

class SettingsFolder {
 public:
  explicit SettingsFolder(const QString& folder)
      : native_(Base(QSettings::NativeFormat)), ini_(Base(QSettings::IniFormat)) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
  }
  ~SettingsFolder() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, native_);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, ini_);
  }
  SettingsFolder(const SettingsFolder&) = delete;
  SettingsFolder& operator=(const SettingsFolder&) = delete;

 private:
  // The folder holding the organisation's folder of the settings file.
  static QString Base(QSettings::Format format) {
    const QSettings store(format, QSettings::UserScope, QStringLiteral("Quirevale"),
                          QStringLiteral("Quirevale"));
    return QFileInfo(QFileInfo(store.fileName()).absolutePath()).absolutePath();
  }

  QString native_;
  QString ini_;
};
