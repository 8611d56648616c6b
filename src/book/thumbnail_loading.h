#pragma once
// Making the thumbnails of the album model's chapters.
//
// The model is touched only by the calling (user-interface) thread. A
// chapter's files are decoded on all cores at once, but the thumbnails land
// in the model in file order and the progress box advances image by image,
// exactly as if they were made one by one.

#include <QSize>
#include <QString>

class AlbumModel;
class ProgressSink;

// Inserts the thumbnail of fileName into Thumbnails[k] at position (at the
// end when position is -1 or out of range); a null one when the file cannot
// be read. Shows the busy cursor meanwhile. Ignores k outside 0..10.
void LoadThumbnail(AlbumModel& model, int k, const QString& fileName, int position, QSize box);

// Makes Thumbnails[k] anew, one per file of chapter k, and sets
// ThumbsLoaded[k]. The progress box shows DataTitles[k] and "LoadingThumbs"
// with the percentage of images done. A file that cannot be read leaves a
// null thumbnail. threads = 0 uses every core; 1 works on the calling thread
// alone. Ignores k outside 0..ChapterCount().
void LoadChapterThumbnails(AlbumModel& model, int k, QSize box, ProgressSink& progress,
                           int threads = 0);

// LoadChapterThumbnails for every chapter 0..ChapterCount() in order.
void LoadAllThumbnails(AlbumModel& model, QSize box, ProgressSink& progress, int threads = 0);

// Whether chapter k has a thumbnail for every file, made for box.
bool ChapterThumbnailsReady(const AlbumModel& model, int k, QSize box);

// Makes sure chapter k can be shown: loads its thumbnails unless they are
// ready for box. With keepOneChapter (the FreeMemory setting, unless
// LoadAllChapters asked for every chapter to be kept) the thumbnails of every
// other chapter are dropped first and their ThumbsLoaded cleared, so only
// the chapter on screen holds memory.
void PrepareChapterThumbnails(AlbumModel& model, int k, QSize box, ProgressSink& progress,
                              bool keepOneChapter);
