#pragma once
// The album as a set of files: the album file (*.ALB, two key=value lines
// naming the others), the main data file with its chapter files, and the
// format file (*.AFM) with the look. Opens any of them by its extension,
// writes the album file and the format file, and asks before unsaved changes
// are dropped.

#include <QString>
#include <QStringList>

#include "core/data_file.h"
#include "init/profile.h"
#include "init/program_settings.h"

// An album's files and what they are read into: the data, the look the book
// is drawn with and the program settings, all owned by whoever owns the book.
struct DocumentContext {
  DataFileContext Data;
  AlbumLook& Look;
  ProgramSettings& Settings;
};

// Opens an album, format or data file by its extension (any letter case);
// a missing file or another extension does nothing. The name is taken as a
// full path at once, so a later change of the current folder cannot move it.
// Raises EFileError when the album or format file exists but cannot be read;
// the normal cursor is restored either way.
void OpenDocument(const DocumentContext& context, const QString& name);

// Loads a format file (the built-in defaults when it does not exist, the
// empty name included; the shipped look for the person's own default look
// not made yet) as the look, remembers its name, and applies it.
void OpenFormatFile(const DocumentContext& context, const QString& name, bool placeWindow);

// Makes profile the look. With placeWindow the window is placed and sized from
// it; without, the window stays where it is and the look takes over its
// current place, size and maximised state.
void ApplyProfile(const DocumentContext& context, const AlbumLook& profile, bool placeWindow);

// Writes the album file AlbumFileName. A format or main data file that does
// not exist yet is written first (a new album gets a main data file named
// after the album file). Raises EFileError when the album file cannot be
// written; the old file stays whole and AlbumModified stays set. So do
// both when the file was changed by another program since it was read here
// and the user declines to overwrite it.
void WriteAlbumFile(const DocumentContext& context);

// Writes the look to the album's format file and clears FormatModified.
// Raises EFileError on failure; the old file and the flag stay, as they do
// when the user declines to overwrite a file another program changed.
void SaveFormatFile(const DocumentContext& context);

// Asks whether to save unsaved changes, first of the data and album file,
// then of the look, and saves on Yes. True when the caller may go on: after
// No, or after Yes when everything asked about was saved. Cancel, or a save
// that failed or was cancelled, gives false at once so no change is lost.
bool AskSaveChanges(const DocumentContext& context);
