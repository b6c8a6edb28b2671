#include "tools/AssetStoryScenes.h"

#include <cmath>
#include <string>
#include <vector>

#include "tools/AssetLandscape.h"
#include "tools/AssetMath.h"
#include "tools/AssetPaint.h"

namespace asset {

namespace {

constexpr double W = kStoryWidth, H = kStoryHeight;

// What a scene painter gets: the canvas, the name's hash and generator, the
// lower-case name (for words) and the time of day.
struct TScene {
  TCanvas& C;
  std::uint64_t Hash;
  TAssetRandom& R;
  std::string Name;
  int Time;
};

// A small flock or a line of birds as shallow V's.
void PaintBirds(TScene& s, int count, TColor color) {
  for (int i = 0; i < count; ++i) {
    const double x = s.R.Range(60, 540), y = s.R.Range(30, 110), w = s.R.Range(4, 8);
    s.C.Fill(Union(Capsule(x - w, y - w * 0.4, x, y, 0.9), Capsule(x, y, x + w, y - w * 0.4, 0.9)),
             color);
  }
}

// A glowing paper lantern.
void PaintLantern(TCanvas& c, double x, double y, double r, TColor glow) {
  c.Glow(Circle(x, y, r), glow, r * 2.5, 0.35);
  c.Fill(Ellipse(x, y, r, r * 1.15), MixColor(glow, Rgb255(255, 255, 255), 0.3));
  for (int i = -1; i <= 1; ++i)
    c.Fill(Outline(Ellipse(x, y, r * (0.35 + 0.3 * (i + 1)), r * 1.15), 0.8), ScaleColor(glow, 0.6),
           0.5);
  c.Fill(RoundBox(x - r * 0.5, y - r * 1.3, x + r * 0.5, y - r * 1.05, 1), Rgb255(40, 30, 30));
  c.Fill(RoundBox(x - r * 0.5, y + r * 1.05, x + r * 0.5, y + r * 1.3, 1), Rgb255(40, 30, 30));
}

// The white tower with its quill-shaped spire, base at (x, base), top at top.
void PaintTower(TCanvas& c, double x, double base, double top, double width, TColor light,
                TColor shadow) {
  const double h = base - top;
  c.Fill(Polygon({x - width, base, x - width * 0.6, top + h * 0.18, x + width * 0.6, top + h * 0.18,
                  x + width, base}),
         [&](double px, double) {
           return MixColor(light, shadow, Clamp((px - x + width) / (2 * width), 0, 1));
         });
  c.Fill(RoundBox(x - width * 0.85, top + h * 0.16, x + width * 0.85, top + h * 0.2, 1), shadow);
  for (int i = 0; i < 4; ++i) {
    const double wy = top + h * (0.3 + 0.16 * i);
    c.Fill(RoundBox(x - width * 0.12, wy, x + width * 0.12, wy + h * 0.06, width * 0.1),
           Rgb255(40, 40, 60));
  }
  // The spire: a feather leaning a little, shaft and vane.
  const double sx = x, sy = top + h * 0.16;
  c.Fill(Rotate(Ellipse(sx + width * 0.15, sy - h * 0.1, width * 0.35, h * 0.12), sx, sy, 0.18),
         light);
  c.Fill(Rotate(Capsule(sx, sy, sx + width * 0.15, sy - h * 0.21, 0.9), sx, sy, 0.18), shadow);
}

void Gate(TScene& s) {
  const TSky sky = SkyOf(s.Time);
  PaintSky(s.C, sky, 200, s.Hash);
  s.C.Glow(Circle(470, 90, 24), sky.Disc, 60, 0.4);
  s.C.Fill(Circle(470, 90, 24), sky.Disc);
  PaintRidge(s.C, 190, 60, 120, MixColor(sky.Horizon, sky.Ground, 0.4), HashMix(s.Hash, 1));
  const TColor wall = MixColor(sky.Horizon, sky.Ground, 0.6);
  // Roofs inside the walls, the tower among them.
  for (int i = 0; i < 26; ++i) {
    const double x = s.R.Range(90, 510), w = s.R.Range(10, 22), y = s.R.Range(168, 186);
    s.C.Fill(Polygon({x - w, y + 14, x - w, y + 4, x, y - 6, x + w, y + 4, x + w, y + 14}),
             ScaleColor(wall, s.R.Range(0.8, 1.1)));
  }
  PaintTower(s.C, 300, 190, 30, 16, MixColor(Rgb255(250, 246, 240), sky.Horizon, 0.2),
             MixColor(Rgb255(180, 176, 190), sky.Ground, 0.3));
  // The wall with battlements and the gate.
  s.C.Fill(RoundBox(70, 192, 530, 222, 0), wall);
  for (double x = 70; x < 530; x += 16) s.C.Fill(RoundBox(x, 186, x + 9, 193, 0), wall);
  s.C.Fill(Union(RoundBox(286, 204, 314, 222, 0), Circle(300, 204, 14)),
           ScaleColor(sky.Ground, 0.6));
  // The near hill and a traveller looking down at the city.
  PaintRidge(s.C, 300, 50, 200, sky.Ground, HashMix(s.Hash, 2));
  s.C.Fill(Polygon({0, 300, 0, 250, 90, 238, 170, 256, 200, 300}), sky.Ground);
  PaintSilhouette(s.C, 110, 244, 62, 1.0, sky.Ground, false);
  PaintBirds(s, 5, ScaleColor(sky.Ground, 1.4));
}

void Tower(TScene& s) {
  const TSky sky = SkyOf(s.Time);
  PaintSky(s.C, sky, 300, s.Hash);
  for (int i = 0; i < 5; ++i) {
    const double x = s.R.Range(0, W), y = s.R.Range(40, 160);
    s.C.Fill(Union(Ellipse(x, y, 60, 12), Ellipse(x + 30, y - 8, 34, 12)),
             MixColor(sky.Horizon, Rgb255(255, 255, 255), 0.6), 0.5);
  }
  PaintTower(s.C, 300, 330, 14, 44, Rgb255(250, 248, 244),
             MixColor(Rgb255(170, 170, 190), sky.Top, 0.3));
  const TColor roof = MixColor(sky.Ground, Rgb255(120, 60, 50), 0.5);
  for (int i = 0; i < 14; ++i) {
    const double x = i * 46 + s.R.Range(-8, 8), w = s.R.Range(22, 34), y = s.R.Range(246, 270);
    if (std::fabs(x - 300) < 60) continue;
    s.C.Fill(Polygon({x - w, 300, x - w, y + 12, x, y - 8, x + w, y + 12, x + w, 300}),
             ScaleColor(roof, s.R.Range(0.75, 1.05)));
  }
  PaintBirds(s, 7, ScaleColor(sky.Top, 0.5));
}

void Teahouse(TScene& s) {
  TCanvas& c = s.C;
  c.Shade([](double, double y) { return MixColor(Rgb255(92, 60, 40), Rgb255(44, 28, 22), y / H); });
  for (double x = 0; x < W; x += 46) c.Fill(RoundBox(x, 0, x + 5, 210, 0), Rgb255(60, 38, 26));
  // A paper window with the moon behind it.
  c.Fill(RoundBox(360, 30, 560, 180, 2), Rgb255(70, 44, 30));
  c.Fill(RoundBox(368, 38, 552, 172, 0), Rgb255(236, 226, 196));
  c.Glow(Circle(470, 96, 30), Rgb255(255, 250, 220), 60, 0.5);
  for (double x = 368; x < 552; x += 46)
    c.Fill(RoundBox(x - 1.5, 38, x + 1.5, 172, 0), Rgb255(90, 60, 40));
  for (double y = 38; y < 172; y += 34)
    c.Fill(RoundBox(368, y - 1.5, 552, y + 1.5, 0), Rgb255(90, 60, 40));
  PaintLantern(c, 150, 80, 26, Rgb255(255, 150, 70));
  c.Fill(Capsule(150, 0, 150, 50, 1.2), Rgb255(30, 20, 16));
  // The floor, the low table, the pot and two cups, steam.
  c.Fill(RoundBox(0, 210, W, H, 0), Rgb255(150, 130, 80));
  for (double x = -40; x < W; x += 90)
    c.Fill(Capsule(x, 210, x + 40, 300, 1), Rgb255(120, 100, 60));
  Ink(c, RoundBox(150, 226, 450, 252, 6), Rgb255(90, 50, 30), Rgb255(30, 16, 12), 2);
  c.Fill(RoundBox(170, 250, 190, 292, 2), Rgb255(60, 34, 22));
  c.Fill(RoundBox(410, 250, 430, 292, 2), Rgb255(60, 34, 22));
  Ink(c, Ellipse(280, 204, 30, 24), Rgb255(70, 90, 80), Rgb255(20, 20, 20), 2);
  Ink(c, Taper(306, 206, 330, 188, 6, 3), Rgb255(70, 90, 80), Rgb255(20, 20, 20), 1.5);
  c.Fill(Outline(Ellipse(280, 180, 18, 14), 3), Rgb255(40, 30, 24));
  for (double x : {352.0, 392.0}) {
    Ink(c, RoundBox(x - 11, 208, x + 11, 228, 5), Rgb255(230, 220, 200), Rgb255(40, 30, 24), 1.5);
    for (int k = 0; k < 6; ++k)
      c.Fill(Circle(x + 4 * Sin(k * 1.3), 198 - k * 8, 3.0 - 0.3 * k), Rgb255(255, 255, 255), 0.15);
  }
}

void Arena(TScene& s) {
  const TSky sky = SkyOf(s.Time);
  PaintSky(s.C, sky, 160, s.Hash);
  TCanvas& c = s.C;
  // Tiers of stands filled with people.
  for (int tier = 0; tier < 4; ++tier) {
    const double top = 90 + tier * 26;
    c.Fill(RoundBox(0, top, W, top + 26, 0), ScaleColor(Rgb255(120, 96, 80), 0.6 + 0.12 * tier));
    for (double x = 4 + tier * 3; x < W; x += 7) {
      const TColor col = Hsv(s.R.Unit(), 0.5, s.R.Range(0.5, 0.95));
      c.Fill(Circle(x, top + 9 + s.R.Range(-1.5, 1.5), 2.6), col);
      c.Fill(RoundBox(x - 3, top + 12, x + 3, top + 24, 2), ScaleColor(col, 0.7));
    }
  }
  for (int i = 0; i < 6; ++i) {
    const double x = 50 + i * 100;
    c.Fill(Capsule(x, 40, x, 100, 1.6), Rgb255(60, 40, 30));
    c.Fill(Polygon({x + 2, 42, x + 34, 48, x + 30, 76, x + 2, 72}), Hsv(s.R.Unit(), 0.75, 0.85));
  }
  c.Fill(Ellipse(300, 300, 420, 100), Rgb255(214, 190, 140));
  c.Fill(Outline(Ellipse(300, 300, 300, 70), 3), Rgb255(250, 246, 236), 0.7);
  PaintSilhouette(c, 230, 282, 80, 1.0, Rgb255(30, 24, 30), s.R.Below(2) == 0);
  PaintSilhouette(c, 380, 282, 78, -1.0, Rgb255(30, 24, 30), s.R.Below(2) == 0);
  PaintPetals(c, 50, Rgb255(255, 236, 170), HashMix(s.Hash, 3));
}

void Market(TScene& s) {
  TCanvas& c = s.C;
  PaintSky(c, SkyOf(kNight), 200, s.Hash);
  PaintRidge(c, 170, 40, 60, Rgb255(30, 26, 50), HashMix(s.Hash, 1));
  // Stalls with striped awnings.
  for (int i = 0; i < 6; ++i) {
    const double x = 10 + i * 100, top = 160 + s.R.Range(-6, 6);
    const TColor a = Hsv(s.R.Unit(), 0.7, 0.8);
    c.Fill(RoundBox(x + 8, top + 20, x + 88, 270, 0), Rgb255(60, 40, 36));
    c.Glow(RoundBox(x + 14, top + 30, x + 82, top + 60, 2), Rgb255(255, 190, 100), 20, 0.5);
    c.Fill(Polygon({x, top + 22, x + 10, top, x + 86, top, x + 96, top + 22}),
           [&, x](double px, double) {
             return std::fmod(std::floor((px - x) / 12), 2.0) == 0.0 ? a : Rgb255(240, 232, 220);
           });
  }
  // Strings of lanterns across the street.
  for (int row = 0; row < 2; ++row) {
    const double y0 = 40 + row * 40;
    for (int i = 0; i < 11; ++i) {
      const double x = 30 + i * 54 + row * 27;
      const double sag = 18 * Sin(kPi * x / W);
      PaintLantern(c, x, y0 + sag + 10, 9, Hsv(0.02 + 0.1 * s.R.Unit(), 0.8, 1.0));
    }
  }
  // The crowd walking through.
  for (int i = 0; i < 22; ++i) {
    const double x = s.R.Range(0, W), y = s.R.Range(262, 300), k = s.R.Range(0.8, 1.2);
    c.Fill(Union(Circle(x, y - 44 * k, 8 * k),
                 RoundBox(x - 13 * k, y - 36 * k, x + 13 * k, y + 10, 8 * k)),
           Rgb255(16, 12, 22));
  }
}

void Library(TScene& s) {
  TCanvas& c = s.C;
  c.Shade([](double, double y) { return MixColor(Rgb255(70, 46, 34), Rgb255(36, 24, 20), y / H); });
  // Shelves of books on both sides of a tall window.
  for (int side = 0; side < 2; ++side) {
    const double x0 = side == 0 ? 10 : 390, x1 = side == 0 ? 210 : 590;
    c.Fill(RoundBox(x0 - 6, 10, x1 + 6, 290, 0), Rgb255(56, 34, 22));
    for (int shelf = 0; shelf < 5; ++shelf) {
      const double base = 62 + shelf * 54;
      double x = x0;
      while (x < x1 - 6) {
        const double w = s.R.Range(5, 11), h = s.R.Range(30, 46);
        c.Fill(RoundBox(x, base - h, x + w, base, 1),
               Hsv(s.R.Unit(), s.R.Range(0.3, 0.7), s.R.Range(0.3, 0.7)));
        c.Fill(RoundBox(x, base - h + 6, x + w, base - h + 8, 0), Rgb255(210, 180, 90), 0.6);
        x += w + 1;
      }
      c.Fill(RoundBox(x0 - 6, base, x1 + 6, base + 6, 0), Rgb255(90, 58, 36));
    }
  }
  c.Fill(Union(RoundBox(250, 60, 350, 250, 0), Circle(300, 60, 50)), Rgb255(190, 210, 236));
  c.Fill(RoundBox(298, 10, 302, 250, 0), Rgb255(60, 40, 30));
  c.Fill(RoundBox(250, 130, 350, 134, 0), Rgb255(60, 40, 30));
  // The light falling in, with dust in it.
  c.Wash(
      [](double x, double y) {
        const double u = (x - 300) - (y - 60) * 0.55;
        return y > 60 && std::fabs(u) < 60 + (y - 60) * 0.3 ? 0.16 : 0.0;
      },
      Rgb255(255, 240, 200));
  for (int i = 0; i < 40; ++i)
    c.Fill(Circle(s.R.Range(260, 420), s.R.Range(80, 290), s.R.Range(0.6, 1.4)),
           Rgb255(255, 246, 220), 0.6);
  c.Fill(RoundBox(0, 290, W, H, 0), Rgb255(40, 26, 20));
}

void Ledger(TScene& s) {
  TCanvas& c = s.C;
  c.Shade([](double x, double y) {
    const double grain = 0.08 * SinTurns(y / 23.0 + 0.3 * SinTurns(x / 170.0));
    return ScaleColor(Rgb255(110, 70, 44), 0.85 + grain);
  });
  c.Glow(Circle(560, 30, 10), Rgb255(255, 200, 120), 200, 0.5);
  // The open book: two pages bowing towards the spine.
  const TColor paper = Rgb255(240, 230, 204), ink = Rgb255(40, 30, 40);
  for (int side = -1; side <= 1; side += 2) {
    const double x0 = 300, x1 = 300 + side * 220;
    c.Fill(Polygon({x0, 40, x1, 30, x1, 270, x0, 282}), Rgb255(70, 40, 30));
    c.Fill(Polygon({x0, 34, x1 - side * 4, 24, x1 - side * 4, 264, x0, 276}), paper);
    for (int line = 0; line < 9; ++line) {
      const double y = 56 + line * 24 + (side < 0 ? 0 : 2);
      double x = 300 + side * 24;
      TAssetRandom r(HashMix(s.Hash, static_cast<std::uint64_t>(line * 2 + (side + 1))));
      while (std::fabs(x - 300) < 190) {
        const double w = r.Range(8, 26);
        c.Fill(Capsule(x, y, x + side * w, y + r.Range(-1, 1), 1.3), ink, 0.75);
        x += side * (w + 6);
      }
      // One name on the right page has been scraped out.
      if (side == 1 && line == 4)
        c.Fill(RoundBox(322, y - 8, 470, y + 8, 3), MixColor(paper, Rgb255(150, 120, 90), 0.5));
    }
  }
  c.Fill(RoundBox(298, 30, 302, 282, 0), Rgb255(180, 160, 130));
  // The inkpot and the white quill.
  Ink(c, Ellipse(80, 250, 30, 22), Rgb255(30, 30, 50), Rgb255(10, 10, 14), 2);
  c.Fill(Ellipse(80, 243, 16, 7), Rgb255(10, 10, 20));
  const double qx = 96, qy = 236;
  c.Fill(Rotate(Ellipse(qx + 90, qy - 60, 70, 14), qx + 90, qy - 60, -0.6), Rgb255(250, 250, 252));
  c.Fill(Capsule(qx, qy, qx + 150, qy - 104, 1.3), Rgb255(200, 196, 190));
}

void Ceremony(TScene& s) {
  TCanvas& c = s.C;
  c.Shade([](double, double y) { return MixColor(Rgb255(60, 40, 60), Rgb255(30, 20, 30), y / H); });
  c.Wash(
      [](double x, double y) {
        const double a = Atan2(x - 300, y + 120);
        const double k = a / 0.12;
        return (k - std::floor(k)) < 0.45 ? 0.12 * (1 - y / H) : 0.0;
      },
      Rgb255(255, 230, 170));
  // Pillars and banners.
  for (int i = 0; i < 4; ++i) {
    const double x = i < 2 ? 40 + i * 90 : 380 + (i - 2) * 90 + 80;
    c.Fill(RoundBox(x - 16, 0, x + 16, 300, 0), Rgb255(200, 184, 160));
    c.Fill(RoundBox(x - 12, 0, x + 12, 300, 0), Rgb255(230, 216, 190));
    const TColor b = i % 2 == 0 ? Rgb255(170, 30, 40) : Rgb255(30, 60, 140);
    c.Fill(Polygon({x + 22, 20, x + 62, 20, x + 62, 140, x + 42, 124, x + 22, 140}), b);
    c.Fill(Circle(x + 42, 60, 10), Rgb255(230, 190, 80));
  }
  // The carpet to the dais, and the dais with the ledger's lectern.
  c.Fill(Polygon({270, 300, 330, 300, 312, 190, 288, 190}), Rgb255(160, 24, 36));
  c.Fill(RoundBox(220, 176, 380, 196, 3), Rgb255(110, 80, 60));
  c.Fill(RoundBox(286, 130, 314, 178, 2), Rgb255(80, 54, 40));
  c.Fill(Polygon({270, 132, 330, 132, 322, 120, 278, 120}), Rgb255(240, 232, 210));
  PaintSilhouette(c, 250, 296, 70, 1.0, Rgb255(20, 14, 20), false);
  PaintPetals(c, 70, Rgb255(255, 220, 120), HashMix(s.Hash, 5));
}

void Ferry(TScene& s) {
  const TSky sky = SkyOf(s.Time);
  TCanvas& c = s.C;
  PaintSky(c, sky, 170, s.Hash);
  c.Glow(Circle(160, 140, 26), sky.Disc, 70, 0.45);
  c.Fill(Circle(160, 140, 26), sky.Disc);
  PaintRidge(c, 170, 50, 110, MixColor(sky.Horizon, sky.Ground, 0.45), HashMix(s.Hash, 1));
  // The river, with the light's path on it.
  const TColor water = MixColor(sky.Horizon, Rgb255(30, 50, 90), 0.55);
  c.Fill(RoundBox(0, 170, W, H, 0), [&](double x, double y) {
    const double streak = SinTurns(y / 5.0 + 0.4 * SinTurns(x / 90.0));
    const double q = (x - 160) / (30 + (y - 170) * 0.6);
    const double path = Exp(-q * q);
    return MixColor(water, sky.Disc, Clamp(path * (0.5 + 0.5 * streak), 0, 1) * 0.8);
  });
  c.Wash([](double,
            double y) { return y > 160 && y < 200 ? 0.25 * (1 - std::fabs(y - 180) / 20) : 0.0; },
         Rgb255(240, 230, 230));
  // The ferry and the old ferryman with his pole.
  const TColor dark = ScaleColor(sky.Ground, 0.8);
  c.Fill(Polygon({300, 236, 470, 236, 452, 254, 318, 254}), dark);
  c.Fill(Polygon({300, 258, 470, 258, 452, 274, 318, 274}), ScaleColor(water, 0.8), 0.6);
  PaintSilhouette(c, 430, 236, 50, -1.0, dark, true);
  c.Fill(Capsule(408, 180, 372, 290, 1.6), dark);
  c.Fill(RoundBox(330, 224, 370, 236, 2), dark);  // the traveller's bundle
}

// A landscape with one or two swordsmen, for names without a scene word.
void Landscape(TScene& s) {
  const TSky sky = SkyOf(s.Time);
  TCanvas& c = s.C;
  PaintSky(c, sky, 190, s.Hash);
  const double dx = s.R.Range(90, 510),
               dy = s.Time == kDay ? s.R.Range(40, 80) : s.R.Range(60, 130);
  c.Glow(Circle(dx, dy, 26), sky.Disc, 60, 0.4);
  c.Fill(Circle(dx, dy, 26), sky.Disc, 0.95);
  PaintRidge(c, 200, 90, s.R.Range(90, 150), MixColor(sky.Horizon, sky.Ground, 0.45),
             HashMix(s.Hash, 1));
  PaintRidge(c, 250, 60, s.R.Range(70, 120), MixColor(sky.Horizon, sky.Ground, 0.75),
             HashMix(s.Hash, 6));
  PaintRidge(c, 300, 46, 160, sky.Ground, HashMix(s.Hash, 2));
  const double fx = s.R.Range(140, 240);
  PaintSilhouette(c, fx, 286, 100, 1.0, sky.Ground, s.R.Below(2) == 0);
  if (!HasAny(s.Name, {"alone", "hero"}) && s.R.Below(3) != 0)
    PaintSilhouette(c, W - fx + 40, 286, 96, -1.0, sky.Ground, s.R.Below(2) == 0);
}

}  // namespace

TImage PaintStoryScene(std::string_view fileName) {
  TCanvas c(kStoryWidth, kStoryHeight, 2);
  TAssetRandom r(HashName(fileName));
  TScene s{c, HashName(fileName), r, AsciiLower(fileName), r.Below(4)};
  // 1. The time of day: a word decides, else the hash.
  if (HasAny(s.Name, {"night", "moon", "yoru"})) s.Time = kNight;
  if (HasAny(s.Name, {"dawn", "morning", "sunrise", "asa"})) s.Time = kDawn;
  if (HasAny(s.Name, {"sunset", "dusk", "evening"})) s.Time = kSunset;
  if (HasAny(s.Name, {"day", "noon", "hiru"})) s.Time = kDay;
  const bool timeNamed =
      HasAny(s.Name, {"night", "moon", "yoru", "dawn", "morning", "sunrise", "asa", "sunset",
                      "dusk", "evening", "day", "noon", "hiru"});
  // 2. The scene: the first word found picks it.
  if (HasAny(s.Name, {"gate", "city"})) {
    if (!timeNamed) s.Time = kSunset;
    Gate(s);
  } else if (HasAny(s.Name, {"tower"})) {
    if (!timeNamed) s.Time = kDay;
    Tower(s);
  } else if (HasAny(s.Name, {"tea", "inn"})) {
    Teahouse(s);
  } else if (HasAny(s.Name, {"arena", "tournament", "stadium"})) {
    if (!timeNamed) s.Time = kDay;
    Arena(s);
  } else if (HasAny(s.Name, {"market", "fair"})) {
    Market(s);
  } else if (HasAny(s.Name, {"library", "archive"})) {
    Library(s);
  } else if (HasAny(s.Name, {"ledger", "book", "scroll"})) {
    Ledger(s);
  } else if (HasAny(s.Name, {"ceremony", "hall", "throne"})) {
    Ceremony(s);
  } else if (HasAny(s.Name, {"ferry", "boat", "river"})) {
    if (!timeNamed) s.Time = kDawn;
    Ferry(s);
  } else {
    Landscape(s);
  }
  // 3. The weather, over any outdoor or indoor scene alike.
  if (HasAny(s.Name, {"snow", "yuki"}))
    PaintPetals(c, 140, Rgb255(250, 250, 255), HashMix(s.Hash, 3));
  if (HasAny(s.Name, {"rain"})) {
    for (int i = 0; i < 160; ++i) {
      const double x = r.Range(0, W), y = r.Range(0, H);
      c.Fill(Capsule(x, y, x - 3, y + 14, 0.6), Rgb255(200, 210, 230), 0.5);
    }
  }
  return c.Resolve();
}

}  // namespace asset
