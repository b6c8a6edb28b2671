#include "game/Making.h"

#include <string>
#include <string_view>

#include "data/Status.h"
#include "data/Tournament.h"
#include "game/Mode.h"
#include "rules/Cues.h"
#include "rules/InternalError.h"

namespace {

// The sound and the screen after a point is spent.
void ShowPointSpent(TGame& game) {
  AskCue(game, CuePopon);
  game.View.ShowHeroEdit(game, THeroEditChange::PointSpent);
}

// The sound and the screen after the swords or the whole edit changed; what
// lies under the pointer may have changed with them, so the hover is taken
// again before the present.
void ShowEditChanged(TGame& game, std::string_view cue, THeroEditChange change) {
  AskCue(game, cue);
  game.View.ShowHeroEdit(game, change);
  if (game.View.RefreshHover(game)) AskPresent(game);
  AskPresent(game);
}

}  // namespace

void RaiseStat(TGame& game, std::int32_t t) {
  TTournament& g = game.Tournament;
  if (t < 0 || t > 3) InternalError("UnitMaking", "no such stat button");
  // 1. Only with a point to spend.
  if (!CanSpend(g)) return;
  // 2. The point buys the number.
  TSpec& spec = g.HeroEdit.Spec;
  --g.HeroEdit.Bonus;
  AddStatPoint(spec, t);
  // 3. The sound and the screen.
  ShowPointSpent(game);
  AskPresent(game);
}

void AddSword(TGame& game, std::int32_t k) {
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
  ShowPointSpent(game);
  // 4. With the last point gone, the button under the pointer must stop
  // lighting up: the hover is taken again as if the pointer had just come.
  if (!CanSpend(g) && game.View.RefreshHover(game)) AskPresent(game);
  AskPresent(game);
}

void SwapSwords(TGame& game, std::int32_t a) {
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
  ShowEditChanged(game, CuePopon, THeroEditChange::Swapped);
}

void ResetEdit(TGame& game, std::int32_t) {
  TTournament& g = game.Tournament;
  // 1. Only when there is something to undo.
  if (!HeroChanged(g)) return;
  // 2. The hero as last fixed, points included.
  g.HeroEdit = *g.Hero;
  // 3. The sound and the screen.
  ShowEditChanged(game, CueSuka, THeroEditChange::Reset);
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
