#include "tools/AssetPortrait.h"

#include <cmath>
#include <initializer_list>
#include <vector>

#include "rules/SjisText.h"
#include "tools/AssetBackdrop.h"
#include "tools/AssetMath.h"
#include "tools/AssetPaint.h"

namespace asset {

namespace {

constexpr int kFactor = 3;

// Everything the hash decides about one portrait.
struct TLook {
  TBackdropStyle Backdrop;
  TColor Skin, Hair, Cloth, ClothTrim, Under, Blade, Guard, Wrap, Ink;
  int Clothing = 0;   // 0 kimono, 1 armour, 2 robe with clasp, 3 scarf, 4 vest
  int HairStyle = 0;  // 0 crop, 1 topknot, 2 long, 3 spiky, 4 ponytail, 5 shaved, 6 bob
  int Headwear = 0;   // 0 none, 1 headband, 2 helmet, 3 straw hat, 4 hood
  int Eyes = 0;       // 0 dots, 1 narrow, 2 round, 3 closed
  int Mark = 0;       // 0 none, 1 scar, 2 eye patch, 3 face mask, 4 beard, 5 cheek stripes
  int SwordPose = 0;  // 0 over the shoulder, 1 upright, 2 across, 3 two crossed
  bool GlowBlade = false;
};

TLook LookOf(std::string_view name) {
  const std::uint64_t h = HashName(name);
  TAssetRandom r(h);
  TLook k;
  k.Backdrop = BackdropStyleOf(HashMix(h, 1));
  const double bgHue = k.Backdrop.Hue;
  static const TColor skins[6] = {Rgb255(250, 220, 190), Rgb255(238, 198, 160),
                                  Rgb255(222, 178, 136), Rgb255(196, 146, 104),
                                  Rgb255(150, 104, 72),  Rgb255(255, 231, 214)};
  k.Skin = skins[r.Below(6)];
  static const TColor hairs[10] = {Rgb255(28, 24, 30),    Rgb255(20, 20, 24),  Rgb255(86, 54, 32),
                                   Rgb255(150, 72, 36),   Rgb255(200, 60, 40), Rgb255(232, 196, 96),
                                   Rgb255(226, 226, 236), Rgb255(40, 56, 120), Rgb255(70, 130, 90),
                                   Rgb255(120, 70, 150)};
  k.Hair = hairs[r.Below(10)];
  // Clothing stands apart from the background: a third to two thirds round
  // the colour wheel, strong and mid-bright.
  const double clothHue = bgHue + r.Range(0.3, 0.7);
  k.Cloth = Hsv(clothHue, r.Range(0.55, 0.9), r.Range(0.45, 0.85));
  k.ClothTrim = Hsv(clothHue + r.Range(0.35, 0.65), r.Range(0.4, 0.8), r.Range(0.75, 0.95));
  k.Under = r.Below(3) == 0 ? Rgb255(30, 30, 36) : Rgb255(240, 236, 226);
  k.Clothing = r.Below(5);
  k.HairStyle = r.Below(7);
  const int hw = r.Below(9);
  k.Headwear = hw < 3 ? 0 : (hw < 5 ? 1 : hw - 3);  // none and headband most often
  k.Eyes = r.Below(4);
  const int mark = r.Below(10);
  k.Mark = mark < 4 ? 0 : mark - 4;
  if (k.Mark > 5) k.Mark = 0;
  k.SwordPose = r.Below(4);
  k.GlowBlade = r.Below(5) == 0;
  k.Blade = k.GlowBlade ? Hsv(r.Unit(), 0.6, 1.0) : Rgb255(214, 222, 232);
  static const TColor guards[4] = {Rgb255(212, 170, 60), Rgb255(40, 36, 40), Rgb255(170, 60, 50),
                                   Rgb255(180, 190, 200)};
  k.Guard = guards[r.Below(4)];
  k.Wrap = Hsv(r.Unit(), 0.6, r.Range(0.25, 0.55));
  k.Ink = Rgb255(22, 18, 26);
  return k;
}

// True when the cp932 text holds the word, matched only at character starts
// so that a trail byte and the next lead byte never pass for a character.
bool Says(std::string_view text, std::string_view word) {
  for (std::size_t i = 0; i + word.size() <= text.size(); i += TBromString::CharLength(text, i))
    if (text.substr(i, word.size()) == word) return true;
  return false;
}

bool SaysAny(std::string_view text, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words)
    if (Says(text, w)) return true;
  return false;
}

// The swordsman's name and description may fix traits the hash left open:
// age, a woman's or a boy's looks, armour, a monk's shaved head, black
// clothes, a mask, an eye patch, hats and helmets, two swords, and colours
// that suit poison, fire or ice.
void ApplyHints(TLook& k, std::string_view text, TAssetRandom& r) {
  if (text.empty()) return;
  const bool woman = SaysAny(text, {"娘", "姫", "少女", "女", "婦", "嬢"});
  const bool young = SaysAny(text, {"少年", "若い", "子供", "歳にして"});
  if (SaysAny(text, {"老", "爺", "翁", "齢"})) {
    k.Hair = r.Below(2) == 0 ? Rgb255(236, 236, 240) : Rgb255(176, 176, 184);
    if (!woman) k.Mark = 4;
    if (k.HairStyle == 3 || k.HairStyle == 6) k.HairStyle = 1;
    k.Eyes = 1;
  }
  if (woman) {
    static const int styles[3] = {2, 4, 6};
    if (k.HairStyle != 2 && k.HairStyle != 4 && k.HairStyle != 6) k.HairStyle = styles[r.Below(3)];
    if (k.Mark == 4 || k.Mark == 1) k.Mark = 0;
    if (k.Eyes == 1) k.Eyes = 2;
  }
  if (young) {
    if (k.Mark == 4) k.Mark = 0;
    if (k.Eyes == 1 || k.Eyes == 3) k.Eyes = 2;
  }
  if (SaysAny(text, {"騎士", "鎧", "甲冑"})) k.Clothing = 1;
  if (SaysAny(text, {"僧", "修道", "祈り"})) {
    k.HairStyle = 5;
    k.Clothing = 2;
    k.Headwear = 0;
  }
  if (SaysAny(text, {"黒衣", "処刑", "闇"})) {
    k.Cloth = Rgb255(34, 30, 38);
    k.ClothTrim = Rgb255(60, 56, 66);
    k.Headwear = 4;
  }
  if (SaysAny(text, {"忍", "覆面", "仮面"})) k.Mark = 3;
  if (SaysAny(text, {"眼帯", "隻眼"})) k.Mark = 2;
  if (SaysAny(text, {"髭"})) k.Mark = 4;
  if (SaysAny(text, {"笠"})) k.Headwear = 3;
  if (SaysAny(text, {"兜"})) k.Headwear = 2;
  if (SaysAny(text, {"双剣", "二刀", "双子"})) k.SwordPose = 3;
  if (SaysAny(text, {"毒", "蟲", "蜂"})) {
    k.Cloth = Hsv(0.78 + 0.08 * r.Unit(), 0.6, 0.5);
    k.ClothTrim = Hsv(0.28, 0.7, 0.8);
  }
  if (SaysAny(text, {"炎", "火", "灼"})) {
    k.Cloth = Hsv(0.01 + 0.04 * r.Unit(), 0.85, 0.75);
    k.GlowBlade = true;
    k.Blade = Rgb255(255, 150, 60);
  }
  if (SaysAny(text, {"氷", "雪", "凍"})) {
    k.Cloth = Hsv(0.55 + 0.05 * r.Unit(), 0.35, 0.9);
    k.GlowBlade = true;
    k.Blade = Rgb255(170, 230, 255);
  }
}

// A sword from the hilt's end (x0, y0) along the direction (dx, dy), with the
// blade's length and the hilt's length in pixels.
void PaintSword(TCanvas& c, const TLook& k, const TFrame& f, double x0, double y0, double dx,
                double dy, double blade, double hilt) {
  const double len = std::sqrt(dx * dx + dy * dy);
  dx /= len;
  dy /= len;
  const double gx = x0 + dx * hilt, gy = y0 + dy * hilt;    // the guard
  const double tx = gx + dx * blade, ty = gy + dy * blade;  // the tip
  const double nx = -dy, ny = dx;
  const double w = f.L(6.5);
  if (k.GlowBlade) c.Glow(Capsule(gx, gy, tx, ty, w * 0.6), k.Blade, f.L(16), 0.55);
  // Blade: a long wedge with a slanted point; the edge side lighter.
  std::vector<double> bladePts = {gx + nx * w,
                                  gy + ny * w,
                                  tx - dx * w * 2 + nx * w * 0.8,
                                  ty - dy * w * 2 + ny * w * 0.8,
                                  tx,
                                  ty,
                                  gx - nx * w * 0.8,
                                  gy - ny * w * 0.8};
  Ink(c, Polygon(bladePts), k.Blade, k.Ink, f.L(2.2), 0.1);
  c.Fill(Capsule(gx + nx * w * 0.35 + dx * 4, gy + ny * w * 0.35 + dy * 4,
                 tx - dx * w * 3 + nx * w * 0.25, ty - dy * w * 3 + ny * w * 0.25, f.L(1.2)),
         MixColor(k.Blade, Rgb255(255, 255, 255), 0.7));
  // Guard and hilt.
  Ink(c, Capsule(x0, y0, gx, gy, f.L(5.2)), k.Wrap, k.Ink, f.L(2.0));
  for (int i = 1; i < 5; ++i) {
    const double t = hilt * i / 5.0;
    c.Fill(Circle(x0 + dx * t, y0 + dy * t, f.L(2.0)),
           MixColor(k.Wrap, Rgb255(240, 230, 200), 0.6));
  }
  Ink(c, Ellipse(gx, gy, f.L(10), f.L(10)), k.Guard, k.Ink, f.L(2.0));
  c.Fill(Circle(gx, gy, f.L(3.5)), ScaleColor(k.Guard, 0.6));
}

void PaintSwords(TCanvas& c, const TLook& k, const TFrame& f, bool behind) {
  switch (k.SwordPose) {
    case 0:  // over the right shoulder, behind the body
      if (behind) PaintSword(c, k, f, f.X(235), f.Y(70), -1.0, 2.2, f.L(230), f.L(46));
      break;
    case 1:  // held upright before the figure
      if (!behind) PaintSword(c, k, f, f.X(66), f.Y(318), 0.12, -1.0, f.L(215), f.L(58));
      break;
    case 2:  // slung across, behind the body
      if (behind) PaintSword(c, k, f, f.X(58), f.Y(82), 1.6, 1.0, f.L(250), f.L(44));
      break;
    default:  // two swords crossed behind the shoulders
      if (behind) {
        PaintSword(c, k, f, f.X(62), f.Y(64), 0.9, 1.3, f.L(230), f.L(40));
        PaintSword(c, k, f, f.X(238), f.Y(64), -0.9, 1.3, f.L(230), f.L(40));
      }
      break;
  }
}

void PaintBody(TCanvas& c, const TLook& k, const TFrame& f) {
  const TColor ink = k.Ink;
  // Neck.
  Ink(c, RoundBox(f.X(132), f.Y(170), f.X(168), f.Y(232), f.L(10)), ScaleColor(k.Skin, 0.86), ink,
      f.L(2.5));
  // Shoulders and chest.
  TShape body = Union(Ellipse(f.X(150), f.Y(300), f.L(118), f.L(78)),
                      RoundBox(f.X(40), f.Y(262), f.X(260), f.Y(320), f.L(30)));
  Ink(c, body, k.Cloth, ink, f.L(3.0), 0.3);
  switch (k.Clothing) {
    case 0: {  // kimono: crossed collars, left over right
      c.Fill(Polygon({f.X(118), f.Y(220), f.X(150), f.Y(300), f.X(182), f.Y(220), f.X(170),
                      f.Y(220), f.X(150), f.Y(270), f.X(130), f.Y(220)}),
             k.Under);
      Ink(c,
          Polygon({f.X(112), f.Y(222), f.X(128), f.Y(222), f.X(162), f.Y(300), f.X(140), f.Y(300)}),
          k.ClothTrim, ink, f.L(1.5));
      Ink(c,
          Polygon({f.X(188), f.Y(222), f.X(172), f.Y(222), f.X(138), f.Y(300), f.X(160), f.Y(300)}),
          k.ClothTrim, ink, f.L(1.5));
      break;
    }
    case 1: {  // armour: shoulder plates and laced bands
      for (int side = -1; side <= 1; side += 2) {
        Ink(c,
            Rotate(RoundBox(f.X(150 + side * 92) - f.L(38), f.Y(230),
                            f.X(150 + side * 92) + f.L(38), f.Y(284), f.L(10)),
                   f.X(150 + side * 92), f.Y(257), side * 0.25),
            k.ClothTrim, ink, f.L(2.5), 0.3);
        for (int band = 0; band < 3; ++band) {
          const double y = 244 + band * 14;
          c.Fill(Rotate(Capsule(f.X(150 + side * 92) - f.L(34), f.Y(y),
                                f.X(150 + side * 92) + f.L(34), f.Y(y), f.L(1.4)),
                        f.X(150 + side * 92), f.Y(257), side * 0.25),
                 ink);
        }
      }
      Ink(c, RoundBox(f.X(116), f.Y(246), f.X(184), f.Y(320), f.L(12)), ScaleColor(k.Cloth, 0.8),
          ink, f.L(2.0));
      for (int band = 0; band < 4; ++band)
        c.Fill(Capsule(f.X(120), f.Y(258 + band * 13), f.X(180), f.Y(258 + band * 13), f.L(1.3)),
               k.ClothTrim);
      break;
    }
    case 2: {  // robe with a high collar and a round clasp
      Ink(c,
          Polygon({f.X(108), f.Y(214), f.X(192), f.Y(214), f.X(206), f.Y(246), f.X(94), f.Y(246)}),
          k.ClothTrim, ink, f.L(2.0));
      Ink(c, Circle(f.X(150), f.Y(252), f.L(9)), Rgb255(222, 184, 70), ink, f.L(2.0));
      c.Fill(Capsule(f.X(150), f.Y(262), f.X(150), f.Y(300), f.L(2.0)), ScaleColor(k.Cloth, 0.6));
      break;
    }
    case 3: {  // a long scarf wound round the neck, one end flying
      Ink(c, RoundBox(f.X(106), f.Y(212), f.X(194), f.Y(246), f.L(16)), k.ClothTrim, ink, f.L(2.5));
      Ink(c,
          Polygon({f.X(176), f.Y(230), f.X(252), f.Y(214), f.X(272), f.Y(236), f.X(248), f.Y(244),
                   f.X(262), f.Y(262), f.X(186), f.Y(250)}),
          k.ClothTrim, ink, f.L(2.0));
      break;
    }
    default: {  // sleeveless vest over a dark shirt
      c.Fill(
          Polygon({f.X(124), f.Y(222), f.X(176), f.Y(222), f.X(166), f.Y(300), f.X(134), f.Y(300)}),
          k.Under);
      c.Fill(Capsule(f.X(134), f.Y(232), f.X(134), f.Y(300), f.L(2.5)), k.ClothTrim);
      c.Fill(Capsule(f.X(166), f.Y(232), f.X(166), f.Y(300), f.L(2.5)), k.ClothTrim);
      break;
    }
  }
}

// Hair that lies behind the head (long hair, ponytail, hood's back).
void PaintBackHair(TCanvas& c, const TLook& k, const TFrame& f) {
  if (k.Headwear == 4) {
    Ink(c, Ellipse(f.X(150), f.Y(150), f.L(62), f.L(74)), ScaleColor(k.ClothTrim, 0.7), k.Ink,
        f.L(3));
    return;
  }
  if (k.HairStyle == 2) {
    Ink(c,
        Union(Ellipse(f.X(150), f.Y(150), f.L(52), f.L(62)),
              RoundBox(f.X(100), f.Y(140), f.X(200), f.Y(262), f.L(24))),
        k.Hair, k.Ink, f.L(3), 0.25);
  } else if (k.HairStyle == 4) {
    Ink(c, Taper(f.X(182), f.Y(112), f.X(232), f.Y(218), f.L(16), f.L(5)), k.Hair, k.Ink, f.L(2.5),
        0.25);
  }
}

void PaintFace(TCanvas& c, const TLook& k, const TFrame& f) {
  const TColor ink = k.Ink;
  Ink(c, Ellipse(f.X(150), f.Y(148), f.L(40), f.L(49)), k.Skin, ink, f.L(3), 0.14);
  // Ears.
  Ink(c, Ellipse(f.X(110), f.Y(152), f.L(7), f.L(11)), ScaleColor(k.Skin, 0.92), ink, f.L(2));
  Ink(c, Ellipse(f.X(190), f.Y(152), f.L(7), f.L(11)), ScaleColor(k.Skin, 0.92), ink, f.L(2));
  c.Fill(Ellipse(f.X(150), f.Y(148), f.L(38), f.L(47)), k.Skin);
  // Cheeks.
  c.Fill(Ellipse(f.X(127), f.Y(168), f.L(7), f.L(4)), Rgb255(236, 130, 120), 0.25);
  c.Fill(Ellipse(f.X(173), f.Y(168), f.L(7), f.L(4)), Rgb255(236, 130, 120), 0.25);
  // Eyes and brows.
  for (int side = -1; side <= 1; side += 2) {
    const double ex = f.X(150 + side * 16), ey = f.Y(150);
    const bool patched = k.Mark == 2 && side == 1;
    if (!patched) {
      switch (k.Eyes) {
        case 0:
          c.Fill(Ellipse(ex, ey, f.L(4), f.L(5.5)), ink);
          break;
        case 1:
          c.Fill(Taper(ex - side * f.L(8), ey + f.L(1), ex + side * f.L(7), ey - f.L(2), f.L(2.4),
                       f.L(1.2)),
                 ink);
          break;
        case 2:
          c.Fill(Ellipse(ex, ey, f.L(7), f.L(8)), Rgb255(250, 250, 250));
          c.Fill(Circle(ex, ey + f.L(1), f.L(5)), ScaleColor(k.Cloth, 0.6));
          c.Fill(Circle(ex, ey + f.L(1), f.L(2.5)), ink);
          c.Fill(Circle(ex - f.L(2), ey - f.L(2), f.L(1.4)), Rgb255(255, 255, 255));
          break;
        default:
          c.Fill(Intersect(Outline(Circle(ex, ey - f.L(4), f.L(7)), f.L(2.4)),
                           RoundBox(ex - f.L(9), ey, ex + f.L(9), ey + f.L(6), 0)),
                 ink);
          break;
      }
    }
    const double by = f.Y(k.Eyes == 1 ? 138 : 136);
    c.Fill(
        Taper(ex - side * f.L(9), by + f.L(2), ex + side * f.L(8), by - f.L(2), f.L(2.6), f.L(1.6)),
        ScaleColor(k.Hair, 0.7));
  }
  // Nose and mouth.
  c.Fill(Capsule(f.X(150), f.Y(156), f.X(148), f.Y(166), f.L(1.2)), ScaleColor(k.Skin, 0.7));
  c.Fill(Capsule(f.X(143), f.Y(178), f.X(157), f.Y(178), f.L(1.5)), Rgb255(150, 60, 60));
  switch (k.Mark) {
    case 1:  // a scar over the left eye
      c.Fill(Capsule(f.X(124), f.Y(132), f.X(142), f.Y(168), f.L(1.8)), Rgb255(190, 70, 70));
      break;
    case 2:  // a patch over the right eye
      c.Fill(Capsule(f.X(108), f.Y(128), f.X(192), f.Y(152), f.L(1.6)), ink);
      Ink(c, Ellipse(f.X(166), f.Y(150), f.L(10), f.L(9)), Rgb255(36, 32, 36), ink, f.L(1.0));
      break;
    case 3:  // a cloth mask over the lower face
      Ink(c,
          Intersect(Ellipse(f.X(150), f.Y(150), f.L(41), f.L(50)),
                    RoundBox(f.X(100), f.Y(160), f.X(200), f.Y(210), 0)),
          ScaleColor(k.Cloth, 0.55), ink, f.L(2));
      break;
    case 4:  // a moustache and a short beard
      c.Fill(Union(Taper(f.X(150), f.Y(172), f.X(128), f.Y(178), f.L(3.5), f.L(1.2)),
                   Taper(f.X(150), f.Y(172), f.X(172), f.Y(178), f.L(3.5), f.L(1.2))),
             ScaleColor(k.Hair, 0.9));
      Ink(c,
          Intersect(Ellipse(f.X(150), f.Y(172), f.L(34), f.L(40)),
                    RoundBox(f.X(110), f.Y(182), f.X(190), f.Y(216), 0)),
          ScaleColor(k.Hair, 0.9), ink, f.L(1.5));
      c.Fill(Capsule(f.X(144), f.Y(185), f.X(156), f.Y(185), f.L(1.5)), Rgb255(150, 60, 60));
      break;
    case 5:  // red stripes on the cheeks
      for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 2; ++i)
          c.Fill(Capsule(f.X(150 + side * 22), f.Y(164 + 6 * i), f.X(150 + side * 34),
                         f.Y(162 + 6 * i), f.L(1.6)),
                 Rgb255(200, 40, 40));
      break;
    default:
      break;
  }
}

// Hair on top of the head, in front of the face's upper edge.
void PaintFrontHair(TCanvas& c, const TLook& k, const TFrame& f) {
  const TColor ink = k.Ink;
  if (k.Headwear == 4) {  // a hood frames the face
    Ink(c,
        Subtract(Ellipse(f.X(150), f.Y(146), f.L(58), f.L(68)),
                 Ellipse(f.X(150), f.Y(156), f.L(40), f.L(50))),
        k.ClothTrim, ink, f.L(2.5), 0.25);
    return;
  }
  const TShape cap = Intersect(Ellipse(f.X(150), f.Y(140), f.L(43), f.L(50)),
                               RoundBox(f.X(100), f.Y(80), f.X(200), f.Y(134), 0));
  switch (k.HairStyle) {
    case 0:  // short crop
      Ink(c, cap, k.Hair, ink, f.L(2.5), 0.3);
      break;
    case 1:  // shaved crown with a topknot
      Ink(c,
          Intersect(Ellipse(f.X(150), f.Y(140), f.L(43), f.L(50)),
                    Union(RoundBox(f.X(100), f.Y(80), f.X(122), f.Y(140), 0),
                          RoundBox(f.X(178), f.Y(80), f.X(200), f.Y(140), 0))),
          k.Hair, ink, f.L(2.0));
      Ink(c, Taper(f.X(150), f.Y(98), f.X(150), f.Y(70), f.L(7), f.L(5)), k.Hair, ink, f.L(2.0));
      Ink(c, Ellipse(f.X(150), f.Y(92), f.L(10), f.L(5)), ScaleColor(k.Hair, 1.4), ink, f.L(1.5));
      break;
    case 3: {  // spikes
      std::vector<double> pts;
      const int spikes = 7;
      for (int i = 0; i <= spikes; ++i) {
        const double a = kPi * (1.08 + 0.84 * i / spikes);
        pts.push_back(f.X(150 + 62 * Cos(a)));
        pts.push_back(f.Y(140 + 70 * Sin(a)));
        if (i < spikes) {
          const double m = kPi * (1.08 + 0.84 * (i + 0.5) / spikes);
          pts.push_back(f.X(150 + 38 * Cos(m)));
          pts.push_back(f.Y(138 + 40 * Sin(m)));
        }
      }
      pts.push_back(f.X(196));
      pts.push_back(f.Y(136));
      pts.push_back(f.X(104));
      pts.push_back(f.Y(136));
      Ink(c, Union(cap, Polygon(pts)), k.Hair, ink, f.L(2.5), 0.3);
      break;
    }
    case 5:  // shaved: a faint shadow only
      c.Fill(cap, ScaleColor(k.Skin, 0.82));
      break;
    case 6:  // bob with straight bangs
      // The face shows through an opening under the bangs.
      Ink(c,
          Subtract(Union(Intersect(Ellipse(f.X(150), f.Y(142), f.L(50), f.L(56)),
                                   RoundBox(f.X(90), f.Y(80), f.X(210), f.Y(196), 0)),
                         RoundBox(f.X(100), f.Y(90), f.X(200), f.Y(134), f.L(8))),
                   RoundBox(f.X(114), f.Y(134), f.X(186), f.Y(230), f.L(24))),
          k.Hair, ink, f.L(2.5), 0.3);
      break;
    default:  // long hair and ponytail: a parted crown
      Ink(c,
          Union(cap, Polygon({f.X(104), f.Y(130), f.X(150), f.Y(106), f.X(196), f.Y(130), f.X(196),
                              f.Y(112), f.X(104), f.Y(112)})),
          k.Hair, ink, f.L(2.5), 0.3);
      break;
  }
}

void PaintHeadwear(TCanvas& c, const TLook& k, const TFrame& f) {
  const TColor ink = k.Ink;
  switch (k.Headwear) {
    case 1:  // headband with trailing ribbons
      Ink(c, RoundBox(f.X(108), f.Y(118), f.X(192), f.Y(130), f.L(4)), k.ClothTrim, ink, f.L(2));
      Ink(c, Taper(f.X(192), f.Y(124), f.X(232), f.Y(140), f.L(5), f.L(2)), k.ClothTrim, ink,
          f.L(1.5));
      Ink(c, Taper(f.X(192), f.Y(126), f.X(226), f.Y(156), f.L(5), f.L(2)), k.ClothTrim, ink,
          f.L(1.5));
      break;
    case 2: {  // helmet with a brim and horns
      const TColor metal = ScaleColor(k.Cloth, 0.75);
      Ink(c,
          Intersect(Ellipse(f.X(150), f.Y(132), f.L(50), f.L(54)),
                    RoundBox(f.X(96), f.Y(70), f.X(204), f.Y(128), 0)),
          metal, ink, f.L(2.5), 0.35);
      Ink(c,
          Polygon({f.X(84), f.Y(136), f.X(104), f.Y(120), f.X(196), f.Y(120), f.X(216), f.Y(136),
                   f.X(196), f.Y(132), f.X(104), f.Y(132)}),
          metal, ink, f.L(2.0));
      const TColor gold = Rgb255(226, 186, 72);
      Ink(c, Taper(f.X(144), f.Y(112), f.X(106), f.Y(50), f.L(6), f.L(2)), gold, ink, f.L(2));
      Ink(c, Taper(f.X(156), f.Y(112), f.X(194), f.Y(50), f.L(6), f.L(2)), gold, ink, f.L(2));
      Ink(c, Circle(f.X(150), f.Y(108), f.L(7)), gold, ink, f.L(2));
      break;
    }
    case 3:  // a wide straw hat
      Ink(c,
          Polygon({f.X(50), f.Y(126), f.X(150), f.Y(64), f.X(250), f.Y(126), f.X(150), f.Y(118)}),
          Rgb255(214, 182, 112), ink, f.L(2.5), 0.3);
      for (int i = -2; i <= 2; ++i)
        c.Fill(Capsule(f.X(150), f.Y(68), f.X(150 + i * 40), f.Y(123 - std::abs(i) * 2), f.L(0.9)),
               Rgb255(150, 118, 60));
      break;
    default:
      break;
  }
}

}  // namespace

void PortraitSize(std::string_view fileName, int& width, int& height) {
  const bool small = fileName.find("_s") != std::string_view::npos;
  width = small ? 240 : 300;
  height = small ? 280 : 300;
}

TImage PaintPortrait(std::string_view fileName, std::string_view hints) {
  int w = 0, h = 0;
  PortraitSize(fileName, w, h);
  TLook k = LookOf(fileName);
  TAssetRandom hintRandom(HashMix(HashName(fileName), 9));
  ApplyHints(k, hints, hintRandom);
  TCanvas c(w, h, kFactor);
  PaintBackdrop(c, k.Backdrop);
  const TFrame f(w, h, 1.12);
  // A soft light behind the figure lifts it off the pattern.
  c.Glow(Ellipse(f.X(150), f.Y(180), f.L(70), f.L(90)), Rgb255(255, 250, 235), f.L(90), 0.22);
  PaintSwords(c, k, f, true);
  PaintBackHair(c, k, f);
  PaintBody(c, k, f);
  PaintFace(c, k, f);
  PaintFrontHair(c, k, f);
  PaintHeadwear(c, k, f);
  PaintSwords(c, k, f, false);
  // A thin frame.
  c.Fill(Subtract(RoundBox(0, 0, w, h, 0), RoundBox(3, 3, w - 3, h - 3, 0)), k.Ink, 0.8);
  return c.Resolve();
}

TImage PaintNoImage() {
  TCanvas c(300, 300, kFactor);
  c.Shade([](double x, double y) {
    const double d = std::sqrt((x - 150) * (x - 150) + (y - 140) * (y - 140)) / 210.0;
    return ScaleColor(Rgb255(84, 88, 100), 1.0 - 0.6 * d);
  });
  const TFrame f(300, 300);
  const TColor shadow = Rgb255(40, 42, 50);
  c.Fill(Union(Ellipse(f.X(150), f.Y(300), f.L(118), f.L(78)),
               RoundBox(f.X(40), f.Y(262), f.X(260), f.Y(320), f.L(30))),
         shadow);
  c.Fill(RoundBox(f.X(132), f.Y(170), f.X(168), f.Y(232), f.L(10)), shadow);
  c.Fill(Ellipse(f.X(150), f.Y(146), f.L(44), f.L(52)), shadow);
  // A question mark in the face.
  const TColor mark = Rgb255(150, 154, 166);
  c.Fill(Intersect(Outline(Circle(f.X(150), f.Y(132), f.L(15)), f.L(8)),
                   Subtract(RoundBox(f.X(120), f.Y(100), f.X(180), f.Y(150), 0),
                            Polygon({f.X(150), f.Y(132), f.X(120), f.Y(150), f.X(120), f.Y(132)}))),
         mark);
  c.Fill(Capsule(f.X(152), f.Y(146), f.X(150), f.Y(160), f.L(4)), mark);
  c.Fill(Circle(f.X(150), f.Y(176), f.L(5)), mark);
  c.Fill(Subtract(RoundBox(0, 0, 300, 300, 0), RoundBox(3, 3, 297, 297, 0)), Rgb255(20, 20, 24));
  return c.Resolve();
}

}  // namespace asset
