#include "tools/AssetScenes.h"

#include <cmath>
#include <string>
#include <vector>

#include "tools/AssetBackdrop.h"
#include "tools/AssetLettering.h"
#include "tools/AssetMath.h"
#include "tools/AssetPaint.h"

namespace asset {

namespace {

// The time of day of a landscape: sky from top to horizon, the light disc,
// and the colour of the nearest ground.
struct TSky {
  TColor Top, Horizon, Disc, Ground;
  bool Moon = false;
  bool Stars = false;
};

TSky SkyOf(int kind) {
  switch (kind) {
    case 0:  // night
      return {Rgb255(8, 10, 34), Rgb255(52, 44, 96), Rgb255(250, 246, 220), Rgb255(10, 10, 22), true,
              true};
    case 1:  // dawn
      return {Rgb255(70, 96, 170), Rgb255(250, 196, 150), Rgb255(255, 240, 200), Rgb255(40, 44, 70),
              false, false};
    case 2:  // sunset
      return {Rgb255(60, 36, 92), Rgb255(250, 132, 70), Rgb255(255, 214, 120), Rgb255(36, 18, 34),
              false, false};
    default:  // day
      return {Rgb255(70, 130, 210), Rgb255(200, 226, 246), Rgb255(255, 252, 236), Rgb255(44, 78, 56),
              false, false};
  }
}

void PaintSky(TCanvas& c, const TSky& sky, double horizon, std::uint64_t seed) {
  const double h = c.Height();
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
  (void)h;
}

// A ridge of mountains: everything below the noisy line is filled.
void PaintRidge(TCanvas& c, double base, double height, double scale, TColor color,
                std::uint64_t seed) {
  c.Wash([=](double x, double y) {
    const double n = FractalNoise(x / scale, 3.7, 4, seed);
    return y > base - n * height ? 1.0 : 0.0;
  }, color);
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
  TShape body = Union(Taper(x, y - 62 * u, x, y - 30 * u, 9 * u, 12 * u),
                      Circle(x, y - 74 * u, 8 * u));
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

}  // namespace

TColor EmblemKeyColor() { return Rgb255(255, 0, 255); }

TImage PaintTitle() {
  constexpr int K = 3;
  TCanvas c(600, 450, K);
  const TSky sky{Rgb255(10, 12, 40), Rgb255(176, 92, 110), Rgb255(255, 248, 224),
                 Rgb255(12, 10, 20), true, true};
  PaintSky(c, sky, 330, 7);
  // The moon.
  c.Glow(Circle(492, 92, 38), Rgb255(255, 236, 200), 70, 0.35);
  c.Fill(Circle(492, 92, 38), Rgb255(252, 246, 226));
  c.Fill(Circle(478, 84, 8), Rgb255(232, 224, 204), 0.6);
  c.Fill(Circle(504, 106, 5), Rgb255(232, 224, 204), 0.6);
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
  const TShape subtitle = LetteringShape(sub, kLetteringFont, subSize, 300 - subWidth / 2, 232, 6, K);
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
  c.Wash([](double x, double y) {
    const double r = 30.0;
    const double row = std::floor(y / (r * 0.5));
    double best = 1e9;
    for (int dr = 0; dr <= 2; ++dr) {
      const double ry = (row + dr) * r * 0.5;
      const double shift = std::fmod(row + dr, 2.0) == 0.0 ? 0.0 : r;
      const double col = std::floor((x - shift) / (2 * r) + 0.5);
      const double rx = col * 2 * r + shift;
      const double d = std::sqrt((x - rx) * (x - rx) + (y - ry) * (y - ry));
      if (y <= ry && d < r) best = std::min(best, d);
    }
    if (best > 1e8) return 0.0;
    const double ring = best / 7.5;
    return (ring - std::floor(ring)) < 0.3 ? 0.07 + 0.05 * y / 450 : 0.0;
  }, Rgb255(150, 170, 220));
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
      const TShape leaf = Rotate(Ellipse(lx, ly, 7.5, 3.4), lx, ly, a + side * kPi / 2 + 0.5 * side);
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

TImage PaintStoryScene(std::string_view fileName) {
  constexpr int W = 600, H = 300;
  TCanvas c(W, H, 2);
  const std::string name = AsciiLower(fileName);
  const std::uint64_t h = HashName(fileName);
  TAssetRandom r(h);
  // 1. Time of day: a word decides, else the hash.
  int time = r.Below(4);
  if (HasAny(name, {"night", "yoru", "moon", "tsuki"})) time = 0;
  if (HasAny(name, {"dawn", "asa", "morning", "sunrise"})) time = 1;
  if (HasAny(name, {"sunset", "dusk", "yuu", "evening"})) time = 2;
  if (HasAny(name, {"day", "hiru", "noon"})) time = 3;
  const TSky sky = SkyOf(time);
  const double horizon = 190;
  PaintSky(c, sky, horizon, h);
  // 2. The light: sun or moon.
  const double dx = r.Range(90, 510), dy = time == 3 ? r.Range(40, 80) : r.Range(60, 130);
  c.Glow(Circle(dx, dy, 26), sky.Disc, 60, 0.4);
  c.Fill(Circle(dx, dy, 26), sky.Disc, 0.95);
  // 3. Far ridges fading into the haze.
  const TColor far = MixColor(sky.Horizon, sky.Ground, 0.45);
  const TColor mid = MixColor(sky.Horizon, sky.Ground, 0.75);
  PaintRidge(c, 200, 90, r.Range(90, 150), far, HashMix(h, 1));
  // 4. What stands in the middle distance.
  int feature = r.Below(5);
  if (HasAny(name, {"castle", "shiro", "jou"})) feature = 0;
  if (HasAny(name, {"shrine", "temple", "torii", "jinja", "tera"})) feature = 1;
  if (HasAny(name, {"arena", "tournament", "stadium", "kai", "ring"})) feature = 2;
  if (HasAny(name, {"forest", "mori", "tree", "bamboo", "take"})) feature = 3;
  if (HasAny(name, {"sea", "umi", "shore", "port", "minato"})) feature = 4;
  const TColor shade = ScaleColor(sky.Ground, 1.15);
  switch (feature) {
    case 0: {  // a castle keep on a hill
      const double x = r.Range(360, 480);
      c.Fill(Ellipse(x, 250, 120, 50), mid);
      for (int tier = 0; tier < 3; ++tier) {
        const double w = 48 - tier * 12, y = 214 - tier * 26;
        c.Fill(RoundBox(x - w * 0.7, y - 18, x + w * 0.7, y + 4, 0), shade);
        c.Fill(Polygon({x - w, y - 16, x - w * 0.6, y - 30, x + w * 0.6, y - 30, x + w, y - 16}),
               ScaleColor(shade, 0.8));
      }
      break;
    }
    case 1: {  // a shrine gate
      const double x = r.Range(200, 400);
      const TColor red = MixColor(Rgb255(190, 40, 30), sky.Ground, 0.35);
      c.Fill(RoundBox(x - 52, 150, x - 42, 262, 1), red);
      c.Fill(RoundBox(x + 42, 150, x + 52, 262, 1), red);
      c.Fill(Polygon({x - 78, 136, x + 78, 136, x + 70, 148, x - 70, 148}), ScaleColor(red, 0.7));
      c.Fill(RoundBox(x - 64, 160, x + 64, 168, 1), red);
      break;
    }
    case 2: {  // the tournament ground with banners
      c.Fill(Ellipse(300, 262, 330, 60), mid);
      for (int i = 0; i < 7; ++i) {
        const double x = 40 + i * 87;
        c.Fill(Capsule(x, 150, x, 250, 1.6), shade);
        c.Fill(Polygon({x + 2, 152, x + 26, 156, x + 22, 190, x + 2, 186}),
               Hsv(r.Unit(), 0.7, 0.75), 0.9);
      }
      break;
    }
    case 3:  // a wood of tall trees
      for (int i = 0; i < 14; ++i) {
        const double x = r.Range(0, W), top = r.Range(90, 170);
        c.Fill(Taper(x, 300, x, top, 6, 2), shade);
        c.Fill(Ellipse(x, top + 24, r.Range(16, 30), r.Range(30, 46)), ScaleColor(shade, 0.9));
      }
      break;
    default:  // the sea
      c.Wash([&](double x, double y) {
        if (y < 205) return 0.0;
        const double wave = SinTurns(x / 60.0 + y / 9.0) * 0.5 + 0.5;
        return 0.75 + 0.2 * wave;
      }, MixColor(sky.Horizon, Rgb255(20, 40, 90), 0.6));
      break;
  }
  // 5. The near ground and two figures facing each other, or one alone.
  PaintRidge(c, 300, 46, 160, sky.Ground, HashMix(h, 2));
  const bool duel = !HasAny(name, {"alone", "hero", "hitori"}) && r.Below(3) != 0;
  const double fx = r.Range(140, 240);
  PaintSilhouette(c, fx, 286, 100, 1.0, sky.Ground, r.Below(2) == 0);
  if (duel) PaintSilhouette(c, W - fx + 40, 286, 96, -1.0, sky.Ground, r.Below(2) == 0);
  // 6. Something in the air.
  if (HasAny(name, {"snow", "yuki"})) {
    PaintPetals(c, 140, Rgb255(250, 250, 255), HashMix(h, 3));
  } else if (HasAny(name, {"rain", "ame"})) {
    TAssetRandom rr(HashMix(h, 4));
    for (int i = 0; i < 160; ++i) {
      const double x = rr.Range(0, W), y = rr.Range(0, H);
      c.Fill(Capsule(x, y, x - 3, y + 14, 0.6), Rgb255(200, 210, 230), 0.5);
    }
  } else if (time != 3) {
    PaintPetals(c, 40, time == 0 ? Rgb255(200, 255, 160) : Rgb255(255, 196, 214), HashMix(h, 5));
  }
  return c.Resolve();
}

}  // namespace asset
