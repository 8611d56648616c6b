#pragma once
// The album file (*.ALB): two key=value lines naming the main data file and
// the format file, each relative to the album file's folder.

#include <QString>
#include <QStringList>

class AlbumModel;

struct AlbumFileValues {
  QString DataFile;    // as written; empty when the key is missing
  QString FormatFile;  // as written; empty when the key is missing
};

// The values by the key=value rule: the first line whose key matches without
// regard to case; lines in any order, other lines ignored.
AlbumFileValues ReadAlbumFileValues(const QStringList& lines);

// The two lines the program writes for the model's album file: the data and
// format file names relative to the album file's folder (a name on another
// drive stays absolute), each empty when the album has no such name.
QStringList AlbumFileLines(const AlbumModel& model);

// The main data file a new album gets: the album file's name with ".XML" in
// place of its extension ("Trip.ALB" gives "Trip.XML" beside it).
QString DefaultDataFileName(const QString& albumFileName);
