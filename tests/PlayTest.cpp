// Whole games played by the lab's play driver: autoplayed tournaments that
// keep the tournament's rules to the champion's board, the same output for
// the same seed, the event language's faults, and golden screens of the real
// program at a dozen moments of one scripted game.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "present/PngFile.h"
#include "tests/TestSupport.h"

namespace {

const char* const PinnedFont = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

int CountLines(const std::string& text, const std::string& prefix) {
  std::istringstream in(text);
  int n = 0;
  for (std::string line; std::getline(in, line);) n += line.rfind(prefix, 0) == 0 ? 1 : 0;
  return n;
}

std::vector<std::string> LinesOf(const std::string& text, const std::string& prefix) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(prefix, 0) == 0) out.push_back(line);
  }
  return out;
}

}  // namespace

// Many whole games in one window, each after the last by F2: 20 in a
// normal build, 50 under the sanitizers (the soak), QUILLMOOR_SOAK_GAMES to
// choose. Every game keeps the tournament's rules to the champion's board,
// and the process does not grow from game to game.
TEST(PlayDriver, AutoplayedGamesReachTheChampionKeepingTheRules) {
#if defined(__SANITIZE_ADDRESS__)
  int games = 50;
  const bool measureMemory = false;  // the sanitizer's quarantine holds freed memory
#else
  int games = 20;
  const bool measureMemory = true;
#endif
  if (const char* soak = std::getenv("QUILLMOOR_SOAK_GAMES")) games = std::atoi(soak);
  ASSERT_GE(games, 2);
  int status = -1;
  const std::string out =
      RunLab("play --auto --check --seed 1 --games " + std::to_string(games), status, true);
  EXPECT_EQ(status, 0) << out.substr(0, 2000);
  EXPECT_EQ(CountLines(out, "champion "), games);
  const std::vector<std::string> violations = LinesOf(out, "violation");
  EXPECT_TRUE(violations.empty()) << violations.front();
  // Every game shows its board at every stage from 1 to the end (6).
  for (int stage = 1; stage <= 6; ++stage) {
    EXPECT_GE(CountLines(out, "mode board stage " + std::to_string(stage)), games) << stage;
  }
  // Round by round the matches halve: 16 + 8 + 4 + 2 + 1 a game.
  EXPECT_EQ(CountLines(out, "match "), games * 31);
  // The peak after the last game is within 5 % of the peak after the second.
  const std::vector<std::string> peaks = LinesOf(out, "peak ");
  ASSERT_EQ(static_cast<int>(peaks.size()), games);
  const long second = std::atol(peaks[1].c_str() + 5);
  const long last = std::atol(peaks.back().c_str() + 5);
  if (measureMemory) {
    EXPECT_LE(last, second + second / 20) << peaks[1] << " / " << peaks.back();
  }
}

TEST(PlayDriver, TheSameSeedPlaysTheSameGameScreenForScreen) {
  const std::string a = MakeTempFolder(), b = MakeTempFolder();
  int sa = -1, sb = -1;
  const std::string font = std::string(" --font ") + PinnedFont;
  const std::string outA = RunLab("play --auto --seed 5 --shots " + a + font, sa);
  const std::string outB = RunLab("play --auto --seed 5 --shots " + b + font, sb);
  ASSERT_EQ(sa, 0);
  ASSERT_EQ(sb, 0);
  EXPECT_EQ(outA, outB);
  int shots = 0;
  for (const auto& entry : std::filesystem::directory_iterator(a)) {
    const std::string name = entry.path().filename().string();
    ASSERT_TRUE(std::filesystem::exists(b + "/" + name)) << name;
    EXPECT_EQ(ReadWholeFile(entry.path().string()), ReadWholeFile(b + "/" + name)) << name;
    ++shots;
  }
  // One picture per mode change that drew its screen, numbered in order.
  EXPECT_GT(shots, 10);
  EXPECT_TRUE(std::filesystem::exists(a + "/001-title-s0.png"));
  // Another seed plays another game, and a game played beside it changes
  // nothing of it.
  int sc = -1, sd = -1;
  const std::string outC = RunLab("play --auto --seed 6", sc, true);
  EXPECT_NE(outC, outA);
  EXPECT_EQ(RunLab("play --auto --seed 6 --beside 5", sd, true), outC);
  EXPECT_EQ(sd, 0);
}

TEST(PlayDriver, EventsDriveTheTitleAndFaultsAreNamed) {
  const std::string folder = MakeTempFolder();
  WriteWholeFile(folder + "/ok.events",
                 "# the title ignores right clicks and moves\n"
                 "right 10 10\nmove 300 200\nwait 100\nclick 300 200\nwait 50\n");
  int status = -1;
  const std::string out = RunLab("play --events " + folder + "/ok.events", status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(LinesOf(out, "mode "),
            (std::vector<std::string>{"mode title stage 0", "mode making stage 0"}));
  EXPECT_EQ(CountLines(out, "cue "), 1);  // the transition of the game start
  WriteWholeFile(folder + "/bad.events", "wait 10\njump 1 2\n");
  const std::string bad = RunLab("play --events " + folder + "/bad.events", status, true);
  EXPECT_EQ(status, 1);
  EXPECT_NE(bad.find("event line 2: unknown event"), std::string::npos) << bad;
  RunLab("play --until nowhere", status);
  EXPECT_EQ(status, 2);
  // Stopped where --until asks, the autoplayer's game has not ended early.
  const std::string stopped = RunLab("play --seed 3 --auto --until making", status, true);
  EXPECT_EQ(status, 0) << stopped;
  EXPECT_EQ(stopped.find("violation"), std::string::npos) << stopped;
  RunLab("play --colour blue", status);
  EXPECT_EQ(status, 2);
}

// On the title F2 has no tournament to end (there is no hero yet), and a
// held M toggles the sound once, not once a repeat: the game start's cue is
// heard exactly when the sound is on.
TEST(PlayDriver, OnTheTitleF2DoesNothingAndAHeldMTogglesOnce) {
  const std::string events = MakeTempFolder() + "/keys.events";
  for (const auto& [keys, cues] : {std::pair<std::string, int>{"key f2\n", 1},
                                   {"key m\nkey m held\n", 0},
                                   {"key m\nkey m\n", 1}}) {
    WriteWholeFile(events, keys + "click 300 200\nwait 50\n");
    int status = -1;
    const std::string out = RunLab("play --events " + events, status);
    EXPECT_EQ(status, 0) << keys;
    EXPECT_EQ(LinesOf(out, "mode "),
              (std::vector<std::string>{"mode title stage 0", "mode making stage 0"}))
        << keys;
    EXPECT_EQ(CountLines(out, "cue "), cues) << keys;
  }
}

// Keys are clicks on the screen's regions: a game driven by keys alone from
// the prologue to the champion's board plays as the same game driven by the
// clicks they stand for. Space stands for a click at (450, 300), which is
// START on the board and a step everywhere else; Escape for the story's close.
TEST(PlayDriver, AGameDrivenByKeysPlaysAsTheSameGameDrivenByClicks) {
  std::string events[2];  // by keys, by clicks
  const auto add = [&](const std::string& keys, const std::string& clicks, int times = 1) {
    for (int i = 0; i < times; ++i) events[0] += keys + "\n", events[1] += clicks + "\n";
  };
  add("click 300 225", "click 300 225");
  add("click 340 48", "click 340 48", 10);  // a weak hero: out in round 1
  add("click 523 280\nkey space\nkey escape", "click 523 280\nclick 450 300\nclick 555 20");
  add("key space\nwait 60", "click 450 300\nwait 60", 3000);
  const std::string folder = MakeTempFolder();
  std::string out[2];
  for (int i = 0; i < 2; ++i) {
    const std::string name = folder + "/" + std::to_string(i);
    WriteWholeFile(name + ".events", events[i] + "shot end\n");
    int status = -1;
    out[i] = RunLab("play --seed 1 --events " + name + ".events --shots " + name, status);
    ASSERT_EQ(status, 0);
  }
  EXPECT_EQ(CountLines(out[0], "champion "), 1);
  EXPECT_EQ(CountLines(out[0], "slots "), 6);
  EXPECT_EQ(out[0], out[1]);
  EXPECT_EQ(ReadWholeFile(folder + "/0/end.png"), ReadWholeFile(folder + "/1/end.png"));
}

// Whole games without a mouse, every rule kept: by keys alone (seed 12: the
// hero wins a round and spends its point through the board's main key), by a
// virtual game controller alone (seed 5, likewise), and with random keys,
// buttons and clicks among the moves.
TEST(PlayDriver, WithoutAMouseWholeGamesKeepTheRules) {
  const struct {
    const char* Args;
    const char* Untouched;  // what the game was not given, as the driver counts
  } runs[] = {{"--by keys --seed 12", "0 controller presses, 0 clicks, 0 pointer moves"},
              {"--by pad --seed 5", ": 0 keys, "},
              {"--by mixed --seed 1 --games 4", ""}};
  for (const auto& run : runs) {
    int status = -1;
    const std::string out = RunLab(std::string("play --auto --check ") + run.Args, status, true);
    EXPECT_EQ(status, 0) << run.Args;
    EXPECT_EQ(CountLines(out, "violation"), 0) << out.substr(0, 2000);
    EXPECT_EQ(CountLines(out, "champion "), CountLines(out, "mode title"));
    if (*run.Untouched == '\0') continue;
    EXPECT_NE(out.find(run.Untouched), std::string::npos) << run.Args;
    EXPECT_NE(out.find("0 clicks, 0 pointer moves"), std::string::npos) << run.Args;
    EXPECT_EQ(CountLines(out, "mode making stage 2"), 1) << run.Args;
  }
}

// F1 over every screen of the scripted game of the golden screens: the help
// page shows, and closed by a key or a click (which do nothing else) it
// leaves the same picture as before, and the game goes on as without it. M
// marks the caption while the sounds are off.
TEST(PlayDriver, WithoutAMouseTheHelpPageLeavesEveryScreenAsItWas) {
  const std::string folder = MakeTempFolder();
  std::istringstream script(ReadWholeFile(SourcePath("tests/golden/screens/game.events")));
  std::string plain, helped;
  std::vector<std::string> shots;
  for (std::string line; std::getline(script, line);) {
    plain += line + "\n";
    helped += line + "\n";
    // Every shot but the script's own of the help page.
    if (line.rfind("shot ", 0) != 0 || line == "shot help") continue;
    const std::string name = line.substr(5);
    shots.push_back(name);
    helped += "key f1\nshot " + name + "-help\n" + (shots.size() % 2 ? "key escape" : "click 5 5") +
              "\nshot " + name + "-back\n";
  }
  std::string out[2];
  int i = 0;
  for (const std::string* events : {&plain, &helped}) {
    WriteWholeFile(folder + "/game.events", *events);
    int status = -1;
    out[i++] = RunLab("play --events " + folder + "/game.events --shots " + folder, status);
    ASSERT_EQ(status, 0);
  }
  EXPECT_EQ(out[0], out[1]);
  ASSERT_GE(shots.size(), 12u);
  for (const std::string& name : shots) {
    const std::string shot = ReadWholeFile(folder + "/" + name + ".png");
    EXPECT_EQ(ReadWholeFile(folder + "/" + name + "-back.png"), shot) << name;
    EXPECT_NE(ReadWholeFile(folder + "/" + name + "-help.png"), shot) << name;
  }
  WriteWholeFile(folder + "/mute.events", "key m\nwait 10\nkey m\nwait 10\n");
  int status = -1;
  EXPECT_EQ(LinesOf(RunLab("play --events " + folder + "/mute.events", status), "caption"),
            (std::vector<std::string>{"caption Quillmoor　（消音中）", "caption Quillmoor"}));
}

// The golden screens: one scripted game photographed at a dozen moments,
// compared pixel for pixel with the pictures under tests/golden/screens. With
// QUILLMOOR_UPDATE_GOLDEN=1 the pictures are written anew there and into the
// gallery under docs/screens instead.
TEST(PlayDriver, GoldenScreens) {
  const std::string shots = MakeTempFolder();
  int status = -1;
  const std::string out = RunLab("play --events " + SourcePath("tests/golden/screens/game.events") +
                                     " --shots " + shots + " --font " + PinnedFont,
                                 status, true);
  ASSERT_EQ(status, 0) << out.substr(0, 2000);
  const bool update = std::getenv("QUILLMOOR_UPDATE_GOLDEN") != nullptr;
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(shots)) {
    const std::string name = entry.path().filename().string();
    const std::string golden = SourcePath("tests/golden/screens/" + name);
    if (update) {
      const std::string bytes = ReadWholeFile(entry.path().string());
      WriteWholeFile(golden, bytes);
      WriteWholeFile(SourcePath("docs/screens/" + name), bytes);
      continue;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << name << " has no golden picture";
    TBromBitmap got, want;
    ReadPng(got, entry.path().string());
    ReadPng(want, golden);
    ASSERT_EQ(got.Width(), want.Width()) << name;
    ASSERT_EQ(got.Height(), want.Height()) << name;
    bool same = true;
    for (int y = 0; same && y < got.Height(); ++y) {
      for (int x = 0; same && x < got.Width(); ++x) {
        const TPixelColor g = got.Pixel(x, y), w = want.Pixel(x, y);
        if (!ColorsEqual(g, w)) {
          same = false;
          ADD_FAILURE() << name << ": first differing pixel (" << x << ", " << y << "): got "
                        << int(g.Red) << "," << int(g.Green) << "," << int(g.Blue) << " want "
                        << int(w.Red) << "," << int(w.Green) << "," << int(w.Blue);
        }
      }
    }
    ++compared;
  }
  if (!update) {
    EXPECT_GE(compared, 12);
  }
}
