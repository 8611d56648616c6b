// The decoration bitmaps of the book: the page-stack patterns, the tab at the
// top of the spine, the gutter at its foot and the turned-up page corners.

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstring>

#include "artwork.h"

namespace artwork {
namespace {

// Page edges seen from the side: paper with the thin shadows between sheets.
const QColor EdgeLight(244, 239, 226);
const QColor EdgeMid(226, 218, 199);
const QColor EdgeDark(190, 178, 152);

// One period of the page-stack stripes, across the sheets.
const QColor StackStripes[8] = {EdgeLight, EdgeMid,   EdgeLight, EdgeDark,
                                EdgeLight, EdgeLight, EdgeMid,   EdgeDark};

QImage Stripes(bool vertical) {
  QImage image(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) image.setPixel(x, y, StackStripes[vertical ? x : y].rgb());
  return image;
}

QImage Transparent(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// A leather tab hanging from the top of the spine, with a small chevron that
// says "pull me down" (it opens the tool panel).
QImage Menu() {
  QImage image = Transparent(40, 12);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath tab;
  tab.moveTo(3, 0);
  tab.lineTo(37, 0);
  tab.lineTo(37, 5);
  tab.quadTo(37, 11, 31, 11);
  tab.lineTo(9, 11);
  tab.quadTo(3, 11, 3, 5);
  tab.closeSubpath();
  QLinearGradient leather(0, 0, 0, 12);
  leather.setColorAt(0, QColor(122, 28, 30));
  leather.setColorAt(1, QColor(78, 14, 18));
  p.setBrush(leather);
  p.setPen(QPen(QColor(40, 8, 10), 1));
  p.drawPath(tab);
  // Stitching along the edge.
  p.setPen(QPen(QColor(214, 170, 96, 200), 0.8, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(6, 1.5), QPointF(34, 1.5));
  // The chevron.
  p.setPen(QPen(QColor(236, 200, 120), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(15.5, 4.5), QPointF(20, 8), QPointF(24.5, 4.5)}));
  return image;
}

// The foot of the spine: the page stacks of both halves dip into the gutter.
QImage Middle() {
  constexpr int w = 40;
  constexpr int h = 13;
  QImage image = Transparent(w, h);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient shadow(QPointF(w / 2.0, 0), w / 2.0);
  shadow.setColorAt(0, QColor(40, 28, 16, 150));
  shadow.setColorAt(0.6, QColor(40, 28, 16, 50));
  shadow.setColorAt(1, QColor(40, 28, 16, 0));
  p.fillRect(image.rect(), shadow);
  // Sheet edges bending down towards the spine.
  for (int i = 0; i < 4; ++i) {
    const double y = 2.5 + i * 3;
    QPainterPath left;
    left.moveTo(0, y);
    left.cubicTo(10, y, 16, y + 1, 19.5, y + 4);
    QPainterPath right;
    right.moveTo(w, y);
    right.cubicTo(w - 10, y, w - 16, y + 1, w - 19.5, y + 4);
    p.setPen(QPen(QColor(120, 104, 80, 140), 0.8));
    p.drawPath(left);
    p.drawPath(right);
  }
  return image;
}

// A page corner turned up: the bottom outer corner of a page (rightSide picks
// the right page's corner). Under the flap the next sheets show.
QImage Corner(bool rightSide) {
  constexpr int s = 34;
  QImage image = Transparent(s, s);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (!rightSide) {
    // Drawn for the right page and mirrored, so both corners match.
    p.translate(s, 0);
    p.scale(-1, 1);
  }
  const double fold = 26;        // length of the fold along each edge
  const QPointF a(s, s - fold);  // where the fold meets the outer edge
  const QPointF b(s - fold, s);  // where it meets the bottom edge
  // The sheets under the corner.
  QPainterPath under;
  under.moveTo(a);
  under.lineTo(s, s);
  under.lineTo(b);
  under.closeSubpath();
  QLinearGradient stack(QPointF(s - fold / 2, s - fold / 2), QPointF(s, s));
  stack.setColorAt(0, QColor(214, 204, 182));
  stack.setColorAt(1, QColor(236, 230, 214));
  p.setPen(Qt::NoPen);
  p.setBrush(stack);
  p.drawPath(under);
  // The flap's shadow on the page, then the flap itself with a soft curl.
  const QPointF tip(s - fold + 3, s - fold + 3);
  QPainterPath shade;
  shade.moveTo(a + QPointF(-1, 0));
  shade.quadTo(tip + QPointF(-4, 2), tip + QPointF(-3, -3));
  shade.quadTo(tip + QPointF(2, -4), b + QPointF(0, -1));
  shade.closeSubpath();
  p.setBrush(QColor(60, 46, 30, 60));
  p.drawPath(shade);
  QPainterPath flap;
  flap.moveTo(a);
  flap.quadTo(tip + QPointF(1, -3), tip);
  flap.quadTo(tip + QPointF(-3, 1), b);
  flap.closeSubpath();
  QLinearGradient back(tip, QPointF(s - fold / 2, s - fold / 2));
  back.setColorAt(0, QColor(255, 253, 247));
  back.setColorAt(1, QColor(222, 214, 196));
  p.setBrush(back);
  p.setPen(QPen(QColor(150, 136, 110), 0.7));
  p.drawPath(flap);
  return image;
}

}  // namespace

QImage MakeDecoration(const char* name) {
  if (std::strcmp(name, "VERTICAL") == 0) return Stripes(true);
  if (std::strcmp(name, "HORIZONTAL") == 0) return Stripes(false);
  if (std::strcmp(name, "MENU") == 0) return Menu();
  if (std::strcmp(name, "MIDDLE") == 0) return Middle();
  if (std::strcmp(name, "LEFT") == 0) return Corner(false);
  if (std::strcmp(name, "RIGHT") == 0) return Corner(true);
  return QImage();
}

}  // namespace artwork
