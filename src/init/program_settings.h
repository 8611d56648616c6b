#pragma once
// The program-wide settings, kept per user (QSettings: the registry on
// Windows, an ini file elsewhere) under the organisation and application
// "Quirevale". Each field bears the name of its stored value.

#include <QPoint>
#include <QString>
#include <optional>

struct AlbumLook;

struct ProgramSettings {
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
  // Added photos bring their own date, title, place and people.
  bool ReadPhotoDetails = true;
  // The slideshow: seconds a picture shows (1..60), and videos opened in the
  // desktop's player instead of shown as their placeholder.
  int SlideshowInterval = 5;
  bool SlideshowOpensVideos = false;
  bool operator==(const ProgramSettings& other) const;
};

// The defaults, Profile being the person's own default look.
ProgramSettings DefaultProgramSettings();

// The default look as the program ships it (default.AFM among its run-time
// files). Installed copies cannot write it, so it is only ever read.
QString ShippedDefaultLook();
// The default look a person edits: default.AFM in the folder of their own
// settings (~/.config/Quirevale on Linux, %APPDATA%\Quirevale on Windows).
QString PersonalDefaultLook();
// Reads the default look named profile (LoadProfile). The person's own look
// starts as the shipped one: while it does not exist, that one is read.
// False when neither exists (the built-in look stands).
// windowPlace as for LoadProfile.
bool LoadDefaultLook(const QString& profile, AlbumLook& look,
                     std::optional<QPoint> windowPlace = std::nullopt);
// SaveProfile; the person's own default look, perhaps the first file of
// their settings folder, gets that folder made first.
bool SaveLook(const QString& fileName, const AlbumLook& look);

// Reads the stored settings over the defaults: a missing value keeps its
// default, a flag is true for any non-zero number. A stored Profile naming
// the shipped look means the person's own, which is the one that is written. Start-up's
// LoadSettings (with the language, the association and the first look) is the window's.
void ReadSettings(ProgramSettings& settings);
// Writes every value: strings, flags as 0/1, MenuSpeed as a number.
void SaveSettings(const ProgramSettings& settings);
