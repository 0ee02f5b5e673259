// Month backgrounds drawn pixel by pixel from noise (skies, ridges, water) and with a painter (patterns).
#include "scenes.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

#include "noise.h"

namespace themes {

namespace {

constexpr int W = kBackgroundWidth;
constexpr int H = kBackgroundHeight;

enum class Season { Winter, Spring, Summer, Autumn };

Season seasonOf(int month) {
  if (month == 12 || month <= 2) return Season::Winter;
  if (month <= 5) return Season::Spring;
  if (month <= 8) return Season::Summer;
  return Season::Autumn;
}

struct Sky {
  QColor zenith, horizon;
};

// Light skies throughout, so that dark text over them reads: cold and pale in winter, clear in summer,
// warm in autumn.
const std::array<Sky, 12> kSkies{{
    {rgb(0xa9c4de), rgb(0xeef2f6)},  // January
    {rgb(0xb3c9e0), rgb(0xf3efe9)},
    {rgb(0x9fc2e3), rgb(0xe9f1f4)},
    {rgb(0x92c1ea), rgb(0xf0f5e6)},
    {rgb(0x86bdec), rgb(0xeef6ee)},
    {rgb(0x7fb8ee), rgb(0xf4f6ea)},
    {rgb(0x78b3ec), rgb(0xfbf4e2)},
    {rgb(0x83b6e6), rgb(0xfcefd8)},
    {rgb(0x9bbfe0), rgb(0xf9ead6)},
    {rgb(0xa8bcd6), rgb(0xf8e0c8)},
    {rgb(0xa6b4c8), rgb(0xebe2dc)},
    {rgb(0xaabdd4), rgb(0xf0eef0)},  // December
}};

QColor skyAt(int month, double y) { return mix(kSkies[month - 1].zenith, kSkies[month - 1].horizon, std::pow(y, 0.8)); }

void setPixel(QImage& image, int x, int y, const QColor& c) {
  reinterpret_cast<QRgb*>(image.scanLine(y))[x] = c.rgb();
}

QColor pixel(const QImage& image, int x, int y) { return QColor(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]); }

QImage blank() {
  QImage image(W, H, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// Clouds over what is drawn already, between top and bottom (fractions of the height). cover: how
// much of the sky they take (0..1); warm: the low sun's colour on their edges.
void addClouds(QImage& image, int month, double top, double bottom, double cover, const QColor& lit,
               const QColor& shade) {
  const std::uint32_t seed = 7000u + std::uint32_t(month) * 31u;
  for (int y = int(top * H); y < int(bottom * H); ++y) {
    const double v = double(y) / H;
    // Thinner towards the horizon, as clouds seen from afar.
    const double fade = smoothStep(bottom, top + (bottom - top) * 0.35, v);
    for (int x = 0; x < W; ++x) {
      const double nx = x / 260.0, ny = y / 95.0;
      const double n = fractalNoise(nx, ny, seed, 6);
      const double density = smoothStep(1.0 - cover, 1.0 - cover + 0.22, n) * fade;
      if (density <= 0.001) continue;
      // Lit from above: a cloud is darker where the noise rises below it.
      const double below = fractalNoise(nx, ny + 0.18, seed, 6);
      const QColor tone = mix(lit, shade, smoothStep(-0.02, 0.08, below - n));
      setPixel(image, x, y, mix(pixel(image, x, y), tone, density * 0.9));
    }
  }
}

void fillSky(QImage& image, int month, double horizon) {
  for (int y = 0; y < H; ++y) {
    const QColor c = skyAt(month, std::min(1.0, double(y) / (horizon * H)));
    for (int x = 0; x < W; ++x) setPixel(image, x, y, c);
  }
}

void addSun(QImage& image, double cx, double cy, double radius, const QColor& color, double glow) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const double d = std::hypot(x - cx * W, y - cy * H) / (radius * H);
      const double core = smoothStep(1.05, 0.95, d);
      const double halo = glow * std::exp(-d * 0.9) * 0.5;
      const double t = std::max(core, halo);
      if (t > 0.003) setPixel(image, x, y, mix(pixel(image, x, y), color, t));
    }
}

struct Ground {
  QColor far, near;
};

Ground groundOf(Season season) {
  switch (season) {
    case Season::Winter: return {rgb(0x9fb2c8), rgb(0x3f5466)};
    case Season::Spring: return {rgb(0x9fbcc0), rgb(0x4d7a3a)};
    case Season::Summer: return {rgb(0x93b3c2), rgb(0x2f5e2c)};
    case Season::Autumn: return {rgb(0xb7aaa8), rgb(0x7a4a22)};
  }
  return {};
}

}  // namespace

QImage mountainsBackground(int month) {
  QImage image = blank();
  const Season season = seasonOf(month);
  fillSky(image, month, 0.62);
  // The sun stands low in winter and high in summer, and walks across the year.
  const double sunHeight = 0.34 - 0.16 * std::sin((month - 3.5) / 12.0 * 2 * M_PI + M_PI / 2 * 0);
  addSun(image, 0.18 + 0.64 * (month - 1) / 11.0, std::clamp(sunHeight, 0.14, 0.42), 0.045,
         season == Season::Winter ? rgb(0xfff6e8) : rgb(0xfff1c4), 0.8);
  addClouds(image, month, 0.0, 0.5, season == Season::Summer ? 0.32 : 0.45, rgb(0xffffff),
            mix(kSkies[month - 1].zenith, rgb(0x6e7c8c), 0.5));

  const Ground ground = groundOf(season);
  const QColor haze = kSkies[month - 1].horizon;
  constexpr int kLayers = 5;
  const bool snowyPeaks = season == Season::Winter || month == 3 || month == 4 || month == 11;
  for (int layer = 0; layer < kLayers; ++layer) {
    const double depth = double(layer) / (kLayers - 1);  // 0 far .. 1 near
    const double base = 0.50 + 0.11 * layer;
    const double amplitude = 0.30 - 0.045 * layer;
    const std::uint32_t seed = 100u + std::uint32_t(layer) * 17u + std::uint32_t(month) * 3u;
    const QColor body = mix(mix(ground.far, haze, 0.35), ground.near, depth);
    for (int x = 0; x < W; ++x) {
      // Ridged noise: sharp crests, soft valleys.
      const double n = fractalNoise(x / (520.0 - 70.0 * layer), layer * 9.7, seed, 5);
      const double ridge = 1.0 - std::fabs(2.0 * n - 1.0);
      const int top = int((base - amplitude * ridge * ridge) * H);
      for (int y = std::max(0, top); y < H; ++y) {
        const double below = double(y - top) / H;
        QColor c = mix(body, mix(body, rgb(0x101820), 0.25), below * 2.2);
        // Texture of slopes and woods, stronger near.
        const double grain = fractalNoise(x / 40.0, y / 40.0, seed + 5u, 3) - 0.5;
        c = mix(c, grain > 0 ? rgb(0xffffff) : rgb(0x000000), std::fabs(grain) * (0.10 + 0.12 * depth));
        if (snowyPeaks && layer < 3) {
          const double snowLine = 0.035 + 0.05 * fractalNoise(x / 60.0, layer * 3.1, seed + 9u, 3);
          if (below < snowLine) c = mix(c, rgb(0xf6f9fc), smoothStep(snowLine, snowLine * 0.6, below) * 0.9);
        }
        if (season == Season::Winter && layer >= 3) c = mix(c, rgb(0xeef3f8), 0.55 - 0.25 * depth);
        // The air between us and the far ridges.
        c = mix(c, haze, 0.45 * (1.0 - depth));
        setPixel(image, x, y, c);
      }
    }
  }
  return image;
}

QImage skyBackground(int month) {
  QImage image = blank();
  const Season season = seasonOf(month);
  fillSky(image, month, 1.0);
  const bool evening = season == Season::Autumn;
  if (evening) addSun(image, 0.78, 0.86, 0.05, rgb(0xffe2b0), 1.0);
  const double cover = season == Season::Summer ? 0.42 : season == Season::Winter ? 0.62 : 0.52;
  const QColor lit = evening ? rgb(0xfff0e0) : rgb(0xffffff);
  const QColor shade = evening ? rgb(0xa08aa0) : mix(kSkies[month - 1].zenith, rgb(0x7d8898), 0.55);
  addClouds(image, month, 0.0, 0.97, cover, lit, shade);
  // A strip of land far below: the sky is the picture.
  const QColor land = mix(groundOf(season).near, kSkies[month - 1].horizon, 0.35);
  for (int x = 0; x < W; ++x) {
    const int top = int((0.965 - 0.02 * fractalNoise(x / 90.0, 1.5, 55u, 4)) * H);
    for (int y = top; y < H; ++y) setPixel(image, x, y, land);
  }
  return image;
}

QImage seaBackground(int month) {
  QImage image = blank();
  const Season season = seasonOf(month);
  constexpr double kHorizon = 0.42;
  fillSky(image, month, kHorizon);
  const double sunX = 0.30 + 0.4 * (month - 1) / 11.0;
  addSun(image, sunX, 0.22, 0.05, rgb(0xfff4d6), 0.9);
  addClouds(image, month, 0.0, kHorizon - 0.02, season == Season::Winter ? 0.55 : 0.38, rgb(0xffffff),
            mix(kSkies[month - 1].zenith, rgb(0x6f7a88), 0.5));

  static const std::array<QColor, 4> kDeep{rgb(0x35597a), rgb(0x2f6e86), rgb(0x1f7a8c), rgb(0x3c5f73)};
  static const std::array<QColor, 4> kShallow{rgb(0x9fb7c9), rgb(0x9fcfd6), rgb(0x8fd8d6), rgb(0xa9c2c8)};
  const QColor deep = kDeep[int(season)], shallow = kShallow[int(season)];
  const QColor horizonColor = mix(kSkies[month - 1].horizon, shallow, 0.5);
  const int horizonY = int(kHorizon * H);
  for (int y = horizonY; y < H; ++y) {
    const double d = double(y - horizonY) / (H - horizonY);  // 0 at the horizon, 1 at our feet
    const QColor water = mix(horizonColor, deep, std::pow(d, 0.7));
    const double scale = 0.04 + d;  // waves grow as they come nearer
    for (int x = 0; x < W; ++x) {
      const double wave = fractalNoise(x / (120.0 * scale), (y - horizonY) / (9.0 * scale * scale + 2.0), 900u, 4);
      QColor c = mix(water, wave > 0.5 ? rgb(0xffffff) : deep, std::fabs(wave - 0.5) * 0.55);
      // The sun's path on the water.
      const double path = std::exp(-std::pow((double(x) / W - sunX) / (0.025 + 0.09 * d), 2));
      if (wave > 0.55) c = mix(c, rgb(0xfff8e6), path * smoothStep(0.55, 0.7, wave));
      setPixel(image, x, y, c);
    }
  }
  // A beach along the bottom: sand, or snow-dusted sand in winter.
  const QColor sand = season == Season::Winter ? rgb(0xe4e6ea) : rgb(0xe8d6b0);
  for (int x = 0; x < W; ++x) {
    const int top = int((0.90 + 0.05 * fractalNoise(x / 300.0, 3.3, 77u, 3)) * H);
    for (int y = top; y < H; ++y) {
      const double grain = fractalNoise(x / 6.0, y / 6.0, 78u, 2) - 0.5;
      QColor c = mix(sand, rgb(0x8a7a60), grain * 0.25 + 0.05);
      if (y - top < 6) c = mix(c, rgb(0xffffff), 0.6);  // the edge of a wave
      setPixel(image, x, y, c);
    }
  }
  return image;
}

QImage patternBackground(int month) {
  QImage image = blank();
  // Each month its own pair of hues, pale enough for any text over them.
  const int hue = (month * 29 + 190) % 360;
  const QColor ground = QColor::fromHsl(hue, 70, 236);
  const QColor petal = QColor::fromHsl((hue + 180) % 360, 120, 205);
  const QColor petalDark = QColor::fromHsl((hue + 180) % 360, 110, 175);
  const QColor leaf = QColor::fromHsl((hue + 90) % 360, 90, 200);
  const QColor heart = QColor::fromHsl(hue, 130, 190);
  image.fill(ground);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  constexpr double kCell = 175.0;
  for (int row = -1; row * kCell * 0.87 < H + kCell; ++row) {
    for (int col = -1; col * kCell < W + kCell; ++col) {
      const double cx = col * kCell + (row % 2 ? kCell / 2 : 0), cy = row * kCell * 0.87;
      // A rosette: eight petals, a ring of dots, a heart; between rosettes, four leaves.
      p.save();
      p.translate(cx, cy);
      for (int i = 0; i < 8; ++i) {
        p.save();
        p.rotate(i * 45.0 + month * 7.0);
        QPainterPath leafShape;
        leafShape.moveTo(0, -10);
        leafShape.quadTo(22, -40, 0, -66);
        leafShape.quadTo(-22, -40, 0, -10);
        p.setBrush(i % 2 ? petal : petalDark);
        p.drawPath(leafShape);
        p.restore();
      }
      p.setBrush(heart);
      p.drawEllipse(QPointF(0, 0), 17, 17);
      p.setBrush(ground);
      p.drawEllipse(QPointF(0, 0), 9, 9);
      for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        p.setBrush(petalDark);
        p.drawEllipse(QPointF(std::cos(a) * 76, std::sin(a) * 76), 4, 4);
      }
      p.translate(kCell / 2, kCell * 0.87 / 2 - kCell * 0.87);
      for (int i = 0; i < 4; ++i) {
        p.save();
        p.rotate(i * 90.0 + 45.0);
        QPainterPath small;
        small.moveTo(0, 0);
        small.quadTo(10, -14, 0, -28);
        small.quadTo(-10, -14, 0, 0);
        p.setBrush(leaf);
        p.drawPath(small);
        p.restore();
      }
      p.restore();
    }
  }
  return image;
}

void addPanes(QImage& image, const QColor& tint, double opacity) {
  // Layout units of the page, which the picture is stretched over.
  const double ux = double(image.width()) / 561.0, uy = double(image.height()) / 401.0;
  const QRectF title(30 * ux, 13 * uy, 515 * ux, 46 * uy);
  const QRectF grid(57 * ux, 56 * uy, 490 * ux, 326 * uy);
  QImage mask(image.size(), QImage::Format_Grayscale8);
  mask.fill(0);
  {
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(title, 18, 18);
    p.drawRoundedRect(grid, 18, 18);
  }
  for (int y = 0; y < image.height(); ++y) {
    const uchar* m = mask.constScanLine(y);
    for (int x = 0; x < image.width(); ++x)
      if (m[x]) setPixel(image, x, y, mix(pixel(image, x, y), tint, opacity * m[x] / 255.0));
  }
}

}  // namespace themes
