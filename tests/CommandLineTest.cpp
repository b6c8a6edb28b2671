// Both programs' command lines as a user meets them: --version, a value joined
// to its option by '=', and bad usage answered in one line pointing at the
// help, with status 2; and the lab finding the game's data from any folder,
// through QUILLMOOR_DATA or --data, as the game does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/TestSupport.h"

TEST(CommandLine, VersionJoinedValuesAndBadUsageInOneLine) {
  const std::string game = std::string("SDL_VIDEODRIVER=dummy ") + QUILLMOOR_GAME_PATH;
  const std::string lab = QUILLMOOR_LAB_PATH;
  int status = -1;
  EXPECT_EQ(RunCommand(game + " --version", status), "quillmoor 1.0.0\n");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(RunCommand(lab + " --version", status), "quillmoor-lab 1.0.0\n");
  EXPECT_EQ(status, 0);
  const struct {
    std::string Command;
    const char* Names;  // what the one line must name
  } bad[] = {
      {game + " --frobnicate", "'--frobnicate'"},
      {game + " --scale=9", "'9'"},
      {game + " --scale", "--scale"},
      {game + " --mute=1", "--mute"},
      {game + " --data", "--data"},
      {lab, "no command"},
      {lab + " nosuch", "'nosuch'"},
      {lab + " tournaments --count=0", "'0'"},
      {lab + " --data", "--data"},
  };
  for (const auto& b : bad) {
    const std::string out = RunCommand(b.Command + " 2>&1", status);
    EXPECT_EQ(status, 2) << b.Command;
    EXPECT_LE(std::count(out.begin(), out.end(), '\n'), 3) << out;
    EXPECT_NE(out.find(b.Names), std::string::npos) << out;
    EXPECT_NE(out.find("help"), std::string::npos) << out;
  }
  // The same tournaments, but for the last line's CPU time.
  EXPECT_EQ(RunCommand(lab + " tournaments --count=3 --seed=7 | sed '$d'", status),
            RunCommand(lab + " tournaments --count 3 --seed 7 | sed '$d'", status));
}

TEST(CommandLine, TheLabFindsTheGamesDataFromAnyFolder) {
  const std::string lab = std::string(QUILLMOOR_LAB_PATH) + " ";
  const std::string elsewhere = "cd / && env -u QUILLMOOR_DATA ";
  const std::string data = "QUILLMOOR_DATA=" + SourcePath("") + " ";
  int status = -1;
  EXPECT_TRUE(RunCommand(elsewhere + data + lab + "check-roster", status).starts_with("OK: "));
  EXPECT_EQ(status, 0);
  RunCommand(elsewhere + lab + "--data " + SourcePath("dat") + " check-story", status);
  EXPECT_EQ(status, 0);
  const std::string play = elsewhere + "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + lab;
  EXPECT_NE(RunCommand(play + "--data=" + SourcePath("") + " play --auto --seed 1", status)
                .find("champion "),
            std::string::npos);
  EXPECT_EQ(status, 0);
  // A draft kept outside the data folder: its pictures and sounds are the
  // data folder's, which is named.
  const std::string draft = MakeTempFolder() + "/story.txt";
  WriteWholeFile(draft, ReadWholeFile(SourcePath("dat/story.txt")));
  const std::string said =
      RunCommand(elsewhere + data + lab + "check-story " + draft + " 2>&1", status);
  EXPECT_EQ(status, 0) << said;
  EXPECT_NE(said.find("looked up in " + SourcePath("dat")), std::string::npos) << said;
}
