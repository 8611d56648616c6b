#pragma once
// What the new album guide does with its answers, without the guide window.

#include <QString>

class AlbumModel;

// The files of an album made by the guide: the album file, always ending in
// ".ALB" (added unless typed; a typed ".XML" or ".AFM" is replaced, other
// dots belong to the name; a relative name is taken in folder), and a data
// file and a format file of the same name beside it. All empty when the name
// names no file (empty, a folder, a bare extension).
struct GuideFileNames {
  QString Album;
  QString Data;
  QString Format;
};
GuideFileNames GuideAlbumFiles(const QString& typed, const QString& folder);

// Names a new album (the state the New command leaves): the title becomes
// the album title and the files its album, data and format files. Nothing is
// written; the album is marked modified so that saving writes all three.
void NameNewAlbum(AlbumModel& model, const QString& title, const GuideFileNames& files);
