#pragma once
// JPEG files made on the spot for the tests, written with libjpeg itself.

#include <QByteArray>
#include <QImage>

struct JpegOptions {
  int Quality = 90;
  bool Progressive = false;
  int ExifOrientation = 0;  // 0: no EXIF block
  bool LittleEndianExif = false;
};

QByteArray EncodeJpeg(const QImage& image, const JpegOptions& options = {});

// A copy of jpeg whose frame header claims width x height: the attack of a
// tiny file promising a huge picture.
QByteArray WithClaimedSize(QByteArray jpeg, int width, int height);
