#include "battle/BattleHost.h"

namespace {

TBattleHost silentHost;
TBattleHost* currentHost = &silentHost;

}  // namespace

void SetBattleHost(TBattleHost* host) {
  currentHost = host != nullptr ? host : &silentHost;
}

TBattleHost& BattleHost() {
  return *currentHost;
}
