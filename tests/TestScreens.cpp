#include "tests/TestScreens.h"

#include "tests/TestGame.h"

TScreens& TestScreens() {
  static TScreens screens;
  return screens;
}

TScreensView& TestView() {
  static TScreensView view(TestScreens());
  return view;
}

namespace {

TGameShell& PresentingShell() {
  static TBromWave sound(SilentWavePlayer());
  static TSoundShell shell(sound);
  return shell;
}

// Every test game is shown on the test screens, silent, from the start.
const bool shownOnTestScreens = (ShowTestGamesOn(&TestView(), &PresentingShell()), true);

}  // namespace
