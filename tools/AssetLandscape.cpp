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
  const double u = size / 100.0, f = facing;
  // 1. Legs in a wide stance under a flared hakama, split between the feet.
  TShape body = Union(Taper(x - 4 * u * f, y - 38 * u, x - 17 * u * f, y, 5 * u, 3.5 * u),
                      Taper(x + 4 * u * f, y - 38 * u, x + 15 * u * f, y, 5 * u, 3.5 * u));
  body =
      Union(body, Subtract(Polygon({x - 9 * u, y - 46 * u, x + 9 * u, y - 46 * u, x + 21 * u,
                                    y - 8 * u, x - 21 * u, y - 8 * u}),
                           Polygon({x, y - 24 * u, x - 6 * u, y - 7 * u, x + 6 * u, y - 7 * u})));
  // 2. Torso, head and arms reaching to the hilt before the body.
  body = Union(body, Taper(x, y - 44 * u, x + 2 * u * f, y - 64 * u, 9 * u, 11.5 * u));
  const double hx = x + 3 * u * f, hy = y - 77 * u;
  body = Union(body, Circle(hx, hy, 6.5 * u));
  body = Union(body, Capsule(x + 1 * u * f, y - 66 * u, hx, hy, 3.5 * u));  // neck
  const double gx = x + 22 * u * f, gy = y - 46 * u;                        // the hands
  body = Union(body, Taper(x + 7 * u * f, y - 62 * u, gx, gy, 4 * u, 3 * u));
  body = Union(body, Taper(x - 5 * u * f, y - 61 * u, gx - 3 * u * f, gy - 2 * u, 4 * u, 3 * u));
  // 3. The sword held low and forward, its point toward the ground ahead.
  body = Union(body, Capsule(gx - 7 * u * f, gy - 5 * u, gx + 2 * u * f, gy + 1 * u, 2.2 * u));
  body = Union(body,
               Taper(gx + 2 * u * f, gy + 1 * u, gx + 50 * u * f, gy + 30 * u, 1.8 * u, 0.6 * u));
  // 4. A wide hat, or a topknot.
  if (hat) {
    body = Union(body, Polygon({hx - 25 * u, hy - 2 * u, hx, hy - 15 * u, hx + 25 * u, hy - 2 * u,
                                hx, hy - 4 * u}));
  } else {
    body = Union(body, Ellipse(hx - 1 * u * f, hy - 7 * u, 3 * u, 2.4 * u));
  }
  // 5. A scarf streaming behind in the wind.
  body = Union(body, Taper(x + 1 * u * f, y - 67 * u, x - 34 * u * f, y - 63 * u, 3 * u, 0.8 * u));
  body =
      Union(body, Taper(x + 1 * u * f, y - 66 * u, x - 28 * u * f, y - 54 * u, 2.6 * u, 0.7 * u));
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
