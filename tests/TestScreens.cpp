#include "tests/TestScreens.h"

#include "tests/TestGame.h"

TScreens& TestScreens() {
  static TScreens screens;
  return screens;
}

TEffectShell& TestShell() {
  static TBromWave sound(SilentWavePlayer());
  static TSoundShell shell(sound);
  return shell;
}

namespace {

// Every test game is shown on the test screens, silent, from the start.
const bool shownOnTestScreens = (ShowTestGamesOn(&TestScreens(), &TestShell()), true);

}  // namespace
