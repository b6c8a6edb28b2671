#include "game/Game.h"

TGame::TGame() : BattleHost(std::make_unique<TBattleHost>()) {
  Battle.Tournament = &Tournament;
  Battle.Log = &LogStore;
  Battle.Host = BattleHost.get();
  Battle.Dice = &Dice;
}

void TGame::UseBattleHost(std::unique_ptr<TBattleHost> host) {
  BattleHost = host != nullptr ? std::move(host) : std::make_unique<TBattleHost>();
  Battle.Host = BattleHost.get();
}
