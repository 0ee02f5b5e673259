// Value noise and its fractal sums, from a hash of the lattice point alone: the same picture on every
// machine and at every run, with no random generator's state to keep.
#pragma once

#include <QColor>
#include <cmath>
#include <cstdint>

namespace themes {

inline double latticeValue(int x, int y, std::uint32_t seed) {
  std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / double(0xFFFFFF);
}

inline double smooth(double t) { return t * t * (3 - 2 * t); }

// 0..1, smooth between lattice points one unit apart.
inline double valueNoise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = int(fx), iy = int(fy);
  const double tx = smooth(x - fx), ty = smooth(y - fy);
  const double a = latticeValue(ix, iy, seed), b = latticeValue(ix + 1, iy, seed);
  const double c = latticeValue(ix, iy + 1, seed), d = latticeValue(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Octaves of value noise, each twice as fine and half as strong; 0..1.
inline double fractalNoise(double x, double y, std::uint32_t seed, int octaves) {
  double sum = 0, weight = 0, amplitude = 1;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude * valueNoise(x, y, seed + std::uint32_t(o) * 101u);
    weight += amplitude;
    amplitude *= 0.5;
    x *= 2.0;
    y *= 2.0;
  }
  return sum / weight;
}

inline QColor rgb(QRgb value) { return QColor::fromRgb(value); }

inline QColor mix(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                          float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

inline double smoothStep(double low, double high, double x) {
  return smooth(std::clamp((x - low) / (high - low), 0.0, 1.0));
}

}  // namespace themes
