// quillmoor-lab story [--file FILE] STAGE: tells the story piece of a stage as
// the game does on entering it, then turns pages until nothing more changes,
// printing each page, each command line run and each error of a step.
#include <string>

#include "lab/Lab.h"
#include "lab/LabInput.h"
#include "lab/LabOptions.h"
#include "script/Story.h"
#include "script/TextFile.h"

namespace {

// Stops a piece whose pages never run out ("#goto" back over text).
constexpr int MaxPageTurns = 200;
constexpr int LastStage = 5;

// Prints each page as it is shown.
class TPrintingView : public TStoryView {
 public:
  void ShowText(const TStringDynArray& lines) override {
    for (const std::string& line : lines) LabPrint(line);
  }
};

// A script's text with each CR LF written as a line break, every line after
// the first behind `prefix` too.
std::string Lines(const std::string& text, const std::string& prefix) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\n" + prefix;
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

int Story(const TLabArgs& args, const TLabPlatform&) {
  // 1. The options and the stage.
  TLabOptions options("story", args);
  std::string fileArg;
  bool hasFile = false;
  const bool utf8 = options.Flag("--utf8");
  if (!options.Value("--file", fileArg, hasFile) || !options.Finish()) return LabExitUsage;
  long long stage = -1;
  if (options.Operands().size() != 1 || !LabParseInt(options.Operands()[0], stage) || stage < 0 ||
      stage > LastStage) {
    return options.UsageError("STAGE must be one number from 0 to 5");
  }
  TLabTextFile file;
  bool usage = false;
  if (!file.Open("story", fileArg, StoryFileName, utf8, usage)) {
    return usage ? LabExitUsage : LabExitFault;
  }
  bool faulty = file.WarnIfUtf8("story");

  // 2. The story as the game sets it up. The game ignores a faulty file;
  // an author is told of it.
  TStory story;
  TPrintingView view;
  story.View = &view;
  const std::string loaded = InitStory(story, file.ReadPath());
  if (!TBromFileAccess::Succeeded(loaded)) {
    LabError("quillmoor-lab story: " + Lines(file.Shown(loaded), ""));
    faulty = true;
  }
  story.Script.SetCommandObserver(
      [](std::string_view line, std::string_view) { LabPrint("-- " + std::string(line)); });

  // 3. Entering the story: the jump to the stage's piece, then the first
  // page. A missing label leaves the script where it stands: here, its top.
  if (!TBromFileAccess::Succeeded(GotoStoryStage(story, static_cast<int>(stage)))) {
    LabError("quillmoor-lab story: " + file.Name() + " has no " + StoryLabelPrefix +
             std::to_string(stage) + ": the game tells the file from where the script stands");
    faulty = true;
  }
  for (int page = 1; page <= MaxPageTurns; ++page) {
    // A page turn on a stopped piece changes nothing.
    if (page > 1 && story.Script.Stopped()) break;
    LabPrint("== page " + std::to_string(page));
    const std::string result = TurnStoryPage(story);
    if (!TBromFileAccess::Succeeded(result)) {
      LabPrint("!! " + Lines(file.Shown(result), "!! "));
      faulty = true;
    }
  }
  return faulty ? LabExitFault : LabExitFine;
}

const TLabRegistration registration(
    {"story", "[--file FILE] [--utf8] STAGE", "tell the story piece of a stage page by page",
     "Tells the piece @Stage0 to @Stage5 of FILE (default dat/story.txt) as the story screen\n"
     "does when the stage is entered, from a fresh start, one click after another:\n"
     "  == page N   a click; the lines of the page it shows follow (none: an empty page)\n"
     "  -- LINE     a command line run on the way (#Image, #Wave, #Title, #Line)\n"
     "  !! TEXT     the error that stopped the piece (the game shows nothing of it)\n"
     "It stops once the piece is stopped: a sound piece ends with one last '== page N' that\n"
     "shows nothing. A file that does not load, a missing label, a step error or a file that\n"
     "looks like UTF-8 (see --utf8) is a fault (exit 1), explained on standard error.",
     Story});

}  // namespace
