#include "decoration_bitmaps.h"

#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QMutex>

// Resources compiled into a static library are registered only when
// something refers to them.
static void InitBitmapResources() { Q_INIT_RESOURCE(bitmaps); }

QImage DecorationBitmap(const QString& name) {
  static const bool registered = (InitBitmapResources(), true);
  Q_UNUSED(registered);
  // Read once: every book and window asks for the same few.
  static QHash<QString, QImage> loaded;
  static QMutex guard;
  const QMutexLocker lock(&guard);
  const auto found = loaded.constFind(name);
  if (found != loaded.constEnd()) return *found;
  const QString path = QStringLiteral(":/bitmaps/%1.png").arg(name);
  const QImage bitmap = ReadPng(path);
  loaded.insert(name, bitmap);
  return bitmap;
}

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
