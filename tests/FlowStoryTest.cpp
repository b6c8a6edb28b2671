// The story as the player meets it: pages in the text box, the caption,
// "close", and the story script's faults, played on the logic library with a
// game of the test's own and story files written by the tests.
#include <gtest/gtest.h>

#include <string>

#include "data/Tournament.h"
#include "game/Mode.h"
#include "game/Step.h"
#include "game/StoryRunner.h"
#include "rules/Cues.h"
#include "tests/GameTestSupport.h"

namespace {

class StoryFlow : public GameInFolder {
 protected:
  // Writes the story and enters the piece of `stage`.
  void Tell(const std::string& story, int stage = 0) {
    PutDataFile("story.txt", story);
    OpenGame();
    Game().Tournament.Stage = stage;
    EnterMode(Game(), Shell(), gmStory);
    ASSERT_EQ(Game().Mode, gmStory);
  }
  void TurnPage() { Click(TCommandKind::NextPage); }
  // The picture and the page shown.
  std::string Shown() {
    std::string shown = view_.Picture;
    for (const std::string& line : view_.Page) shown += "\n" + line;
    return shown;
  }
};

std::string Lines(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) text += "line " + std::to_string(i) + "\n";
  return text;
}

TEST_F(StoryFlow, NineLinesMakeAPageOfSevenThenOneOfTwo) {
  Tell("@Stage0\n" + Lines(9) + "#stop\n");
  EXPECT_EQ(LinesShown(), 7);
  TurnPage();
  EXPECT_EQ(LinesShown(), 2);
}

TEST_F(StoryFlow, ALineCommandSizesOnlyThePageItStarts) {
  Tell("@Stage0\n#Line 3\n" + Lines(5) + "#stop\n");
  EXPECT_EQ(LinesShown(), 3);
  TurnPage();
  EXPECT_EQ(LinesShown(), 2);
}

TEST_F(StoryFlow, ClicksAfterTheStopChangeNothingAndCloseLeaves) {
  Tell("@Stage0\n" + Lines(2) + "#stop\nnever shown\n");
  EXPECT_EQ(LinesShown(), 2);
  const std::string page = Shown();
  for (int i = 0; i < 3; ++i) TurnPage();
  EXPECT_EQ(Shown(), page);
  EXPECT_EQ(Game().Mode, gmStory);
  Click(TCommandKind::CloseStory);
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(Game().Tournament.Stage, 1);
  EXPECT_EQ(cues_.Played.back(), CueTransition);
}

TEST_F(StoryFlow, ClosingAPieceThatReachedItsStopLetsTheNextPieceShowItsText) {
  Tell("@Stage0\nzero\n\n#stop\n@Stage1\none\ntwo\n#stop\n");
  TurnPage();
  ASSERT_TRUE(GameStory(Game()).Script.Stopped());
  Click(TCommandKind::CloseStory);
  ASSERT_EQ(Game().Tournament.Stage, 1);
  EnterMode(Game(), Shell(), gmStory);
  EXPECT_EQ(LinesShown(), 2);
}

TEST_F(StoryFlow, AWaveWithTwoNamesStopsThePiece) {
  Tell("@Stage0\n#Wave wind.wav\nbefore\n\n#Wave a.wav b.wav\nafter\n#stop\n");
  EXPECT_EQ(cues_.CountOf("dat\\wind.wav"), 1);
  EXPECT_EQ(LinesShown(), 1);
  const std::string page = Shown();
  TurnPage();
  TurnPage();
  EXPECT_TRUE(GameStory(Game()).Script.Stopped());
  EXPECT_EQ(Shown(), page);  // "after" never shows
  EXPECT_EQ(cues_.CountOf("dat\\a.wav"), 0);
  Click(TCommandKind::CloseStory);
  EXPECT_EQ(Game().Mode, gmBoard);
}

TEST_F(StoryFlow, AMissingLabelGoesOnWhereTheScriptStands) {
  Tell("#Title Opening\nfirst\n#stop\n@Stage0\n#Title Zero\nzero\n#stop\n", 3);
  EXPECT_EQ(CaptionU8(), "Opening");
  EXPECT_EQ(LinesShown(), 1);
}

TEST_F(StoryFlow, CloseLeavesMidPieceAndTheNextPieceStartsAtItsLabel) {
  Tell("@Stage0\n" + Lines(20) + "#stop\n@Stage1\n#Title One\none\n#stop\n");
  EXPECT_EQ(LinesShown(), 7);
  Click(TCommandKind::CloseStory);
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(Game().Tournament.Stage, 1);
  EnterMode(Game(), Shell(), gmStory);
  EXPECT_EQ(CaptionU8(), "One");
  EXPECT_EQ(LinesShown(), 1);
}

TEST_F(StoryFlow, TitleWithoutTextRestoresTheProductName) {
  Tell("@Stage0\n#Title Somewhere\nx\n\n#Title\ny\n#stop\n");
  EXPECT_EQ(CaptionU8(), "Somewhere");
  TurnPage();
  EXPECT_EQ(CaptionU8(), "Quillmoor");
}

}  // namespace
