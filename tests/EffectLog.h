// A shell for tests that keeps every effect a game's step asks for.
#pragma once

#include <vector>

#include "game/Game.h"

// A shell that keeps every effect it is given, in order.
class TEffectLog : public TGameShell {
 public:
  std::vector<TEffect> Applied;
  void Apply(const TEffect& e) override { Applied.push_back(e); }
};
