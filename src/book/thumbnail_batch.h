#pragma once
// Thumbnails of files about to join a chapter (added, inserted, dropped or
// renamed), made by the chapter loader: decoded on all cores, in file order,
// with the progress box advancing image by image.

#include <QSize>
#include <QString>
#include <QStringList>

#include "core/chapter_block.h"

class ProgressSink;

// One thumbnail per file, in order; a file that cannot be read gives the
// loader's empty thumbnail. title heads the progress text (the chapter's
// data title). threads as for LoadChapterThumbnails.
ThumbnailList MakeThumbnails(const QStringList& files, QSize box, const QString& title,
                             ProgressSink& progress, int threads = 0);
