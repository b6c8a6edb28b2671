#include "tools/AssetLandscape.h"

#include <cmath>

#include "tools/AssetMath.h"

namespace asset {

TSky SkyOf(int timeOfDay) {
  switch (timeOfDay) {
    case 0:  // night
      return {Rgb255(8, 10, 34),
              Rgb255(52, 44, 96),
              Rgb255(250, 246, 220),
              Rgb255(10, 10, 22),
              true,
              true};
    case 1:  // dawn
      return {Rgb255(70, 96, 170),
              Rgb255(250, 196, 150),
              Rgb255(255, 240, 200),
              Rgb255(40, 44, 70),
              false,
              false};
    case 2:  // sunset
      return {Rgb255(60, 36, 92),
              Rgb255(250, 132, 70),
              Rgb255(255, 214, 120),
              Rgb255(36, 18, 34),
              false,
              false};
    default:  // day
      return {Rgb255(70, 130, 210),
              Rgb255(200, 226, 246),
              Rgb255(255, 252, 236),
              Rgb255(44, 78, 56),
              false,
              false};
  }
}

void PaintSky(TCanvas& c, const TSky& sky, double horizon, std::uint64_t seed) {
  c.Shade([&](double, double y) {
    const double t = Clamp(y / horizon, 0, 1);
    return MixColor(sky.Top, sky.Horizon, t * t);
  });
  if (sky.Stars) {
    TAssetRandom r(seed);
    for (int i = 0; i < 90; ++i) {
      const double x = r.Range(0, c.Width()), y = r.Range(0, horizon * 0.8), s = r.Range(0.5, 1.4);
      c.Fill(Circle(x, y, s), Rgb255(255, 255, 240), r.Range(0.4, 0.95));
    }
  }
}

// A ridge of mountains: everything below the noisy line is filled.
void PaintRidge(TCanvas& c, double base, double height, double scale, TColor color,
                std::uint64_t seed) {
  c.Wash(
      [=](double x, double y) {
        const double n = FractalNoise(x / scale, 3.7, 4, seed);
        return y > base - n * height ? 1.0 : 0.0;
      },
      color);
}

void PaintPetals(TCanvas& c, int count, TColor color, std::uint64_t seed) {
  TAssetRandom r(seed);
  for (int i = 0; i < count; ++i) {
    const double x = r.Range(0, c.Width()), y = r.Range(0, c.Height()), s = r.Range(2.5, 5.5);
    c.Fill(Rotate(Ellipse(x, y, s, s * 0.55), x, y, r.Range(0, kPi)), color, r.Range(0.5, 0.9));
  }
}

// A standing swordsman in silhouette, feet at (x, y), size in pixels high,
// the sword raised to the side given by facing (1 right, -1 left).
void PaintSilhouette(TCanvas& c, double x, double y, double size, double facing, TColor color,
                     bool hat) {
  const double u = size / 100.0;
  TShape body =
      Union(Taper(x, y - 62 * u, x, y - 30 * u, 9 * u, 12 * u), Circle(x, y - 74 * u, 8 * u));
  body = Union(body, Taper(x - 5 * u, y - 32 * u, x - 12 * u * facing, y, 5 * u, 3.5 * u));
  body = Union(body, Taper(x + 5 * u, y - 32 * u, x + 10 * u * facing, y, 5 * u, 3.5 * u));
  // Hakama flare.
  body = Union(body, Polygon({x - 10 * u, y - 36 * u, x + 10 * u, y - 36 * u, x + 16 * u, y - 4 * u,
                              x - 16 * u, y - 4 * u}));
  // Arms up to the hilt above the head.
  const double hx = x + 14 * u * facing, hy = y - 88 * u;
  body = Union(body, Taper(x + 6 * u * facing, y - 60 * u, hx, hy, 4 * u, 3 * u));
  body = Union(body, Taper(x - 6 * u * facing, y - 60 * u, hx, hy, 4 * u, 3 * u));
  // The sword, long and slightly curved back.
  body = Union(body, Taper(hx, hy, hx + 30 * u * facing, hy - 46 * u, 2.4 * u, 0.8 * u));
  if (hat)
    body = Union(body, Polygon({x - 22 * u, y - 72 * u, x, y - 90 * u, x + 22 * u, y - 72 * u}));
  // A scarf end in the wind.
  body = Union(body, Taper(x, y - 64 * u, x - 26 * u * facing, y - 58 * u, 3 * u, 1.5 * u));
  c.Fill(body, color);
}

std::string AsciiLower(std::string_view name) {
  std::string out(name);
  for (char& ch : out)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return out;
}

bool HasAny(const std::string& name, std::initializer_list<const char*> words) {
  for (const char* w : words)
    if (name.find(w) != std::string::npos) return true;
  return false;
}

}  // namespace asset
