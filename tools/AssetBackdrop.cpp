#include "tools/AssetBackdrop.h"

#include <cmath>

#include "tools/AssetMath.h"

namespace asset {

TBackdropStyle BackdropStyleOf(std::uint64_t hash) {
  TAssetRandom r(hash);
  TBackdropStyle s;
  s.Hue = r.Unit();
  s.Sat = r.Range(0.35, 0.75);
  s.Val = r.Range(0.4, 0.78);
  s.Pattern = r.Below(kBackdropPatterns);
  s.Seed = r.Next();
  return s;
}

void PaintBackdrop(TCanvas& c, const TBackdropStyle& s) {
  const double w = c.Width(), h = c.Height();
  const TColor top = Hsv(s.Hue, s.Sat * 0.8, Clamp(s.Val * 1.15, 0, 1));
  const TColor bottom = Hsv(s.Hue + 0.04, s.Sat, s.Val * 0.55);
  c.Shade([&](double, double y) { return MixColor(top, bottom, y / h); });
  const TColor light = Hsv(s.Hue - 0.03, s.Sat * 0.45, Clamp(s.Val * 1.35, 0, 1));
  const TColor dark = Hsv(s.Hue + 0.05, s.Sat, s.Val * 0.4);
  const double cx = w / 2, cy = h * 0.45;
  switch (s.Pattern) {
    case 0:  // rays from behind the head
      c.Wash(
          [&](double x, double y) {
            const double a = Atan2(y - cy, x - cx) / (2 * kPi) * 16.0;
            return (a - std::floor(a)) < 0.5 ? 0.28 : 0.0;
          },
          light);
      break;
    case 1:  // concentric rings
      c.Wash(
          [&](double x, double y) {
            const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / 22.0;
            return (d - std::floor(d)) < 0.35 ? 0.25 : 0.0;
          },
          light);
      break;
    case 2:  // diagonal stripes
      c.Wash(
          [&](double x, double y) {
            const double d = (x + y) / 26.0;
            return (d - std::floor(d)) < 0.4 ? 0.22 : 0.0;
          },
          dark);
      break;
    case 3:  // wave scales in rows
      c.Wash(
          [&](double x, double y) {
            const double best = WaveScaleDistance(x, y, 24.0);
            if (best > 1e8) return 0.0;
            const double ring = best / 6.0;
            return (ring - std::floor(ring)) < 0.4 ? 0.3 : 0.0;
          },
          light);
      break;
    case 4:  // a great disc, sun or moon
      c.Glow(Circle(w * 0.72, h * 0.3, h * 0.22), Hsv(s.Hue + 0.08, 0.3, 1.0), h * 0.15, 0.35);
      c.Fill(Circle(w * 0.72, h * 0.3, h * 0.22), Hsv(s.Hue + 0.08, 0.35, 1.0), 0.7);
      break;
    case 5:  // far mountains in three layers
      for (int layer = 0; layer < 3; ++layer) {
        const double base = h * (0.55 + 0.12 * layer);
        const TColor col = MixColor(light, dark, 0.3 + 0.3 * layer);
        c.Wash(
            [&, layer, base](double x, double y) {
              const double n = FractalNoise(x / (90.0 - 20 * layer), layer * 7.0, 3,
                                            HashMix(s.Seed, static_cast<std::uint64_t>(layer)));
              return y > base - n * h * 0.3 ? 0.85 : 0.0;
            },
            col);
      }
      break;
    case 6:  // checkerboard
      c.Wash(
          [&](double x, double y) {
            const int i =
                static_cast<int>(std::floor(x / 30.0)) + static_cast<int>(std::floor(y / 30.0));
            return (i % 2 == 0) ? 0.18 : 0.0;
          },
          dark);
      break;
    case 7: {  // scattered petals
      TAssetRandom r(s.Seed);
      const TColor petal = Hsv(s.Hue + 0.5, 0.3, 1.0);
      for (int i = 0; i < 28; ++i) {
        const double px = r.Range(0, w), py = r.Range(0, h), sz = r.Range(4, 9);
        c.Fill(Rotate(Ellipse(px, py, sz, sz * 0.55), px, py, r.Range(0, kPi)), petal, 0.55);
      }
      break;
    }
    case 8:  // plain, darker at the edges
      c.Wash(
          [&](double x, double y) {
            const double dx = (x - cx) / w, dy = (y - cy) / h;
            return Clamp(2.2 * (dx * dx + dy * dy), 0.0, 0.7);
          },
          dark);
      break;
    default:  // bamboo stalks
      for (int i = 0; i < 6; ++i) {
        const double x = w * (i + 0.5) / 6.0 + (i % 2 == 0 ? -6 : 6);
        c.Wash(
            [&, x](double px, double py) {
              if (std::fabs(px - x) > 7) return 0.0;
              const double seg = (py + 23.0 * i) / 70.0;
              return (seg - std::floor(seg)) < 0.05 ? 0.1 : 0.3;
            },
            dark);
      }
      break;
  }
}

}  // namespace asset
