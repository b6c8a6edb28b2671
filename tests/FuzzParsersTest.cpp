// Every file the game reads, damaged in many seeded ways (tests/FuzzSupport):
// each input must end in success or in one of the faults the game reports,
// never in a crash, a hang or a message nobody wrote. QUILLMOOR_FUZZ_ITERATIONS
// sets how many inputs each parser gets (20,000 by default).
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Roster.h"
#include "data/Tournament.h"
#include "fuzz/FuzzOutcomes.h"
#include "fuzz/FuzzTelling.h"
#include "present/Bitmap.h"
#include "present/PictureCheck.h"
#include "present/Wave.h"
#include "script/Story.h"
#include "script/TextFile.h"
#include "tests/FuzzSupport.h"
#include "tests/TestSupport.h"

namespace {

// Loads every damaged picture as a portrait: returns how many loaded.
int FuzzPictures(const std::string& target, const std::string& ending, std::uint32_t seed) {
  const TFuzzSource source = LoadFuzzSource(target, ending);
  TMutator mutator(source, seed);
  const std::string file = MakeTempFolder() + "/input" + ending;
  int loaded = 0;
  const int iterations = FuzzIterations();
  for (int i = 0; i < iterations; ++i) {
    WriteFuzzInput(file, mutator.Next());
    TBromBitmap picture;
    try {
      picture.LoadImage(file, PortraitSize, PortraitSize);
    } catch (const TImageError&) {
      EXPECT_EQ(picture.Width(), 0);  // a failed load leaves the surface alone
      continue;
    }
    ++loaded;
    EXPECT_LE(picture.Width(), PortraitSize) << i << " from " << mutator.LastSeedName();
    EXPECT_LE(picture.Height(), PortraitSize) << i << " from " << mutator.LastSeedName();
    EXPECT_EQ(static_cast<int>(picture.Rows().size()), picture.Height());
    if (::testing::Test::HasFailure()) break;
  }
  return loaded;
}

}  // namespace

TEST(FuzzParsers, RosterEndsInEntriesOrAKnownFault) {
  const TFuzzSource source = LoadFuzzSource("roster", "swordia.txt");
  TMutator mutator(source, 17001);
  const std::string folder = MakeTempFolder();
  const std::string roster = folder + "/swordia.txt";
  const std::string portraits = SourcePath("fuzz/roster/portraits/");
  int successes = 0;
  int faults = 0;
  const int iterations = FuzzIterations();
  for (int i = 0; i < iterations; ++i) {
    WriteFuzzInput(roster, mutator.Next());
    std::vector<TSwordia> entries;
    std::string fault;
    if (ReadRoster(roster, portraits, PictureCheck(), entries, fault)) {
      ++successes;
      ASSERT_GE(entries.size(), 32u) << i << " from " << mutator.LastSeedName();
      ASSERT_LE(entries.size(), 100u) << i << " from " << mutator.LastSeedName();
    } else {
      ++faults;
      const std::string why = RosterFaultProblem(fault);
      ASSERT_EQ(why, "") << i << " from " << mutator.LastSeedName() << ": " << U8(fault);
    }
  }
  // Both outcomes occur: the damage reaches past the first entries.
  EXPECT_GT(successes, iterations / 100);
  EXPECT_GT(faults, iterations / 2);
}

TEST(FuzzParsers, StoryToldThroughEveryStageEndsInKnownResults) {
  const TFuzzSource source = LoadFuzzSource("story", "story.txt");
  TMutator mutator(source, 17002);
  const std::string file = MakeTempFolder() + "/story.txt";
  int loaded = 0;
  int pages = 0;
  const int iterations = FuzzIterations();
  for (int i = 0; i < iterations; ++i) {
    WriteFuzzInput(file, mutator.Next());
    // As the game tells it: each stage's piece, page by page, until it
    // stops (or, for a piece that jumps back to its text for ever, long
    // after any player would have stopped paging).
    const TStoryTelling telling = TellStory(file);
    for (const std::string& error : telling.Errors) {
      ASSERT_TRUE(KnownScriptResult(error))
          << i << " from " << mutator.LastSeedName() << ": " << U8(error);
    }
    loaded += telling.Loaded ? 1 : 0;
    ASSERT_EQ(telling.BadPages, 0) << i << " from " << mutator.LastSeedName();
    pages += telling.Pages;
  }
  EXPECT_GT(loaded, iterations / 2);
  EXPECT_GT(pages, iterations);
}

TEST(FuzzParsers, BmpLoadsWithinThePortraitSizeOrFails) {
  const int loaded = FuzzPictures("bmp", ".bmp", 17003);
  EXPECT_GT(loaded, FuzzIterations() / 20);
}

TEST(FuzzParsers, JpegLoadsWithinThePortraitSizeOrFails) {
  const int loaded = FuzzPictures("jpeg", ".jpg", 17004);
  EXPECT_GT(loaded, FuzzIterations() / 50);
}

TEST(FuzzParsers, WavePlaysOrIsSilent) {
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  const TFuzzSource source = LoadFuzzSource("wave", ".wav");
  TMutator mutator(source, 17005);
  const std::string file = MakeTempFolder() + "/cue.wav";
  int played = 0;
  const int iterations = FuzzIterations();
  for (int i = 0; i < iterations; ++i) {
    WriteFuzzInput(file, mutator.Next());
    player.Forget();
    player.Play(file, false);
    ASSERT_LE(player.SoundsPlaying(), 1) << i;
    played += player.Playing() == file ? 1 : 0;
  }
  player.Close();
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  EXPECT_GT(played, iterations / 20);
}
