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
#include "present/Bitmap.h"
#include "present/Wave.h"
#include "script/Story.h"
#include "script/TextFile.h"
#include "tests/FuzzSupport.h"
#include "tests/TestSupport.h"

namespace {

// The texts a roster fault begins with: the file's own error, or a message
// and CR LF before the line number.
const char* const RosterFaultHeads[] = {
    "【エラー】",
    "#Nameで始まらない不正な入力です。\r\n",
    "#Specで始まらない不正な入力です。\r\n",
    "#Imageで始まらない不正な入力です。\r\n",
    "#FlavorBeginで始まらない不正な入力です。\r\n",
    "名前が空です。\r\n",
    "名前が長すぎます。最大32バイトまでです。\r\n",
    "不正な記述です。スラッシュは4個でなくてはなりません。\r\n",
    "数値記述が不正です。\r\n",
    "HPは5の倍数でなくてはなりません。\r\n",
    "剣の記述が不正です。\r\n",
    "途心（ボーナス合計）が10になっていません。\r\n",
    "画像ファイルが無いか読めないか大き過ぎます。\r\n",
    "不正な記述です。\r\n",
    "設定が長すぎます。最大200行までです。\r\n",
    "設定の行頭に#を置いてはいけません。\r\n",
    "行が長すぎます。最大70バイトまでです。\r\n",
};
// The roster faults that name no line.
const char* const RosterWholeFaults[] = {
    "剣師データが途中で途切れています。",
    "剣師データが多すぎます。最大100体までです。",
    "剣師データが足りません。最低32体必要です。",
};

// The texts as cp932, converted once.
template <std::size_t N>
std::vector<std::string> Cp932Texts(const char* const (&texts)[N]) {
  std::vector<std::string> out;
  for (const char* text : texts) out.push_back(Sj(text));
  return out;
}

// "" when the fault is one the roster writes, otherwise why not.
std::string CheckRosterFault(const std::string& fault) {
  static const std::vector<std::string> wholes = Cp932Texts(RosterWholeFaults);
  static const std::vector<std::string> heads = Cp932Texts(RosterFaultHeads);
  for (const std::string& whole : wholes) {
    if (fault == whole) return "";
  }
  for (const std::string& sjHead : heads) {
    if (!fault.starts_with(sjHead)) continue;
    if (sjHead == heads[0]) return "";  // the file's own error
    // The line number, ": " and at most 256 bytes of the line, then "…".
    const std::size_t colon = fault.find(": ", sjHead.size());
    if (colon == std::string::npos) return "no line number";
    const std::string quoted = fault.substr(colon + 2);
    if (quoted.size() > 256 + 2) return "a quote of " + std::to_string(quoted.size()) + " bytes";
    return "";
  }
  return "an unknown fault";
}

// The texts a script result other than success begins with.
const char* const ScriptErrorHeads[] = {
    "【エラー】存在しないファイル：",
    "【エラー】【TBromFileAccess.InTextSet】",
    "【エラー】行数が多すぎます。最大9999行までです。\r\nin ",
    "【エラー】ラベル重複：",
    "【エラー】文章の無い#gotoの繰り返しです。\r\nin ",
    "【エラー】不正な#goto：",
    "【エラー】不正なアドレス名：",
    "【エラー】パラメータ過少：",
    "【エラー】パラメータ過多：",
    "【エラー】#Lineの行数が不正です：",
    "【エラー】@",  // a label that is not there
};

bool KnownScriptResult(const std::string& result) {
  static const std::vector<std::string> heads = Cp932Texts(ScriptErrorHeads);
  if (result == BromSuccess) return true;
  for (const std::string& head : heads) {
    if (result.starts_with(head)) return true;
  }
  return false;
}

// Counts the pages the story shows and checks that none is over-full.
class TPageCounter : public TStoryView {
 public:
  void ShowText(const TStringDynArray& lines) override {
    ++Pages;
    if (lines.empty() || static_cast<int>(lines.size()) > StoryPageSize) ++Overfull;
  }
  int Pages = 0;
  int Overfull = 0;
};

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
    if (ReadRoster(roster, portraits, entries, fault)) {
      ++successes;
      ASSERT_GE(entries.size(), 32u) << i << " from " << mutator.LastSeedName();
      ASSERT_LE(entries.size(), 100u) << i << " from " << mutator.LastSeedName();
    } else {
      ++faults;
      const std::string why = CheckRosterFault(fault);
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
    TStory story;
    TPageCounter view;
    story.View = &view;
    const std::string result = InitStory(story, file);
    ASSERT_TRUE(KnownScriptResult(result)) << i << ": " << U8(result);
    loaded += result == BromSuccess ? 1 : 0;
    // As the game tells it: each stage's piece, page by page, until it
    // stops (or, for a piece that jumps back to its text for ever, long
    // after any player would have stopped paging).
    for (int stage = 0; stage <= EndStage; ++stage) {
      story.Script.ClearStop();
      const std::string jumped = GotoStoryStage(story, stage);
      ASSERT_TRUE(KnownScriptResult(jumped)) << i << ": " << U8(jumped);
      for (int page = 0; page < 50 && !(page > 0 && story.Script.Stopped()); ++page) {
        const std::string turned = TurnStoryPage(story);
        ASSERT_TRUE(KnownScriptResult(turned))
            << i << " from " << mutator.LastSeedName() << ": " << U8(turned);
      }
    }
    ASSERT_EQ(view.Overfull, 0) << i << " from " << mutator.LastSeedName();
    pages += view.Pages;
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
