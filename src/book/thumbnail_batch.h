#pragma once
// Thumbnails of files about to join a chapter (added, inserted, dropped or
// renamed), made by the chapter loader: decoded on all cores, in file order,
// with the progress box advancing image by image; and the details the
// photos keep about themselves, read meanwhile.

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/chapter_block.h"
#include "core/date_forms.h"
#include "image/photo_details.h"

class ProgressSink;

// One thumbnail per file, in order; a file that cannot be read gives the
// loader's empty thumbnail. title heads the progress text (the chapter's
// data title). threads as for LoadChapterThumbnails.
ThumbnailList MakeThumbnails(const QStringList& files, QSize box, const QString& title,
                             ProgressSink& progress, int threads = 0);

// The thumbnails and, when asked for, the details of files about to be added.
struct NewImages {
  ThumbnailList Thumbnails;
  QList<PhotoDetails> Details;  // empty when not read
};

// MakeThumbnails, with the details of every file read on the pool's workers
// meanwhile when readDetails is set (on this thread when threads is 1).
NewImages MakeNewImages(const QStringList& files, QSize box, const QString& title,
                        ProgressSink& progress, bool readDetails, int threads = 0);

// Fills the record's empty fields from details, the date in form (else the
// locale's); true when a field changed.
bool FillEmptyDetails(ImageRecord& record, const PhotoDetails& details,
                      const std::optional<DateForm>& form);
