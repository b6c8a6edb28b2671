#include "game/Game.h"

TGameView& NullGameView() {
  // Stateless: every game shown nowhere may share it.
  static TGameView nothing;
  return nothing;
}

TGame::TGame(TGameView& view) : View(view) {
  Battle.Tournament = &Tournament;
  Battle.Log = &LogStore;
  Battle.Host = &BattleHost;
  Battle.Dice = &Dice;
}
