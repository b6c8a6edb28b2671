#include "flow/Keys.h"

#include "paint/BattleScreen.h"
#include "paint/HelpScreen.h"
#include "paint/MakingScreen.h"
#include "paint/Sensor.h"

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
    case TKey::Left:
    case TKey::Up:
    case TKey::Down:
    case TKey::Tab:
    case TKey::BackTab:
      return TKeyAction::Focus;
    case TKey::F1:
      return TKeyAction::Help;
    case TKey::S:
      return TKeyAction::SkipRivals;
    case TKey::H:
      return TKeyAction::ShowHero;
    case TKey::F11:
      break;
  }
  return TKeyAction::None;
}

TKeyPress KeyPressOf(TKey key) {
  const TKeyAction action = KeyActionOf(key);
  return {action, action == TKeyAction::Focus || key == TKey::Right};
}

TFocusMove FocusMoveOf(TKey key) {
  switch (key) {
    case TKey::Left:
      return TFocusMove::Left;
    case TKey::Right:
      return TFocusMove::Right;
    case TKey::Up:
      return TFocusMove::Up;
    case TKey::Down:
      return TFocusMove::Down;
    case TKey::BackTab:
      return TFocusMove::Previous;
    default:
      return TFocusMove::Next;
  }
}

TKeyScreen KeyScreenOf(const TScreens& s, const TGame& g) {
  return {HelpPageOpen(s), LogScrolling(s, g), FocusClick(s.Sensors, g, MakingFocusable)};
}
