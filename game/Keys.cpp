#include "game/Keys.h"

#include "data/Tournament.h"

namespace {

// What a key does in hero making: the arrows (Right too) and Tab move the
// focus, Space and Return click the region it rests on.
TKeyOutcome MakingKey(const TKeyScreen& screen, TKeyPress key) {
  if (key.MovesFocus) return {TKeyOutcome::MoveFocus, {}};
  if (key.Action != TKeyAction::Main) return {};
  if (screen.Focused.Kind == TCommandKind::None) return {};
  return {TKeyOutcome::Command, screen.Focused};
}

}  // namespace

TCommandKind KeyCommandKind(TGameMode m, TKeyAction action) {
  const bool main = action == TKeyAction::Main;
  if (!main && action != TKeyAction::Close) return TCommandKind::None;
  switch (m) {
    case gmTitle:
    case gmMaking:
      break;
    case gmStory:
      return main ? TCommandKind::NextPage : TCommandKind::CloseStory;
    case gmBoard:
      return main ? TCommandKind::StartRound : TCommandKind::None;
    case gmView:
      return TCommandKind::CloseView;
    case gmBattle:
      return main ? TCommandKind::BattleStep : TCommandKind::BattleSkip;
  }
  return TCommandKind::None;
}

bool RivalMatchShown(const TGame& g) {
  const TTournament& t = g.Tournament;
  if (g.Mode != gmBattle || t.Hero == nullptr) return false;
  const int first = 2 * g.Battle.MatchIndex;
  if (first < 0 || first + 1 >= t.EntrantCount) return false;
  return t.Entrants[first] != t.Hero && t.Entrants[first + 1] != t.Hero;
}

TKeyOutcome KeyOutcome(const TGame& g, const TKeyScreen& screen, TKeyMemory& memory, TKeyPress key,
                       bool repeat) {
  const TKeyAction action = key.Action;
  // 1. The help page open: a key only closes it, and a held key's repeats
  // do nothing after, on any screen.
  if (screen.HelpOpen) {
    if (repeat) return {};
    memory = TKeyMemory{g.Mode, true};
    return {TKeyOutcome::CloseHelp, {}};
  }
  // 2. A held key: never a second toggle, a second new tournament, a second
  // page or a second run of the rivals' matches, never on another screen than
  // its own, and in a battle only once the log is at rest. Held arrows go on
  // moving hero making's focus.
  if (repeat) {
    if (memory.Closed) return {};
    if (action != TKeyAction::Main && action != TKeyAction::Close && action != TKeyAction::Focus) {
      return {};
    }
    if (g.Mode != memory.Mode) return {};
    if (g.Mode == gmBattle && screen.LogGliding) return {};
  } else {
    memory = TKeyMemory{g.Mode, false};
  }
  // 3. What the key asks for whatever the screen.
  if (action == TKeyAction::Mute) return {TKeyOutcome::ToggleMute, {}};
  if (action == TKeyAction::Help) return {TKeyOutcome::OpenHelp, {}};
  if (action == TKeyAction::NewTournament) {
    if (!CanStartAnew(g.Tournament)) return {};
    return {TKeyOutcome::NewTournament, {}};
  }
  // 4. The title's start, which is any click there.
  if (g.Mode == gmTitle) {
    return action == TKeyAction::Main ? TKeyOutcome{TKeyOutcome::StartGame, {}} : TKeyOutcome{};
  }
  // 5. Hero making's focus, and a click on it.
  if (g.Mode == gmMaking) return MakingKey(screen, key);
  // 6. The rivals' matches, and the hero on the board.
  if (action == TKeyAction::SkipRivals) {
    return RivalMatchShown(g) ? TKeyOutcome{TKeyOutcome::SkipRivals, {}} : TKeyOutcome{};
  }
  if (action == TKeyAction::ShowHero) {
    const bool shown = g.Mode == gmBoard && g.Tournament.Hero != nullptr;
    return shown ? TKeyOutcome{TKeyOutcome::ShowHero, {}} : TKeyOutcome{};
  }
  // 7. SKIP is there to be clicked only while the battle can be skipped; once
  // it has gone from the screen, Escape does nothing.
  TCommandKind kind = KeyCommandKind(g.Mode, action);
  if (kind == TCommandKind::BattleSkip && !g.Battle.SkipAllowed) return {};
  // 8. On the board, while START waits for the hero's points to be spent,
  // the main click is the build change that spends them.
  const TTournament& t = g.Tournament;
  if (kind == TCommandKind::StartRound && !CanStartRound(t, g.Growth.Growing) && CanRebuild(t) &&
      t.HeroEdit.Bonus > 0) {
    kind = TCommandKind::ChangeBuild;
  }
  // 9. The screen's region with that command, as a click on it asks (the
  // window finds it).
  if (kind == TCommandKind::None) return {};
  return {TKeyOutcome::Region, {kind, 0}};
}
