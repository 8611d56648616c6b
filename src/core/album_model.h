#pragma once
// The one in-memory album: its data files, chapters, images with their
// details, modified flags, what was last read or written and the files'
// stamps. What is shown of it and its thumbnails live beside it (OpenAlbum).
//
// Chapter k is data file k: chapter 0 holds the main data file's own images,
// chapters 1..N those of the chapter files it links. The model holds plain data;
// loading, saving and drawing live elsewhere.
//
// The images are read through Images(k) and changed only through ImageEdits
// (the model's friend), whose callers are the editing and undo layer
// (chapter_block, AlbumUndo) and the code that opens or makes an album. An
// album's images replaced whole are reported to the model's listener (the undo
// stack), so no step ever acts on images it does not know.

#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include "core/file_stamps.h"

constexpr int MaxDataFiles = 11;  // the main data file and ten chapters

// One image of a chapter with its details.
struct ImageRecord {
  QString File;  // full path of the image or video file
  QString Title;
  QString Date;  // free text, never parsed
  QString Place;
  QString People;

  bool operator==(const ImageRecord& other) const {
    return File == other.File && Title == other.Title && Date == other.Date &&
           Place == other.Place && People == other.People;
  }
  bool operator!=(const ImageRecord& other) const { return !(*this == other); }
};

// A chapter's images in album order.
using ImageList = QList<ImageRecord>;
using AlbumImages = std::array<ImageList, MaxDataFiles>;

// The images' files, in order; and images of files with empty details.
QStringList FilesOf(const ImageList& images);
ImageList ImagesOf(const QStringList& files);

// What a data file holds, as the program writes it: the file it goes to,
// its title, image folder, links (the main data file's) and images.
struct DataFileSnapshot {
  QString File;  // full path
  QString Title;
  QString Dir;
  QStringList Links;  // main data file: each link as written, then its chapter's name
  ImageList Images;

  bool operator==(const DataFileSnapshot& other) const {
    return File == other.File && Title == other.Title && Dir == other.Dir && Links == other.Links &&
           Images == other.Images;
  }
};

// Moves entries first .. first+count-1 of list so that the run starts at to;
// one rotation shifts the entries the run passes.
template <typename List>
void MoveRun(List& list, int first, int count, int to) {
  auto begin = list.begin();
  if (to > first) {
    std::rotate(begin + first, begin + first + count, begin + to + count);
  } else {
    std::rotate(begin + to, begin + first, begin + first + count);
  }
}

// Page arithmetic over a grid of imagesPerPage (RowCount x ColumnCount).
// Page 0 of a chapter is its opening page; page q >= 1 holds images
// (q-1)*P .. q*P-1. Spread p (even) shows pages p and p+1; -1 is the closed book.
int PageCountFor(int imageCount, int imagesPerPage);
int LastSpreadFor(int imageCount, int imagesPerPage);
int PageOfImage(int index, int imagesPerPage);
// The spread that shows image index.
int SpreadOfImage(int index, int imagesPerPage);

class AlbumModel {
 public:
  AlbumModel();

  QString AlbumFileName;   // full path of the .ALB; empty when the album has none
  QString FormatFileName;  // as the album names it, maybe relative to the album file
  QStringList DataFiles;   // [0] main data file (full path), [1..N] links as written
  QStringList ChapterNames;
  QStringList ImageDirs;
  QStringList DataTitles;  // [0] is the album's title
  std::array<bool, MaxDataFiles> DataModified{};
  // Data file k as last read or written (an album not yet saved: as it
  // started); none when not known. Chapter k is modified exactly while it
  // differs from this, whatever changed it and however it came back.
  std::array<std::optional<DataFileSnapshot>, MaxDataFiles> SavedFiles;
  // Full paths of data files that were read only in part: saving over one
  // asks first and keeps the original beside it.
  QStringList PartlyReadFiles;
  // The album's files as last read or written here: one another program
  // changed since is not saved over unasked.
  FileStamps DiskStamps;
  bool AlbumModified = false;
  bool FormatModified = false;

  // Chapter k's images (none when k is out of range).
  const ImageList& Images(int k) const;
  const AlbumImages& AllImages() const { return images_; }
  // Called after an album's images were replaced whole (opened, made, or its
  // chapters rearranged); a copy of the model starts without it.
  void SetReplacedListener(std::function<void()> listener) { listener_.Call = std::move(listener); }

  int ImageCount(int k) const;
  int ChapterCount() const;
  int PageCount(int k, int imagesPerPage) const;
  int LastSpread(int k, int imagesPerPage) const;
  bool AnyDataModified() const;
  // An image name as a data file k stores it: relative to its image folder.
  QString ImagePathForWriting(int k, const QString& fileName) const;
  // The full path of chapter k's image folder, where its image names start.
  QString ImageFolder(int k) const;

  // Data file k as chapter k would be written now.
  DataFileSnapshot DataFileState(int k) const;
  // Data file k was read or written: it holds chapter k as it is now.
  void MarkSaved(int k);
  // DataModified[k] := chapter k differs from SavedFiles[k] (or that is not known).
  void UpdateModified(int k);

  // The state at process start: one empty data file, no chapters.
  void ResetToStart();
  // A new album: the start state with AlbumModified set.
  void ResetToNew();

 private:
  friend class ImageEdits;

  // Stays with its model: copies start without one, and a model assigned
  // to has had its images replaced whole (last member: all else is assigned).
  struct Listener {
    std::function<void()> Call;
    Listener() = default;
    Listener(const Listener&) {}
    Listener& operator=(const Listener&) {
      if (Call) Call();
      return *this;
    }
  };

  AlbumImages images_;
  Listener listener_;  // last
};

// The one way to change an album's images.
class ImageEdits {
 public:
  // Opening or making an album: every chapter's images at once, or one
  // chapter's; the model's listener is told.
  static void SetAlbum(AlbumModel& model, AlbumImages images);
  static void SetChapter(AlbumModel& model, int k, ImageList images);

  // Editing steps (AlbumUndo's): indices are the caller's to check.
  static void Insert(AlbumModel& model, int k, int position, const ImageList& images);
  static void Remove(AlbumModel& model, int k, int first, int count);
  // Moves images first .. first+count-1 so that the run starts at to.
  static void Move(AlbumModel& model, int k, int first, int count, int to);
  // Exchanges chapter k's images with images.
  static void Swap(AlbumModel& model, int k, ImageList& images);
};
