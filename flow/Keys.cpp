#include "flow/Keys.h"

#include "data/Tournament.h"
#include "paint/BattleScreen.h"
#include "paint/ScreenKit.h"

TKeyAction KeyActionOf(TKey key) {
  switch (key) {
    case TKey::Space:
    case TKey::Return:
    case TKey::Right:
      return TKeyAction::Main;
    case TKey::Escape:
      return TKeyAction::Close;
    case TKey::M:
      return TKeyAction::Mute;
    case TKey::F2:
      return TKeyAction::NewTournament;
    case TKey::F11:
      break;
  }
  return TKeyAction::None;
}

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

TKeyOutcome KeyOutcome(const TGame& g, const TScreens& s, TGameMode& keyDownMode, TKey key,
                       bool repeat) {
  const TKeyAction action = KeyActionOf(key);
  // 1. A held key: never a second toggle or a second new tournament, never on
  // another screen than its own, and in a battle only once the log is at rest.
  if (repeat) {
    if (action != TKeyAction::Main && action != TKeyAction::Close) return {};
    if (g.Mode != keyDownMode) return {};
    if (g.Mode == gmBattle && LogScrolling(s, g)) return {};
  } else {
    keyDownMode = g.Mode;
  }
  // 2. What the key asks for whatever the screen.
  if (action == TKeyAction::Mute) return {TKeyOutcome::ToggleMute, {}};
  if (action == TKeyAction::NewTournament) {
    if (!CanStartAnew(g.Tournament)) return {};
    return {TKeyOutcome::NewTournament, {}};
  }
  // 3. The title's start, which is any click there.
  if (g.Mode == gmTitle) {
    return action == TKeyAction::Main ? TKeyOutcome{TKeyOutcome::StartGame, {}} : TKeyOutcome{};
  }
  // 4. SKIP is there to be clicked only while the battle can be skipped; once
  // it has gone from the screen, Escape does nothing.
  const TCommandKind kind = KeyCommandKind(g.Mode, action);
  if (kind == TCommandKind::BattleSkip && !g.Battle.SkipAllowed) return {};
  // 5. The screen's region with that command, as a click on it asks.
  const TCommand click = SensorCommand(s.Sensors, kind);
  if (click.Kind == TCommandKind::None) return {};
  return {TKeyOutcome::Command, click};
}
