#include "tests/TestGame.h"

#include <optional>

namespace {

std::optional<TGame>& Storage() {
  static std::optional<TGame> game;
  return game;
}

TScreens*& ShownOn() {
  static TScreens* screens = nullptr;
  return screens;
}

}  // namespace

TGame& TestGame() {
  std::optional<TGame>& game = Storage();
  if (!game) {
    game.emplace();
    game->Screens = ShownOn();
  }
  return *game;
}

void NewTestGame() {
  Storage().emplace().Screens = ShownOn();
}

void ShowTestGamesOn(TScreens* screens) {
  ShownOn() = screens;
  TestGame().Screens = screens;
}
