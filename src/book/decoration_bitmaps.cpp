#include "decoration_bitmaps.h"

// Resources compiled into a static library are registered only when
// something refers to them.
static void InitBitmapResources() { Q_INIT_RESOURCE(bitmaps); }

QImage DecorationBitmap(const QString& name) {
  static const bool registered = (InitBitmapResources(), true);
  Q_UNUSED(registered);
  return QImage(QStringLiteral(":/bitmaps/%1.png").arg(name));
}
