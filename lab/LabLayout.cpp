// The lab's "layout" command: a picture of the screen layout for readers, drawn
// with the screen kit itself over "dat\\back.jpg". Four panels, one per group
// of screens (hero setup; the board with every bracket cell and bar; the
// battle; title, story and opponent view), each rectangle outlined and
// labelled with its name. Written as a PNG file.
#include <string>
#include <vector>

#include "lab/Lab.h"
#include "lab/LabOptions.h"
#include "paint/ScreenKit.h"
#include "present/Form.h"
#include "present/PngFile.h"

namespace {

struct TLabelled {
  TRect Rect;
  std::string Name;
  TPixelColor Color;
  int LabelX = -1;  // where the name goes when not inside the top-left corner
  int LabelY = -1;
};

const TPixelColor Yellow = MakeColor(255, 230, 0);
const TPixelColor Cyan = MakeColor(0, 230, 255);
const TPixelColor Green = MakeColor(60, 255, 60);
const TPixelColor Pink = MakeColor(255, 110, 200);

void Outline(TBromBitmap& layer, const TRect& r, TPixelColor c) {
  FillRectSolid(layer, {r.Left, r.Top, r.Right, r.Top + 1}, c);
  FillRectSolid(layer, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, c);
  FillRectSolid(layer, {r.Left, r.Top, r.Left + 1, r.Bottom}, c);
  FillRectSolid(layer, {r.Right - 1, r.Top, r.Right, r.Bottom}, c);
}

// One panel: the backdrop at half brightness, then each rectangle outlined
// with its name inside its top-left corner.
void DrawPanel(TScreens& s, const std::vector<TLabelled>& rects) {
  LoadBackdrop(s);
  BlendRect(s.BaseLayer, FullRect, ColorBlack);
  for (const TLabelled& r : rects) Outline(s.BaseLayer, r.Rect, r.Color);
  for (const TLabelled& r : rects) {
    const int x = r.LabelX >= 0 ? r.LabelX : r.Rect.Left + 2;
    const int y = r.LabelY >= 0 ? r.LabelY : r.Rect.Top + 2;
    if (!r.Name.empty()) DrawTextAt(s.BaseLayer, x, y, 10, false, r.Color, r.Name);
  }
}

std::string N(const char* name, int i) {
  return std::string(name) + std::to_string(i);
}

std::vector<TLabelled> HeroSetup() {
  std::vector<TLabelled> v = {{PortraitRect, "PortraitRect", Yellow},
                              {HelpRect, "HelpRect", Yellow},
                              {CaptionRect, "CaptionRect", Cyan},
                              {OrderLabelRect, "OrderLabelRect", Green},
                              {SlotBlockRect, "SlotBlockRect", Pink, 490, 222},
                              {ResetButton, "ResetButton", Cyan},
                              {DecideButton, "DecideButton", Cyan}};
  for (int i = 0; i < 4; ++i) v.push_back({StatButtons[i], N("StatButton", i), Green});
  for (int k = 1; k <= SwordKindCount; ++k) v.push_back({SwordButtons[k], std::to_string(k), Cyan});
  for (int j = 0; j < SlotCountShown; ++j) v.push_back({SlotRects[j], std::to_string(j), Yellow});
  v.push_back({{}, "SlotRects 0-19", Yellow, 490, 240});
  v.push_back({{}, "SwordButtons 1-35", Cyan, 500, 200});
  return v;
}

std::vector<TLabelled> Board() {
  std::vector<TLabelled> v = {{BoardTitleRect, "BoardTitleRect", Yellow},
                              {BracketRect, "", Green},
                              {BoardInfoRect, "BoardInfoRect", Yellow},
                              {BoardInfoPortraitRect, "BoardInfoPortraitRect", Cyan, 74, 344},
                              {BoardFooterRect, "BoardFooterRect", Green},
                              {StartButton, "StartButton", Cyan},
                              {RebuildButton, "RebuildButton", Cyan}};
  for (int k = 0; k < 32; ++k) v.push_back({BracketRects[0][k], N("s", k), Yellow});
  return v;
}

// The bars filled, each level in its own colour, over the board panel.
void DrawBars(TBromBitmap& layer) {
  const TPixelColor levels[6] = {ColorBlack, ColorWhite, Cyan, Green, Pink, ColorRed};
  for (int a = 1; a <= 5; ++a) {
    for (int b = 0; b < (64 >> a); ++b) FillRectSolid(layer, BracketRects[a][b], levels[a]);
  }
  DrawTextAt(
      layer, 34, 272, 10, false, ColorWhite,
      "BracketRect (green); cells s0-s31; bars: level 1 white, 2 cyan, 3 green, 4 pink, 5 red");
}

std::vector<TLabelled> Battle() {
  return {
      {LeftFighterRect, "LeftFighterRect", Yellow}, {RightFighterRect, "RightFighterRect", Cyan},
      {LogRect, "LogRect", Green, 4, 330},          {LogTopMask, "LogTopMask", Green},
      {LogBottomMask, "LogBottomMask", Pink},       {SkipButton, "SkipButton", Yellow}};
}

std::vector<TLabelled> Views() {
  return {{StoryPictureRect, "StoryPictureRect (0-600)", Yellow},
          {StoryTextRect, "StoryTextRect", Green},
          {OpponentPanelRect, "OpponentPanelRect", Cyan, 304, 40},
          {CloseButton, "CloseButton", Pink},
          {FullRect, "FullRect", ColorWhite, 550, 436}};
}

int Layout(const TLabArgs& args, const TLabPlatform&) {
  TLabOptions options("layout", args);
  if (!options.Finish()) return LabExitUsage;
  if (options.Operands().size() != 1) return options.UsageError("one output file is needed");
  TBromPaintBox box;
  TScreens screens;
  InitScreens(screens, box);
  TBromBitmap sheet;
  sheet.SetSize(2 * ScreenWidth + 10, 2 * ScreenHeight + 10);
  sheet.Fill(ColorBlack);
  DrawPanel(screens, HeroSetup());
  screens.BaseLayer.DrawTo(sheet, 0, 0);
  DrawPanel(screens, Board());
  DrawBars(screens.BaseLayer);
  screens.BaseLayer.DrawTo(sheet, ScreenWidth + 10, 0);
  DrawPanel(screens, Battle());
  screens.BaseLayer.DrawTo(sheet, 0, ScreenHeight + 10);
  DrawPanel(screens, Views());
  screens.BaseLayer.DrawTo(sheet, ScreenWidth + 10, ScreenHeight + 10);
  FreeScreens(screens);
  WritePng(sheet, options.Operands()[0]);
  return LabExitFine;
}

const TLabRegistration registration(
    {"layout", "OUT.png", "a picture of every screen rectangle and bracket bar",
     "Draws four panels over dat/back.jpg with the screen kit itself (hero setup; the board\n"
     "with every bracket cell and bar; the battle; title, story and opponent view), each\n"
     "rectangle outlined and labelled with its name, and writes them to OUT.png.",
     Layout});

}  // namespace
