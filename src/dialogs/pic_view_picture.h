#pragma once
// Reading a picture for the image view: JPEG through the program's own
// decoder (limits, EXIF orientation, decoded no larger than needed), BMP and
// GIF through Qt's readers. Any failure gives a null picture.

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

#include "image/jpeg_reader.h"

class AlbumModel;

struct ViewPicture {
  QImage Image;    // null when the file cannot be read
  QSize FullSize;  // the whole upright picture, whatever size Image has
};

// neededSize gives, for the full size, the smallest size Image may have; a
// JPEG is then decoded at the smallest DCT scale that reaches it. Without it,
// or for BMP and GIF, the picture is read whole.
// One picture awaited decodes on both cores; a picture read ahead leaves one free.
ViewPicture ReadViewPicture(const QString& fileName,
                            const std::function<QSize(QSize)>& neededSize = {},
                            JpegThreads threads = JpegThreads::Two);

// The full path of image index of chapter k: its file as written, against the
// chapter's image folder and data file.
QString ImageFilePath(const AlbumModel& model, int k, int index);
