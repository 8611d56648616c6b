#include "scenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

QColor Mix(const QColor& a, const QColor& b, double t) {
  const auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                lerp(a.alpha(), b.alpha()));
}

QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

struct SkyColors {
  QColor Top, Middle, Horizon, Glow, CloudTint;
  int CloudAlpha;
};

SkyColors SkyFor(DayTime time) {
  switch (time) {
    case DayTime::Dawn:
      return {QColor(43, 74, 126),   QColor(232, 155, 176), QColor(248, 212, 154),
              QColor(255, 236, 200), QColor(255, 215, 220), 190};
    case DayTime::Sunset:
      return {QColor(52, 38, 99),    QColor(217, 87, 122),  QColor(251, 176, 74),
              QColor(255, 214, 140), QColor(255, 180, 160), 200};
    case DayTime::Night:
      return {QColor(5, 10, 31),     QColor(14, 24, 58),  QColor(36, 50, 92),
              QColor(230, 230, 210), QColor(70, 80, 115), 110};
    case DayTime::Overcast:
      return {QColor(128, 138, 152), QColor(176, 184, 194), QColor(214, 219, 225),
              QColor(240, 240, 240), QColor(200, 205, 212), 230};
    case DayTime::Day:
      break;
  }
  return {QColor(46, 110, 200),  QColor(110, 170, 230), QColor(196, 228, 246),
          QColor(255, 252, 230), QColor(255, 255, 255), 215};
}

class ScenePainter {
 public:
  ScenePainter(QImage& image, const SceneRecipe& recipe)
      : p_(&image),
        w_(image.width()),
        h_(image.height()),
        recipe_(recipe),
        sky_(SkyFor(recipe.Time)),
        rng_(recipe.Seed * 2654435761u + 17u) {
    p_.setRenderHint(QPainter::Antialiasing);
    p_.setPen(Qt::NoPen);
  }

  void Paint() {
    switch (recipe_.Kind) {
      case SceneKind::Mountains:
        Horizon(0.62);
        Sky();
        Ridge(horizon_ - h_ * 0.08, h_ * 0.38, QColor(110, 118, 145), 0.55, true);
        Ridge(horizon_ + h_ * 0.02, h_ * 0.24, QColor(85, 95, 105), 0.25, true);
        Hills(horizon_ + h_ * 0.02, h_ * 0.06, QColor(70, 120, 60));
        Conifers(horizon_ + h_ * 0.10, 14, 0.10, QColor(30, 80, 45));
        Hills(h_ * 0.90, h_ * 0.04, QColor(95, 150, 70));
        break;
      case SceneKind::Lake:
        Horizon(0.52);
        Sky();
        Ridge(horizon_, h_ * 0.26, QColor(95, 105, 135), 0.55, Rand(0, 1) < 0.5);
        Ridge(horizon_, h_ * 0.10, QColor(50, 85, 70), 0.3, false);
        Water(horizon_, h_ * 0.86, true);
        Shore(h_ * 0.86);
        Boat(Rand(0.25, 0.7) * w_, horizon_ + h_ * 0.12, w_ * 0.06);
        break;
      case SceneKind::Meadow:
        Horizon(0.58);
        Sky();
        Hills(horizon_ - h_ * 0.04, h_ * 0.07, Mix(QColor(90, 130, 110), sky_.Horizon, 0.45));
        Hills(horizon_ + h_ * 0.04, h_ * 0.06, QColor(110, 160, 70));
        House(Rand(0.55, 0.8) * w_, horizon_ + h_ * 0.05, w_ * 0.09);
        Trees(horizon_ + h_ * 0.12, 3);
        Hills(h_ * 0.80, h_ * 0.05, QColor(125, 178, 78));
        Flowers(h_ * 0.82, 160);
        break;
      case SceneKind::Forest:
        Horizon(0.55);
        Sky();
        Hills(horizon_ - h_ * 0.05, h_ * 0.08, Mix(QColor(60, 90, 80), sky_.Horizon, 0.55));
        Conifers(horizon_, 26, 0.12, Mix(QColor(40, 80, 60), sky_.Horizon, 0.45));
        Fog(horizon_ + h_ * 0.02, h_ * 0.12);
        Conifers(horizon_ + h_ * 0.14, 16, 0.22, QColor(28, 70, 42));
        Hills(h_ * 0.92, h_ * 0.03, QColor(60, 100, 50));
        break;
      case SceneKind::Town:
        Horizon(0.66);
        Sky();
        Town(horizon_);
        Water(horizon_ + h_ * 0.02, h_, false);
        break;
      case SceneKind::Beach:
        Horizon(0.48);
        Sky();
        Water(horizon_, h_ * 0.74, true);
        Boat(Rand(0.15, 0.5) * w_, horizon_ + h_ * 0.08, w_ * 0.05);
        Sand(h_ * 0.72);
        break;
    }
    Vignette();
  }

 private:
  double Rand(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
  bool IsDark() const { return recipe_.Time == DayTime::Night; }
  // Light on the land: full by day, dimmed at the ends of the day.
  QColor Lit(const QColor& c) const {
    switch (recipe_.Time) {
      case DayTime::Night:
        return Mix(c, QColor(10, 16, 40), 0.75);
      case DayTime::Sunset:
        return Mix(c, QColor(90, 40, 60), 0.35);
      case DayTime::Dawn:
        return Mix(c, QColor(120, 90, 110), 0.25);
      case DayTime::Overcast:
        return Mix(c, QColor(120, 125, 130), 0.3);
      case DayTime::Day:
        break;
    }
    return c;
  }

  void Horizon(double fraction) { horizon_ = h_ * fraction; }

  void Sky() {
    QLinearGradient g(0, 0, 0, horizon_);
    g.setColorAt(0, sky_.Top);
    g.setColorAt(0.6, sky_.Middle);
    g.setColorAt(1, sky_.Horizon);
    p_.fillRect(QRectF(0, 0, w_, h_), g);
    if (IsDark()) Stars();
    if (recipe_.Time != DayTime::Overcast) Sun();
    Clouds(recipe_.Time == DayTime::Overcast ? 9 : static_cast<int>(Rand(2, 6)));
  }

  void Stars() {
    for (int i = 0; i < 220; ++i) {
      const QPointF at(Rand(0, w_), Rand(0, horizon_ * 0.9));
      p_.setBrush(QColor(255, 255, 240, static_cast<int>(Rand(60, 255))));
      const double r = Rand(0.4, 1.4);
      p_.drawEllipse(at, r, r);
    }
  }

  void Sun() {
    sunX_ = w_ * Rand(0.2, 0.8);
    const double y = horizon_ - recipe_.SunHeight * horizon_ * 0.8;
    const double glow = w_ * (IsDark() ? 0.12 : 0.3);
    QRadialGradient g(QPointF(sunX_, y), glow);
    g.setColorAt(0, WithAlpha(sky_.Glow, 230));
    g.setColorAt(0.12, WithAlpha(sky_.Glow, 110));
    g.setColorAt(1, WithAlpha(sky_.Glow, 0));
    p_.setBrush(g);
    p_.drawEllipse(QPointF(sunX_, y), glow, glow);
    const double r = w_ * (IsDark() ? 0.025 : 0.035);
    p_.setBrush(IsDark() ? QColor(236, 236, 220) : QColor(255, 250, 228));
    p_.drawEllipse(QPointF(sunX_, y), r, r);
  }

  void Clouds(int count) {
    for (int c = 0; c < count; ++c) {
      const double cx = Rand(-0.1, 1.1) * w_;
      const double cy = Rand(0.08, 0.6) * horizon_;
      const double size = Rand(0.12, 0.3) * w_;
      for (int i = 0; i < 7; ++i) {
        const QPointF at(cx + Rand(-0.5, 0.5) * size, cy + Rand(-0.12, 0.12) * size);
        const double rx = size * Rand(0.25, 0.45);
        const double ry = rx * Rand(0.35, 0.55);
        QRadialGradient g(at, rx);
        g.setColorAt(0, WithAlpha(sky_.CloudTint, sky_.CloudAlpha));
        g.setColorAt(0.6, WithAlpha(sky_.CloudTint, sky_.CloudAlpha / 2));
        g.setColorAt(1, WithAlpha(sky_.CloudTint, 0));
        p_.setBrush(g);
        p_.drawEllipse(at, rx, ry);
      }
    }
  }

  // A mountain ridge by midpoint displacement, scaled so that its lowest
  // point is at base and its highest at base - amplitude.
  std::vector<QPointF> RidgeLine(double base, double amplitude, double roughness) {
    const int n = 257;
    std::vector<double> y(n, 0.0);
    y[0] = Rand(-0.5, 0.5);
    y[n - 1] = Rand(-0.5, 0.5);
    double scale = 1.0;
    for (int step = n - 1; step > 1; step /= 2) {
      for (int i = step / 2; i < n; i += step)
        y[i] = (y[i - step / 2] + y[i + step / 2]) / 2 + Rand(-scale, scale);
      scale *= roughness;
    }
    const auto [low, high] = std::minmax_element(y.begin(), y.end());
    const double span = std::max(*high - *low, 1e-6);
    std::vector<QPointF> line;
    line.reserve(n);
    for (int i = 0; i < n; ++i)
      line.emplace_back(w_ * i / (n - 1.0), base - amplitude * (y[i] - *low) / span);
    return line;
  }

  void Ridge(double base, double amplitude, const QColor& rock, double haze, bool snow) {
    const std::vector<QPointF> line = RidgeLine(base, amplitude, 0.6);
    QPainterPath path;
    path.moveTo(0, h_);
    for (const QPointF& pt : line) path.lineTo(pt);
    path.lineTo(w_, h_);
    path.closeSubpath();
    const double top = base - amplitude;
    const QColor body = Mix(Lit(rock), sky_.Horizon, haze);
    // Light from the left: slopes shade from the lit colour to a darker one.
    QLinearGradient g(0, top, w_ * 0.3, base + h_ * 0.1);
    g.setColorAt(0, body.lighter(112));
    g.setColorAt(1, Mix(body, Lit(QColor(35, 45, 50)), 0.35));
    p_.setBrush(g);
    p_.drawPath(path);
    if (snow) {
      // Snow on the peaks only: the ridge's upper part, fading downwards.
      p_.save();
      p_.setClipPath(path);
      const QColor white = Mix(Lit(QColor(248, 250, 255)), sky_.Horizon, haze * 0.5);
      QLinearGradient s(0, top, 0, top + amplitude * 0.45);
      s.setColorAt(0, white);
      s.setColorAt(0.7, WithAlpha(white, 200));
      s.setColorAt(1, WithAlpha(white, 0));
      p_.fillRect(QRectF(0, top, w_, amplitude * 0.45), s);
      p_.restore();
    }
    ridges_.push_back(line);
  }

  // Rolling hills: a sum of two waves.
  void Hills(double base, double amplitude, const QColor& color) {
    const double f1 = Rand(1.5, 3.5) / w_ * 2 * M_PI;
    const double f2 = Rand(4.0, 8.0) / w_ * 2 * M_PI;
    const double p1 = Rand(0, 6.28);
    const double p2 = Rand(0, 6.28);
    QPainterPath path;
    path.moveTo(0, h_);
    for (int x = 0; x <= w_; x += 4) {
      const double y =
          base - amplitude * (0.6 * std::sin(x * f1 + p1) + 0.3 * std::sin(x * f2 + p2));
      path.lineTo(x, y);
    }
    path.lineTo(w_, h_);
    path.closeSubpath();
    QLinearGradient g(0, base - amplitude, 0, h_);
    g.setColorAt(0, Lit(color.lighter(115)));
    g.setColorAt(1, Lit(color.darker(140)));
    p_.setBrush(g);
    p_.drawPath(path);
  }

  void Conifer(double x, double ground, double height, const QColor& color) {
    const double width = height * 0.42;
    p_.setBrush(Lit(QColor(70, 45, 30)));
    p_.drawRect(QRectF(x - width * 0.06, ground - height * 0.15, width * 0.12, height * 0.15));
    for (int tier = 0; tier < 3; ++tier) {
      const double top = ground - height + tier * height * 0.22;
      const double bottom = top + height * 0.45;
      const double half = width * (0.28 + tier * 0.11);
      QLinearGradient g(x - half, 0, x + half, 0);
      g.setColorAt(0, color.lighter(120));
      g.setColorAt(1, color.darker(130));
      p_.setBrush(g);
      p_.drawPolygon(
          QPolygonF({QPointF(x, top), QPointF(x + half, bottom), QPointF(x - half, bottom)}));
    }
  }

  void Conifers(double ground, int count, double size, const QColor& color) {
    for (int i = 0; i < count; ++i) {
      const double x = Rand(-0.05, 1.05) * w_;
      Conifer(x, ground + Rand(-0.02, 0.03) * h_, h_ * size * Rand(0.7, 1.2), Lit(color));
    }
  }

  void Trees(double ground, int count) {
    for (int i = 0; i < count; ++i) {
      const double x = Rand(0.05, 0.5) * w_;
      const double size = h_ * Rand(0.14, 0.22);
      p_.setBrush(Lit(QColor(92, 64, 40)));
      p_.drawRect(QRectF(x - size * 0.05, ground - size * 0.45, size * 0.1, size * 0.45));
      for (int puff = 0; puff < 4; ++puff) {
        const QPointF at(x + Rand(-0.25, 0.25) * size, ground - size * Rand(0.55, 0.85));
        const double r = size * Rand(0.25, 0.35);
        QRadialGradient g(at - QPointF(r * 0.3, r * 0.3), r * 1.3);
        g.setColorAt(0, Lit(QColor(120, 175, 80)));
        g.setColorAt(1, Lit(QColor(40, 90, 40)));
        p_.setBrush(g);
        p_.drawEllipse(at, r, r);
      }
    }
  }

  void House(double x, double ground, double width) {
    const double wall = width * 0.6;
    p_.setBrush(Lit(QColor(238, 226, 196)));
    p_.drawRect(QRectF(x, ground - wall, width, wall));
    p_.setBrush(Lit(QColor(170, 62, 44)));
    p_.drawPolygon(QPolygonF({QPointF(x - width * 0.08, ground - wall),
                              QPointF(x + width / 2, ground - wall - width * 0.45),
                              QPointF(x + width * 1.08, ground - wall)}));
    p_.setBrush(IsDark() ? QColor(255, 214, 120) : Lit(QColor(90, 110, 130)));
    p_.drawRect(QRectF(x + width * 0.15, ground - wall * 0.7, width * 0.2, wall * 0.3));
    p_.drawRect(QRectF(x + width * 0.62, ground - wall * 0.7, width * 0.2, wall * 0.3));
  }

  void Flowers(double top, int count) {
    static const QColor colors[] = {QColor(230, 60, 60), QColor(250, 220, 60),
                                    QColor(250, 250, 250), QColor(160, 90, 210)};
    for (int i = 0; i < count; ++i) {
      const double y = Rand(top, h_);
      const double r = 1.0 + (y - top) / (h_ - top) * 3.0;  // nearer is bigger
      p_.setBrush(Lit(colors[i % 4]));
      p_.drawEllipse(QPointF(Rand(0, w_), y), r, r);
    }
  }

  void Fog(double y, double depth) {
    QLinearGradient g(0, y - depth, 0, y + depth);
    const QColor mist = Mix(sky_.Horizon, QColor(255, 255, 255), 0.4);
    g.setColorAt(0, WithAlpha(mist, 0));
    g.setColorAt(0.5, WithAlpha(mist, 170));
    g.setColorAt(1, WithAlpha(mist, 0));
    p_.fillRect(QRectF(0, y - depth, w_, depth * 2), g);
  }

  void Water(double top, double bottom, bool reflect) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, Mix(sky_.Horizon, QColor(30, 80, 120), 0.35));
    g.setColorAt(1, Lit(QColor(18, 55, 95)));
    p_.fillRect(QRectF(0, top, w_, bottom - top), g);
    if (reflect && !ridges_.empty()) {
      // The nearest ridge mirrored in the water, faint.
      QPainterPath path;
      path.moveTo(0, top);
      for (const QPointF& pt : ridges_.back()) path.lineTo(pt.x(), top + (top - pt.y()) * 0.8);
      path.lineTo(w_, top);
      path.closeSubpath();
      p_.setBrush(WithAlpha(Lit(QColor(40, 60, 70)), 70));
      p_.drawPath(path);
    }
    if (recipe_.Time != DayTime::Overcast) {
      for (int i = 0; i < 90; ++i) {  // the sun's (or moon's) path on the water
        const double y = Rand(top, bottom);
        const double spread = (y - top) / (bottom - top) * w_ * 0.08 + w_ * 0.01;
        const double x = sunX_ + Rand(-spread, spread);
        p_.setBrush(WithAlpha(sky_.Glow, static_cast<int>(Rand(60, 170))));
        p_.drawRect(QRectF(x, y, Rand(4, 18), 1.5));
      }
    }
    for (int i = 0; i < 140; ++i) {  // ripples
      p_.setBrush(QColor(255, 255, 255, static_cast<int>(Rand(10, 45))));
      p_.drawRect(QRectF(Rand(0, w_), Rand(top, bottom), Rand(8, 40), 1.0));
    }
  }

  void Shore(double top) {
    QLinearGradient g(0, top, 0, h_);
    g.setColorAt(0, Lit(QColor(96, 140, 70)));
    g.setColorAt(1, Lit(QColor(50, 85, 40)));
    QPainterPath path;
    path.moveTo(0, h_);
    for (int x = 0; x <= w_; x += 8) path.lineTo(x, top + std::sin(x * 0.02) * 4);
    path.lineTo(w_, h_);
    p_.setBrush(g);
    p_.drawPath(path);
    QPen reed(Lit(QColor(70, 100, 45)), 1.5);
    p_.setPen(reed);
    for (int i = 0; i < 60; ++i) {
      const double x = Rand(0, w_);
      p_.drawLine(QPointF(x, top + 6), QPointF(x + Rand(-3, 3), top - Rand(8, 26)));
    }
    p_.setPen(Qt::NoPen);
  }

  void Boat(double x, double y, double size) {
    p_.setBrush(Lit(QColor(90, 50, 35)));
    p_.drawPolygon(QPolygonF({QPointF(x - size, y), QPointF(x + size, y),
                              QPointF(x + size * 0.7, y + size * 0.3),
                              QPointF(x - size * 0.7, y + size * 0.3)}));
    p_.setBrush(Lit(QColor(250, 248, 240)));
    p_.drawPolygon(QPolygonF({QPointF(x, y - size * 1.6), QPointF(x + size * 0.8, y - size * 0.1),
                              QPointF(x, y - size * 0.1)}));
  }

  void Sand(double top) {
    QPainterPath path;
    path.moveTo(0, h_);
    for (int x = 0; x <= w_; x += 6) path.lineTo(x, top + std::sin(x * 0.012 + 1.0) * h_ * 0.02);
    path.lineTo(w_, h_);
    QLinearGradient g(0, top, 0, h_);
    g.setColorAt(0, Lit(QColor(236, 214, 166)));
    g.setColorAt(1, Lit(QColor(200, 170, 120)));
    p_.setBrush(g);
    p_.drawPath(path);
    QPen foam(QColor(255, 255, 255, 150), 3);
    p_.setPen(foam);
    p_.setBrush(Qt::NoBrush);
    QPainterPath edge;
    edge.moveTo(0, top);
    for (int x = 0; x <= w_; x += 6) edge.lineTo(x, top + std::sin(x * 0.012 + 1.0) * h_ * 0.02);
    p_.drawPath(edge);
    p_.setPen(Qt::NoPen);
  }

  void Town(double ground) {
    static const QColor facades[] = {QColor(236, 208, 150), QColor(214, 160, 140),
                                     QColor(190, 208, 180), QColor(230, 226, 210),
                                     QColor(200, 180, 214), QColor(240, 190, 120)};
    double x = -Rand(0, 0.05) * w_;
    int n = 0;
    while (x < w_) {
      const double width = Rand(0.05, 0.11) * w_;
      const double height = Rand(0.12, 0.3) * h_;
      const bool tower = (n % 7) == 3;
      const double bw = tower ? width * 0.5 : width;
      const double bh = tower ? height * 1.6 : height;
      const QColor facade = IsDark() ? QColor(30, 36, 60) : Lit(facades[n % 6]);
      p_.setBrush(facade);
      p_.drawRect(QRectF(x, ground - bh, bw, bh));
      p_.setBrush(IsDark() ? QColor(22, 26, 44)
                           : Lit(tower ? QColor(60, 110, 90) : QColor(165, 70, 50)));
      const double roof = tower ? bw * 1.4 : bw * 0.35;
      p_.drawPolygon(
          QPolygonF({QPointF(x - 2, ground - bh), QPointF(x + bw / 2, ground - bh - roof),
                     QPointF(x + bw + 2, ground - bh)}));
      const double win = bw * 0.14;
      const int rows = static_cast<int>((bh - win * 2.5) / (win * 2.2)) + 1;
      const int columns = static_cast<int>((bw - win * 1.8) / (win * 2.0)) + 1;
      for (int row = 0; row < rows; ++row) {
        const double wy = ground - bh + win + row * win * 2.2;
        for (int column = 0; column < columns; ++column) {
          const double wx = x + win * 0.8 + column * win * 2.0;
          const bool lit = IsDark() ? Rand(0, 1) < 0.45 : false;
          p_.setBrush(lit ? QColor(255, 210, 110)
                          : (IsDark() ? QColor(15, 18, 30) : Lit(QColor(70, 80, 95))));
          p_.drawRect(QRectF(wx, wy, win, win * 1.3));
        }
      }
      x += bw + Rand(0, 0.01) * w_;
      ++n;
    }
  }

  void Vignette() {
    QRadialGradient g(QPointF(w_ / 2.0, h_ / 2.0), std::hypot(w_, h_) / 2);
    g.setColorAt(0.6, QColor(0, 0, 0, 0));
    g.setColorAt(1, QColor(0, 0, 0, 70));
    p_.fillRect(QRectF(0, 0, w_, h_), g);
  }

  QPainter p_;
  int w_;
  int h_;
  SceneRecipe recipe_;
  SkyColors sky_;
  std::mt19937 rng_;
  double horizon_ = 0;
  double sunX_ = 0;
  std::vector<std::vector<QPointF>> ridges_;
};

}  // namespace

QImage DrawScene(const SceneRecipe& recipe, QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::black);
  {
    ScenePainter painter(image, recipe);
    painter.Paint();
  }
  return image.convertToFormat(QImage::Format_RGB32);
}
