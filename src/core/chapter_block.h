#pragma once
// Runs of images moved within a chapter. The images and the thumbnails
// change in step, so thumbnail i always belongs to image i.
// A chapter whose thumbnails are not loaded keeps none after a change: they
// are made again when it is shown, never left out of step with its files.

#include "core/open_album.h"

// A run of images with their details and thumbnails, taken out of a chapter
// or about to go into one (the internal clipboard is one).
struct ChapterBlock {
  ImageList Data;
  ThumbnailList Thumbnails;  // parallel to Data, or empty when none were loaded

  int Count() const { return static_cast<int>(Data.size()); }
  bool HasThumbnails() const { return Thumbnails.size() == Data.size(); }
};

// Where entry i of a chapter is after a change (-1: removed).
struct IndexMap {
  enum Kind { Same, Insert, Remove, Move };
  Kind Change = Same;
  int First = 0;  // the run's first index before the change (Insert: the position)
  int Count = 0;
  int To = 0;  // Move: the run's first index after the change

  int operator()(int i) const;
};

// Whether chapter k holds one thumbnail per image.
bool ThumbnailsParallel(const AlbumModel& model, const AlbumThumbnails& thumbs, int k);

// Copies of entries first .. first+count-1 (held to the chapter).
ChapterBlock CopyEntries(const AlbumModel& model, const AlbumThumbnails& thumbs, int k, int first,
                         int count);
// Removes them and gives them back.
ChapterBlock TakeEntries(AlbumModel& model, AlbumThumbnails& thumbs, int k, int first, int count);
// Inserts block in front of entry position (at the end when position is out of range).
void InsertEntries(AlbumModel& model, AlbumThumbnails& thumbs, int k, int position,
                   const ChapterBlock& block);
// Moves entries first .. first+count-1 so that the run starts at to.
void MoveEntries(AlbumModel& model, AlbumThumbnails& thumbs, int k, int first, int count, int to);
