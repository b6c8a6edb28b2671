// Fuzz harness: the story script. The input is loaded as the story file and
// told stage by stage, as the game tells it: for each stage from the prologue
// to the end, the jump to its piece and page turns until the piece stops.
// Every result must be a success or one of the script's error texts, and no
// page may hold more lines than the text area shows.
#include <cstdio>
#include <string>

#include "data/Tournament.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzOutcomes.h"
#include "present/Path.h"
#include "script/Story.h"
#include "script/TextFile.h"

namespace {

// A script may jump back to text forever, which the player pages through for
// as long as they like; the harness stops paging there. The shipped story
// tells 25 pages over all its stages, so a stage's piece rarely needs more
// than a few, and a loop shows all it does within its first rounds.
constexpr int MaxPageTurns = 50;

void Check(const std::string& result) {
  if (!KnownScriptResult(result)) FuzzFailure("an unknown script result: " + result);
  if (result != BromSuccess) std::fprintf(stderr, "%s\n", Cp932ToUtf8Lenient(result).c_str());
}

// Checks what the story shows.
class TCheckingView : public TStoryView {
 public:
  void ShowText(const TStringDynArray& lines) override {
    if (lines.empty() || static_cast<int>(lines.size()) > StoryPageSize) {
      FuzzFailure("a page of " + std::to_string(lines.size()) + " lines");
    }
    ++Pages;
  }
  int Pages = 0;
};

void CheckStory(const std::string& path) {
  TStory story;
  TCheckingView view;
  story.View = &view;
  Check(InitStory(story, path));
  for (int stage = 0; stage <= EndStage; ++stage) {
    story.Script.ClearStop();
    Check(GotoStoryStage(story, stage));
    for (int page = 0; page < MaxPageTurns; ++page) {
      if (page > 0 && story.Script.Stopped()) break;
      Check(TurnStoryPage(story));
    }
  }
  std::fprintf(stderr, "%d pages told\n", view.Pages);
}

}  // namespace

int main(int argc, char** argv) {
  return FuzzEachInput(argc, argv, CheckStory);
}
