#include "flow/Making.h"

#include <string>

#include "data/Status.h"
#include "data/Tournament.h"
#include "flow/Mode.h"
#include "flow/TournamentFlow.h"
#include "paint/ScreenKit.h"
#include "rules/Cues.h"
#include "rules/InternalError.h"

namespace {

// The screen after a point is spent: the panel, and every button in the look
// its condition now gives it.
void ShowPointSpent(TScreens& s, TGame& game) {
  AskCue(game, CuePopon);
  RepaintHeroPanel(s, game);
  ShowResetOn(s, game);
  ShowDecideOn(s, game);
  ShowStatButtonsOff(s, game);
}

}  // namespace

void RaiseStat(TGame& game, std::int32_t t) {
  TScreens& s = ScreensOf(game);
  TTournament& g = game.Tournament;
  if (t < 0 || t > 3) InternalError("UnitMaking", "no such stat button");
  // 1. Only with a point to spend.
  if (!CanSpend(g)) return;
  // 2. The point buys the number.
  TSpec& spec = g.HeroEdit.Spec;
  --g.HeroEdit.Bonus;
  AddStatPoint(spec, t);
  // 3. The sound and the screen.
  ShowPointSpent(s, game);
  Present(s);
}

void AddSword(TGame& game, std::int32_t k) {
  TScreens& s = ScreensOf(game);
  TTournament& g = game.Tournament;
  if (k < 1 || k > SwordKindCount) InternalError("UnitMaking", "no such sword button");
  // 1. Only with a point to spend.
  if (!CanSpend(g)) return;
  // 2. The point buys the sword at the end of the list; a list that would
  // pass 40 bytes is cut there, never inside a mark.
  --g.HeroEdit.Bonus;
  TSpec& spec = g.HeroEdit.Spec;
  spec.Swords = TBromString::LeftChars(spec.Swords.Str() + SwordByKind(k).Mark.Str(), SwordsBytes);
  // 3. The sound and the screen.
  ShowPointSpent(s, game);
  // 4. With the last point gone, the button under the pointer must stop
  // lighting up: the hover is taken again as if the pointer had just come.
  if (!CanSpend(g)) RefreshHover(s, game);
  Present(s);
}

void SwapSwords(TGame& game, std::int32_t a) {
  TScreens& s = ScreensOf(game);
  TSpec& spec = game.Tournament.HeroEdit.Spec;
  const std::string swords = spec.Swords.Str();
  const int n = CountSwords(game.Tournament.HeroEdit);
  // 1. A slot without a sword, or a single sword, swaps nothing.
  if (n < 2 || a < 0 || a >= n) return;
  // 2. The sword and the next one change places; the last one changes places
  // with the first, the swords between staying put. Marks are taken whole.
  const int b = (a < n - 1) ? a + 1 : 0;
  std::string marks[MaxSwords];
  std::size_t pos = 0;
  for (int i = 0; i < n && i < MaxSwords; ++i) {
    const std::size_t len = TBromString::CharLength(swords, pos);
    marks[i] = swords.substr(pos, len);
    pos += len;
  }
  std::swap(marks[a], marks[b]);
  std::string swapped;
  for (int i = 0; i < n && i < MaxSwords; ++i) swapped += marks[i];
  spec.Swords = swapped;
  // 3. The sound; the screen, with the pair highlight following the new
  // order.
  AskCue(game, CuePopon);
  RepaintHeroPanel(s, game);
  ShowResetOn(s, game);
  ShowResetOff(s, game);
  RefreshHover(s, game);
  Present(s);
}

void ResetEdit(TGame& game, std::int32_t) {
  TScreens& s = ScreensOf(game);
  TTournament& g = game.Tournament;
  // 1. Only when there is something to undo.
  if (!HeroChanged(g)) return;
  // 2. The hero as last fixed, points included.
  g.HeroEdit = *g.Hero;
  // 3. The sound and the screen.
  AskCue(game, CueSuka);
  RepaintHeroPanel(s, game);
  ShowStatButtonsOn(s, game);
  ShowResetOff(s, game);
  ShowDecideOff(s, game);
  RefreshHover(s, game);
  Present(s);
}

void DecideEdit(TGame& game, std::int32_t) {
  TTournament& g = game.Tournament;
  // 1. At stage 0 every point must be spent first.
  if (!CanDecide(g)) return;
  if (g.Stage == 0) {
    // 2. The build is fixed, and the prologue is told.
    if (g.Hero == nullptr) InternalError("UnitMaking", "no hero to decide");
    *g.Hero = g.HeroEdit;
    AskCue(game, CueTransition);
    SetMode(game, gmStory);
  } else if (g.Stage >= FirstGrownStage && g.Stage <= FinalStage) {
    // 3. Back to the board. The hero keeps its build until its next match
    // opens with the working copy's.
    AskCue(game, CueTransition);
    SetMode(game, gmBoard);
  }
  // 4. Hero making is not reached in other stages.
}
