#pragma once
// The files a drop or the system clipboard carries: file managers put them
// there as file URLs (text/uri-list), GNOME's and its relatives' also as
// x-special/gnome-copied-files ("copy" or "cut", then one URL a line).

#include <QStringList>

class QMimeData;

// The local files of data that exist, in their order; folders and anything
// not a local file are left out.
QStringList CopiedFiles(const QMimeData* data);

// Those of files the album shows as pictures (by their extension): the image
// kinds Qt reads, and videos. Sidecars, raw files and documents copied with
// the photos stay out.
QStringList PictureFiles(const QStringList& files);
