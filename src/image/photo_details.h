#pragma once
// What a photo says about itself: the date it was taken, a title, the place
// and the people, read from its EXIF, IPTC and XMP blocks. The file is only
// read, never written.

#include <QDate>
#include <QString>

struct PhotoDetails {
  QDate Taken;
  QString Title, Place, People;
};

// Any thread. JPEG files only (.jpg, .jpeg); empty for other kinds, missing
// files and damaged metadata.
PhotoDetails ReadPhotoDetails(const QString& fileName);
