// The story screen in the main window, headless: the pictures in its picture
// area, its close button under the pointer and the text box's seven lines,
// with story files written by the tests.
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

class StoryScreen : public GameFolder {
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
};

TEST_F(StoryScreen, PicturesAreCutNotScaledAndDrawnOverTheOldOne) {
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

TEST_F(StoryScreen, TheCloseButtonLightsUpUnderThePointer) {
  Tell("@Stage0\nx\n#stop\n");
  const TPixelColor plain = Screen().Pixel(CloseButton.Left + 1, CloseButton.Top + 1);
  MoveTo(CloseButton.Left + 3, CloseButton.Top + 3);
  const TPixelColor lit = Screen().Pixel(CloseButton.Left + 1, CloseButton.Top + 1);
  EXPECT_FALSE(ColorsEqual(lit, plain));
  EXPECT_GT(lit.Red, lit.Blue);
  MoveTo(100, 100);
  EXPECT_TRUE(ColorsEqual(Screen().Pixel(CloseButton.Left + 1, CloseButton.Top + 1), plain));
}

TEST_F(StoryScreen, APageOfEightLinesIsAnInternalError) {
  Tell("@Stage0\nx\n#stop\n");
  ShowStoryText(Screens(), TStringDynArray(7, "seven"));
  Present(Screens());
  EXPECT_EQ(LinesShown(), 7);
  EXPECT_THROW(ShowStoryText(Screens(), TStringDynArray(8, "eight")), TInternalError);
}

}  // namespace
