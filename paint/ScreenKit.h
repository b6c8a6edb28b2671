// Design unit: UnitPaint (the screen kit).
// What every screen shares: the layers, the fixed layout, the drawing
// operations and the redraw cycle.
//
// A screen is composed on BaseLayer (reloaded from "dat\\back.jpg" by most
// screens), copied onto ScreenLayer, dimmed where something is unavailable,
// and presented: ScreenLayer is copied to the window's paint box. Hover
// effects are drawn on ScreenLayer only and undone from BaseLayer, so a hover
// never costs a whole redraw. All coordinates are client pixels of the
// 600 x 450 window; rectangles exclude their right and bottom edges.
//
// Everything the screens keep between two paints (the layers, the portraits
// and their thumbnails, the regions, the battle log's window) is one value,
// TScreens, which the main window owns next to the game; every operation
// here that draws or presents takes it. The layout is constant.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "battle/BattleLog.h"
#include "data/Roster.h"
#include "paint/Sensor.h"
#include "present/Bitmap.h"
#include "rules/SjisText.h"
#include "rules/Sword.h"

class TBromPaintBox;
struct TTournament;

// Layers -------------------------------------------------------------------

constexpr int ScreenWidth = 600;
constexpr int ScreenHeight = 450;
// The largest story or centre picture read: four times the screen each way.
// Only the part that fits the screen shows; a file that claims more is
// refused from its header, as a picture that cannot be decoded.
constexpr int LargestPictureWidth = 4 * ScreenWidth;
constexpr int LargestPictureHeight = 4 * ScreenHeight;
constexpr int PortraitCount = 32;

// Layout -------------------------------------------------------------------

constexpr TRect FullRect{0, 0, 600, 450};
constexpr TRect PortraitRect{0, 0, 300, 300};
constexpr TRect HelpRect{0, 300, 600, 450};
constexpr TRect CaptionRect{300, 0, 600, 30};
constexpr TRect StatButtons[4] = {
    {308, 36, 373, 60}, {381, 36, 446, 60}, {454, 36, 519, 60}, {527, 36, 592, 60}};
constexpr TRect OrderLabelRect{306, 202, 380, 220};
constexpr TRect ResetButton{306, 266, 447, 294};
constexpr TRect DecideButton{453, 266, 594, 294};
constexpr TRect StoryPictureRect{0, 0, 600, 300};
constexpr TRect StoryTextRect{0, 300, 600, 450};
constexpr TRect CloseButton{520, 10, 590, 30};
constexpr TRect BoardTitleRect{0, 0, 600, 40};
constexpr TRect BracketRect{30, 50, 570, 270};
constexpr TRect BoardInfoRect{0, 330, 600, 410};
constexpr TRect BoardInfoPortraitRect{10, 340, 70, 400};
constexpr TRect BoardFooterRect{0, 410, 600, 450};
constexpr TRect StartButton{430, 285, 570, 315};
constexpr TRect RebuildButton{280, 285, 420, 315};
constexpr TRect OpponentPanelRect{300, 0, 600, 300};
constexpr TRect LeftFighterRect{0, 0, 300, 300};
constexpr TRect RightFighterRect{300, 0, 600, 300};
constexpr TRect LogRect{0, 300, 600, 450};
constexpr TRect SkipButton{530, 310, 590, 330};
constexpr TRect LogTopMask{0, 300, 600, 321};
constexpr TRect LogBottomMask{0, 429, 600, 450};

constexpr int SlotCountShown = 20;  // sword-order slots
constexpr int BracketLevels = 6;    // level 0: portrait cells; 1..5: bars

// The sword buttons, indexed by sword kind 1..35 (entry 0 empty): nine
// 32 x 32 buttons a row, four rows.
constexpr std::array<TRect, SwordKindCount + 1> MakeSwordButtons() {
  std::array<TRect, SwordKindCount + 1> rects{};
  for (int k = 1; k <= SwordKindCount; ++k) {
    const int c = (k - 1) % 9, r = (k - 1) / 9;
    rects[k] = TRect{306 + 32 * c, 68 + 32 * r, 338 + 32 * c, 100 + 32 * r};
  }
  return rects;
}
// The sword-order slots: ten 18 x 18 slots a row, two rows.
constexpr std::array<TRect, SlotCountShown> MakeSlotRects() {
  std::array<TRect, SlotCountShown> rects{};
  for (int j = 0; j < SlotCountShown; ++j) {
    const int c = j % 10, r = j / 10;
    rects[j] = TRect{306 + 18 * c, 220 + 18 * r, 324 + 18 * c, 238 + 18 * r};
  }
  return rects;
}
// BracketRects[a][k]: level a, index k. Level 0 holds the 32 portrait cells,
// level a >= 1 has 64 / 2^a bars; the entries beyond stay empty.
using TBracketRects = std::array<std::array<TRect, 32>, BracketLevels>;
// The bracket's portrait cells and bars: level 0 the cells, level 1 the
// stubs towards the first-round partner, levels 2..5 built upward by joining
// each pair of children at their field-wise average.
constexpr TBracketRects MakeBracketRects() {
  TBracketRects r{};
  // 1. The portrait cells: slot k = 16 j + 8 k4 + 4 l + 2 m + f.
  for (int k = 0; k < 32; ++k) {
    const int j = (k >> 4) & 1, k4 = (k >> 3) & 1, l = (k >> 2) & 1, m = (k >> 1) & 1, f = k & 1;
    const int left = 30 + 320 * j + 120 * l + 60 * f;
    const int top = 50 + 120 * k4 + 60 * m;
    r[0][k] = TRect{left, top, left + 40, top + 40};
  }
  // 2. The stubs, 4 x 4 at the cell's vertical middle, towards the partner.
  for (int k = 0; k < 32; ++k) {
    const TRect& cell = r[0][k];
    const int mid = cell.Top + 20;
    r[1][k] = (k % 2 == 0) ? TRect{cell.Right, mid - 2, cell.Right + 4, mid + 2}
                           : TRect{cell.Left - 4, mid - 2, cell.Left, mid + 2};
  }
  // 3. Each pair of children meets at their average; both children reach it,
  // and the average is the parent's first shape.
  for (int a = 1; a <= 5; ++a) {
    const int children = 64 >> a;
    for (int b = 0; b < children / 2; ++b) {
      TRect& c0 = r[a][2 * b];
      TRect& c1 = r[a][2 * b + 1];
      const TRect p{(c0.Left + c1.Left) / 2, (c0.Top + c1.Top) / 2, (c0.Right + c1.Right) / 2,
                    (c0.Bottom + c1.Bottom) / 2};
      for (TRect* c : {&c0, &c1}) {
        *c = TRect{std::min(c->Left, p.Left), std::min(c->Top, p.Top), std::max(c->Right, p.Right),
                   std::max(c->Bottom, p.Bottom)};
      }
      if (a <= 4) r[a + 1][b] = p;
    }
  }
  return r;
}
inline constexpr std::array<TRect, SwordKindCount + 1> SwordButtons = MakeSwordButtons();
inline constexpr std::array<TRect, SlotCountShown> SlotRects = MakeSlotRects();
inline constexpr TRect SlotBlockRect{SlotRects[0].Left, SlotRects[0].Top, SlotRects[9].Right,
                                     SlotRects[10].Bottom};
inline constexpr TBracketRects BracketRects = MakeBracketRects();

// Colours beyond the three named ones.
inline constexpr TPixelColor HelpBoxColor = MakeColor(128, 32, 32);
inline constexpr TPixelColor CloseButtonColor = MakeColor(192, 192, 192);
inline constexpr TPixelColor SlotPointerColor = MakeColor(255, 128, 128);
inline constexpr TPixelColor BracketGrey = MakeColor(160, 160, 160);

// The screens' state -----------------------------------------------------------

// A picture shrunk or dimmed once and kept, with the surface it was made
// from.
struct TThumbnail {
  const TBromBitmap* Source = nullptr;
  TBromBitmap Picture;
};
constexpr int ThumbnailSizes = 2;

// Where the battle log's window stands: the index of its top line in the log
// store, the lines it has counted, and the pixels of scrolling still owed. A
// match's screen starts it over: its six blank lines stand in place.
struct TLogScroll {
  int Top = 0;
  int Seen = LogViewLines;
  int Owed = 0;
};

// Everything the screens keep from one paint to the next.
// A picture the screens decode once, at its first use, and keep for the
// whole run: changing or deleting its file afterwards changes nothing until
// the next run, and no repaint reads a file.
struct THeldPicture {
  TBromBitmap Picture;
  bool Held = false;
};

struct TScreens {
  TBromBitmap ScreenLayer;               // what the window shows
  TBromBitmap BaseLayer;                 // the composed, undecorated screen
  TBromBitmap TextScrollLayer;           // a swordsman's flavour text, scrolled through HelpRect
  TBromBitmap SlotBackdrop;              // the background under the sword-order slots
  TBromBitmap Portraits[PortraitCount];  // one per tournament slot
  // The board shows each portrait 32 times a repaint at most, always at one
  // of two sizes (a bracket cell, the information strip's portrait):
  // shrinking 300 x 300 pixels each time was most of its cost. Made by
  // LoadPortraits.
  TThumbnail Thumbnails[PortraitCount][ThumbnailSizes];
  // The two fighters' portraits dimmed, one per panel, the older replaced.
  TThumbnail DimmedPortraits[2];
  int OlderDimmed = 0;
  // The title, the backdrop under most screens and the board's centre
  // picture, each decoded once.
  THeldPicture Title;
  THeldPicture Backdrop;
  THeldPicture Centre;
  TSensorRegistry Sensors;   // the regions of the screen shown
  bool SkipHovered = false;  // the pointer rests on the battle's SKIP
  TLogScroll LogScroll;      // the battle log's window
  // The help page (paint/HelpScreen), shown in place of ScreenLayer while
  // it is open.
  TBromBitmap HelpLayer;
  bool HelpOpen = false;
  // Where ScreenLayer is presented (none: presenting only counts), and how
  // many times it has been (for tests and benchmarks).
  TBromPaintBox* PaintBox = nullptr;
  std::int64_t Presented = 0;
};

// Start-up and shut-down ------------------------------------------------------

// Creates the layers (ScreenLayer 600 x 450, 32 portraits 300 x 300), forgets
// the thumbnails and the held pictures, and shows every presented screen on `paintBox`.
void InitScreens(TScreens& s, TBromPaintBox& paintBox);
// Frees the layers and portraits; presenting only counts afterwards.
void FreeScreens(TScreens& s);

// Drawing operations ------------------------------------------------------------

constexpr std::int32_t WidthOf(const TRect& r) {
  return r.Right - r.Left;
}
constexpr std::int32_t HeightOf(const TRect& r) {
  return r.Bottom - r.Top;
}
void FillRectSolid(TBromBitmap& layer, const TRect& rect, TPixelColor color);
// Every pixel becomes (pixel + colour) div 2 per channel: black dims, white
// lightens, red is the hover highlight.
void BlendRect(TBromBitmap& layer, const TRect& rect, TPixelColor color);
// On ScreenLayer: every byte becomes 255 - byte.
void InvertRect(TScreens& s, const TRect& rect);
// On ScreenLayer: the red hover highlight.
void HighlightRect(TScreens& s, const TRect& rect);
// Copies the rectangle from BaseLayer to ScreenLayer.
void RestoreRect(TScreens& s, const TRect& rect);
void RestoreRects(TScreens& s, std::span<const TRect> rects);
// On ScreenLayer: the look of something that cannot be used now.
void DimRects(TScreens& s, std::span<const TRect> rects);

// Sets the whole font of a layer: the game's font, height, bold or normal,
// colour, no background, soft edge on.
void SetScreenFont(TBromBitmap& layer, int height, bool bold, TPixelColor color);
// Text at (x, y) in the given font (soft edge on).
void DrawTextAt(TBromBitmap& layer, int x, int y, int height, bool bold, TPixelColor color,
                std::string_view text);
// Lines centred in the rectangle. The width of a line is estimated from its
// bytes (bytes x (h div 2), plus one pixel per character when bold) and every
// division truncates, so a block may sit a pixel off centre and long lines
// may start left of the rectangle: the screens are laid out by this rule.
void DrawCentredLines(TBromBitmap& layer, const TRect& rect, int height,
                      const TStringDynArray& lines, bool bold, TPixelColor color);
// A button on BaseLayer (lightened, caption centred, bold, black); returns
// its region (no repeat).
TSensor DrawButton(TScreens& s, const TRect& rect, int height, std::string_view caption,
                   std::int32_t tag, TCommandKind onClick, TSensorHandler onLeave,
                   TSensorHandler onEnter);

// Shows ScreenLayer in the window (the help page instead, while it is
// open). Only the main window presents, as an
// effect a step asked for (or when the window is uncovered); the painters
// and hover handlers leave it to their callers.
void Present(TScreens& s);
// How many times the screen has been presented (for tests and benchmarks).
std::int64_t PresentCount(const TScreens& s);
// ScreenLayer black, for the caller to present: the window while the roster
// loads.
void ClearScreen(TScreens& s);

// The full-screen picture `file` (600 x 450), decoded into `held` at its
// first use. One that is missing, cannot be decoded or has another size
// raises TDataFileError naming `what` ("the backdrop"), the file's real path
// and the fault; the next use tries again.
const TBromBitmap& FullScreenPicture(THeldPicture& held, const char* file, const char* what);

// Copies the backdrop, "dat\\back.jpg" held once, onto BaseLayer; its faults
// are FullScreenPicture's.
void LoadBackdrop(TScreens& s);

// The help box over HelpRect on ScreenLayer: at most 7 lines (more is an
// internal error), line i at (12, 313 + 18 i).
void ShowHelpBox(TScreens& s, const TStringDynArray& lines);
void RestoreHelpBox(TScreens& s);

// The flavour text of a swordsman, scrolled through HelpRect by the pointer's
// height: drawn on TextScrollLayer and its top shown on BaseLayer. Returns
// the strip's region, HelpRect repeating (enter ScrollByMouse, leave
// restore, click `onClick`).
TSensor PrepareScrollText(TScreens& s, const TSwordia& swordsman, TCommandKind onClick);
// Enter handler of the flavour strip: the pointer's height in the strip maps
// linearly onto the text (top 20 pixels: its beginning, bottom 20: its end).
void ScrollByMouse(TScreens& s, const TGame& g, std::int32_t tag);
// Copies 600 x 126 pixels of TextScrollLayer from row `offset` to (0, 312).
void ScrollTextTo(const TScreens& s, TBromBitmap& layer, std::int32_t offset);

// A swordsman's information panel on BaseLayer (dimmed background, name, the
// build's two lines, the unspent bonus points, and with `withHistory` the
// history lines, one per battle fought).
void DrawEntrantPanel(TScreens& s, const TRect& rect, const TSwordia& swordsman, bool withHistory);

// Portrait surface k becomes slot k's picture: black, with "dat\\" + its
// image file centred on it (an odd extra pixel to the right or bottom). A
// file that cannot be loaded leaves its portrait black. The slots are only
// read: the surfaces are the screens'.
// It also makes each portrait's thumbnails for the board (DrawThumbnail), so
// a portrait surface changed afterwards must be loaded again.
void LoadPortraits(TScreens& s, const TTournament& tournament);
// The portrait surface of a swordsman of the tournament: a slot's own, and
// for the hero's working copy the hero's; nullptr for anyone else.
const TBromBitmap* PortraitOf(const TScreens& s, const TTournament& tournament,
                              const TSwordia& swordsman);
// `portrait` shrunk into `rect` of `layer` (StretchDraw's averaging). The
// board's two sizes of a loaded portrait (its cell and its information strip)
// are shrunk once, when the portraits load, and only copied here; any other
// surface or size is shrunk on the spot. The pixels are the same either way.
void DrawThumbnail(const TScreens& s, TBromBitmap& layer, const TBromBitmap& portrait,
                   const TRect& rect);
// `portrait` drawn over `rect` (as large as it) and dimmed to half, as the
// battle's fighter panels show it after every click. A loaded portrait's
// dimmed picture is made the first time and kept for the two panels; any
// other surface is drawn and dimmed on the spot. The pixels are the same
// either way.
void DrawDimmedPortrait(TScreens& s, TBromBitmap& layer, const TBromBitmap& portrait,
                        const TRect& rect);
