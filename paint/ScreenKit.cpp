#include "paint/ScreenKit.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "data/Status.h"
#include "data/Tournament.h"
#include "present/Form.h"
#include "rules/DataFolder.h"
#include "rules/InternalError.h"

TBromBitmap ScreenLayer;
TBromBitmap BaseLayer;
TBromBitmap TextScrollLayer;
TBromBitmap SlotBackdrop;
TBromBitmap Portraits[PortraitCount];

TRect SwordButtons[SwordKindCount + 1];
TRect SlotRects[SlotCountShown];
TRect SlotBlockRect;
TRect BracketRects[BracketLevels][32];

namespace {

// "ＭＳ ゴシック": every text of every screen.
const char* const ScreenFontName = "ＭＳ ゴシック";
const char* const BackdropFile = "dat\\back.jpg";
constexpr int LinePitch = 18;
constexpr int HelpBoxLines = 7;
constexpr int ScrollViewHeight = 126;  // HelpRect's height less 24

TBromPaintBox* paintBox = nullptr;
std::int64_t presentCount = 0;

// The board shows each portrait 32 times a repaint at most, always at one of
// two sizes: shrinking 300 x 300 pixels each time was most of its cost. A
// thumbnail remembers the surface it was made from; it is made by
// LoadPortraits and forgotten with the screens.
struct TThumbnail {
  const TBromBitmap* Source = nullptr;
  TBromBitmap Picture;
};
constexpr int ThumbnailSizes = 2;
TThumbnail thumbnails[PortraitCount][ThumbnailSizes];

// The board's sizes: a bracket cell and the information strip's portrait.
int ThumbnailSize(int which) {
  return which == 0 ? WidthOf(BracketRects[0][0]) : WidthOf(BoardInfoPortraitRect);
}

// The two fighters' portraits dimmed, one per panel, the older replaced.
TThumbnail dimmedPortraits[2];
int olderDimmed = 0;

void ForgetThumbnails() {
  for (auto& sizes : thumbnails) {
    for (TThumbnail& t : sizes) t = TThumbnail();
  }
  for (TThumbnail& d : dimmedPortraits) d = TThumbnail();
}

void MakeThumbnails(int k) {
  for (int which = 0; which < ThumbnailSizes; ++which) {
    const int size = ThumbnailSize(which);
    TThumbnail& t = thumbnails[k][which];
    t.Source = &Portraits[k];
    t.Picture.SetSize(size, size);
    t.Picture.StretchDraw(Portraits[k], 0, 0, size, size);
  }
}

// A rectangle clipped to the layer; empty when nothing of it is inside.
TRect Clip(const TBromBitmap& layer, const TRect& r) {
  TRect c{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, layer.Width()),
          std::min(r.Bottom, layer.Height())};
  if (c.Right < c.Left) c.Right = c.Left;
  if (c.Bottom < c.Top) c.Bottom = c.Top;
  return c;
}

// The bracket's portrait cells and bars: level 0 the cells, level 1 the
// stubs towards the first-round partner, levels 2..5 built upward by joining
// each pair of children at their field-wise average.
void ComputeBracket() {
  // 1. The portrait cells: slot k = 16 j + 8 k4 + 4 l + 2 m + f.
  for (int k = 0; k < 32; ++k) {
    const int j = (k >> 4) & 1, k4 = (k >> 3) & 1, l = (k >> 2) & 1, m = (k >> 1) & 1, f = k & 1;
    const int left = 30 + 320 * j + 120 * l + 60 * f;
    const int top = 50 + 120 * k4 + 60 * m;
    BracketRects[0][k] = TRect{left, top, left + 40, top + 40};
  }
  // 2. The stubs, 4 x 4 at the cell's vertical middle, towards the partner.
  for (int k = 0; k < 32; ++k) {
    const TRect& cell = BracketRects[0][k];
    const int mid = cell.Top + 20;
    BracketRects[1][k] = (k % 2 == 0) ? TRect{cell.Right, mid - 2, cell.Right + 4, mid + 2}
                                      : TRect{cell.Left - 4, mid - 2, cell.Left, mid + 2};
  }
  // 3. Each pair of children meets at their average; both children reach it,
  // and the average is the parent's first shape.
  for (int a = 1; a <= 5; ++a) {
    const int children = 64 >> a;
    for (int b = 0; b < children / 2; ++b) {
      TRect& c0 = BracketRects[a][2 * b];
      TRect& c1 = BracketRects[a][2 * b + 1];
      const TRect p{(c0.Left + c1.Left) / 2, (c0.Top + c1.Top) / 2, (c0.Right + c1.Right) / 2,
                    (c0.Bottom + c1.Bottom) / 2};
      for (TRect* c : {&c0, &c1}) {
        *c = TRect{std::min(c->Left, p.Left), std::min(c->Top, p.Top), std::max(c->Right, p.Right),
                   std::max(c->Bottom, p.Bottom)};
      }
      if (a <= 4) BracketRects[a + 1][b] = p;
    }
  }
}

}  // namespace

// Start-up and shut-down ------------------------------------------------------

void ComputeLayout() {
  // 1. The sword buttons: nine 32 x 32 buttons a row, four rows.
  SwordButtons[0] = TRect{};
  for (int k = 1; k <= SwordKindCount; ++k) {
    const int c = (k - 1) % 9, r = (k - 1) / 9;
    SwordButtons[k] = TRect{306 + 32 * c, 68 + 32 * r, 338 + 32 * c, 100 + 32 * r};
  }
  // 2. The sword-order slots: ten 18 x 18 slots a row, two rows.
  for (int j = 0; j < SlotCountShown; ++j) {
    const int c = j % 10, r = j / 10;
    SlotRects[j] = TRect{306 + 18 * c, 220 + 18 * r, 324 + 18 * c, 238 + 18 * r};
  }
  SlotBlockRect =
      TRect{SlotRects[0].Left, SlotRects[0].Top, SlotRects[9].Right, SlotRects[10].Bottom};
  // 3. The bracket.
  ComputeBracket();
}

void InitScreens(TBromPaintBox& box) {
  // 1. The layout tables (the slot backdrop takes the size of the slot block).
  ComputeLayout();
  // 2. The layers.
  ScreenLayer.SetSize(ScreenWidth, ScreenHeight);
  BaseLayer.SetSize(ScreenWidth, ScreenHeight);
  TextScrollLayer.SetSize(ScreenWidth, ScrollViewHeight);
  SlotBackdrop.SetSize(WidthOf(SlotBlockRect), HeightOf(SlotBlockRect));
  // 3. The portrait surfaces.
  for (TBromBitmap& p : Portraits) p.SetSize(PortraitSize, PortraitSize);
  ForgetThumbnails();
  paintBox = &box;
}

void FreeScreens() {
  paintBox = nullptr;
  ScreenLayer = TBromBitmap();
  BaseLayer = TBromBitmap();
  TextScrollLayer = TBromBitmap();
  SlotBackdrop = TBromBitmap();
  for (TBromBitmap& p : Portraits) p = TBromBitmap();
  ForgetThumbnails();
}

// Drawing operations ------------------------------------------------------------

void FillRectSolid(TBromBitmap& layer, const TRect& rect, TPixelColor color) {
  layer.FillRect(rect.Left, rect.Top, rect.Right, rect.Bottom, color);
}

void BlendRect(TBromBitmap& layer, const TRect& rect, TPixelColor color) {
  const TRect c = Clip(layer, rect);
  const auto& rows = layer.Rows();
  const int bytes = 3 * (c.Right - c.Left);
  // Eight bytes at a time: the colour laid out as 24 bytes (the pattern
  // repeats every three words), and the average rounded down byte by byte,
  // (a & b) + ((a ^ b) >> 1) with the bit that would cross into the next
  // byte masked off.
  std::uint8_t pattern[24];
  for (int i = 0; i < 24; i += 3) {
    pattern[i] = color.Blue;
    pattern[i + 1] = color.Green;
    pattern[i + 2] = color.Red;
  }
  std::uint64_t b[3];
  std::memcpy(b, pattern, sizeof b);
  constexpr std::uint64_t LowBitsOff = 0x7F7F7F7F7F7F7F7Full;
  const auto average = [](std::uint8_t* at, std::uint64_t colour) {
    std::uint64_t a;
    std::memcpy(&a, at, 8);
    a = (a & colour) + (((a ^ colour) >> 1) & LowBitsOff);
    std::memcpy(at, &a, 8);
  };
  for (int y = c.Top; y < c.Bottom; ++y) {
    std::uint8_t* p = rows[y] + 3 * c.Left;
    int i = 0;
    for (; i + 24 <= bytes; i += 24) {
      average(p + i, b[0]);
      average(p + i + 8, b[1]);
      average(p + i + 16, b[2]);
    }
    for (; i < bytes; ++i) p[i] = static_cast<std::uint8_t>((p[i] + pattern[i % 24]) / 2);
  }
}

void InvertRect(const TRect& rect) {
  const TRect c = Clip(ScreenLayer, rect);
  const auto& rows = ScreenLayer.Rows();
  for (int y = c.Top; y < c.Bottom; ++y) {
    std::uint8_t* p = rows[y] + 3 * c.Left;
    const int bytes = 3 * (c.Right - c.Left);
    int i = 0;
    for (; i + 8 <= bytes; i += 8) {  // 255 - b is every bit of b turned over
      std::uint64_t word;
      std::memcpy(&word, p + i, 8);
      word = ~word;
      std::memcpy(p + i, &word, 8);
    }
    for (; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(255 - p[i]);
  }
}

void HighlightRect(const TRect& rect) {
  BlendRect(ScreenLayer, rect, ColorRed);
}

void RestoreRect(const TRect& rect) {
  ScreenLayer.CopyRect(BaseLayer, rect.Left, rect.Top, WidthOf(rect), HeightOf(rect), rect.Left,
                       rect.Top);
}

void RestoreRects(std::span<const TRect> rects) {
  for (const TRect& r : rects) RestoreRect(r);
}

void DimRects(std::span<const TRect> rects) {
  for (const TRect& r : rects) BlendRect(ScreenLayer, r, ColorBlack);
}

void SetScreenFont(TBromBitmap& layer, int height, bool bold, TPixelColor color) {
  layer.SetFontName(ScreenFontName);
  layer.SetFontHeight(height);
  layer.SetFontStyle(bold ? FontBold : TFontStyle{0});
  layer.SetFontColor(color);
  layer.SetTextTransparent();
  layer.SetSoftEdge(true);
}

void DrawTextAt(TBromBitmap& layer, int x, int y, int height, bool bold, TPixelColor color,
                std::string_view text) {
  SetScreenFont(layer, height, bold, color);
  layer.DrawText(x, y, text);
}

void DrawCentredLines(TBromBitmap& layer, const TRect& rect, int height,
                      const TStringDynArray& lines, bool bold, TPixelColor color) {
  SetScreenFont(layer, height, bold, color);
  const int n = static_cast<int>(lines.size());
  // 1. The block's top: n lines of h + 2 pixels, centred by truncation.
  const int top = rect.Top + (HeightOf(rect) - n * (height + 2) + 2) / 2;
  for (int i = 0; i < n; ++i) {
    // 2. Each line's width estimated from its bytes, plus a pixel a
    // character when bold.
    const std::string& line = lines[i];
    int w = static_cast<int>(line.size()) * (height / 2);
    if (bold) w += TBromString::CharCount(line);
    layer.DrawText(rect.Left + (WidthOf(rect) - w) / 2, top + (height + 2) * i, line);
  }
}

void DrawButton(const TRect& rect, int height, std::string_view caption, std::int32_t tag,
                TCommandKind onClick, TSensorHandler onLeave, TSensorHandler onEnter) {
  BlendRect(BaseLayer, rect, ColorWhite);
  DrawCentredLines(BaseLayer, rect, height, {std::string(caption)}, true, ColorBlack);
  AddSensor(rect, false, onEnter, onLeave, onClick, tag);
}

void Present() {
  ++presentCount;
  if (paintBox != nullptr) ScreenLayer.CopyToPaintBox(*paintBox);
}

std::int64_t PresentCount() {
  return presentCount;
}

void ClearScreen() {
  FillRectSolid(ScreenLayer, FullRect, ColorBlack);
  Present();
}

void LoadBackdrop() {
  try {
    // Most screens reload it on every repaint. A larger picture is refused
    // from its header, before it is decoded.
    BaseLayer.LoadImageCached(BackdropFile, ScreenWidth, ScreenHeight);
  } catch (const TImageSizeError& e) {
    BaseLayer.SetSize(ScreenWidth, ScreenHeight);
    InternalError("UnitPaint", std::string(BackdropFile) + " is " + std::to_string(e.Width) +
                                   " x " + std::to_string(e.Height) + " pixels, not 600 x 450");
  } catch (const TImageError& e) {
    InternalError("UnitPaint", std::string("the backdrop cannot be shown: ") + e.what());
  }
  if (BaseLayer.Width() != ScreenWidth || BaseLayer.Height() != ScreenHeight) {
    const std::string size =
        std::to_string(BaseLayer.Width()) + " x " + std::to_string(BaseLayer.Height());
    BaseLayer.SetSize(ScreenWidth, ScreenHeight);
    InternalError("UnitPaint",
                  std::string(BackdropFile) + " is " + size + " pixels, not 600 x 450");
  }
}

// Help box and scrolling text ---------------------------------------------------

void ShowHelpBox(const TStringDynArray& lines) {
  if (static_cast<int>(lines.size()) > HelpBoxLines) {
    InternalError("UnitPaint", "a help box of more than 7 lines");
  }
  FillRectSolid(ScreenLayer, HelpRect, HelpBoxColor);
  SetScreenFont(ScreenLayer, 14, false, ColorWhite);
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    ScreenLayer.DrawText(HelpRect.Left + 12, HelpRect.Top + 12 + LinePitch * i + 1, lines[i]);
  }
}

void RestoreHelpBox() {
  RestoreRect(HelpRect);
}

void PrepareScrollText(const TSwordia& swordsman, TCommandKind onClick) {
  // 1. A layer tall enough for every line, at least the strip's height.
  const int n = static_cast<int>(swordsman.Flavor.size());
  TextScrollLayer.SetSize(ScreenWidth, std::max(LinePitch * n, ScrollViewHeight));
  TextScrollLayer.Fill(ColorBlack);
  // 2. The lines.
  SetScreenFont(TextScrollLayer, 14, false, ColorWhite);
  for (int i = 0; i < n; ++i) TextScrollLayer.DrawText(12, LinePitch * i + 1, swordsman.Flavor[i]);
  // 3. The strip shows the beginning.
  FillRectSolid(BaseLayer, HelpRect, ColorBlack);
  ScrollTextTo(BaseLayer, 0);
  // 4. The strip follows the pointer on every move inside it.
  AddSensor(
      HelpRect, true, ScrollByMouse, [](const TGame&, std::int32_t) { RestoreRect(HelpRect); },
      onClick, 0);
}

void ScrollByMouse(const TGame& /*g*/, std::int32_t /*tag*/) {
  const int b = std::clamp(MousePoint.Y - HelpRect.Top - 20, 0, HeightOf(HelpRect) - 40);
  const int offset = b * (TextScrollLayer.Height() - ScrollViewHeight) / 110;
  ScrollTextTo(ScreenLayer, offset);
}

void ScrollTextTo(TBromBitmap& layer, std::int32_t offset) {
  layer.CopyRect(TextScrollLayer, 0, offset, WidthOf(HelpRect), ScrollViewHeight, HelpRect.Left,
                 HelpRect.Top + 12);
}

// Panels and portraits --------------------------------------------------------------

void DrawEntrantPanel(const TRect& rect, const TSwordia& swordsman, bool withHistory) {
  const int l = rect.Left, t = rect.Top;
  // 1. The picture underneath at half brightness.
  BlendRect(BaseLayer, rect, ColorBlack);
  // 2. The name.
  DrawTextAt(BaseLayer, l + 12, t + 12, 16, true, ColorWhite, swordsman.Name);
  // 3. The build's two lines.
  const TStringDynArray build = BuildLines(swordsman.Spec);
  SetScreenFont(BaseLayer, 16, false, ColorWhite);
  for (int i = 0; i < static_cast<int>(build.size()); ++i) {
    BaseLayer.DrawText(l + 12, t + 40 + LinePitch * i, build[i]);
  }
  // 4. The unspent bonus points.
  DrawTextAt(BaseLayer, l + 12, t + 88, 14, false, ColorWhite, "残り途心：");
  DrawTextAt(BaseLayer, l + 82, t + 84, 20, true, ColorWhite, std::to_string(swordsman.Bonus));
  // 5. In the opponent view, one line per battle fought.
  if (!withHistory) return;
  SetScreenFont(BaseLayer, 14, false, ColorWhite);
  for (int i = 0; i < static_cast<int>(swordsman.History.size()); ++i) {
    BaseLayer.DrawText(l + 12, t + 122 + LinePitch * i, swordsman.History[i]);
  }
}

void LoadPortraits(const TTournament& tournament) {
  TBromBitmap picture;
  for (int i = 0; i < PortraitCount; ++i) {
    const TSwordia& slot = tournament.Slots[i];
    TBromBitmap& portrait = Portraits[i];
    portrait.SetSize(PortraitSize, PortraitSize);
    portrait.Fill(ColorBlack);
    // The roster check has seen the file; should it have gone since, the
    // portrait stays black and the game goes on.
    try {
      picture.LoadImage(DataPath(slot.ImageFile), PortraitSize, PortraitSize);
      picture.DrawTo(portrait, (PortraitSize - picture.Width()) / 2,
                     (PortraitSize - picture.Height()) / 2);
    } catch (const TImageError&) {
      // black, as said above
    }
    MakeThumbnails(i);
  }
}

const TBromBitmap* PortraitOf(const TTournament& tournament, const TSwordia& swordsman) {
  const TSwordia* s = &swordsman;
  if (s == &tournament.HeroEdit) s = tournament.Hero;
  if (s == nullptr || s < tournament.Slots || s >= tournament.Slots + SlotCount) return nullptr;
  return &Portraits[s - tournament.Slots];
}

void DrawDimmedPortrait(TBromBitmap& layer, const TBromBitmap& portrait, const TRect& rect) {
  const int w = WidthOf(rect), h = HeightOf(rect);
  const std::ptrdiff_t k = &portrait - Portraits;
  const bool loaded = k >= 0 && k < PortraitCount && thumbnails[k][0].Source == &portrait &&
                      portrait.Mask() == nullptr && portrait.Width() == w && portrait.Height() == h;
  if (!loaded) {
    portrait.DrawTo(layer, rect.Left, rect.Top);
    BlendRect(layer, rect, ColorBlack);
    return;
  }
  TThumbnail* d = &dimmedPortraits[0];
  if (d->Source != &portrait) d = &dimmedPortraits[1];
  if (d->Source != &portrait) {
    d = &dimmedPortraits[olderDimmed];
    olderDimmed = 1 - olderDimmed;
    d->Source = &portrait;
    d->Picture.SetSize(w, h);
    d->Picture.CopyRect(portrait, 0, 0, w, h, 0, 0);
    BlendRect(d->Picture, TRect{0, 0, w, h}, ColorBlack);
  }
  layer.CopyRect(d->Picture, 0, 0, w, h, rect.Left, rect.Top);
}

void DrawThumbnail(TBromBitmap& layer, const TBromBitmap& portrait, const TRect& rect) {
  const std::ptrdiff_t k = &portrait - Portraits;
  if (k >= 0 && k < PortraitCount && WidthOf(rect) == HeightOf(rect)) {
    for (const TThumbnail& t : thumbnails[k]) {
      if (t.Source != &portrait || t.Picture.Width() != WidthOf(rect)) continue;
      layer.CopyRect(t.Picture, 0, 0, WidthOf(rect), HeightOf(rect), rect.Left, rect.Top);
      return;
    }
  }
  layer.StretchDraw(portrait, rect.Left, rect.Top, rect.Right, rect.Bottom);
}
