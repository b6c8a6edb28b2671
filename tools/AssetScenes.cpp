#include "tools/AssetScenes.h"

#include <cmath>
#include <string>
#include <vector>

#include "tools/AssetLandscape.h"
#include "tools/AssetLettering.h"
#include "tools/AssetMath.h"
#include "tools/AssetPaint.h"

namespace asset {

TColor EmblemKeyColor() {
  return Rgb255(255, 0, 255);
}

TImage PaintTitle() {
  constexpr int K = 3;
  TCanvas c(600, 450, K);
  const TSky sky{Rgb255(10, 12, 40),
                 Rgb255(176, 92, 110),
                 Rgb255(255, 248, 224),
                 Rgb255(12, 10, 20),
                 true,
                 true};
  PaintSky(c, sky, 330, 7);
  // The moon.
  c.Glow(Circle(528, 62, 30), Rgb255(255, 236, 200), 60, 0.35);
  c.Fill(Circle(528, 62, 30), Rgb255(252, 246, 226));
  c.Fill(Circle(517, 55, 6), Rgb255(232, 224, 204), 0.6);
  c.Fill(Circle(538, 74, 4), Rgb255(232, 224, 204), 0.6);
  // Mist and three ridges.
  PaintRidge(c, 300, 120, 140, Rgb255(92, 64, 104), 21);
  c.Wash([](double, double y) { return SmoothStep(250, 330, y) * 0.35; }, Rgb255(220, 150, 160));
  PaintRidge(c, 360, 110, 110, Rgb255(52, 36, 70), 22);
  PaintRidge(c, 430, 90, 90, Rgb255(18, 14, 30), 23);
  // The swordsman on the near cliff.
  c.Fill(Polygon({60, 450, 110, 360, 190, 342, 250, 360, 330, 450}), Rgb255(12, 10, 20));
  PaintSilhouette(c, 182, 348, 110, 1.0, Rgb255(12, 10, 20), true);
  PaintPetals(c, 60, Rgb255(255, 190, 210), 31);
  // The name, gold with a dark rim and a warm glow.
  const std::u32string name = U"Quillmoor";
  const double size = 92, tracking = 2;
  const double width = LetteringWidth(name, kLetteringFont, size, tracking);
  const TShape letters =
      LetteringShape(name, kLetteringFont, size, 300 - width / 2, 178, tracking, K);
  c.Glow(letters, Rgb255(255, 200, 120), 22, 0.45);
  c.Fill(Grow(letters, 4.0), Rgb255(40, 16, 10));
  c.Fill(letters, [](double, double y) {
    const double t = Clamp((y - 110) / 70.0, 0, 1);
    return t < 0.5 ? MixColor(Rgb255(255, 246, 200), Rgb255(250, 200, 80), t * 2)
                   : MixColor(Rgb255(250, 200, 80), Rgb255(196, 112, 30), (t - 0.5) * 2);
  });
  // The subtitle and the prompt.
  const std::u32string sub = U"剣師トーナメント";
  const double subSize = 30;
  const double subWidth = LetteringWidth(sub, kLetteringFont, subSize, 6);
  const TShape subtitle =
      LetteringShape(sub, kLetteringFont, subSize, 300 - subWidth / 2, 232, 6, K);
  c.Fill(Grow(subtitle, 3.0), Rgb255(30, 12, 24), 0.9);
  c.Fill(subtitle, Rgb255(250, 244, 236));
  const std::u32string prompt = U"― クリックで開始 ―";
  const double promptWidth = LetteringWidth(prompt, kLetteringFont, 18, 2);
  const TShape promptShape =
      LetteringShape(prompt, kLetteringFont, 18, 300 - promptWidth / 2, 424, 2, K);
  c.Fill(Grow(promptShape, 2.0), Rgb255(10, 8, 16), 0.8);
  c.Fill(promptShape, Rgb255(236, 226, 236));
  return c.Resolve();
}

TImage PaintBack() {
  TCanvas c(600, 450, 2);
  c.Shade([](double x, double y) {
    const double dx = (x - 300) / 600, dy = (y - 200) / 450;
    const double v = 1.0 - 1.1 * (dx * dx + dy * dy);
    return ScaleColor(MixColor(Rgb255(46, 52, 86), Rgb255(26, 28, 50), y / 450), v);
  });
  // Faint wave scales over the lower part, fading upward.
  c.Wash(
      [](double x, double y) {
        const double best = WaveScaleDistance(x, y, 30.0);
        if (best > 1e8) return 0.0;
        const double ring = best / 7.5;
        return (ring - std::floor(ring)) < 0.3 ? 0.07 + 0.05 * y / 450 : 0.0;
      },
      Rgb255(150, 170, 220));
  // Soft noise like hand-made paper.
  c.Wash([](double x, double y) { return 0.08 * FractalNoise(x / 40, y / 40, 4, 5); },
         Rgb255(10, 10, 20));
  return c.Resolve();
}

TImage PaintEmblem() {
  constexpr int W = 96, H = 120;
  TCanvas c(W, H, 4);
  const double cx = 48, cy = 60;
  const TColor ink = Rgb255(40, 24, 12);
  const TColor gold = Rgb255(228, 184, 70);
  const TColor steel = Rgb255(208, 216, 228);
  const TShape hollow = Circle(cx, cy, 24);
  // Crossed swords behind the ring, their blades hidden in the hollow.
  for (int side = -1; side <= 1; side += 2) {
    const double x0 = cx + side * 40, y0 = cy + 52, x1 = cx - side * 40, y1 = cy - 48;
    const TShape blade = Subtract(Taper(x0, y0, x1, y1, 3.2, 1.0), hollow);
    c.Fill(Grow(blade, 1.2), ink);
    c.Fill(blade, steel);
    const double hx = cx + side * 40 * 0.72, hy = cy + 52 * 0.72;
    c.Fill(Grow(Capsule(x0, y0, hx, hy, 3.4), 1.2), ink);
    c.Fill(Capsule(x0, y0, hx, hy, 3.4), Rgb255(120, 30, 30));
  }
  // Laurel leaves round the ring.
  for (int side = -1; side <= 1; side += 2) {
    for (int i = 0; i < 7; ++i) {
      const double a = kPi / 2 + side * (0.35 + 0.36 * i);
      const double lx = cx + 38 * Cos(a), ly = cy + 38 * Sin(a);
      const TShape leaf =
          Rotate(Ellipse(lx, ly, 7.5, 3.4), lx, ly, a + side * kPi / 2 + 0.5 * side);
      c.Fill(Grow(leaf, 1.0), ink);
      c.Fill(leaf, Rgb255(96, 150, 70));
    }
  }
  // The ring itself.
  const TShape ring = Subtract(Circle(cx, cy, 33), hollow);
  c.Fill(Grow(ring, 1.5), ink);
  c.Fill(ring, [=](double, double y) {
    return MixColor(Rgb255(255, 232, 150), Rgb255(190, 130, 40), Clamp((y - 27) / 66, 0, 1));
  });
  c.Fill(Outline(Circle(cx, cy, 28.5), 1.2), Rgb255(150, 96, 30));
  // A crown on top.
  const TShape crown =
      Polygon({cx - 18, 22, cx - 20, 4, cx - 9, 14, cx, 1, cx + 9, 14, cx + 20, 4, cx + 18, 22});
  c.Fill(Grow(crown, 1.4), ink);
  c.Fill(crown, gold);
  c.Fill(Circle(cx, 12, 2.6), Rgb255(200, 40, 50));
  // A ribbon below.
  const TShape ribbon = Polygon({cx - 30, 98, cx + 30, 98, cx + 36, 110, cx + 26, 106, cx + 20, 112,
                                 cx - 20, 112, cx - 26, 106, cx - 36, 110});
  c.Fill(Grow(ribbon, 1.2), ink);
  c.Fill(ribbon, Rgb255(196, 36, 44));
  return c.ResolveKeyed(EmblemKeyColor());
}

}  // namespace asset
