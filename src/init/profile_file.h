#pragma once
// The format file (*.AFM): the album look as 49 key=value lines.

#include <QFont>
#include <QPoint>
#include <QString>
#include <optional>

#include "core/file_error.h"
#include "core/text_file.h"  // ReadTextLines, WriteTextLines
#include "init/profile.h"

// Reads a format file into profile. The profile is first set to the defaults,
// so keys the file lacks end at their defaults. A FormLeft or FormTop that is
// not a number takes windowPlace's (where the main window is now) when given,
// else keeps its default. Returns false when the file
// does not exist (the defaults stay), true when it was read. Raises
// EFileError (Reading) when the file exists but cannot be read.
bool LoadProfile(const QString& fileName, AlbumLook& profile,
                 std::optional<QPoint> windowPlace = std::nullopt);

// Writes the 49 lines of the profile, replacing the file atomically; true on
// success. Raises EFileError (Writing) on failure, the old file kept whole.
bool SaveProfile(const QString& fileName, const AlbumLook& profile);

// A font's style set; strikeout has no bit in the style code.
struct FontStyleSet {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool operator==(const FontStyleSet& o) const {
    return Bold == o.Bold && Italic == o.Italic && Underline == o.Underline &&
           StrikeOut == o.StrikeOut;
  }
};

FontStyleSet FontStyles(const QFont& font);
void SetFontStyles(QFont& font, const FontStyleSet& styles);

// 1 bold + 2 italic + 4 underline; strikeout dropped.
int FontStyleToCode(const FontStyleSet& styles);
// The inverse; bits above the third are ignored and strikeout never set.
FontStyleSet CodeToFontStyle(int code);
