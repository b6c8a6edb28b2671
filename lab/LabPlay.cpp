// quillmoor-lab play: the real game, driven without a person. The main window
// runs with every handler the game installs, headless: the screen is the
// paint box's memory, the clock is the driver's (ticks run without waiting)
// and sounds go to a recorder. Input comes from an event file or from a fixed
// policy drawn from the seed (--auto). Same seed, same events: the same
// output and the same pictures, every time.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "lab/Lab.h"
#include "lab/LabOptions.h"
#include "lab/LabPlayDriver.h"

namespace {

const char* const Usage =
    "[--seed N] [--roster FILE] [--events FILE] [--auto] [--shots DIR] [--until MODE|end] "
    "[--check] [--games N] [--font FILE] [--beside N] [--by clicks|keys|pad|mixed]";

int Play(const TLabArgs& args, const TLabPlatform&) {
  TLabOptions options("play", args);
  TPlayOptions play;
  // 1. The options.
  long long seed = 1, games = 1, beside = -1;
  std::string eventsFile, roster, until, by;
  bool givenEvents = false, givenRoster = false, givenShots = false, givenUntil = false,
       givenFont = false, givenBy = false;
  play.Auto = options.Flag("--auto");
  play.Check = options.Flag("--check");
  if (!options.Number("--seed", 0, 0xFFFFFFFFLL, seed) ||
      !options.Number("--games", 1, 10000, games) ||
      !options.Number("--beside", 0, 0xFFFFFFFFLL, beside) ||
      !options.Value("--events", eventsFile, givenEvents) ||
      !options.Value("--roster", roster, givenRoster) ||
      !options.Value("--shots", play.ShotsFolder, givenShots) ||
      !options.Value("--until", until, givenUntil) ||
      !options.Value("--font", play.FontFile, givenFont) || !options.Value("--by", by, givenBy) ||
      !options.Finish()) {
    return LabExitUsage;
  }
  if (!options.Operands().empty()) return options.UsageError("play takes no operands");
  play.Seed = static_cast<std::uint32_t>(seed);
  if (beside >= 0) play.Beside = static_cast<std::uint32_t>(beside);
  if (givenRoster && !LabArgToCp932(roster, play.Roster)) {
    return options.UsageError("the roster's name has no Shift-JIS form");
  }
  if (givenUntil && !ParseUntil(until, play.Until)) {
    return options.UsageError("--until takes title, making, story, board, view, battle or end");
  }
  if (givenBy && !ParseAutoInput(by, play.By)) {
    return options.UsageError("--by takes clicks, keys, pad or mixed");
  }
  if (!play.Auto && !givenEvents) eventsFile = "-";
  if (givenShots) {
    std::error_code error;
    std::filesystem::create_directories(play.ShotsFolder, error);
    if (error) return options.UsageError("cannot make the folder " + play.ShotsFolder);
  }
  // 2. The events, read whole before the game starts.
  std::string events;
  if (!eventsFile.empty()) {
    std::stringstream text;
    if (eventsFile == "-") {
      text << std::cin.rdbuf();
    } else {
      std::ifstream in(eventsFile, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "quillmoor-lab play: cannot read %s\n", eventsFile.c_str());
        return LabExitFault;
      }
      text << in.rdbuf();
    }
    events = text.str();
  }
  // 3. The games, in one main window (and one beside it).
  play.Games = static_cast<int>(games);
  const int status = RunPlay(play, events) == 0 ? LabExitFine : LabExitFault;
  std::fflush(stdout);
  return status;
}

const TLabRegistration registration({"play", Usage,
                                     "plays the real game headless, from events or by itself",
                                     PlayHelpText(), Play});

}  // namespace
