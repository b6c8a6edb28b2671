// What a screen costs: one hover change (the old region's highlight undone,
// the new one's drawn, the screen copied to the window's paint box once) and
// one whole compose (backdrop loaded, a panel, buttons and a title drawn,
// copied, dimmed and presented). Run from the source tree, where
// "dat\\back.jpg" is found; the window is made on SDL's dummy video driver, so
// presenting copies into the paint box's memory as the game does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "game/Game.h"
#include "paint/ScreenKit.h"
#include "present/Form.h"
#include "present/Path.h"

namespace {

// The window and its screens, made once for all the benchmarks.
TScreens& Screens() {
  static TScreens screens;
  static std::unique_ptr<TBromForm> form = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    auto f = std::make_unique<TBromForm>("Quillmoor");
    f->SetClientSize(ScreenWidth, ScreenHeight);
    InitScreens(screens, f->PaintBox());
    return f;
  }();
  return screens;
}

const TRect Buttons[3] = {RebuildButton, StartButton, CloseButton};

void ButtonEnter(TScreens& s, const TGame&, std::int32_t tag) {
  HighlightRect(s, Buttons[tag]);
}
void ButtonLeave(TScreens& s, const TGame&, std::int32_t tag) {
  RestoreRect(s, Buttons[tag]);
}

// A screen like the opponent view: the backdrop, the swordsman's panel with
// its history, two buttons and a title, one of them dimmed.
void ComposeScreen(TScreens& s, const TSwordia& swordsman) {
  LoadBackdrop(s);
  DrawEntrantPanel(s, OpponentPanelRect, swordsman, true);
  DrawCentredLines(s.BaseLayer, BoardTitleRect, 16, {"決勝戦"}, false, ColorWhite);
  const THitTable regions = {
      DrawButton(s, RebuildButton, 20, "構成変動", 0, TCommandKind::None, ButtonLeave, ButtonEnter),
      DrawButton(s, StartButton, 20, "START", 1, TCommandKind::None, ButtonLeave, ButtonEnter)};
  InstallRegions(s.Sensors, regions);
  s.BaseLayer.DrawTo(s.ScreenLayer, 0, 0);
  const TRect dimmed[1] = {RebuildButton};
  DimRects(s, dimmed);
  Present(s);
}

TSwordia Swordsman() {
  TSwordia s;
  s.Name = "剣師ライア";
  s.Bonus = 7;
  s.History = {"第一回戦：勝利", "第二回戦：勝利", "第三回戦：勝利"};
  return s;
}

// False, with the benchmark marked, when the backdrop is not at hand.
bool BackdropFound(benchmark::State& state) {
  if (ProgramFileExists("dat\\back.jpg")) return true;
  state.SkipWithError("dat/back.jpg not found: run from the source tree");
  return false;
}

void BM_HoverChange(benchmark::State& state) {
  if (!BackdropFound(state)) return;
  TScreens& s = Screens();
  ComposeScreen(s, Swordsman());
  // The pointer goes from one button straight into the other and back.
  const auto game = std::make_unique<TGame>();
  bool onStart = false;
  for (auto _ : state) {
    onStart = !onStart;
    if (SensorHover(s, *game, onStart ? 500 : 350, 300)) Present(s);
  }
  ClearSensors(s.Sensors);
}
BENCHMARK(BM_HoverChange);

void BM_ComposeScreen(benchmark::State& state) {
  if (!BackdropFound(state)) return;
  TScreens& s = Screens();
  const TSwordia swordsman = Swordsman();
  for (auto _ : state) ComposeScreen(s, swordsman);
  ClearSensors(s.Sensors);
}
BENCHMARK(BM_ComposeScreen)->Unit(benchmark::kMillisecond);

}  // namespace
