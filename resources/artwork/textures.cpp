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
  const QColor dark(52, 29, 17);
  const QColor mid(92, 55, 31);
  const QColor light(128, 82, 48);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double u = double(x) / size;
      const double v = double(y) / size;
      // Growth rings run along the board; a slow warp bends them like real
      // grain, a faster one keeps them from looking drawn with a ruler.
      const double warp = PeriodicFbm(u, v, 1, 2, 4, 11) - 0.5;
      const double ripple = PeriodicFbm(u, v, 5, 4, 3, 13) - 0.5;
      const double rings = std::sin(2 * Pi * (v * 4 + warp * 1.3 + ripple * 0.35));
      const double ring = std::pow(0.5 + 0.5 * rings, 1.8);
      // Fine streaks: noise stretched along the grain.
      const double streak = PeriodicFbm(u, v + warp * 0.12, 2, 128, 3, 23) - 0.5;
      // Open pores: short dark dashes.
      const double pore = PeriodicNoise(u, v + warp * 0.05, 24, 160, 31);
      // A broad change of tone, so that the copies of the tile do not show.
      const double tone = PeriodicFbm(u, v, 2, 2, 2, 41) - 0.5;
      double t = 0.42 + 0.34 * ring + streak * 0.42 + tone * 0.3;
      QRgb c = t < 0.5 ? Mix(dark, mid, t * 2) : Mix(mid, light, (t - 0.5) * 2);
      if (pore > 0.88) c = Scale(c, 0.84);
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
