#pragma once
// The three kinds of file an album is saved to (album file, data file,
// format file) as one table, so that Save, Save as and Save all treat each
// the same way: what to ask, where its name lives, how it is written.

#include <QString>
#include <vector>

#include "init/album_document.h"

struct DocumentKind {
  const char* Save;  // the action names of Save and Save as
  const char* SaveAs;
  const char* Filter;  // the Save as dialog's file type and default suffix
  const char* Suffix;
  // The file's name in the model; empty: none yet, Save asks as Save as.
  QString (*FileName)(const AlbumModel& model);
  // Where Save as starts while there is no file yet.
  QString (*UnnamedFolder)(const AlbumModel& model);
  // Takes the name chosen in Save as, marking what must be written anew.
  void (*Rename)(AlbumModel& model, const QString& name);
  void (*Write)(const DocumentContext& context);
  // Something of this kind is unsaved.
  bool (*Modified)(const AlbumModel& model);
};

// Album, data, format: the order Save all writes them in.
const std::vector<DocumentKind>& DocumentKinds();
enum DocumentKindIndex { kAlbumFile, kDataFile, kFormatFile };

// The folder a file is in; empty for no file.
QString FolderOf(const QString& file);
