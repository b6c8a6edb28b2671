#include "flow/StoryRunner.h"

#include <memory>

#include "flow/Mode.h"
#include "flow/TournamentFlow.h"
#include "paint/ScreenKit.h"
#include "paint/StoryScreens.h"
#include "rules/InternalError.h"

namespace {

// The story screen, and the caption and sounds asked of the window, as the
// script sees them.
class TGameStoryView : public TStoryView {
 public:
  explicit TGameStoryView(TGame& game) : game_(game) {}
  void ClearPicture() override { ClearStoryPicture(ScreensOf(game_)); }
  void ShowPicture(std::string_view programPath) override {
    ShowStoryPicture(ScreensOf(game_), programPath);
  }
  void SetCaption(std::string_view text) override { AskCaption(game_, text); }
  void ShowText(const TStringDynArray& lines) override { ShowParagraph(ScreensOf(game_), lines); }
  void PlaySound(std::string_view programPath) override { AskCue(game_, programPath); }

 private:
  TGame& game_;
};

}  // namespace

void InitStory(TGame& g) {
  // 1. A fresh script, told to the story screen; captions and sounds are
  // asked for.
  g.StoryView = std::make_unique<TGameStoryView>(g);
  g.Story = std::make_unique<TStory>();
  g.Story->View = g.StoryView.get();
  // 2. The file, page size 7, the page handler and the four commands. The
  // load result is not looked at: without a story the pieces are empty pages.
  InitStory(*g.Story);
}

void FreeStory(TGame& g) {
  g.Story.reset();
  g.StoryView.reset();
}

TStory& GameStory(TGame& g) {
  if (!g.Story) InternalError("UnitStory", "the story is not set up");
  return *g.Story;
}

void EnterStory(TGame& g) {
  // 1. The piece of the stage; a missing label leaves the script where it
  // stands, and the story goes on from there. Without a story set up (no
  // main window: screens tested on their own) every piece is an empty page.
  if (g.Story) GotoStoryStage(*g.Story, g.Tournament.Stage);
  // 2. Both areas empty, "close" and the page-turn region.
  ShowScreen(g, PaintStory(ScreensOf(g)));
  // 3. The first page.
  NextParagraph(g, 0);
}

void NextParagraph(TGame& g, std::int32_t /*tag*/) {
  // The page size goes back to 7 and the script runs to the end of the next
  // page; once stopped, the script shows nothing more until "close".
  if (g.Story) TurnStoryPage(*g.Story);
  Present(ScreensOf(g));
}

void ShowParagraph(TScreens& s, const TStringDynArray& lines) {
  ShowStoryText(s, lines);
}

void CloseStory(TGame& g, std::int32_t /*tag*/) {
  // The next piece starts from a running script, even when this one was
  // left before its "#stop".
  if (g.Story) g.Story->Script.ClearStop();
  StoryEnded(g);
}
