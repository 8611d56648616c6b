#include "decoration_bitmaps.h"

#include <QHash>
#include <QMutex>

#include "image/png_reader.h"

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
