#pragma once
// The one in-memory album: its data files, chapters, images with their
// details, thumbnails, modified flags and the spread on screen.
//
// Chapter k is data file k: chapter 0 holds the main data file's own images,
// chapters 1..N those of the chapter files it links. The model holds plain data;
// loading, saving and drawing live elsewhere.

#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "core/file_stamps.h"

constexpr int MaxDataFiles = 11;  // the main data file and ten chapters

// Five parallel lists, one entry per image, in album order.
struct ChapterData {
  QStringList Files;  // full path of the image or video file
  QStringList Titles;
  QStringList Places;
  QStringList Dates;  // free text, never parsed
  QStringList People;

  int Count() const { return static_cast<int>(Files.size()); }
  // Appends an image with empty details.
  void AppendEmpty();
  bool operator==(const ChapterData& other) const;
};

void CreateChapterData(ChapterData& data);
void ClearChapterData(ChapterData& data);
void FreeChapterData(ChapterData& data);
void CopyChapterData(const ChapterData& source, ChapterData& target);

// What a data file holds, as the program writes it: the file it goes to,
// its title, image folder, links (the main data file's) and images.
struct DataFileSnapshot {
  QString File;  // full path
  QString Title;
  QString Dir;
  QStringList Links;  // main data file: each link as written, then its chapter's name
  ChapterData Images;

  bool operator==(const DataFileSnapshot& other) const {
    return File == other.File && Title == other.Title && Dir == other.Dir && Links == other.Links &&
           Images == other.Images;
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

// Page arithmetic over a grid of imagesPerPage (RowCount x ColumnCount).
// Page 0 of a chapter is its opening page; page q >= 1 holds images
// (q-1)*P .. q*P-1. Spread p (even) shows pages p and p+1; -1 is the closed book.
int PageCountFor(int imageCount, int imagesPerPage);
int LastSpreadFor(int imageCount, int imagesPerPage);
int PageOfImage(int index, int imagesPerPage);

class AlbumModel {
 public:
  AlbumModel();

  QString AlbumFileName;   // full path of the .ALB; empty when the album has none
  QString FormatFileName;  // as the album names it, maybe relative to the album file
  QStringList DataFiles;   // [0] main data file (full path), [1..N] links as written
  QStringList ChapterNames;
  QStringList ImageDirs;
  QStringList DataTitles;  // [0] is the album's title
  std::array<ChapterData, MaxDataFiles> Chapters;
  std::array<QList<Thumbnail>, MaxDataFiles> Thumbnails;  // parallel to Files
  std::array<bool, MaxDataFiles> ThumbsLoaded{};
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
  int CurrentChapter = -1;  // -1: no chapter shown yet
  int CurrentPage = -1;     // -1: closed book; else an even spread number
  int SelStart = 0;
  int SelEnd = -1;  // -1: nothing selected

  int ImageCount(int k) const;
  int ChapterCount() const;
  int PageCount(int k, int imagesPerPage) const;
  int LastSpread(int k, int imagesPerPage) const;
  bool IsBookClosed() const;
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

  // The state at process start: one empty data file, no chapters, book closed.
  void ResetToStart();
  // A new album: the start state at chapter 0, spread 0, with AlbumModified
  // set. Applying the default look is the caller's.
  void ResetToNew();
};
