// The two default textures: a walnut board for the cover and a soft paper
// for the pages. Both tile without seams (see noise.h).

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>

#include "artwork.h"
#include "noise.h"

namespace artwork {
namespace {

constexpr double Pi = 3.14159265358979323846;

QRgb Mix(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return qRgb(static_cast<int>(std::lround(a.red() + (b.red() - a.red()) * t)),
              static_cast<int>(std::lround(a.green() + (b.green() - a.green()) * t)),
              static_cast<int>(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
}

QRgb Scale(QRgb c, double f) {
  auto ch = [f](int v) { return std::clamp(static_cast<int>(std::lround(v * f)), 0, 255); };
  return qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)));
}

}  // namespace

QImage MakeWalnut() {
  constexpr int size = 256;
  QImage image(size, size, QImage::Format_RGB32);
  const QColor dark(58, 31, 18);
  const QColor mid(104, 61, 34);
  const QColor light(141, 89, 52);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double u = double(x) / size;
      const double v = double(y) / size;
      // Growth rings run along the board; a slow warp bends them like real grain.
      const double warp = PeriodicFbm(u, v, 1, 2, 4, 11) - 0.5;
      const double ripple = PeriodicFbm(u, v, 6, 3, 2, 13) - 0.5;
      const double rings = std::sin(2 * Pi * (v * 7 + warp * 0.9 + ripple * 0.25));
      const double ring = std::pow(0.5 + 0.5 * rings, 1.6);
      // Fine streaks: noise stretched along the grain.
      const double streak = PeriodicFbm(u, v + warp * 0.12, 2, 128, 3, 23) - 0.5;
      // Open pores: short dark dashes.
      const double pore = PeriodicNoise(u, v + warp * 0.05, 24, 160, 31);
      double t = 0.3 + 0.5 * ring + streak * 0.7;
      QRgb c = t < 0.5 ? Mix(dark, mid, t * 2) : Mix(mid, light, (t - 0.5) * 2);
      if (pore > 0.86) c = Scale(c, 0.78);
      // A broad, gentle change of tone so the tiles do not look printed.
      c = Scale(c, 0.92 + 0.16 * PeriodicNoise(u, v, 2, 2, 41));
      image.setPixel(x, y, c);
    }
  }
  return image;
}

QImage MakePaper() {
  constexpr int size = 256;
  QImage image(size, size, QImage::Format_RGB32);
  const QColor base(251, 248, 240);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double u = double(x) / size;
      const double v = double(y) / size;
      // Cloudy formation of the sheet, then short fibres in two directions.
      const double cloud = PeriodicFbm(u, v, 8, 8, 3, 53) - 0.5;
      const double fibreA = PeriodicFbm(u, v, 32, 4, 3, 67) - 0.5;
      const double fibreB = PeriodicFbm(u, v, 4, 32, 3, 71) - 0.5;
      const double grain = Lattice(x, y, 79) - 0.5;
      const double shade = 1.0 + cloud * 0.022 + (fibreA + fibreB) * 0.016 + grain * 0.008;
      image.setPixel(x, y, Scale(base.rgb(), shade));
    }
  }
  return image;
}

}  // namespace artwork
