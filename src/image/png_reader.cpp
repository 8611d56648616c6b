#include "png_reader.h"

#include <QFile>
#include <QImageReader>

QImage ReadPng(const QString& path) {
  // Opened here: a reader left to open a missing file warns on stderr.
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&file, "png");
  reader.setAutoDetectImageFormat(false);
  reader.setAutoTransform(false);
  QImage image;
  // A file cut short or damaged fails here as a whole.
  if (!reader.read(&image)) return {};
  return image;
}
