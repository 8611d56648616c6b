#pragma once
// Thumbnails: pictures scaled into the picture part of a thumbnail cell.
//
// A thumbnail is exactly as large as the picture part of a cell (the cell
// minus DescHeight at its bottom), with the picture scaled into it, centred,
// never enlarged, and the rest fully transparent. A null QImage stands for a
// file that is missing or cannot be read. Everything here except
// VideoThumbnail may run on any thread.

#include <QImage>
#include <QSize>
#include <QString>

#include "book/page_geometry.h"

struct TProfile;

// Height of the description lines under a picture: the height of "M" in
// BaseFont times the number of lines (TextRowCount, plus one for date and
// place, plus one for people, the last two only with ExtendedDesc).
int DescHeight(const TProfile& look);

// The thumbnail size for a window and look: the first cell of the left page
// without its description lines. Empty when the cells are too small.
QSize ThumbnailSize(QSize windowSize, const TProfile& look);

// Where a picture of pictureSize lands in a thumbnail of box size. It keeps
// its proportions (rounded to the nearest, halves to even), is never
// enlarged, is centred, and is drawn one pixel short of its height.
TRect ThumbnailPictureRect(QSize pictureSize, QSize box);

// The thumbnail of a picture; null when the picture is null or box is empty.
QImage MakeThumbnail(const QImage& picture, QSize box);

// The thumbnail of an image file, read by its extension: .BMP and .GIF
// through Qt's readers, .JPG and .JPEG through our JPEG decoder (scaled
// while decoding, EXIF orientation applied). Null for a missing file, any
// other extension, or a file that fails to decode.
QImage ReadThumbnail(const QString& fileName, QSize box);

// target becomes the thumbnail of fileName, or null when there is none, so a
// changed file never keeps the thumbnail of the old one.
void PictureToThumbnail(QImage& target, const QString& fileName, QSize box);

// The picture drawn for every video, made from the "VIDEO" bitmap for box
// and kept until box changes. User-interface thread only.
QImage VideoThumbnail(QSize box);
