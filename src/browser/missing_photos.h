#pragma once
// Pictures whose files are gone, and finding them again under a folder they
// were moved to: by file name (letter case ignored), and where several files
// share the name, by what the album last knew of the old file.

#include <QList>
#include <QString>

#include "core/chapter_undo.h"

struct MissingImage {
  int Chapter = 0;
  int Index = 0;
  QString File;
};

// Every picture of every chapter whose file does not exist, in album order.
QList<MissingImage> MissingImages(const AlbumModel& model);

struct FoundImages {
  QList<Relinked> Found;        // absolute file names
  QList<MissingImage> Missing;  // not found, or no single best match
};

// Looks for each missing picture under folder. Of several files of its name
// the single best scores: the size the thumbnail cache last recorded for the
// old file (4), the date taken against the record's date (2), each trailing
// folder name shared with the old path (1). A tie leaves it missing: never a
// guess.
FoundImages FindMoved(const AlbumModel& model, const QList<MissingImage>& missing,
                      const QString& folder);

// How many pictures of the album (its file, absolute) were missing when the
// person last chose not to look for them; 0 when never. Kept in the program's
// settings store, so the question is not asked again at every opening while
// as many are missing.
int DeclinedMissing(const QString& album);
void RememberDeclinedMissing(const QString& album, int count);
