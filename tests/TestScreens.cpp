#include "tests/TestScreens.h"

#include "tests/TestGame.h"

TScreens& TestScreens() {
  static TScreens screens;
  return screens;
}

TBromWave& TestSound() {
  static TBromWave sound(SilentWavePlayer());
  return sound;
}

namespace {

// Every test game is shown on the test screens, silent, from the start.
const bool shownOnTestScreens = (ShowTestGamesOn(&TestScreens(), &TestSound()), true);

}  // namespace
