#pragma once
// What is kept beside an album's data while it is open: the view state (the
// spread on screen and the selection) and the book's thumbnails. Neither is
// written to any file; the model holds only what the files hold and their
// state on disk. The window and the headless album each own one OpenAlbum.

#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <array>

#include "core/album_model.h"

// What the book shows and which images are selected.
struct ViewState {
  int CurrentChapter = -1;  // -1: no chapter shown yet
  int CurrentPage = -1;     // -1: closed book; else an even spread number
  int SelStart = 0;
  int SelEnd = -1;  // -1: nothing selected

  // No chapter shown, or chapter 0's cover.
  bool IsBookClosed() const {
    return CurrentChapter == -1 || (CurrentChapter == 0 && CurrentPage == -1);
  }
};

// One image's thumbnail as the book keeps it: only the picture's own
// rectangle, scaled, and where that rectangle lies in the picture part of its
// cell (the cell without its description lines). Opaque pictures are stored
// without alpha; the rest of the cell is never stored. Cheap to copy and move
// (QImage shares its pixels).
struct Thumbnail {
  QImage Picture;  // null: the file is missing or gave no picture
  QPoint Offset;   // Picture's top-left corner within the picture part
  QSize Box;       // the picture part it was made for; invalid: not made yet

  bool IsNull() const { return Picture.isNull(); }
  bool IsMade() const { return Box.isValid(); }
  bool operator==(const Thumbnail& other) const {
    return Picture == other.Picture && Offset == other.Offset && Box == other.Box;
  }
};

using ThumbnailList = QList<Thumbnail>;

// The book's thumbnails, by position: Lists[k][i] belongs to image i of
// chapter k, and the editing layer moves them in step with the images.
struct AlbumThumbnails {
  std::array<ThumbnailList, MaxDataFiles> Lists;
  std::array<bool, MaxDataFiles> Loaded{};

  // Every chapter's, as for another album.
  void Clear() {
    for (ThumbnailList& list : Lists) list.clear();
    Loaded.fill(false);
  }
  // Chapter k's, made again when it is shown.
  void Drop(int k) {
    Lists[k].clear();
    Loaded[k] = false;
  }
};

// An open album: its data, what is shown of it and its thumbnails.
struct OpenAlbum {
  AlbumModel Model;
  ViewState View;
  AlbumThumbnails Thumbs;

  // The state at process start: one empty data file, no chapters, book closed.
  void ResetToStart();
  // A new album: the start state at chapter 0, spread 0, with AlbumModified
  // set. Applying the default look is the caller's.
  void ResetToNew();
};
