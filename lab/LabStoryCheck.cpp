// quillmoor-lab check-story [FILE]: checks a story file for everything that
// would make a piece go wrong in the game, and names the line of each fault.
// The game itself ignores every fault of its story: a piece then stops early,
// shows an empty page, runs on into the next piece or starts from the top.
//
// The checks, in order:
//   1. the file loads as the game loads it (a duplicate label refuses the
//      whole file: both lines are named);
//   2. every piece @Stage0 to @Stage5 has its label;
//   3. every command line has the parameters its command takes, "#Line" a
//      whole number and "#goto" a target that some line holds;
//   4. every picture and sound a command names exists and can be decoded;
//   5. every text line fits the 600-pixel text box in the game's font;
//   6. the six pieces, told in the game's order on one script as the game
//      tells them, each end stopped by their own "#stop" without running
//      into the next piece, show text, and leave no page half counted at
//      their "#stop" (which would open the next piece on an empty page).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lab/Lab.h"
#include "lab/LabInput.h"
#include "lab/LabOptions.h"
#include "lab/LabPlatform.h"
#include "present/Path.h"
#include "rules/DataFolder.h"
#include "script/ScriptCommand.h"
#include "script/Story.h"
#include "script/TextFile.h"

namespace {

constexpr int FirstStage = 0;
constexpr int LastStage = 5;
// The text box: 600 pixels wide, text drawn from x = 12.
constexpr int TextBoxWidth = 600;
constexpr int TextLeft = 12;
// A piece that turns more pages than this never stops ("#goto" back over text).
constexpr int MaxPageTurns = 200;

// The findings, each printed as "FILE:LINE: message" (or "FILE: message").
class TFindings {
 public:
  explicit TFindings(const TLabTextFile& file) : file_(file) {}
  void Add(int line, const std::string& message) {
    LabPrint(file_.Name() + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " +
             message);
    ++count_;
  }
  // An error of the script's own rules: named once per line, whether found
  // by reading the lines or by telling the pieces.
  void AddError(int line, const std::string& message) {
    if (errorLines_.insert(line).second) Add(line, message);
  }
  int Count() const { return count_; }

 private:
  const TLabTextFile& file_;
  int count_ = 0;
  std::set<int> errorLines_;
};

// A line as the script sees it: comment cut, then its first token.
std::string FirstToken(const std::string& rawLine) {
  const std::size_t comment = TBromString::Find(rawLine, "//");
  const std::string line = comment == std::string::npos ? rawLine : rawLine.substr(0, comment);
  return TBromScriptCommand::Tokenize(line)[0];
}

// An error text of the script without its "\r\nin FILE" tail.
std::string WithoutWhere(const std::string& text) {
  const std::size_t at = TBromString::Find(text, "\r\nin ");
  return at == std::string::npos ? text : text.substr(0, at);
}

// 1. The file as the game loads it; false when it does not load.
bool CheckLoad(const TLabTextFile& file, const std::string& loaded, TFindings& findings) {
  if (TBromFileAccess::Succeeded(loaded)) return true;
  const std::string message = WithoutWhere(file.Shown(loaded));
  // A duplicate label: the game names the label; the lab names both lines.
  TStringDynArray lines;
  std::string result;
  int count = 0;
  TTextFileFault read;
  TBromFileAccess::InTextSet(file.ReadPath(), lines, result, count, ScriptLineCapacity - 1, &read);
  // A limit broken while reading: the line where it broke, and which.
  if (read.Kind != TTextFileFault::TKind::None && read.Kind != TTextFileFault::TKind::Missing) {
    findings.Add(read.Line, message + ": " + TextFileFaultText(read, ScriptLineCapacity - 1));
    return false;
  }
  std::map<std::string, int> labels;
  for (int i = 0; i < count && TBromFileAccess::Succeeded(result); ++i) {
    const std::string token = FirstToken(lines[static_cast<std::size_t>(i)]);
    if (!token.starts_with("@")) continue;
    const auto [at, fresh] = labels.emplace(token, i + 1);
    if (!fresh) {
      findings.Add(i + 1, message + " (first on line " + std::to_string(at->second) +
                              "; the game refuses the whole file and every piece shows an "
                              "empty page)");
      return false;
    }
  }
  findings.Add(0, message);
  return false;
}

// The index of the line holding the label, or -1.
int LabelLine(const TBromScript& script, const std::string& label) {
  for (int i = 0; i < script.LineCount(); ++i) {
    if (script.Line(i) == label) return i;
  }
  return -1;
}

// 3. A "#goto" whose target no line holds: the game reports nothing and
// reads on from the line after the jump, so the piece silently goes astray.
std::string MissingTargetFault(const TBromScript& script, const std::string& target) {
  if (!target.starts_with("@")) {
    return "【エラー】不正なアドレス名：" + target +
           " (a #goto target is a label, beginning with @; the game would carry on silently "
           "after this line)";
  }
  std::string labels;
  for (int i = 0; i < script.LineCount(); ++i) {
    if (!script.Line(i).starts_with("@")) continue;
    labels += (labels.empty() ? "" : ", ") + script.Line(i);
  }
  return "【エラー】" + target +
         "が見つかりませんでした。 (the game would carry on silently after " +
         "this line; the labels are: " + (labels.empty() ? std::string("none") : labels) + ")";
}

// What the commands that name a file take: a name with a space in it reads
// as two names.
std::string OneNameHint(const TBromScriptCommand& cmd) {
  if (TBromString::SameText(cmd.Name(), "#Wave"))
    return " (#Wave takes exactly one sound file name, without spaces)";
  if (TBromString::SameText(cmd.Name(), "#Image"))
    return " (#Image takes one picture file name without spaces, or none to blank the picture)";
  return "";
}

std::string StageLabel(int stage) {
  return StoryLabelPrefix + std::to_string(stage);
}

// 2. to 5., line by line.
void CheckLines(const TLabTextFile& file, TStory& story, const TLabPlatform& platform,
                TFindings& findings) {
  const TBromScript& script = story.Script;
  // 2. The labels of the six pieces.
  for (int stage = FirstStage; stage <= LastStage; ++stage) {
    if (LabelLine(script, StageLabel(stage)) < 0) {
      findings.Add(0, StageLabel(stage) +
                          " is missing: the game would tell that stage from wherever the "
                          "script stands");
    }
  }
  bool canMeasure = true;
  // A draft kept outside the data folder names the game's pictures and
  // sounds: one not beside it is looked up in the data folder, as the game
  // would read it once the draft is in place.
  const std::string draftFolder = file.Folder();
  const auto place = [&](const std::string& name) {
    return ProgramFileExists(draftFolder + name) ? draftFolder + name : DataPath(name);
  };
  if (draftFolder != DataFolder) {
    std::fprintf(stderr,
                 "quillmoor-lab check-story: pictures and sounds not beside the story are looked "
                 "up in %s\n",
                 std::filesystem::absolute(DiskPath(DataFolder)).lexically_normal().c_str());
  }
  // The closing "#stop" is the script's own, not a line of the file.
  for (int i = 0; i + 1 < script.LineCount(); ++i) {
    const std::string& line = script.Line(i);
    const TStringDynArray tokens = TBromScriptCommand::Tokenize(line);
    const std::string& first = tokens[0];
    const int number = i + 1;
    if (line.empty() || first.starts_with("@") || TBromString::SameText(first, "#stop")) continue;
    // 3. "#goto" and the commands.
    if (TBromString::SameText(first, "#goto")) {
      if (tokens.size() < 2) {
        findings.AddError(number, "【エラー】不正な#goto：" + line);
      } else if (LabelLine(script, tokens[1]) < 0) {
        findings.AddError(number, MissingTargetFault(script, tokens[1]));
      }
      continue;
    }
    bool command = false;
    for (int c = 0; c < script.CommandCount(); ++c) {
      const TBromScriptCommand& cmd = script.Command(c);
      if (!TBromScriptCommand::IsCommand(line, cmd.Name())) continue;
      command = true;
      const int params = static_cast<int>(tokens.size()) - 1;
      if (params < cmd.MinParams()) {
        findings.AddError(number, "【エラー】パラメータ過少：" + line + OneNameHint(cmd));
      } else if (params > cmd.MaxParams()) {
        findings.AddError(number, "【エラー】パラメータ過多：" + line + OneNameHint(cmd));
      } else if (TBromString::SameText(cmd.Name(), "#Line")) {
        std::int32_t n = 0;
        if (!TBromString::ParseDecimal(tokens[1], n))
          findings.AddError(number, "【エラー】#Lineの行数が不正です：" + tokens[1]);
      } else if (TBromString::SameText(cmd.Name(), "#Image") && params == 1) {
        // 4. The picture decodes.
        const std::string at = place(tokens[1]);
        const TPictureReading picture = platform.ReadStoryPicture(at);
        if (picture.Result == TPictureReading::TResult::BadName) {
          findings.Add(number, "the picture " + tokens[1] + " has a name no file can have");
        } else if (picture.Result != TPictureReading::TResult::Shown) {
          findings.Add(number, "the picture " + ShownPath(at) +
                                   " cannot be shown: " + file.Shown(picture.Fault));
        }
      } else if (TBromString::SameText(cmd.Name(), "#Wave")) {
        // 4. The sound plays. A data chunk that claims more than the file
        // holds is named too, although the game plays what is there.
        std::string note;
        const std::string at = place(tokens[1]);
        const std::string fault = platform.SoundFault(at, note);
        const std::string sound = "the sound " + ShownPath(at);
        if (!fault.empty()) {
          findings.Add(number, sound + " cannot be played: " + fault);
        } else if (!note.empty()) {
          findings.Add(number, sound + " is cut short: " + note);
        }
      }
      break;
    }
    if (command || !canMeasure) continue;
    // 5. A text line: its width in the game's font.
    try {
      const int width = platform.StoryLineWidth(line);
      if (TextLeft + width > TextBoxWidth) {
        findings.Add(number, "the line is " + std::to_string(width) +
                                 " pixels wide; the text box shows " +
                                 std::to_string(TextBoxWidth - TextLeft) +
                                 " (36 full-width characters): the rest is cut off");
      }
    } catch (const std::exception& e) {
      LabError(std::string("quillmoor-lab check-story: line widths not checked: ") + e.what());
      canMeasure = false;
    }
  }
}

// Counts the pages a story view is shown.
class TPageCounter : public TStoryView {
 public:
  void ShowText(const TStringDynArray&) override { ++Shown; }
  int Shown = 0;
};

// 6. The pieces told in order on one script, as the game tells them.
void CheckPieces(TStory& story, TPageCounter& view, TFindings& findings) {
  TBromScript& script = story.Script;
  std::map<int, int> stageOfLine;  // label line index -> stage
  for (int stage = FirstStage; stage <= LastStage; ++stage) {
    const int at = LabelLine(script, StageLabel(stage));
    if (at >= 0) stageOfLine[at] = stage;
  }
  for (int stage = FirstStage; stage <= LastStage; ++stage) {
    const int start = LabelLine(script, StageLabel(stage));
    if (start < 0) continue;
    GotoStoryStage(story, stage);
    view.Shown = 0;
    int runsInto = -1;
    bool stopped = false;
    bool failed = false;
    for (int turn = 1; turn <= MaxPageTurns && !stopped; ++turn) {
      const int before = script.Position();
      const std::string result = TurnStoryPage(story);
      // The lines this turn read: does it cross the label of another piece?
      for (int i = before; i < script.Position() && runsInto < 0; ++i) {
        const auto other = stageOfLine.find(i);
        if (other != stageOfLine.end() && other->second != stage) runsInto = other->first;
      }
      if (!TBromFileAccess::Succeeded(result)) {
        failed = true;
        findings.AddError(script.Position(), WithoutWhere(result) + " (the piece " +
                                                 StageLabel(stage) + " stops here)");
      }
      stopped = script.Stopped();
    }
    const std::string piece = "the piece " + StageLabel(stage);
    if (!stopped) {
      findings.Add(start + 1, piece + " does not stop within " + std::to_string(MaxPageTurns) +
                                  " pages (a #goto that leads back?)");
    } else if (runsInto >= 0) {
      findings.Add(runsInto + 1, piece + " runs on into " + script.Line(runsInto) +
                                     ": end it with an empty line and #stop before this label");
    } else if (view.Shown == 0 && !failed) {
      findings.Add(start + 1, piece + " shows no text: its first page is empty");
    }
    // A page still being counted at the stop opens the next piece on an
    // empty page: the count goes on across the stop.
    if (stopped && !failed && script.PageLines() > 0 && !script.PageDone() && stage < LastStage) {
      // The "#stop" just read, or the end of the file.
      const int last = script.Position() - 1;
      if (last >= 0 && TBromString::SameText(FirstToken(script.Line(last)), "#stop")) {
        findings.Add(last + 1,
                     "no empty line before this #stop: the next piece would open on "
                     "an empty page");
      } else {
        findings.Add(0,
                     "no empty line at the end of the file: the next piece would open on an "
                     "empty page");
      }
    }
    // "close" ends the piece.
    script.ClearStop();
  }
}

int CheckStory(const TLabArgs& args, const TLabPlatform& platform) {
  TLabOptions options("check-story", args);
  const bool utf8 = options.Flag("--utf8");
  if (!options.Finish()) return LabExitUsage;
  if (options.Operands().size() > 1) {
    return options.UsageError("one story file at most");
  }
  TLabTextFile file;
  bool usage = false;
  if (!file.Open("check-story", options.Operands().empty() ? std::string() : options.Operands()[0],
                 StoryFileName, utf8, usage)) {
    return usage ? LabExitUsage : LabExitFault;
  }
  TFindings findings(file);
  const bool looksUtf8 = file.WarnIfUtf8("check-story");
  TStory story;
  TPageCounter view;
  story.View = &view;
  if (CheckLoad(file, InitStory(story, file.ReadPath()), findings)) {
    CheckLines(file, story, platform, findings);
    CheckPieces(story, view, findings);
  }
  if (findings.Count() == 0 && !looksUtf8) {
    LabPrint("OK: " + file.Name());
    return LabExitFine;
  }
  return LabExitFault;
}

const TLabRegistration registration(
    {"check-story", "[--utf8] [FILE]", "check a story for every fault that spoils a piece",
     "Reads FILE (default dat/story.txt) as the game does and prints one line per fault,\n"
     "'FILE:LINE: message' (or 'FILE: message'): a label the game refuses, a missing piece\n"
     "@Stage0 to @Stage5, a command with the wrong parameters, a #goto without a target or\n"
     "whose label no line holds (the game would read on silently after it), a\n"
     "picture or sound that is missing or cannot be decoded (looked up beside FILE, else in\n"
     "the data folder found, which is named), a text line wider than the 600-pixel text box, a "
     "piece that runs on into\n"
     "the next one, never stops or shows no text, and a #stop without an empty line before\n"
     "it, which opens the next piece on an empty page. The pieces are told in the game's\n"
     "order on one script, as the game tells them. Prints 'OK: FILE' when there is none.\n"
     "--utf8 reads a UTF-8 file as it is. A file that looks like UTF-8 is a fault.",
     CheckStory});

}  // namespace
