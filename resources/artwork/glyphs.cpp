// The glyphs of the book window: 16 x 16 pictures of the commands on the tool
// panel, the caption buttons (14 x 14, normal and highlighted) and the resize
// grip. Flat shapes with a dark outline, readable on the panel's grey.

#include <QPainter>
#include <QPainterPath>
#include <cstdlib>
#include <cstring>

#include "artwork.h"

namespace artwork {
namespace {

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 245);

QImage Blank(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Begin(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A sheet of paper with a folded corner, its left top at (x, y).
void Sheet(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
  QPainterPath sheet;
  sheet.moveTo(x, y);
  sheet.lineTo(x + w - 4, y);
  sheet.lineTo(x + w, y + 4);
  sheet.lineTo(x + w, y + h);
  sheet.lineTo(x, y + h);
  sheet.closeSubpath();
  p.setBrush(kPaper);
  p.drawPath(sheet);
  p.drawLine(QPointF(x + w - 4, y), QPointF(x + w - 4, y + 4));
  p.drawLine(QPointF(x + w - 4, y + 4), QPointF(x + w, y + 4));
}

// A small framed picture: sky, a hill and the sun.
void Picture(QPainter& p, QRectF r) {
  p.setBrush(QColor(150, 200, 240));
  p.drawRect(r);
  QPainterPath hill;
  hill.moveTo(r.left(), r.bottom());
  hill.quadTo(r.center().x(), r.top() + r.height() * 0.3, r.right(), r.bottom());
  p.setBrush(QColor(80, 160, 70));
  p.drawPath(hill);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 210, 60));
  p.drawEllipse(QPointF(r.right() - 3, r.top() + 3), 1.6, 1.6);
  p.setPen(QPen(kInk, 1.0));
}

void Badge(QPainter& p, QPointF at, const QColor& colour, bool plus) {
  p.setBrush(colour);
  p.drawEllipse(at, 3.6, 3.6);
  p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(at - QPointF(2, 0), at + QPointF(2, 0));
  if (plus) p.drawLine(at - QPointF(0, 2), at + QPointF(0, 2));
  p.setPen(QPen(kInk, 1.0));
}

QImage Command(int index) {
  QImage image = Blank(16);
  QPainter p(&image);
  Begin(p);
  switch (index) {
    case 0:  // New
      Sheet(p, 3.5, 1.5, 9, 13);
      break;
    case 1: {  // Open: a folder
      p.setBrush(QColor(230, 185, 70));
      p.drawRect(QRectF(1.5, 4.5, 13, 9));
      p.drawRect(QRectF(1.5, 2.5, 5, 2));
      p.setBrush(QColor(250, 215, 110));
      QPainterPath flap;
      flap.moveTo(3.5, 7.5);
      flap.lineTo(15, 7.5);
      flap.lineTo(13.5, 13.5);
      flap.lineTo(1.5, 13.5);
      flap.closeSubpath();
      p.drawPath(flap);
      break;
    }
    case 2:  // Save: a disk
      p.setBrush(QColor(60, 100, 170));
      p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(QColor(200, 200, 210));
      p.drawRect(QRectF(4, 9.5, 8, 5));
      break;
    case 3: {  // Edit mode: a pencil
      p.setBrush(QColor(240, 190, 60));
      QPainterPath pencil;
      pencil.moveTo(11, 1.5);
      pencil.lineTo(14.5, 5);
      pencil.lineTo(5, 14.5);
      pencil.lineTo(1.5, 14.5);
      pencil.lineTo(1.5, 11);
      pencil.closeSubpath();
      p.drawPath(pencil);
      p.drawLine(QPointF(1.5, 11), QPointF(5, 14.5));
      p.drawLine(QPointF(9, 3.5), QPointF(12.5, 7));
      break;
    }
    case 4:  // Setup: three sliders
      for (int i = 0; i < 3; ++i) {
        const qreal y = 3.5 + i * 4.5;
        p.drawLine(QPointF(2, y), QPointF(14, y));
        p.setBrush(QColor(120, 160, 210));
        p.drawRect(QRectF(3 + ((i * 5) % 9), y - 1.5, 3, 3));
      }
      break;
    case 5:  // Insert images: a picture and an arrow into it
      Picture(p, QRectF(4.5, 5.5, 10, 8));
      p.setPen(QPen(QColor(30, 120, 40), 1.8, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(1.5, 9.5), QPointF(7, 9.5));
      p.drawLine(QPointF(5, 7.5), QPointF(7, 9.5));
      p.drawLine(QPointF(5, 11.5), QPointF(7, 9.5));
      break;
    case 6:  // Album properties: a closed book
      p.setBrush(QColor(150, 80, 30));
      p.drawRoundedRect(QRectF(3.5, 1.5, 10, 13), 1, 1);
      p.setBrush(kPaper);
      p.drawRect(QRectF(6, 5, 5, 3));
      p.drawLine(QPointF(5, 1.5), QPointF(5, 14.5));
      break;
    case 7: {  // About: a question mark in a circle
      p.setBrush(QColor(60, 120, 200));
      p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
      p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
      QPainterPath mark;
      mark.moveTo(6, 6);
      mark.cubicTo(6, 3.5, 10.5, 3.5, 10.2, 6.2);
      mark.cubicTo(10, 7.8, 8, 7.8, 8, 9.8);
      p.setBrush(Qt::NoBrush);
      p.drawPath(mark);
      p.drawPoint(QPointF(8, 12.3));
      break;
    }
    case 8:  // Add images: a picture with a plus
      Picture(p, QRectF(1.5, 2.5, 11, 9));
      Badge(p, QPointF(12, 12), QColor(40, 150, 60), true);
      break;
    case 9:  // Delete images: a red cross
      p.setPen(QPen(QColor(120, 20, 20), 4.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
      p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
      p.setPen(QPen(QColor(220, 50, 40), 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
      p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
      break;
    case 10:  // Cut: scissors
      p.setPen(QPen(kInk, 1.3));
      p.drawLine(QPointF(4, 1.5), QPointF(10.5, 11));
      p.drawLine(QPointF(12, 1.5), QPointF(5.5, 11));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
      p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
      break;
    case 11:  // Copy: two sheets
      Sheet(p, 1.5, 1.5, 8, 10);
      Sheet(p, 6.5, 4.5, 8, 10);
      break;
    case 12:  // Paste: a clipboard with a sheet
      p.setBrush(QColor(180, 130, 70));
      p.drawRoundedRect(QRectF(2.5, 2.5, 10, 12), 1, 1);
      p.setBrush(QColor(200, 200, 210));
      p.drawRect(QRectF(5.5, 1.5, 4, 2.5));
      Sheet(p, 7.5, 6.5, 7, 8);
      break;
    case 13: {  // Play: a picture with a green disc holding a white triangle
      Picture(p, QRectF(1.5, 1.5, 11, 9));
      const QPointF at(11, 11);
      p.setBrush(QColor(40, 150, 60));
      p.drawEllipse(at, 4.5, 4.5);
      QPainterPath triangle;
      triangle.moveTo(at + QPointF(-1.6, -2.6));
      triangle.lineTo(at + QPointF(2.8, 0));
      triangle.lineTo(at + QPointF(-1.6, 2.6));
      triangle.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawPath(triangle);
      break;
    }
    case 14:  // Find missing photos: a magnifier over a picture
      Picture(p, QRectF(1.5, 1.5, 10, 8));
      p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(11, 11), QPointF(14.5, 14.5));
      p.setPen(QPen(kInk, 1.3));
      p.setBrush(QColor(200, 225, 250, 200));
      p.drawEllipse(QPointF(9, 9), 3.5, 3.5);
      break;
    default:
      return QImage();
  }
  return image;
}

// A caption button: a round face with its sign, grey and dark normally,
// coloured and white when the pointer is on it.
QImage Caption(const char* name, bool highlighted) {
  QImage image = Blank(14);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const bool close = std::strcmp(name, "close") == 0;
  const QColor face = !highlighted ? QColor(225, 225, 225, 210)
                      : close      ? QColor(210, 50, 40)
                                   : QColor(60, 120, 200);
  p.setPen(QPen(QColor(60, 60, 60, 200), 1.0));
  p.setBrush(face);
  p.drawEllipse(QRectF(0.5, 0.5, 13, 13));
  p.setPen(QPen(highlighted ? Qt::white : kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  if (close) {
    p.drawLine(QPointF(4.5, 4.5), QPointF(9.5, 9.5));
    p.drawLine(QPointF(9.5, 4.5), QPointF(4.5, 9.5));
  } else if (std::strcmp(name, "maximize") == 0) {
    p.drawRect(QRectF(4, 4, 6, 6));
  } else {
    p.drawLine(QPointF(4, 9.5), QPointF(10, 9.5));
  }
  return image;
}

// The resize grip: three diagonal ridges, kept clear of the window's round
// corner (radius 12.5), which would cut the outermost one.
QImage Grip() {
  QImage image = Blank(16);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(-3, -3);
  for (int i = 0; i < 3; ++i) {
    const qreal d = 4 + i * 4;
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.2));
    p.drawLine(QPointF(15 - d + 1, 15), QPointF(15, 15 - d + 1));
    p.setPen(QPen(QColor(40, 40, 40, 190), 1.2));
    p.drawLine(QPointF(15 - d, 15), QPointF(15, 15 - d));
  }
  return image;
}

}  // namespace

QImage MakeGlyph(const char* name) {
  if (std::strcmp(name, "grip") == 0) return Grip();
  for (const char* caption : {"close", "maximize", "minimize"}) {
    const std::size_t n = std::strlen(caption);
    if (std::strncmp(name, caption, n) == 0 && (name[n] == '0' || name[n] == '1') && !name[n + 1])
      return Caption(caption, name[n] == '1');
  }
  char* end = nullptr;
  const long index = std::strtol(name, &end, 10);
  return end != name && *end == '\0' ? Command(static_cast<int>(index)) : QImage();
}

}  // namespace artwork
