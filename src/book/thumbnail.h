#pragma once
// Thumbnails: pictures scaled into the picture part of a thumbnail cell.
//
// A thumbnail stands for a picture scaled into the picture part of a cell
// (the cell minus DescHeight at its bottom), centred, never enlarged; only
// the picture's own rectangle is kept, with its offset in that box
// (Thumbnail, core/album_model.h). A null picture stands for a file that is
// missing or cannot be read. Everything here may run on any thread.

#include <QImage>
#include <QSize>
#include <QString>

#include "book/page_geometry.h"
#include "core/open_album.h"

class QPainter;
struct AlbumLook;

// Height of the description lines under a picture: the height of "M" in
// BaseFont times the number of lines (TextRowCount, plus one for date and
// place, plus one for people, the last two only with ExtendedDesc).
int DescHeight(const AlbumLook& look);

// The thumbnail size for a window and look: the first cell of the left page
// without its description lines. Empty when the cells are too small.
QSize ThumbnailSize(QSize windowSize, const AlbumLook& look);

// Where a picture of pictureSize lands in a thumbnail of box size. It keeps
// its proportions (rounded to the nearest, halves to even), is never
// enlarged, is centred, and is drawn one pixel short of its height.
EdgeRect ThumbnailPictureRect(QSize pictureSize, QSize box);

// The thumbnail of a picture for box; its picture is null when the picture
// is null or box is empty.
Thumbnail MakeThumbnail(const QImage& picture, QSize box);

// The thumbnail of an image file, read by its extension: .BMP and .GIF
// through Qt's readers, .JPG and .JPEG through our JPEG decoder (scaled
// while decoding, EXIF orientation applied). Null for a missing file, any
// other extension, or a file that fails to decode. A valid entry of the
// desktop's thumbnail cache (image/thumbnail_cache.h) stands in for decoding, and
// so does an entry recording that the file failed; with shareThumbnails a
// file decoded here gets its entry.
Thumbnail ReadThumbnail(const QString& fileName, QSize box, bool shareThumbnails);

// The picture drawn for every video, made from the "VIDEO" bitmap for box.
Thumbnail VideoThumbnail(QSize box);

// Draws a thumbnail into the picture part whose top-left corner is (x, y).
void DrawThumbnail(QPainter& painter, int x, int y, const Thumbnail& thumbnail);
