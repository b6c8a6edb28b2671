// quillmoor-lab story [--file FILE] STAGE: tells the story piece of a stage as
// the game does on entering it, then turns pages until nothing more changes,
// printing each page, each command line run and each error of a step.
#include <cstdint>
#include <limits>
#include <string>

#include "lab/Lab.h"
#include "present/Path.h"
#include "script/Story.h"
#include "script/TextFile.h"

namespace {

// Stops a piece whose pages never run out ("#goto" back over text).
constexpr int MaxPageTurns = 200;

// Prints each page as it is shown.
class TPrintingView : public TStoryView {
 public:
  void ShowText(const TStringDynArray& lines) override {
    for (const std::string& line : lines) LabPrint(line);
  }
};

// An error text on one line: CR LF written as the two characters \n. The
// text is made readable first, so a broken byte (a lone lead byte ending a
// quoted script line) cannot pair with the written backslash.
std::string OneLine(const std::string& text) {
  const std::string readable = Cp932ToUtf8Lenient(text);
  std::string out;
  for (std::size_t i = 0; i < readable.size(); ++i) {
    if (readable[i] == '\r' && i + 1 < readable.size() && readable[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else {
      out.push_back(readable[i]);
    }
  }
  return Utf8ToCp932(out);
}

int Story(const TLabArgs& args) {
  std::string file = StoryFileName;
  std::string stageText;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--file" && i + 1 < args.size()) {
      if (!LabArgToCp932(args[++i], file)) {
        LabError("story: the file name has no Shift-JIS form");
        return 2;
      }
    } else if (stageText.empty()) {
      stageText = args[i];
    } else {
      stageText.clear();
      break;
    }
  }
  long long stage = 0;
  if (stageText.empty() || !LabParseInt(stageText, stage) ||
      stage < std::numeric_limits<std::int32_t>::min() ||
      stage > std::numeric_limits<std::int32_t>::max()) {
    LabError("usage: quillmoor-lab story [--file FILE] STAGE");
    return 2;
  }

  TStory story;
  TPrintingView view;
  story.View = &view;
  // The game ignores a faulty story file; an author is told of it.
  const std::string loaded = InitStory(story, file);
  const bool loadFailed = !TBromFileAccess::Succeeded(loaded);
  if (loadFailed) LabError(OneLine(loaded));
  story.Script.SetCommandObserver(
      [](std::string_view line, std::string_view) { LabPrint("-- " + std::string(line)); });

  // Entering the story: the jump to the stage's piece, then the first page.
  GotoStoryStage(story, static_cast<int>(stage));
  for (int page = 1; page <= MaxPageTurns; ++page) {
    // A page turn on a stopped piece changes nothing.
    if (page > 1 && story.Script.Stopped()) break;
    LabPrint("== page " + std::to_string(page));
    const std::string result = TurnStoryPage(story);
    if (!TBromFileAccess::Succeeded(result)) LabPrint("!! " + OneLine(result));
  }
  return loadFailed ? 1 : 0;
}

const TLabRegistration registration(
    {"story",
     "[--file FILE] STAGE  tell a stage's story piece page by page (default dat\\story.txt)",
     Story});

}  // namespace
