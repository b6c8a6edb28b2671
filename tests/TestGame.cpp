#include "tests/TestGame.h"

#include <optional>

namespace {

std::optional<TGame>& Storage() {
  static std::optional<TGame> game;
  return game;
}

}  // namespace

TGame& TestGame() {
  std::optional<TGame>& game = Storage();
  if (!game) game.emplace();
  return *game;
}

void NewTestGame() {
  Storage().emplace();
}
