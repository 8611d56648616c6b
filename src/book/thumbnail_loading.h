#pragma once
// Making the thumbnails of the album model's chapters.
//
// The model is touched only by the calling (user-interface) thread. A
// chapter's files are decoded on all cores at once, but the thumbnails land
// in the model in file order and the progress box advances image by image,
// exactly as if they were made one by one.
//
// All thumbnails together stay within a memory budget (thumbnail_budget.h):
// a chapter that would pass it keeps the thumbnails of the spreads around
// the one shown; the others are left not made (Thumbnail::IsMade) and are
// made as their spreads come into view.

#include <QSize>
#include <QString>

#include "book/thumbnail_budget.h"

class AlbumModel;
struct AlbumThumbnails;
class ProgressSink;

// Makes thumbs.Lists[k] anew, one per file of chapter k, and sets
// thumbs.Loaded[k]: every image when the chapter fits the budget beside the
// other chapters' thumbnails, else its first images as far as they fit. The
// progress box shows DataTitles[k] and "LoadingThumbs" with the percentage
// of images done. A file that cannot be read leaves a null thumbnail.
// threads = 0 uses every core; 1 works on the calling thread alone. Ignores
// k outside 0..ChapterCount(). share: the ShareThumbnails setting.
void LoadChapterThumbnails(const AlbumModel& model, AlbumThumbnails& thumbs, int k, QSize box,
                           ProgressSink& progress, int threads = 0, bool share = true);

// LoadChapterThumbnails for every chapter 0..ChapterCount() in order.
void LoadAllThumbnails(const AlbumModel& model, AlbumThumbnails& thumbs, QSize box,
                       ProgressSink& progress, int threads = 0, bool share = true);

// What showing a spread asks of the thumbnails.
struct ThumbnailRequest {
  int Chapter = 0;
  int Spread = 0;
  int PerPage = 1;  // images a page
  QSize Box;        // the picture part of a cell
  // The FreeMemory setting, unless LoadAllChapters asked for every chapter
  // to be kept: only the chapter shown keeps thumbnails.
  bool KeepOneChapter = true;
  qint64 Budget = ThumbnailMemoryBudget;
  int Threads = 0;    // as for LoadChapterThumbnails
  bool Share = true;  // the ShareThumbnails setting
};

// Makes sure the spread asked for can be shown: its chapter's thumbnails are
// made for Box (thumbnails of another size are made again), within the
// budget, and its Loaded flag is set. Other chapters lose their thumbnails when
// KeepOneChapter is set, when theirs were made for another size, or when
// the chapter shown would not fit beside them. The progress box shows when
// the chapter was not loaded or more than a spread has to be made.
void PrepareChapterThumbnails(const AlbumModel& model, AlbumThumbnails& thumbs,
                              const ThumbnailRequest& request, ProgressSink& progress);
