// The story as the player sees it: pages in the text box, the picture area,
// the caption, "close", and the story script's faults, played headless on
// the real story screen with story files written by the tests.
#include <gtest/gtest.h>

#include <string>

#include "data/Tournament.h"
#include "game/Mode.h"
#include "game/Step.h"
#include "game/StoryRunner.h"
#include "paint/ScreenKit.h"
#include "paint/StoryScreens.h"
#include "rules/Cues.h"
#include "rules/InternalError.h"
#include "tests/FlowTestSupport.h"

namespace {

class StoryFlow : public GameFolder {
 protected:
  // Writes the story and enters the piece of `stage`.
  void Tell(const std::string& story, int stage = 0) {
    PutDataFile("story.txt", story);
    OpenWindow();
    Game().Tournament.Stage = stage;
    EnterMode(Game(), Shell(), gmStory);
    ASSERT_EQ(Game().Mode, gmStory);
  }
  void TurnPage() { LeftClick(300, 200); }
  // How many of the text box's seven lines hold something.
  int LinesShown() {
    int n = 0;
    for (int i = 0; i < 7; ++i) {
      const int top = 313 + 18 * i;
      if (AnyPixelNot(Screen(), 0, top, 600, top + 14, ColorBlack)) ++n;
    }
    return n;
  }
  std::string Pixels() {
    const TBromBitmap& s = Screen();
    return std::string(reinterpret_cast<const char*>(s.Rows()[0]), 600 * 450 * 3);
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
  const std::string page = Pixels();
  for (int i = 0; i < 3; ++i) TurnPage();
  EXPECT_EQ(Pixels(), page);
  EXPECT_EQ(Game().Mode, gmStory);
  LeftClick(CloseButton.Left + 2, CloseButton.Top + 2);
  EXPECT_EQ(Game().Mode, gmBoard);
  EXPECT_EQ(Game().Tournament.Stage, 1);
  EXPECT_EQ(cues_.Played.back(), CueTransition);
}

TEST_F(StoryFlow, ClosingAPieceThatReachedItsStopLetsTheNextPieceShowItsText) {
  Tell("@Stage0\nzero\n\n#stop\n@Stage1\none\ntwo\n#stop\n");
  TurnPage();
  ASSERT_TRUE(GameStory(Game()).Script.Stopped());
  LeftClick(CloseButton.Left + 2, CloseButton.Top + 2);
  ASSERT_EQ(Game().Tournament.Stage, 1);
  EnterMode(Game(), Shell(), gmStory);
  EXPECT_EQ(LinesShown(), 2);
}

TEST_F(StoryFlow, AWaveWithTwoNamesStopsThePiece) {
  Tell("@Stage0\n#Wave wind.wav\nbefore\n\n#Wave a.wav b.wav\nafter\n#stop\n");
  EXPECT_EQ(cues_.CountOf("dat\\wind.wav"), 1);
  EXPECT_EQ(LinesShown(), 1);
  const std::string page = Pixels();
  TurnPage();
  TurnPage();
  EXPECT_TRUE(GameStory(Game()).Script.Stopped());
  EXPECT_EQ(Pixels(), page);  // "after" never shows
  EXPECT_EQ(cues_.CountOf("dat\\a.wav"), 0);
  LeftClick(CloseButton.Left + 2, CloseButton.Top + 2);
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
  LeftClick(CloseButton.Left + 2, CloseButton.Top + 2);
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

TEST_F(StoryFlow, PicturesAreCutNotScaledAndDrawnOverTheOldOne) {
  const TPixelColor blue = MakeColor(0, 0, 255);
  PutDataFile("full.bmp", BmpFile(600, 300, blue));
  PutDataFile("wide.bmp", BmpFile(800, 200, ColorRed));
  PutDataFile("broken.bmp", "BM this is no picture");
  Tell(
      "@Stage0\n#Image full.bmp\na\n\n#Image wide.bmp\nb\n\n#Image broken.bmp\nc\nd\n\n"
      "#Image\ne\n#stop\n");
  auto outsideClose = [](int x, int y) { return !RectContains(CloseButton, x, y); };
  // A whole picture, the "close" button over it.
  EXPECT_TRUE(ColorsEqual(Screen().Pixel(10, 10), blue));
  EXPECT_TRUE(ColorsEqual(Screen().Pixel(599, 299), blue));
  EXPECT_FALSE(ColorsEqual(Screen().Pixel(CloseButton.Left + 1, CloseButton.Top + 1), blue));
  // 800 x 200: its left 600 columns over the top 200 rows; below, the old one.
  TurnPage();
  for (int x : {0, 300, 599}) {
    for (int y : {0, 199}) {
      if (outsideClose(x, y)) {
        EXPECT_TRUE(ColorsEqual(Screen().Pixel(x, y), ColorRed)) << x << "," << y;
      }
    }
    EXPECT_TRUE(ColorsEqual(Screen().Pixel(x, 200), blue)) << x;
    EXPECT_TRUE(ColorsEqual(Screen().Pixel(x, 299), blue)) << x;
  }
  // A picture that cannot be read leaves the area as it was; the page shows.
  TurnPage();
  EXPECT_TRUE(ColorsEqual(Screen().Pixel(5, 5), ColorRed));
  EXPECT_TRUE(ColorsEqual(Screen().Pixel(5, 250), blue));
  EXPECT_EQ(LinesShown(), 2);
  // No picture: the area blank, the button kept.
  TurnPage();
  EXPECT_FALSE(AnyPixelNot(Screen(), 0, 0, 600, 10, ColorBlack));
  EXPECT_TRUE(AnyPixelNot(Screen(), CloseButton.Left, CloseButton.Top, CloseButton.Right,
                          CloseButton.Bottom, ColorBlack));
  LeftClick(CloseButton.Left + 2, CloseButton.Top + 2);
  EXPECT_EQ(Game().Mode, gmBoard);
}

TEST_F(StoryFlow, TheCloseButtonLightsUpUnderThePointer) {
  Tell("@Stage0\nx\n#stop\n");
  const TPixelColor plain = Screen().Pixel(CloseButton.Left + 1, CloseButton.Top + 1);
  MoveTo(CloseButton.Left + 3, CloseButton.Top + 3);
  const TPixelColor lit = Screen().Pixel(CloseButton.Left + 1, CloseButton.Top + 1);
  EXPECT_FALSE(ColorsEqual(lit, plain));
  EXPECT_GT(lit.Red, lit.Blue);
  MoveTo(100, 100);
  EXPECT_TRUE(ColorsEqual(Screen().Pixel(CloseButton.Left + 1, CloseButton.Top + 1), plain));
}

TEST_F(StoryFlow, APageOfEightLinesIsAnInternalError) {
  Tell("@Stage0\nx\n#stop\n");
  ShowStoryText(Screens(), TStringDynArray(7, "seven"));
  Present(Screens());
  EXPECT_EQ(LinesShown(), 7);
  EXPECT_THROW(ShowStoryText(Screens(), TStringDynArray(8, "eight")), TInternalError);
}

}  // namespace
