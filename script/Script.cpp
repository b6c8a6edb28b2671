#include "script/Script.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "script/TextFile.h"

namespace {

// A jump loop that holds no text ("@A" followed by "#goto @A") is caught the
// moment reading comes back to a line it read since the last text line. This
// limit catches the loops that cannot be seen that way, where a command
// handler jumps or loads a script again and again: no script without such a
// loop comes near it, since one pass reads each line once.
constexpr int StepReadLimit = ScriptLineCapacity * 10;

// The text of a line before its first "//".
std::string_view WithoutComment(std::string_view line) {
  const std::size_t at = TBromString::Find(line, "//");
  return at == std::string_view::npos ? line : line.substr(0, at);
}

// The label a line holds: its first token when that begins with "@".
bool LabelOf(std::string_view line, std::string& label) {
  return TBromScriptCommand::GetToken(line, 0, label) && !label.empty() && label[0] == '@';
}

}  // namespace

std::string TBromScript::Where() const {
  return "\r\nin " + fileName_;
}

void TBromScript::AddCommand(std::string name, TCommandHandler handler, int minParams,
                             int maxParams) {
  commands_.push_back(std::make_unique<TBromScriptCommand>(std::move(name), std::move(handler),
                                                           minParams, maxParams));
}

void TBromScript::LoadFromFile(std::string_view fileName, std::string& result) {
  // 1. Read the file; a reader's error is passed on and the script is kept.
  TStringDynArray read;
  int count = 0;
  TBromFileAccess::InTextSet(fileName, read, result, count, ScriptLineCapacity - 1);
  if (!TBromFileAccess::Succeeded(result)) return;
  // A file that fills every line leaves no room for the closing "#stop".
  if (count >= ScriptLineCapacity) {
    result = std::string("【エラー】行数が多すぎます。最大") +
             std::to_string(ScriptLineCapacity - 1) + "行までです。\r\nin " + std::string(fileName);
    return;
  }
  read.resize(count);
  // 2. Remove comments; a label line keeps its label alone, and a label may
  // stand on one line only.
  std::unordered_set<std::string> labels;
  for (std::string& line : read) {
    line = std::string(WithoutComment(line));
    std::string label;
    if (!LabelOf(line, label)) continue;
    if (!labels.insert(label).second) {
      result = std::string("【エラー】ラベル重複：") + label + "\r\nin " + std::string(fileName);
      return;
    }
    line = label;
  }
  // 3. Every script ends stopped.
  read.emplace_back("#stop");
  // 4. Put the script in force, from its first line.
  lines_ = std::move(read);
  fileName_ = std::string(fileName);
  position_ = 0;
  lineWalk_.assign(lines_.size(), 0);
  StartWalk();
  result = BromSuccess;
}

void TBromScript::StartWalk() {
  if (++walk_ != 0) return;
  // The count came round: no line may look read in the new walk.
  std::fill(lineWalk_.begin(), lineWalk_.end(), 0);
  walk_ = 1;
}

void TBromScript::RunScript(std::string& line, bool& hasLine, std::string& result) {
  line.clear();
  hasLine = false;
  for (;;) {
    // 1. Only the closing "#stop" left, or nothing loaded.
    if (position_ >= LineCount() - 1) {
      stopped_ = true;
      result = BromSuccess;
      return;
    }
    // Nothing but labels, breaks, commands and jumps since the last text
    // line, and back at a line already read: the same lines would follow
    // for ever.
    if (lineWalk_[position_] == walk_ || ++stepReads_ > StepReadLimit) {
      result = std::string("【エラー】文章の無い#gotoの繰り返しです。") + Where();
      stopped_ = true;
      return;
    }
    lineWalk_[position_] = walk_;
    // 2. Take the next line.
    // A copy: a command handler may load another script into this one.
    const std::string text = lines_[position_];
    ++position_;
    // 3. A break or a label ends the paragraph.
    std::string label;
    if (text.empty() || LabelOf(text, label)) {
      result = BromSuccess;
      return;
    }
    // 4. The stop marker.
    if (TBromScriptCommand::IsCommand(text, "#stop")) {
      stopped_ = true;
      result = BromSuccess;
      return;
    }
    // 5. A jump. A label that is malformed or missing leaves the position
    // after the "#goto" line, and reading simply goes on.
    if (TBromScriptCommand::IsCommand(text, "#goto")) {
      std::string target;
      if (!TBromScriptCommand::GetToken(text, 1, target)) {
        result = std::string("【エラー】不正な#goto：") + text + Where();
        stopped_ = true;
        return;
      }
      std::string ignored;
      Jump(target, ignored);
      continue;
    }
    // 6. Offer the line to each command in registration order.
    bool handled = false;
    // By index: a handler may register further commands.
    for (std::size_t i = 0; i < commands_.size(); ++i) {
      commands_[i]->Execute(text, result);
      if (result == BromNotExecuted) continue;
      if (onCommand_) onCommand_(text, result);
      if (result != BromSuccess) {
        result += Where();
        stopped_ = true;
        return;
      }
      handled = true;
      break;
    }
    if (handled) continue;
    // 7. A text line.
    StartWalk();
    line = text;
    hasLine = true;
    result = BromSuccess;
    return;
  }
}

void TBromScript::StepParagraph(std::string& result) {
  TStringDynArray paragraph;
  stepReads_ = 0;
  StartWalk();
  for (;;) {
    // 1. A page that ended at its limit or at a break starts afresh.
    if (pageDone_) {
      pageLines_ = 0;
      pageDone_ = false;
    }
    // 2. An error drops the lines collected so far.
    std::string line;
    bool hasLine = false;
    RunScript(line, hasLine, result);
    if (result != BromSuccess) return;
    // 3. Stopped: hand over what was collected. The page count is kept, so
    // after the stop is cleared the next step goes on counting from it.
    if (stopped_) break;
    // 4. A break or a label: skipped before the first text line of a page,
    // otherwise it ends the page.
    if (!hasLine) {
      if (pageLines_ == 0) continue;
      pageDone_ = true;
      break;
    }
    // 5. A text line.
    ++pageLines_;
    paragraph.push_back(std::move(line));
    if (pageLines_ < paragraphLimit_) continue;
    pageDone_ = true;
    break;
  }
  // 6. Hand the paragraph over.
  result = BromSuccess;
  if (!paragraph.empty() && onParagraph_) onParagraph_(paragraph, result);
}

void TBromScript::Step(std::string& result) {
  if (stopped_) {
    result = BromSuccess;
    return;
  }
  StepParagraph(result);
}

void TBromScript::GotoLabel(std::string_view label, std::string& result) {
  // A jump from outside the script (the client's, or a command handler's)
  // may come back to a line for its own reasons: it starts a new walk.
  Jump(label, result);
  StartWalk();
}

void TBromScript::Jump(std::string_view label, std::string& result) {
  // 1. A label begins with "@".
  if (label.empty() || label[0] != '@') {
    result = std::string("【エラー】不正なアドレス名：") + std::string(label) + Where();
    return;
  }
  // 2. The first line that holds it.
  for (int i = 0; i < LineCount(); ++i) {
    if (lines_[i] == label) {
      position_ = i;
      result = BromSuccess;
      return;
    }
  }
  result = std::string("【エラー】") + std::string(label) + "が見つかりませんでした。" + Where();
}
