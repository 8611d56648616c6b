#pragma once
// The EXIF orientation of camera and phone pictures: which way up the stored
// pixels are meant to be seen.

#include <QImage>
#include <QSize>
#include <cstddef>

// The orientation tag (1..8) of an EXIF block as a JPEG's APP1 marker holds it
// ("Exif\0\0" followed by a TIFF structure). 1 (as stored) when the block has
// no valid tag or cannot be read.
int ExifOrientation(const unsigned char* data, std::size_t size);

// Orientations 5 to 8 turn the picture by a quarter: width and height swap.
bool SwapsWidthAndHeight(int orientation);
// The size of the upright picture whose stored pixels are storedSize.
QSize UprightSize(QSize storedSize, int orientation);
// The stored pixels turned and mirrored so that they stand upright.
QImage ApplyExifOrientation(const QImage& stored, int orientation);
