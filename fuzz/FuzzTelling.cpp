#include "fuzz/FuzzTelling.h"

#include "data/Tournament.h"
#include "script/Story.h"
#include "script/TextFile.h"

namespace {

// Counts the pages the story shows, and those no page may be.
class TPageCounter : public TStoryView {
 public:
  explicit TPageCounter(TStoryTelling& telling) : telling_(telling) {}
  void ShowText(const TStringDynArray& lines) override {
    ++telling_.Pages;
    if (lines.empty() || static_cast<int>(lines.size()) > StoryPageSize) ++telling_.BadPages;
  }

 private:
  TStoryTelling& telling_;
};

}  // namespace

TStoryTelling TellStory(const std::string& path) {
  TStoryTelling telling;
  TPageCounter view(telling);
  TStory story;
  story.View = &view;
  const auto note = [&telling](const std::string& result) {
    if (result != BromSuccess) telling.Errors.push_back(result);
  };
  const std::string loaded = InitStory(story, path);
  telling.Loaded = loaded == BromSuccess;
  note(loaded);
  for (int stage = 0; stage <= EndStage; ++stage) {
    story.Script.ClearStop();
    note(GotoStoryStage(story, stage));
    for (int page = 0; page < StoryTellingTurns; ++page) {
      if (page > 0 && story.Script.Stopped()) break;
      note(TurnStoryPage(story));
    }
  }
  return telling;
}
