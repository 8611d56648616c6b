#pragma once
// Seamless value noise for the generated textures: every function here repeats
// with period 1 in u and v, so a texture made from it tiles without seams.

#include <cmath>
#include <cstdint>

namespace artwork {

// A well-mixed 32-bit hash of a lattice point; the same on every machine.
inline std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return h;
}

// A value in [0, 1) at a lattice point.
inline double Lattice(int x, int y, std::uint32_t seed) {
  return (Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed) & 0xffffffu) /
         16777216.0;
}

inline double Smooth(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

// Value noise on a cellsX x cellsY lattice wrapped around the unit square.
inline double PeriodicNoise(double u, double v, int cellsX, int cellsY, std::uint32_t seed) {
  const double x = u * cellsX;
  const double y = v * cellsY;
  const int x0 = static_cast<int>(std::floor(x));
  const int y0 = static_cast<int>(std::floor(y));
  const double fx = Smooth(x - x0);
  const double fy = Smooth(y - y0);
  auto at = [&](int ix, int iy) {
    return Lattice(((ix % cellsX) + cellsX) % cellsX, ((iy % cellsY) + cellsY) % cellsY, seed);
  };
  const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
  const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
  return top + (bottom - top) * fy;
}

// Several octaves of PeriodicNoise, each twice as fine; the result is in [0, 1).
inline double PeriodicFbm(double u, double v, int cellsX, int cellsY, int octaves,
                          std::uint32_t seed) {
  double sum = 0;
  double amplitude = 1;
  double total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * PeriodicNoise(u, v, cellsX << i, cellsY << i, seed + 977u * i);
    total += amplitude;
    amplitude *= 0.5;
  }
  return sum / total;
}

}  // namespace artwork
