#pragma once
// JPEG files made on the spot for the tests, written with libjpeg itself.

#include <QByteArray>
#include <QColor>
#include <QImage>

struct JpegOptions {
  int Quality = 90;
  bool Progressive = false;
  int ExifOrientation = 0;  // 0: no EXIF block
  bool LittleEndianExif = false;
  bool Cmyk = false;  // inverted CMYK with an Adobe marker, as Photoshop writes
  int LumaH = 2;      // the luma sampling factors: 2 x 2 is 4:2:0, 1 x 1 is 4:4:4
  int LumaV = 2;
  bool Grey = false;
  bool OptimizedTables = false;  // Huffman tables holding only the codes used
  int RestartInterval = 0;       // in MCUs
};

// Smooth colour under grain: large files, like photos.
QImage Grainy(int width, int height);

// A picture of one colour.
QImage Filled(int width, int height, QColor color);

// Mean difference of the colour channels, 0..255, over a's pixels.
double MeanDifference(const QImage& a, const QImage& b);

QByteArray EncodeJpeg(const QImage& image, const JpegOptions& options = {});

// A copy of jpeg whose frame header claims width x height: the attack of a
// tiny file promising a huge picture.
QByteArray WithClaimedSize(QByteArray jpeg, int width, int height);
