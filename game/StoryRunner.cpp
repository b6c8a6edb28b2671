#include "game/StoryRunner.h"

#include <memory>

#include "game/Mode.h"
#include "game/Round.h"
#include "rules/InternalError.h"

void TGameStoryView::ClearPicture() {
  game_.View.ClearStoryPicture();
}

void TGameStoryView::ShowPicture(std::string_view programPath) {
  game_.View.ShowStoryPicture(programPath);
}

void TGameStoryView::SetCaption(std::string_view text) {
  AskCaption(game_, text);
}

void TGameStoryView::ShowText(const TStringDynArray& lines) {
  game_.View.ShowStoryText(lines);
}

void TGameStoryView::PlaySound(std::string_view programPath) {
  AskCue(game_, programPath);
}

void InitStory(TGame& g) {
  // 1. A fresh script, told to the story screen; captions and sounds are
  // asked for.
  g.Story = std::make_unique<TStory>();
  g.Story->View = &g.StoryView;
  // 2. The file, page size 7, the page handler and the four commands. The
  // load result is not looked at: without a story the pieces are empty pages.
  InitStory(*g.Story);
}

void FreeStory(TGame& g) {
  g.Story.reset();
}

TStory& GameStory(TGame& g) {
  if (!g.Story) InternalError("UnitStory", "the story is not set up");
  return *g.Story;
}

void EnterStory(TGame& g) {
  // 1. The piece of the stage; a missing label leaves the script where it
  // stands, and the story goes on from there. Without a story set up every
  // piece is an empty page.
  if (g.Story) GotoStoryStage(*g.Story, g.Tournament.Stage);
  // 2. Both areas empty, "close" and the page-turn region.
  g.View.ShowStory();
  // 3. The first page.
  NextParagraph(g, 0);
}

void NextParagraph(TGame& g, std::int32_t /*tag*/) {
  // The page size goes back to 7 and the script runs to the end of the next
  // page; once stopped, the script shows nothing more until "close".
  if (g.Story) TurnStoryPage(*g.Story);
  AskPresent(g);
}

void CloseStory(TGame& g, std::int32_t /*tag*/) {
  // The next piece starts from a running script, even when this one was
  // left before its "#stop".
  if (g.Story) g.Story->Script.ClearStop();
  StoryEnded(g);
}
