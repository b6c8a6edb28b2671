// Hero making's screen: painting it whole on entering, and what a pointer
// move across the sword buttons costs (one button restored, the next lit, its
// help drawn). A hover must stay far cheaper than a repaint. Run from the
// source tree, where "dat\back.jpg" is.
#include <benchmark/benchmark.h>

#include <memory>

#include "game/Game.h"
#include "game/Making.h"
#include "paint/MakingScreen.h"
#include "paint/ScreenKit.h"
#include "paint/ScreensView.h"
#include "present/Form.h"

namespace {

struct TMakingScreen {
  TBromPaintBox box;
  std::unique_ptr<TScreens> screens = std::make_unique<TScreens>();
  TScreensView view{*screens};
  std::unique_ptr<TGame> game = std::make_unique<TGame>(view);
  TMakingScreen() {
    InitScreens(*screens, box);
    TTournament& t = game->Tournament;
    t.Hero = &t.Slots[0];
    t.Hero->Name = "シオン";
    t.Hero->Flavor = {"北の渡し場から来た剣師。", "師はいない。"};
    t.Hero->Bonus = HeroStartBonus;
    t.HeroEdit = *t.Hero;
    InstallRegions(screens->Sensors, PaintMaking(*screens, *game));
  }
  ~TMakingScreen() { FreeScreens(*screens); }
};

void BM_PaintMaking(benchmark::State& state) {
  TMakingScreen screen;
  for (auto _ : state) {
    InstallRegions(screen.screens->Sensors, PaintMaking(*screen.screens, *screen.game));
    Present(*screen.screens);
  }
}
BENCHMARK(BM_PaintMaking)->Unit(benchmark::kMicrosecond);

void BM_HoverAcrossSwordButtons(benchmark::State& state) {
  TMakingScreen screen;
  int k = 1;
  for (auto _ : state) {
    const TRect& r = SwordButtons[k];
    if (SensorHover(*screen.screens, *screen.game, r.Left + 16, r.Top + 16)) {
      Present(*screen.screens);
    }
    k = k % SwordKindCount + 1;
  }
}
BENCHMARK(BM_HoverAcrossSwordButtons)->Unit(benchmark::kMicrosecond);

}  // namespace
