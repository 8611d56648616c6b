#include "splash_logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "init/profile.h"

namespace {

// An open book seen from above, its pages fanned, with bookmark ribbons in
// the default bookmark colours hanging below it.
void DrawBook(QPainter& p, const QRectF& box) {
  const qreal spine = box.center().x();
  const qreal top = box.top() + box.height() * 0.12;
  const qreal bottom = box.bottom() - box.height() * 0.22;
  const qreal sag = box.height() * 0.10;

  // Ribbons first, so the pages cover their tops.
  const AlbumLook defaults;
  for (int k = 0; k < 4; ++k) {
    const qreal x = spine - box.width() * 0.30 + k * box.width() * 0.16;
    QPainterPath ribbon;
    ribbon.moveTo(x, bottom - 6);
    ribbon.lineTo(x + 7, bottom - 6);
    ribbon.lineTo(x + 7, box.bottom() - (k % 2) * 6);
    ribbon.lineTo(x + 3.5, box.bottom() - 4 - (k % 2) * 6);
    ribbon.lineTo(x, box.bottom() - (k % 2) * 6);
    ribbon.closeSubpath();
    p.fillPath(ribbon, ToQColor(defaults.BM[static_cast<std::size_t>(k)]).darker(115));
  }

  // The cover, a little larger than the pages.
  const QColor cover = ToQColor(defaults.CoverColor);
  QPainterPath coverPath;
  coverPath.moveTo(box.left(), top + 4);
  coverPath.quadTo(spine - box.width() * 0.25, top - sag + 4, spine, top + sag * 0.6 + 4);
  coverPath.quadTo(spine + box.width() * 0.25, top - sag + 4, box.right(), top + 4);
  coverPath.lineTo(box.right(), bottom + 4);
  coverPath.quadTo(spine + box.width() * 0.25, bottom - sag + 4, spine, bottom + sag * 0.6 + 4);
  coverPath.quadTo(spine - box.width() * 0.25, bottom - sag + 4, box.left(), bottom + 4);
  coverPath.closeSubpath();
  p.fillPath(coverPath, cover);

  // Two pages, each a curved sheet; a few sheet edges under each.
  for (int side : {-1, 1}) {
    for (int sheet = 2; sheet >= 0; --sheet) {
      const qreal inset = 3 + sheet * 1.5;
      const qreal outer = side < 0 ? box.left() + inset : box.right() - inset;
      const qreal drop = sheet * 1.2;
      QPainterPath page;
      page.moveTo(spine, top + sag * 0.6 + drop);
      page.quadTo((spine + outer) / 2, top - sag + drop, outer, top + drop);
      page.lineTo(outer, bottom + drop);
      page.quadTo((spine + outer) / 2, bottom - sag + drop, spine, bottom + sag * 0.6 + drop);
      page.closeSubpath();
      QLinearGradient shade(spine, 0, outer, 0);
      shade.setColorAt(0.0, QColor(214, 206, 190));
      shade.setColorAt(0.25, QColor(250, 247, 240));
      shade.setColorAt(1.0, QColor(255, 253, 248));
      p.fillPath(page, shade);
      p.setPen(QPen(QColor(170, 160, 140), 0.6));
      p.drawPath(page);
    }
    // Little thumbnails on each page: a grid of two by two.
    const qreal pageWidth = (box.width() / 2) - 10;
    for (int row = 0; row < 2; ++row) {
      for (int col = 0; col < 2; ++col) {
        const qreal w = pageWidth * 0.30;
        const qreal h = (bottom - top) * 0.26;
        const qreal x0 = side < 0 ? spine - 6 - (2 - col) * (w + 4) : spine + 8 + col * (w + 4);
        const qreal y0 = top + (bottom - top) * 0.14 + row * (h + 5);
        const QRectF thumb(x0, y0, w, h);
        QLinearGradient sky(thumb.topLeft(), thumb.bottomLeft());
        const int hue = (row * 2 + col + (side > 0 ? 4 : 0)) * 40;
        sky.setColorAt(0, QColor::fromHsv(hue, 90, 235));
        sky.setColorAt(1, QColor::fromHsv((hue + 30) % 360, 140, 170));
        p.fillRect(thumb, sky);
      }
    }
  }
}

}  // namespace

QImage DrawSplashLogo(QSize size, qreal devicePixelRatio) {
  QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const qreal w = size.width();
  const qreal h = size.height();

  // A warm band across the top, fading into the white where the progress
  // text and the buttons sit.
  QLinearGradient band(0, 0, 0, h * 0.60);
  band.setColorAt(0.0, QColor(246, 236, 218));
  band.setColorAt(1.0, Qt::white);
  p.fillRect(QRectF(0, 0, w, h * 0.60), band);

  DrawBook(p, QRectF(w * 0.05, h * 0.06, w * 0.36, h * 0.46));

  QFont title(QStringLiteral("Liberation Serif"));
  title.setStyleHint(QFont::Serif);
  title.setPixelSize(qRound(h * 0.21));
  title.setBold(true);
  p.setFont(title);
  p.setPen(ToQColor(AlbumLook().CoverColor));
  const QRectF titleBox(w * 0.44, h * 0.04, w * 0.53, h * 0.26);
  p.drawText(titleBox, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Quirevale"));

  // A rule under the name; the version label sits just below its right end.
  p.setPen(QPen(QColor(128, 64, 0, 150), 1.2));
  p.drawLine(QPointF(w * 0.45, h * 0.41), QPointF(w * 0.955, h * 0.41));

  QFont tagline(QStringLiteral("Liberation Sans"));
  tagline.setStyleHint(QFont::SansSerif);
  tagline.setPixelSize(qRound(h * 0.072));
  tagline.setItalic(true);
  p.setFont(tagline);
  p.setPen(QColor(110, 90, 70));
  p.drawText(QRectF(w * 0.45, h * 0.29, w * 0.51, h * 0.11), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("photo albums as books"));
  p.end();
  return image;
}

void LogoImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), image_);
}
