#include "paint/ScreenKit.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "data/Status.h"
#include "data/Tournament.h"
#include "present/Form.h"
#include "present/Path.h"
#include "rules/DataFolder.h"
#include "rules/InternalError.h"

namespace {

// "ＭＳ ゴシック": every text of every screen.
const char* const ScreenFontName = "ＭＳ ゴシック";
const char* const BackdropFile = "dat\\back.jpg";
constexpr int LinePitch = 18;
constexpr int HelpBoxLines = 7;
constexpr int ScrollViewHeight = 126;  // HelpRect's height less 24

// The board's sizes: a bracket cell and the information strip's portrait.
int ThumbnailSize(int which) {
  return which == 0 ? WidthOf(BracketRects[0][0]) : WidthOf(BoardInfoPortraitRect);
}

void ForgetThumbnails(TScreens& s) {
  for (auto& sizes : s.Thumbnails) {
    for (TThumbnail& t : sizes) t = TThumbnail();
  }
  for (TThumbnail& d : s.DimmedPortraits) d = TThumbnail();
}

void MakeThumbnails(TScreens& s, int k) {
  for (int which = 0; which < ThumbnailSizes; ++which) {
    const int size = ThumbnailSize(which);
    TThumbnail& t = s.Thumbnails[k][which];
    t.Source = &s.Portraits[k];
    t.Picture.SetSize(size, size);
    t.Picture.StretchDraw(s.Portraits[k], 0, 0, size, size);
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

}  // namespace

// Start-up and shut-down ------------------------------------------------------

void InitScreens(TScreens& s, TBromPaintBox& box) {
  // 1. The layers (the slot backdrop takes the size of the slot block).
  s.ScreenLayer.SetSize(ScreenWidth, ScreenHeight);
  s.BaseLayer.SetSize(ScreenWidth, ScreenHeight);
  s.TextScrollLayer.SetSize(ScreenWidth, ScrollViewHeight);
  s.SlotBackdrop.SetSize(WidthOf(SlotBlockRect), HeightOf(SlotBlockRect));
  // 2. The portrait surfaces.
  for (TBromBitmap& p : s.Portraits) p.SetSize(PortraitSize, PortraitSize);
  ForgetThumbnails(s);
  // 3. The held pictures are decoded at their first use.
  for (THeldPicture* held : {&s.Title, &s.Backdrop, &s.Centre}) *held = THeldPicture{};
  s.PaintBox = &box;
}

void FreeScreens(TScreens& s) {
  s.PaintBox = nullptr;
  s.ScreenLayer = TBromBitmap();
  s.BaseLayer = TBromBitmap();
  s.TextScrollLayer = TBromBitmap();
  s.SlotBackdrop = TBromBitmap();
  s.HelpLayer = TBromBitmap();
  s.HelpOpen = false;
  for (TBromBitmap& p : s.Portraits) p = TBromBitmap();
  for (THeldPicture* held : {&s.Title, &s.Backdrop, &s.Centre}) *held = THeldPicture{};
  ForgetThumbnails(s);
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

void InvertRect(TScreens& s, const TRect& rect) {
  const TRect c = Clip(s.ScreenLayer, rect);
  const auto& rows = s.ScreenLayer.Rows();
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

void HighlightRect(TScreens& s, const TRect& rect) {
  BlendRect(s.ScreenLayer, rect, ColorRed);
}

void RestoreRect(TScreens& s, const TRect& rect) {
  s.ScreenLayer.CopyRect(s.BaseLayer, rect.Left, rect.Top, WidthOf(rect), HeightOf(rect), rect.Left,
                         rect.Top);
}

void RestoreRects(TScreens& s, std::span<const TRect> rects) {
  for (const TRect& r : rects) RestoreRect(s, r);
}

void DimRects(TScreens& s, std::span<const TRect> rects) {
  for (const TRect& r : rects) BlendRect(s.ScreenLayer, r, ColorBlack);
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

TSensor DrawButton(TScreens& s, const TRect& rect, int height, std::string_view caption,
                   std::int32_t tag, TCommandKind onClick, TSensorHandler onLeave,
                   TSensorHandler onEnter) {
  BlendRect(s.BaseLayer, rect, ColorWhite);
  DrawCentredLines(s.BaseLayer, rect, height, {std::string(caption)}, true, ColorBlack);
  return TSensor{rect, false, onEnter, onLeave, onClick, tag};
}

void Present(TScreens& s) {
  ++s.Presented;
  if (s.PaintBox != nullptr) (s.HelpOpen ? s.HelpLayer : s.ScreenLayer).CopyToPaintBox(*s.PaintBox);
}

std::int64_t PresentCount(const TScreens& s) {
  return s.Presented;
}

void ClearScreen(TScreens& s) {
  FillRectSolid(s.ScreenLayer, FullRect, ColorBlack);
}

const TBromBitmap& FullScreenPicture(THeldPicture& held, const char* file, const char* what) {
  if (held.Held) return held.Picture;
  const auto fault = [&](const std::string& why) {
    throw TDataFileError(std::string(what) + " " + ShownDiskPath(file) + " " + why);
  };
  TBromBitmap picture;
  try {
    // A larger picture is refused from its header, before it is decoded.
    picture.LoadImage(file, ScreenWidth, ScreenHeight);
  } catch (const TImageSizeError& e) {
    fault("is " + std::to_string(e.Width) + " x " + std::to_string(e.Height) +
          " pixels; it must be 600 x 450");
  } catch (const TImageError& e) {
    // The loader names the program path; the reason follows it.
    const std::string text = e.what();
    const std::string head = std::string(file) + ": ";
    fault("cannot be shown: " + (text.starts_with(head) ? text.substr(head.size()) : text));
  }
  if (picture.Width() != ScreenWidth || picture.Height() != ScreenHeight) {
    fault("is " + std::to_string(picture.Width()) + " x " + std::to_string(picture.Height()) +
          " pixels; it must be 600 x 450");
  }
  held.Picture = std::move(picture);
  held.Held = true;
  return held.Picture;
}

void LoadBackdrop(TScreens& s) {
  const TBromBitmap& backdrop = FullScreenPicture(s.Backdrop, BackdropFile, "the backdrop");
  if (s.BaseLayer.Width() != ScreenWidth || s.BaseLayer.Height() != ScreenHeight) {
    s.BaseLayer.SetSize(ScreenWidth, ScreenHeight);
  }
  s.BaseLayer.CopyRect(backdrop, 0, 0, ScreenWidth, ScreenHeight, 0, 0);
}

// Help box and scrolling text ---------------------------------------------------

void ShowHelpBox(TScreens& s, const TStringDynArray& lines) {
  if (static_cast<int>(lines.size()) > HelpBoxLines) {
    InternalError("UnitPaint", "a help box of more than 7 lines");
  }
  FillRectSolid(s.ScreenLayer, HelpRect, HelpBoxColor);
  SetScreenFont(s.ScreenLayer, 14, false, ColorWhite);
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    s.ScreenLayer.DrawText(HelpRect.Left + 12, HelpRect.Top + 12 + LinePitch * i + 1, lines[i]);
  }
}

void RestoreHelpBox(TScreens& s) {
  RestoreRect(s, HelpRect);
}

TSensor PrepareScrollText(TScreens& s, const TSwordia& swordsman, TCommandKind onClick) {
  // 1. A layer tall enough for every line, at least the strip's height.
  const int n = static_cast<int>(swordsman.Flavor.size());
  s.TextScrollLayer.SetSize(ScreenWidth, std::max(LinePitch * n, ScrollViewHeight));
  s.TextScrollLayer.Fill(ColorBlack);
  // 2. The lines.
  SetScreenFont(s.TextScrollLayer, 14, false, ColorWhite);
  for (int i = 0; i < n; ++i)
    s.TextScrollLayer.DrawText(12, LinePitch * i + 1, swordsman.Flavor[i]);
  // 3. The strip shows the beginning.
  FillRectSolid(s.BaseLayer, HelpRect, ColorBlack);
  ScrollTextTo(s, s.BaseLayer, 0);
  // 4. The strip follows the pointer on every move inside it.
  return TSensor{
      HelpRect,
      true,
      ScrollByMouse,
      [](TScreens& screens, const TGame&, std::int32_t) { RestoreRect(screens, HelpRect); },
      onClick,
      0};
}

void ScrollByMouse(TScreens& s, const TGame& /*g*/, std::int32_t /*tag*/) {
  const int b = std::clamp(s.Sensors.MousePoint.Y - HelpRect.Top - 20, 0, HeightOf(HelpRect) - 40);
  const int offset = b * (s.TextScrollLayer.Height() - ScrollViewHeight) / 110;
  ScrollTextTo(s, s.ScreenLayer, offset);
}

void ScrollTextTo(const TScreens& s, TBromBitmap& layer, std::int32_t offset) {
  layer.CopyRect(s.TextScrollLayer, 0, offset, WidthOf(HelpRect), ScrollViewHeight, HelpRect.Left,
                 HelpRect.Top + 12);
}

// Panels and portraits --------------------------------------------------------------

void DrawEntrantPanel(TScreens& s, const TRect& rect, const TSwordia& swordsman, bool withHistory) {
  const int l = rect.Left, t = rect.Top;
  // 1. The picture underneath at half brightness.
  BlendRect(s.BaseLayer, rect, ColorBlack);
  // 2. The name.
  DrawTextAt(s.BaseLayer, l + 12, t + 12, 16, true, ColorWhite, swordsman.Name);
  // 3. The build's two lines.
  const TStringDynArray build = BuildLines(swordsman.Spec);
  SetScreenFont(s.BaseLayer, 16, false, ColorWhite);
  for (int i = 0; i < static_cast<int>(build.size()); ++i) {
    s.BaseLayer.DrawText(l + 12, t + 40 + LinePitch * i, build[i]);
  }
  // 4. The unspent bonus points.
  DrawTextAt(s.BaseLayer, l + 12, t + 88, 14, false, ColorWhite, "残り途心：");
  DrawTextAt(s.BaseLayer, l + 82, t + 84, 20, true, ColorWhite, std::to_string(swordsman.Bonus));
  // 5. In the opponent view, one line per battle fought.
  if (!withHistory) return;
  SetScreenFont(s.BaseLayer, 14, false, ColorWhite);
  for (int i = 0; i < static_cast<int>(swordsman.History.size()); ++i) {
    s.BaseLayer.DrawText(l + 12, t + 122 + LinePitch * i, swordsman.History[i]);
  }
}

void LoadPortraits(TScreens& s, const TTournament& tournament) {
  TBromBitmap picture;
  for (int i = 0; i < PortraitCount; ++i) {
    const TSwordia& slot = tournament.Slots[i];
    TBromBitmap& portrait = s.Portraits[i];
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
    MakeThumbnails(s, i);
  }
}

const TBromBitmap* PortraitOf(const TScreens& s, const TTournament& tournament,
                              const TSwordia& swordsman) {
  const TSwordia* w = &swordsman;
  if (w == &tournament.HeroEdit) w = tournament.Hero;
  if (w == nullptr || w < tournament.Slots || w >= tournament.Slots + SlotCount) return nullptr;
  return &s.Portraits[w - tournament.Slots];
}

void DrawDimmedPortrait(TScreens& s, TBromBitmap& layer, const TBromBitmap& portrait,
                        const TRect& rect) {
  const int w = WidthOf(rect), h = HeightOf(rect);
  const std::ptrdiff_t k = &portrait - s.Portraits;
  const bool loaded = k >= 0 && k < PortraitCount && s.Thumbnails[k][0].Source == &portrait &&
                      portrait.Mask() == nullptr && portrait.Width() == w && portrait.Height() == h;
  if (!loaded) {
    portrait.DrawTo(layer, rect.Left, rect.Top);
    BlendRect(layer, rect, ColorBlack);
    return;
  }
  TThumbnail* d = &s.DimmedPortraits[0];
  if (d->Source != &portrait) d = &s.DimmedPortraits[1];
  if (d->Source != &portrait) {
    d = &s.DimmedPortraits[s.OlderDimmed];
    s.OlderDimmed = 1 - s.OlderDimmed;
    d->Source = &portrait;
    d->Picture.SetSize(w, h);
    d->Picture.CopyRect(portrait, 0, 0, w, h, 0, 0);
    BlendRect(d->Picture, TRect{0, 0, w, h}, ColorBlack);
  }
  layer.CopyRect(d->Picture, 0, 0, w, h, rect.Left, rect.Top);
}

void DrawThumbnail(const TScreens& s, TBromBitmap& layer, const TBromBitmap& portrait,
                   const TRect& rect) {
  const std::ptrdiff_t k = &portrait - s.Portraits;
  if (k >= 0 && k < PortraitCount && WidthOf(rect) == HeightOf(rect)) {
    for (const TThumbnail& t : s.Thumbnails[k]) {
      if (t.Source != &portrait || t.Picture.Width() != WidthOf(rect)) continue;
      layer.CopyRect(t.Picture, 0, 0, WidthOf(rect), HeightOf(rect), rect.Left, rect.Top);
      return;
    }
  }
  layer.StretchDraw(portrait, rect.Left, rect.Top, rect.Right, rect.Bottom);
}
