#pragma once
// Reading a picture for the image view: JPEG through the program's own
// decoder (limits, EXIF orientation, decoded no larger than needed), BMP and
// GIF through Qt's readers. Any failure gives a null picture.

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

struct ViewPicture {
  QImage Image;    // null when the file cannot be read
  QSize FullSize;  // the whole upright picture, whatever size Image has
};

// neededSize gives, for the full size, the smallest size Image may have; a
// JPEG is then decoded at the smallest DCT scale that reaches it. Without it,
// or for BMP and GIF, the picture is read whole.
ViewPicture ReadViewPicture(const QString& fileName,
                            const std::function<QSize(QSize)>& neededSize = {});
