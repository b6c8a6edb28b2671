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
#include "lab/LabPlayDriver.h"

namespace {

const char* const Usage =
    "[--seed N] [--roster FILE] [--events FILE] [--auto] [--shots DIR] [--until MODE|end] "
    "[--check] [--games N] [--font FILE]";

int PlayUsage(const std::string& why) {
  std::fprintf(stderr, "quillmoor-lab play: %s\nusage: quillmoor-lab play %s\n", why.c_str(),
               Usage);
  return 2;
}

int Play(const TLabArgs& args) {
  TPlayOptions options;
  std::string eventsFile;
  long long games = 1;
  // 1. The options.
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--auto") {
      options.Auto = true;
    } else if (a == "--check") {
      options.Check = true;
    } else if (a == "--seed") {
      long long n = 0;
      if (!value(v) || !LabParseInt(v, n) || n < 0 || n > 0xFFFFFFFFLL) {
        return PlayUsage("--seed takes a whole number from 0 to 4294967295");
      }
      options.Seed = static_cast<std::uint32_t>(n);
    } else if (a == "--games") {
      if (!value(v) || !LabParseInt(v, games) || games < 1 || games > 10000) {
        return PlayUsage("--games takes a whole number from 1 to 10000");
      }
    } else if (a == "--roster") {
      if (!value(v) || !LabArgToCp932(v, options.Roster)) return PlayUsage("--roster takes a file");
    } else if (a == "--events") {
      if (!value(eventsFile)) return PlayUsage("--events takes a file ('-' for standard input)");
    } else if (a == "--font") {
      if (!value(options.FontFile)) return PlayUsage("--font takes a font file");
    } else if (a == "--shots") {
      if (!value(options.ShotsFolder)) return PlayUsage("--shots takes a folder");
    } else if (a == "--until") {
      if (!value(v) || !ParseUntil(v, options.Until)) {
        return PlayUsage("--until takes title, making, story, board, view, battle or end");
      }
    } else if (a == "-h" || a == "--help") {
      std::printf("usage: quillmoor-lab play %s\n%s", Usage, PlayHelpText());
      return 0;
    } else {
      return PlayUsage("unknown option '" + a + "'");
    }
  }
  if (!options.Auto && eventsFile.empty()) eventsFile = "-";
  if (!options.ShotsFolder.empty()) {
    std::error_code error;
    std::filesystem::create_directories(options.ShotsFolder, error);
    if (error) return PlayUsage("cannot create the folder " + options.ShotsFolder);
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
        return 1;
      }
      text << in.rdbuf();
    }
    events = text.str();
  }
  // 3. The games, each in a fresh main window.
  int status = 0;
  for (long long g = 0; g < games; ++g) {
    TPlayOptions one = options;
    one.Seed = options.Seed + static_cast<std::uint32_t>(g);
    if (games > 1) std::printf("game %lld seed %u\n", g + 1, one.Seed);
    const int s = RunPlay(one, events);
    if (s != 0) status = s;
    std::fflush(stdout);
  }
  return status;
}

const TLabRegistration registration{{"play", Usage, Play}};

}  // namespace
