#include "tests/TestGame.h"

#include <optional>

namespace {

std::optional<TGame>& Storage() {
  static std::optional<TGame> game;
  return game;
}

// Carries out nothing.
class TSilentShell : public TGameShell {
 public:
  void Apply(const TEffect&) override {}
};

struct TShownOn {
  TGameView* View = nullptr;
  TGameShell* Shell = nullptr;
};

TShownOn& ShownOn() {
  static TShownOn shownOn;
  return shownOn;
}

}  // namespace

TGame& TestGame() {
  std::optional<TGame>& game = Storage();
  if (!game) NewTestGame();
  return *game;
}

void NewTestGame() {
  TGameView* view = ShownOn().View;
  Storage().emplace(view != nullptr ? *view : NullGameView());
}

void ShowTestGamesOn(TGameView* view, TGameShell* shell) {
  ShownOn() = TShownOn{view, shell};
  NewTestGame();
}

TGameShell& TestShell() {
  static TSilentShell silent;
  return ShownOn().Shell != nullptr ? *ShownOn().Shell : silent;
}
