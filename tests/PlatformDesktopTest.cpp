// The game as a desktop program: which folder its data is read from (the
// one --data names, else the working folder, then QUILLMOOR_DATA, then the
// installation beside the program; a dat/ without the game's data passed
// over), what it says when there is none, how far --scale may go on a
// given screen, the tick loop's wait at rest and the way a signal ends it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "present/App.h"
#include "present/DataLookup.h"
#include "present/Form.h"
#include "present/Signals.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// A working folder, a QUILLMOOR_DATA folder and an installation
// (prefix/bin, prefix/share/quillmoor), each holding dat/ or not.
class DataLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = MakeTempFolder();
    previous_ = fs::current_path();
    fs::create_directories(root_ + "/work");
    fs::create_directories(root_ + "/env");
    fs::create_directories(root_ + "/prefix/bin");
    fs::create_directories(root_ + "/prefix/share/quillmoor");
    fs::current_path(root_ + "/work");
  }
  void TearDown() override { fs::current_path(previous_); }
  void Give(const std::string& where) {
    fs::create_directories(root_ + "/" + where + "/dat");
    for (const char* file : {"/dat/swordia.txt", "/dat/title.bmp"}) {
      WriteWholeFile(root_ + "/" + where + file, "x");
    }
  }
  std::string Found() {
    const std::string env = root_ + "/env";
    candidates_ = DataFolderCandidates(env.c_str(), root_ + "/prefix/bin");
    return FirstDataFolder(candidates_, DataFolderFault);
  }
  std::vector<TDataCandidate> candidates_;
  std::string root_;
  fs::path previous_;
};

}  // namespace

TEST_F(DataLookup, TheWorkingFolderThenTheEnvironmentThenTheInstallation) {
  struct TCase {
    bool Work, Env, Installed;
    const char* Expected;  // "" none, "." the working folder, else under root
  };
  const TCase cases[] = {
      {true, true, true, "."},  {false, true, true, "env"},  {false, false, true, "installed"},
      {true, false, true, "."}, {false, true, false, "env"}, {false, false, false, ""},
  };
  for (const TCase& c : cases) {
    TearDown();
    SetUp();
    if (c.Work) Give("work");
    if (c.Env) Give("env");
    if (c.Installed) Give("prefix/share/quillmoor");
    const std::string expected = std::string(c.Expected) == "env" ? root_ + "/env"
                                 : std::string(c.Expected) == "installed"
                                     ? root_ + "/prefix/share/quillmoor"
                                     : c.Expected;
    EXPECT_EQ(Found(), expected) << c.Work << c.Env << c.Installed;
  }
  // A dat/ that is not the game's is passed over, with why: a file named dat,
  // an unrelated folder, the roster without the title picture.
  WriteWholeFile(root_ + "/work/dat", "x");
  EXPECT_EQ(Found(), "");
  EXPECT_EQ(candidates_[0].PassedOver, "it holds no folder dat");
  fs::remove(root_ + "/work/dat");
  Give("env");
  fs::create_directories(root_ + "/work/dat/title.bmp");
  EXPECT_EQ(Found(), root_ + "/env");
  EXPECT_EQ(candidates_[0].PassedOver, "dat/swordia.txt is missing");
  WriteWholeFile(root_ + "/work/dat/swordia.txt", "x");
  EXPECT_EQ(Found(), root_ + "/env");
  EXPECT_EQ(candidates_[0].PassedOver, "dat/title.bmp is not a regular file");
  // An empty variable names nothing.
  EXPECT_EQ(DataFolderCandidates("", "/usr/bin").size(), 2u);
  EXPECT_EQ(DataFolderCandidates(nullptr, "/usr/bin").back().Folder, "/usr/share/quillmoor");
  EXPECT_EQ(DataFolderCandidates(nullptr, "/bin").back().Folder, "/share/quillmoor");
}

TEST_F(DataLookup, TheInstalledGameFindsItsDataFromAnyFolderAndSaysWhereItLookedWhenThereIsNone) {
  // The program copied into an installation whose data lacks the title
  // picture, started from a folder holding an unrelated dat/: one message
  // names every folder looked in, why each was passed over, and the way out.
  const std::string game = root_ + "/prefix/games/quillmoor";
  fs::create_directories(root_ + "/prefix/games");
  fs::copy_file(QUILLMOOR_GAME_PATH, game);
  Give("prefix/share/quillmoor");
  fs::remove(root_ + "/prefix/share/quillmoor/dat/title.bmp");
  fs::create_directories(root_ + "/work/dat");
  const std::string run = "cd '" + root_ + "/work' && env -u QUILLMOOR_DATA " +
                          "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 3 '" + game + "'";
  int status = 0;
  std::string out = RunCommand(run + " 2>&1", status);
  EXPECT_EQ(status, 1) << out;
  EXPECT_NE(out.find("was not found"), std::string::npos) << out;
  EXPECT_NE(out.find(root_ + "/work (the working folder): dat/swordia.txt is missing"),
            std::string::npos)
      << out;
  EXPECT_NE(
      out.find(root_ + "/prefix/share/quillmoor (the installed data): dat/title.bmp is missing"),
      std::string::npos)
      << out;
  EXPECT_NE(out.find("QUILLMOOR_DATA"), std::string::npos) << out;
  // --data, in either form, is the one folder looked in; the game's own data
  // named so plays (until the timeout ends it).
  out = RunCommand(run + " --data=" + root_ + "/env 2>&1", status);
  EXPECT_EQ(status, 1);
  EXPECT_NE(out.find(root_ + "/env (--data): it holds no folder dat"), std::string::npos) << out;
  for (const std::string& data : {SourcePath(""), SourcePath("dat")}) {
    RunCommand(run + " --data " + data + " > /dev/null 2>&1", status);
    EXPECT_EQ(status, 124) << data;
  }
}

TEST_F(DataLookup, AStartFromAnotherFolderEntersTheFolderQuillmoorDataNames) {
  // Started in an empty folder, the game moves into the folder the variable
  // names (without it, it stops at once, the title picture missing) and goes
  // on without a word until SIGTERM ends it.
  const std::string data = fs::canonical(SourcePath("")).string();
  int status = 0;
  const std::string out =
      RunCommand("cd '" + root_ + "/work' && QUILLMOOR_DATA='" + data +
                     "' SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy '" QUILLMOOR_GAME_PATH
                     "' 2>&1 & "
                     "for i in $(seq 600); do [ \"$(readlink /proc/$!/cwd)\" = '" +
                     data +
                     "' ] && break; kill -0 $! 2> /dev/null || break; sleep 0.1; done; "
                     "kill -TERM $!; wait $!; echo \"status $?\"",
                 status);
  EXPECT_EQ(out, "status 143\n");
}

// SIGTERM asks the game's loop to end, and the game ends there, by the signal:
// a loop that is never asked ends only by the watcher's fallback, which does
// not pass through the loop's end.
TEST(Signals, TheLoopIsAskedToEndAndTheProgramEndsByTheSignal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        EndOnSignals();
        kill(getpid(), SIGTERM);
        while (!TerminateRequested()) {
        }
        std::fputs("the loop was asked to end\n", stderr);
        EndBySignal();
      },
      testing::KilledBySignal(SIGTERM), "the loop was asked to end");
}

TEST(DisplayScale, TheWindowAndItsFrameStayInsideTheUsableArea) {
  struct TCase {
    int Requested, Width, Height, Expected;
  };
  const TCase cases[] = {
      {2, 1366, 740, 1},  // a laptop with a panel: 900 rows do not fit
      {4, 1280, 1000, 2}, {3, 1920, 1050, 2}, {0, 1920, 1050, 2}, {0, 3840, 2100, 4},
      {4, 2560, 1400, 3}, {0, 1816, 1398, 3}, {0, 1815, 1398, 2}, {0, 1816, 1397, 2},
      {1, 640, 480, 1},   {0, 320, 200, 1},  // nothing fits: still the smallest window
  };
  for (const TCase& c : cases) {
    const int k = TBromForm::FittingScale(c.Requested, c.Width, c.Height);
    EXPECT_EQ(k, c.Expected) << c.Requested << " on " << c.Width << "x" << c.Height;
    if (k > 1) {
      // With a frame's borders and title bar the window is still whole.
      EXPECT_LE(600 * k + 16, c.Width);
      EXPECT_LE(450 * k + 48, c.Height);
    }
  }
}

TEST(PaintBoxPresent, APictureThatChangesNoPixelIsNotPresentedAgain) {
  TBromForm form("presents");
  TBromPaintBox& box = form.PaintBox();
  TBromBitmap picture;
  picture.SetSize(600, 450);
  picture.Fill(MakeColor(10, 20, 30));
  const std::int64_t before = box.Presented();
  box.Show(picture);
  box.Show(picture);
  EXPECT_EQ(box.Presented(), before + 1);
  // One pixel, even in the last row, is a change.
  picture.SetPixel(599, 449, MakeColor(10, 20, 31));
  box.Show(picture);
  EXPECT_EQ(box.Presented(), before + 2);
  EXPECT_TRUE(ColorsEqual(box.Canvas().Pixel(599, 449), MakeColor(10, 20, 31)));
  // An uncovered window is drawn again whatever it holds.
  box.Refresh();
  EXPECT_EQ(box.Presented(), before + 3);
}
