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
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

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

extern TBromBitmap ScreenLayer;      // what the window shows
extern TBromBitmap BaseLayer;        // the composed, undecorated screen
extern TBromBitmap TextScrollLayer;  // a swordsman's flavour text, scrolled through HelpRect
extern TBromBitmap SlotBackdrop;     // the background under the sword-order slots
extern TBromBitmap Portraits[PortraitCount];  // one per tournament slot

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

// Computed by InitScreens. SwordButtons is indexed by sword kind 1..35
// (entry 0 unused); BracketRects[a][k]: level a, index k (level a has
// 64 / 2^a valid entries for a >= 1, 32 for level 0).
extern TRect SwordButtons[SwordKindCount + 1];
extern TRect SlotRects[SlotCountShown];
extern TRect SlotBlockRect;
extern TRect BracketRects[BracketLevels][32];

// Colours beyond the three named ones.
inline constexpr TPixelColor HelpBoxColor = MakeColor(128, 32, 32);
inline constexpr TPixelColor CloseButtonColor = MakeColor(192, 192, 192);
inline constexpr TPixelColor SlotPointerColor = MakeColor(255, 128, 128);
inline constexpr TPixelColor BracketGrey = MakeColor(160, 160, 160);

// Start-up and shut-down ------------------------------------------------------

// Creates the layers (ScreenLayer 600 x 450, 32 portraits 300 x 300), computes
// the layout tables, and shows every presented screen on `paintBox`.
void InitScreens(TBromPaintBox& paintBox);
// Frees the layers and portraits; presenting does nothing afterwards.
void FreeScreens();
// Computes SwordButtons, SlotRects, SlotBlockRect and BracketRects (part of
// InitScreens; the layout needs no window).
void ComputeLayout();

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
void InvertRect(const TRect& rect);
// On ScreenLayer: the red hover highlight.
void HighlightRect(const TRect& rect);
// Copies the rectangle from BaseLayer to ScreenLayer.
void RestoreRect(const TRect& rect);
void RestoreRects(std::span<const TRect> rects);
// On ScreenLayer: the look of something that cannot be used now.
void DimRects(std::span<const TRect> rects);

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
// A button on BaseLayer (lightened, caption centred, bold, black) and its
// region (no repeat).
void DrawButton(const TRect& rect, int height, std::string_view caption, std::int32_t tag,
                TCommandKind onClick, TSensorHandler onLeave, TSensorHandler onEnter);

// Shows ScreenLayer in the window.
void Present();
// How many times the screen has been presented (for tests and benchmarks).
std::int64_t PresentCount();
// ScreenLayer black, presented: the window while the roster loads.
void ClearScreen();

// Loads "dat\\back.jpg" into BaseLayer. A picture that is missing, unreadable
// or not 600 x 450 is an internal error naming the file.
void LoadBackdrop();

// The help box over HelpRect on ScreenLayer: at most 7 lines (more is an
// internal error), line i at (12, 313 + 18 i).
void ShowHelpBox(const TStringDynArray& lines);
void RestoreHelpBox();

// The flavour text of a swordsman, scrolled through HelpRect by the pointer's
// height: drawn on TextScrollLayer, its top shown on BaseLayer, and HelpRect
// registered as a repeating region (enter ScrollByMouse, leave restore, click
// `onClick`).
void PrepareScrollText(const TSwordia& swordsman, TCommandKind onClick);
// Enter handler of the flavour strip: the pointer's height in the strip maps
// linearly onto the text (top 20 pixels: its beginning, bottom 20: its end).
void ScrollByMouse(const TGame& g, std::int32_t tag);
// Copies 600 x 126 pixels of TextScrollLayer from row `offset` to (0, 312).
void ScrollTextTo(TBromBitmap& layer, std::int32_t offset);

// A swordsman's information panel on BaseLayer (dimmed background, name, the
// build's two lines, the unspent bonus points, and with `withHistory` the
// history lines, one per battle fought).
void DrawEntrantPanel(const TRect& rect, const TSwordia& swordsman, bool withHistory);

// Portrait surface k becomes slot k's picture: black, with "dat\\" + its
// image file centred on it (an odd extra pixel to the right or bottom). A
// file that cannot be loaded leaves its portrait black. The slots are only
// read: the surfaces are the screens'.
// It also makes each portrait's thumbnails for the board (DrawThumbnail), so
// a portrait surface changed afterwards must be loaded again.
void LoadPortraits(const TTournament& tournament);
// The portrait surface of a swordsman of the tournament: a slot's own, and
// for the hero's working copy the hero's; nullptr for anyone else.
const TBromBitmap* PortraitOf(const TTournament& tournament, const TSwordia& swordsman);
// `portrait` shrunk into `rect` of `layer` (StretchDraw's averaging). The
// board's two sizes of a loaded portrait (its cell and its information strip)
// are shrunk once, when the portraits load, and only copied here; any other
// surface or size is shrunk on the spot. The pixels are the same either way.
void DrawThumbnail(TBromBitmap& layer, const TBromBitmap& portrait, const TRect& rect);
// `portrait` drawn over `rect` (as large as it) and dimmed to half, as the
// battle's fighter panels show it after every click. A loaded portrait's
// dimmed picture is made the first time and kept for the two panels; any
// other surface is drawn and dimmed on the spot. The pixels are the same
// either way.
void DrawDimmedPortrait(TBromBitmap& layer, const TBromBitmap& portrait, const TRect& rect);
