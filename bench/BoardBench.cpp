// The tournament board repainted whole, as after every round: the backdrop,
// the 32 portraits in their cells (half of them crossed out), the bars, the
// centre picture and the buttons. Run from the source tree, where the roster
// and its portraits are.
#include <benchmark/benchmark.h>

#include <memory>

#include "data/Roster.h"
#include "data/Tournament.h"
#include "flow/TournamentFlow.h"
#include "paint/BoardScreen.h"
#include "paint/ScreenKit.h"
#include "paint/Sensor.h"
#include "present/Form.h"
#include "rules/DataFolder.h"

namespace {

void BM_PaintBoard(benchmark::State& state) {
  TBromPaintBox box;
  const auto screens = std::make_unique<TScreens>();
  InitScreens(*screens, box);
  const auto game = std::make_unique<TGame>();
  game->Screens = screens.get();
  game->Dice.Seed(1);
  LoadRoster(*game, RosterFileName, DataFolder);
  if (game->LoadFailed) {
    state.SkipWithError("dat/swordia.txt not loaded: run from the source tree");
    return;
  }
  TTournament& t = game->Tournament;
  EnterAllSlots(t);
  LoadPortraits(*screens, t);
  // The second round: every odd slot lost its first match.
  t.Stage = 2;
  for (int k = 0; k < SlotCount; ++k) {
    t.Slots[k].InTournament = k % 2 == 0;
    t.Slots[k].Wins = k % 2 == 0 ? 1 : 0;
  }
  // The board and the present it asks for, as the main window carries it out.
  for (auto _ : state) {
    ShowBoard(*game);
    game->Effects.clear();
    Present(*screens);
  }
  FreeScreens(*screens);
}
BENCHMARK(BM_PaintBoard)->Unit(benchmark::kMicrosecond);

}  // namespace
