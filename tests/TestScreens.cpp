#include "tests/TestScreens.h"

#include "tests/TestGame.h"

TScreens& TestScreens() {
  static TScreens screens;
  return screens;
}

namespace {

// Every test game is shown on the test screens from the start.
const bool shownOnTestScreens = (ShowTestGamesOn(&TestScreens()), true);

}  // namespace
