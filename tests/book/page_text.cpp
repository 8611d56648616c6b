#include "page_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <climits>
#include <vector>

#include "book/page_geometry.h"

namespace {

QImage PageLikeImage(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.setDotsPerMeterX(PageDotsPerMeter);
  image.setDotsPerMeterY(PageDotsPerMeter);
  image.fill(Qt::white);
  return image;
}

QFontMetrics Metrics(const QFont& font) {
  static const QImage device = PageLikeImage(QSize(1, 1));
  return QFontMetrics(font, &device);
}

}  // namespace

QRect CentredBox(const QRect& box, const QString& text, const QFont& font) {
  const QFontMetrics fm = Metrics(font);
  const QSize size(fm.horizontalAdvance(text), fm.height());
  return QRect(box.left() + (box.width() - size.width()) / 2,
               box.top() + (box.height() - size.height()) / 2, size.width(), size.height());
}

std::optional<QRect> FindText(const QImage& page, const QRect& within, const QString& text,
                              const TTextLook& look, const QRect& visible) {
  // The text drawn alone on its ground, the line box at (pad, pad).
  const QFontMetrics fm = Metrics(look.Font);
  const int pad = 4;
  const QSize line(fm.horizontalAdvance(text), fm.height());
  const QSize box = look.Run == TRun::Across ? line : line.transposed();
  QImage sample = PageLikeImage(box + QSize(2 * pad, 2 * pad));
  sample.fill(look.Ground);
  {
    QPainter p(&sample);
    p.setFont(look.Font);
    p.setPen(look.Ink);
    p.translate(pad, pad);
    if (look.Run == TRun::Down) {
      p.translate(box.width(), 0);
      p.rotate(90);
    } else if (look.Run == TRun::Up) {
      p.translate(0, box.height());
      p.rotate(-90);
    }
    p.drawText(0, fm.ascent(), text);
  }
  auto distance = [](QRgb a, const QColor& b) {
    const int dr = qRed(a) - b.red(), dg = qGreen(a) - b.green(), db = qBlue(a) - b.blue();
    return dr * dr + dg * dg + db * db;
  };
  auto inked = [&](QRgb c) { return distance(c, look.Ink) < distance(c, look.Ground); };
  std::vector<QPoint> on;
  QRect inkBox;
  for (int y = 0; y < sample.height(); ++y)
    for (int x = 0; x < sample.width(); ++x)
      if (inked(sample.pixel(x, y))) {
        on.emplace_back(x, y);
        inkBox |= QRect(x, y, 1, 1);
      }
  if (on.empty()) return std::nullopt;

  // Glyph edges may round either way: a tenth of the ink may differ. Only
  // what lies in `visible` is compared; a text cut off must show a quarter.
  const QImage seen = page.convertToFormat(QImage::Format_ARGB32);
  const QRect shown = visible.isNull() ? seen.rect() : visible & seen.rect();
  auto differ = [&](QPoint shift) {
    int count = 0;
    int compared = 0;
    for (const QPoint& s : on) compared += shown.contains(s + shift);
    if (compared < int(on.size()) / 4) return INT_MAX;
    const int allowed = compared / 10;
    for (int sy = inkBox.top(); count <= allowed && sy <= inkBox.bottom(); ++sy)
      for (int sx = inkBox.left(); sx <= inkBox.right(); ++sx) {
        const QPoint at(sx + shift.x(), sy + shift.y());
        if (shown.contains(at)) count += inked(sample.pixel(sx, sy)) != inked(seen.pixel(at));
      }
    return count <= allowed ? count : INT_MAX;
  };
  const QRect area = within & seen.rect();
  for (int y = area.top(); y + inkBox.height() - 1 <= area.bottom(); ++y)
    for (int x = area.left(); x + inkBox.width() - 1 <= area.right(); ++x) {
      // x, y is where the sample's ink box would stand.
      QPoint shift = QPoint(x, y) - inkBox.topLeft();
      const QPoint anchor = on[0] + shift;
      if (shown.contains(anchor) && !inked(seen.pixel(anchor))) continue;
      if (differ(shift) == INT_MAX) continue;
      // The best of the neighbours that match too.
      for (const QPoint next : {shift + QPoint(1, 0), shift + QPoint(0, 1), shift + QPoint(1, 1)})
        if (differ(next) < differ(shift)) shift = next;
      return QRect(QPoint(pad, pad) + shift, box);
    }
  return std::nullopt;
}

bool IsPlain(const QImage& page, const QRect& r, const QColor& colour) {
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (page.pixelColor(x, y).rgb() != colour.rgb()) return false;
  return true;
}
