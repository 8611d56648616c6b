#include "exif_orientation.h"

#include <libexif/exif-data.h>

#include <QTransform>

int ExifOrientation(const unsigned char* data, std::size_t size) {
  // A JPEG marker holds at most 64 KB; anything larger is not what we parse.
  if (data == nullptr || size < 6 || size > 0xFFFF) return 1;
  ExifData* exif = exif_data_new();
  if (exif == nullptr) return 1;
  // Only reading: do not let the library add or repair tags.
  exif_data_unset_option(exif, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
  exif_data_load_data(exif, data, static_cast<unsigned int>(size));
  int orientation = 1;
  const ExifEntry* entry = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
  if (entry != nullptr && entry->format == EXIF_FORMAT_SHORT && entry->components >= 1 &&
      entry->data != nullptr && entry->size >= 2) {
    orientation = exif_get_short(entry->data, exif_data_get_byte_order(exif));
  }
  exif_data_unref(exif);
  return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

bool SwapsWidthAndHeight(int orientation) { return orientation >= 5 && orientation <= 8; }

QSize UprightSize(QSize storedSize, int orientation) {
  return SwapsWidthAndHeight(orientation) ? storedSize.transposed() : storedSize;
}

QImage ApplyExifOrientation(const QImage& stored, int orientation) {
  // The tag names where the stored first row and column belong: 2 and 4
  // mirror, 3 turns half round, 6 and 8 a quarter, 5 and 7 a quarter and a
  // mirror (the two diagonals).
  switch (orientation) {
    case 2:
      return stored.mirrored(true, false);
    case 3:
      return stored.mirrored(true, true);
    case 4:
      return stored.mirrored(false, true);
    case 5:
      return stored.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
      return stored.transformed(QTransform().rotate(90));
    case 7:
      return stored.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8:
      return stored.transformed(QTransform().rotate(270));
    default:
      return stored;
  }
}
