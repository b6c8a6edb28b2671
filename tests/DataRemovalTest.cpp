// Every data file taken away in turn, and the data folder broken as a whole:
// the game either goes on (a missing cue, story picture or centre picture is
// silent, a missing story tells empty pages) or shows a clear message and
// ends. Never a crash, a hang or a black window left running, and the game
// writes nothing. Each case plays the real game through the lab's play
// driver, from a working folder of its own whose dat/ links to the shipped
// files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// The play: the prologue, the board, then thirty steps of the first battle.
std::string Events() {
  std::string events = "auto battle\n";
  for (int i = 0; i < 30; ++i) events += "click 300 150\nwait 20\n";
  return events;
}

struct TOutcome {
  int Status = -1;
  std::string Output;
  long PeakKb = 0;  // the play's largest resident size
  std::set<std::string> FilesAfter;
};

// Every name under the folder; links are listed, never followed.
void ListInto(const fs::path& folder, const fs::path& top, std::set<std::string>& names) {
  std::error_code error;
  for (const auto& e : fs::directory_iterator(folder, error)) {
    names.insert(e.path().lexically_relative(top).string());
    if (fs::is_directory(fs::symlink_status(e.path(), error))) ListInto(e.path(), top, names);
  }
}

std::set<std::string> Listing(const std::string& folder) {
  std::set<std::string> names;
  ListInto(folder, folder, names);
  return names;
}

// A working folder whose dat/ holds a link to every shipped file.
std::string MakeWorld() {
  const std::string world = MakeTempFolder();
  fs::create_directory(world + "/dat");
  for (const auto& e : fs::directory_iterator(SourcePath("dat"))) {
    fs::create_symlink(e.path(), world + "/dat/" + e.path().filename().string());
  }
  WriteWholeFile(world + "/play.events", Events());
  return world;
}

TOutcome Play(const std::string& world) {
  const std::set<std::string> before = Listing(world);
  TOutcome o;
  const std::string command = "cd '" + world + "' && /usr/bin/time -f 'peak-kb %M' timeout 120 " +
                              QUILLMOOR_LAB_PATH + " play --seed 2 --events play.events 2>&1";
  o.Output = RunCommand(command, o.Status);
  const std::size_t peak = o.Output.rfind("peak-kb ");
  if (peak != std::string::npos) o.PeakKb = std::atol(o.Output.c_str() + peak + 8);
  o.FilesAfter = Listing(world);
  EXPECT_EQ(o.FilesAfter, before) << "the game wrote into its working folder";
  return o;
}

// Went on: the battle was reached and the play ended normally.
void ExpectWentOn(const TOutcome& o, const std::string& what) {
  EXPECT_EQ(o.Status, 0) << what << "\n" << o.Output.substr(0, 1500);
  EXPECT_NE(o.Output.find("mode battle stage 1"), std::string::npos) << what;
}

// Ended with a message naming `named`, without a crash or a hang.
void ExpectClearEnd(const TOutcome& o, const std::string& what, const std::string& named) {
  EXPECT_EQ(o.Status, 1) << what << "\n" << o.Output.substr(0, 1500);
  EXPECT_NE(o.Output.find(named), std::string::npos) << what << "\n" << o.Output.substr(0, 1500);
}

}  // namespace

TEST(DataRemoval, EveryShippedFileTakenAwayInTurn) {
  // Which files the roster names (a missing portrait is a roster fault).
  const std::string roster = ReadWholeFile(SourcePath("dat/swordia.txt"));
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(SourcePath("dat"))) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string world = MakeWorld();
    fs::remove(world + "/dat/" + name);
    const TOutcome o = Play(world);
    const std::string what = "without dat/" + name;
    if (name == "swordia.txt") {
      ExpectClearEnd(o, what, "swordia.txt");
    } else if (name == "title.bmp" || name == "back.jpg") {
      ExpectClearEnd(o, what, name);
    } else if (name == "noimage.bmp") {
      ExpectClearEnd(o, what, "#Image");  // an entry without a picture of its own uses it
    } else if (roster.find(Sj(name)) != std::string::npos) {
      ExpectClearEnd(o, what, name);  // the roster check names the portrait's line
    } else {
      ExpectWentOn(o, what);
    }
    EXPECT_NE(o.Status, -1) << what << ": the program did not end normally";
  }
}

TEST(DataRemoval, TheDataFolderBrokenAsAWhole) {
  // No dat/ at all: the title picture cannot be shown.
  {
    const std::string world = MakeWorld();
    fs::remove_all(world + "/dat");
    ExpectClearEnd(Play(world), "no dat/", "title.bmp");
  }
  // dat is a plain file.
  {
    const std::string world = MakeWorld();
    fs::remove_all(world + "/dat");
    WriteWholeFile(world + "/dat", "not a folder");
    ExpectClearEnd(Play(world), "dat/ a file", "title.bmp");
  }
  // The roster cannot be read (a link that leads to itself), or is a folder.
  for (const bool loop : {true, false}) {
    const std::string world = MakeWorld();
    fs::remove(world + "/dat/swordia.txt");
    if (loop) {
      fs::create_symlink("swordia.txt", world + "/dat/swordia.txt");
    } else {
      fs::create_directory(world + "/dat/swordia.txt");
    }
    ExpectClearEnd(Play(world), loop ? "unreadable roster" : "roster a folder", "swordia.txt");
  }
  // The backdrop is a folder; a cue is a folder; the story is a folder.
  {
    const std::string world = MakeWorld();
    fs::remove(world + "/dat/back.jpg");
    fs::create_directory(world + "/dat/back.jpg");
    ExpectClearEnd(Play(world), "back.jpg a folder", "back.jpg");
  }
  for (const char* name : {"popon.wav", "story.txt", "top.bmp"}) {
    const std::string world = MakeWorld();
    fs::remove(world + std::string("/dat/") + name);
    fs::create_directory(world + std::string("/dat/") + name);
    ExpectWentOn(Play(world), std::string(name) + " a folder");
  }
}

TEST(DataRemoval, EveryKindOfFileAsAPipeAFolderAnOversizedHeaderOrDevZero) {
  const long normalKb = Play(MakeWorld()).PeakKb;
  ASSERT_GT(normalKb, 0);
  // Headers that claim 8192 x 4096 pixels or a sound at 1 Hz (1.7 GB once
  // converted for the device), in files of a few kilobytes.
  std::string bmp(1080, '\0');
  bmp.replace(0, 2, "BM");
  bmp.replace(14, 16, std::string("\x28\0\0\0\0\x20\0\0\0\x10\0\0\1\0\x08\0", 16));
  bmp.replace(30, 1, "\1");        // run-length coded
  bmp.replace(10, 2, "\x36\x04");  // pixels after the palette
  std::string jpeg = ReadWholeFile(SourcePath("dat/arena.jpg"));
  const std::size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  jpeg.replace(frame + 5, 4, std::string("\x10\x00\x20\x00", 4));
  std::string wave = ReadWholeFile(SourcePath("dat/bell.wav"));
  wave.replace(24, 4, std::string("\1\0\0\0", 4));
  struct TKind {
    const char* Name;
    bool Ends;  // the game ends with a message naming the file, or goes on
    const std::string* Oversized;
  };
  const TKind kinds[] = {
      {"swordia.txt", true, nullptr}, {"story.txt", false, nullptr}, {"title.bmp", true, &bmp},
      {"back.jpg", true, &jpeg},      {"top.bmp", false, &bmp},      {"hero.bmp", true, &bmp},
      {"gate.jpg", false, &jpeg},     {"ガソ.wav", false, &wave},    {"wind.wav", false, &wave},
  };
  for (const TKind& kind : kinds) {
    for (const std::string harm : {"a pipe", "a folder", "an oversized header", "/dev/zero"}) {
      if (harm == "an oversized header" && kind.Oversized == nullptr) continue;
      const std::string world = MakeWorld();
      const std::string file = world + "/dat/" + kind.Name;
      fs::remove(file);
      if (harm == "a pipe") mkfifo(file.c_str(), 0600);
      if (harm == "a folder") fs::create_directory(file);
      if (harm == "an oversized header") WriteWholeFile(file, *kind.Oversized);
      if (harm == "/dev/zero") fs::create_symlink("/dev/zero", file);
      const TOutcome o = Play(world);
      const std::string what = std::string(kind.Name) + " as " + harm;
      if (kind.Ends) {
        ExpectClearEnd(o, what, kind.Name);
      } else {
        ExpectWentOn(o, what);
      }
      EXPECT_LT(o.PeakKb, normalKb + 64 * 1024) << what;
    }
  }
}
