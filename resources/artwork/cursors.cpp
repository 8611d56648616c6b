// The program's mouse cursors, 32 x 32 with their hot spots: white shapes
// with a dark outline, so they read on paper, cover and bookmarks alike.

#include <QPainter>
#include <QPainterPath>
#include <cstring>

#include "artwork.h"

namespace artwork {
namespace {

constexpr int Size = 32;

QImage Blank() {
  QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Outline(QPainter& p, const QPainterPath& path) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(20, 20, 20), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
}

// A magnifying glass with a plus: the picture under it opens full size.
Cursor Zoom() {
  QImage image = Blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(12, 12);
  p.setPen(QPen(QColor(20, 20, 20), 6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.setPen(QPen(QColor(150, 110, 60), 3.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(18.5, 18.5), QPointF(27.5, 27.5));
  p.setPen(QPen(QColor(20, 20, 20), 1.2));
  p.setBrush(QColor(255, 255, 255, 190));
  p.drawEllipse(centre, 9, 9);
  p.setPen(QPen(QColor(20, 20, 20), 2.2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, 8, 8);
  p.setPen(QPen(QColor(20, 20, 20), 2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(8, 12), QPointF(16, 12));
  p.drawLine(QPointF(12, 8), QPointF(12, 16));
  return {image, QPoint(12, 12)};
}

// A solid arrow pointing along the book's edge towards a bookmark's chapter.
Cursor Arrow(bool right) {
  QImage image = Blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath path;
  path.moveTo(2, 16);
  path.lineTo(14, 5);
  path.lineTo(14, 11);
  path.lineTo(29, 11);
  path.lineTo(29, 21);
  path.lineTo(14, 21);
  path.lineTo(14, 27);
  path.closeSubpath();
  if (right) {
    p.translate(Size, 0);
    p.scale(-1, 1);
  }
  p.setPen(QPen(QColor(20, 20, 20), 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(Qt::white);
  p.drawPath(path);
  return {image, right ? QPoint(Size - 3, 16) : QPoint(2, 16)};
}

// A curved arrow over a page corner: turn the page forward or back.
Cursor Turn(bool forward) {
  QImage image = Blank();
  QPainter p(&image);
  if (!forward) {
    p.translate(Size, 0);
    p.scale(-1, 1);
  }
  p.setRenderHint(QPainter::Antialiasing);
  // A small sheet with its corner lifting.
  QPainterPath sheet;
  sheet.moveTo(6, 10);
  sheet.lineTo(20, 10);
  sheet.lineTo(20, 22);
  sheet.lineTo(15, 28);
  sheet.lineTo(6, 28);
  sheet.closeSubpath();
  p.setPen(QPen(QColor(20, 20, 20), 1.4));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  p.setBrush(QColor(200, 200, 200));
  p.drawPolygon(QPolygonF({QPointF(20, 22), QPointF(15, 28), QPointF(15, 22)}));
  // The arc of the turn, ending in an arrow head.
  QPainterPath arc;
  arc.moveTo(9, 7);
  arc.cubicTo(13, 1, 24, 1, 27, 9);
  Outline(p, arc);
  QPainterPath head;
  head.moveTo(23, 9);
  head.lineTo(28, 12);
  head.lineTo(30, 6);
  head.closeSubpath();
  p.setPen(QPen(QColor(20, 20, 20), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawPath(head);
  return {image, forward ? QPoint(16, 16) : QPoint(Size - 1 - 16, 16)};
}

}  // namespace

Cursor MakeCursor(const char* name) {
  if (std::strcmp(name, "ZOOM") == 0) return Zoom();
  if (std::strcmp(name, "LEFT") == 0) return Arrow(false);
  if (std::strcmp(name, "RIGHT") == 0) return Arrow(true);
  if (std::strcmp(name, "NEXT") == 0) return Turn(true);
  if (std::strcmp(name, "PREVIOUS") == 0) return Turn(false);
  return {};
}

}  // namespace artwork
