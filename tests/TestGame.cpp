#include "tests/TestGame.h"

#include <optional>

namespace {

std::optional<TGame>& Storage() {
  static std::optional<TGame> game;
  return game;
}

struct TShownOn {
  TScreens* Screens = nullptr;
  TEffectShell* Shell = nullptr;
};

TShownOn& ShownOn() {
  static TShownOn shownOn;
  return shownOn;
}

void Show(TGame& game) {
  game.Screens = ShownOn().Screens;
  game.Shell = ShownOn().Shell;
}

}  // namespace

TGame& TestGame() {
  std::optional<TGame>& game = Storage();
  if (!game) {
    game.emplace();
    Show(*game);
  }
  return *game;
}

void NewTestGame() {
  Show(Storage().emplace());
}

void ShowTestGamesOn(TScreens* screens, TEffectShell* shell) {
  ShownOn() = TShownOn{screens, shell};
  Show(TestGame());
}
