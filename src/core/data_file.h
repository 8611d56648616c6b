#pragma once
// The album data file (*.XML, root "album2"): reading a main data file with
// the chapter files it links into the model, and writing one data file back.
//
// Written files are Windows-1250 as their declaration says; a character that
// code page lacks becomes a character reference, so no text is lost. Every
// write replaces the file atomically: a failed write leaves the old file whole.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "core/data_file_repair.h"
#include "core/open_album.h"

namespace xml {
class XmlData;
}
class AlbumWindow;
class ProgressSink;
class Prompts;

// What reading and writing data files work with. The program makes one at
// start-up; tests make their own, so nothing here reaches a global.
struct DataFileContext {
  AlbumModel& Model;
  ViewState& View;
  AlbumThumbnails& Thumbs;
  xml::XmlData& Document;  // the one document object, reused for every read
  ProgressSink& Progress;
  AlbumWindow& Window;
  Prompts& Ask;
  const bool& LoadAllChapters;  // the program setting of that name
};

// The lists a whole album's data is loaded into: an AlbumData, or the
// working copies of the chapter page of the setup dialog.
struct AlbumDataLists {
  QStringList& DataFiles;
  QStringList& ChapterNames;
  QStringList& DataTitles;
  QStringList& ImageDirs;
  AlbumImages& Chapters;
};

// A whole album's data read apart from the model, so that opening an album
// either replaces the model's data whole or leaves it as it was.
struct AlbumData {
  QStringList DataFiles;
  QStringList ChapterNames;
  QStringList DataTitles;
  QStringList ImageDirs;
  AlbumImages Chapters;

  AlbumDataLists Lists() { return {DataFiles, ChapterNames, DataTitles, ImageDirs, Chapters}; }
  // Moves everything into the model's lists (its images replaced whole).
  void MoveInto(AlbumModel& model);
};

// Reads one data file: its title, its image folder (the root's "dir"), its
// images into target, and its links (targets and chapter names, in document
// order). False when the file does not exist or does not load as XML; no
// message is shown. title is left to the caller to empty.
//
// A damaged file gives every element that is whole (see data_file_repair.h),
// and damage is set to where the damage begins; so is a file that holds
// something but does not load at all. A caller that keeps the data for
// saving records such a file in the model's PartlyReadFiles and tells the user.
bool ReadDataFile(xml::XmlData& document, const QString& name, QString& title, QString& folder,
                  ImageList& target, QStringList& links, QStringList& names,
                  std::optional<TextPlace>* damage = nullptr);

// Reads a main data file and every chapter file it links (at most ten; later
// links are left out) into lists, showing the "LoadingFile" progress. A
// relative name is taken relative to the album file. A missing or unreadable
// file gives empty chapters; loading goes on. An empty name means the album
// has no data file: the lists hold one empty entry each.
void LoadAlbumData(const DataFileContext& context, const QString& name,
                   const AlbumDataLists& target);
// Into the model, which then holds what its files hold: nothing is modified.
void LoadAlbumData(const DataFileContext& context, const QString& name);

// LoadAlbumData into the model (replacing its data only once all is read),
// then ShowOpenedData.
void OpenDataFile(const DataFileContext& context, const QString& name);

// What follows new data in the model: flags cleared, thumbnails dropped,
// edit mode off, thumbnails loaded when LoadAllChapters is on, closed book shown.
void ShowOpenedData(const DataFileContext& context);

// The bytes of data file k as it is written (the main file, k = 0, with its
// link lines). Link targets are written relative to the main data file.
QByteArray DataFileBytes(const AlbumModel& model, int k);

// Writes data file k; its link targets in the model take their relative form
// first. On failure shows the "ErrorWritingFile" warning, keeps the old file
// and leaves DataModified[k] set. A file in PartlyReadFiles is written only
// when the user agrees, after a copy of it was kept beside it; so is a file
// another program changed since it was read or written here. True when the
// file was written (or k names no file, which writes nothing).
bool WriteDataFile(const DataFileContext& context, int k);

// Gives the main data file a new name, perhaps in another folder. The chapter
// files and the pictures stay where they are: the links become full paths and
// a relative image folder is taken from the new place, so that the file
// written there names the same files as before. The flags are the caller's.
void RenameMainDataFile(AlbumModel& model, const QString& name);

// WriteDataFile for every modified data file 0..N, in increasing order.
void SaveModifiedDataFiles(const DataFileContext& context);
