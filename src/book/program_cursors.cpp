#include "program_cursors.h"

#include <QImage>
#include <QPixmap>

#include "image/png_reader.h"

QString ProgramCursorName(int number) {
  switch (number) {
    case crZoom:
      return QStringLiteral("ZOOM");
    case crLeft:
      return QStringLiteral("LEFT");
    case crRight:
      return QStringLiteral("RIGHT");
    case crPrevious:
      return QStringLiteral("PREVIOUS");
    case crNext:
      return QStringLiteral("NEXT");
    default:
      return QString();
  }
}

QImage ProgramCursorImage(const QString& name, QPoint* hotSpot) {
  QImage image = ReadPng(QStringLiteral(":/cursors/%1.png").arg(name));
  if (hotSpot != nullptr)
    *hotSpot = QPoint(image.text(QStringLiteral("HotSpotX")).toInt(),
                      image.text(QStringLiteral("HotSpotY")).toInt());
  return image;
}

QCursor ProgramCursor(const QString& name) {
  QPoint hotSpot;
  const QImage image = ProgramCursorImage(name, &hotSpot);
  if (image.isNull()) return QCursor(Qt::ArrowCursor);
  return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}
