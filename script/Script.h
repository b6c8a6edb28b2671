// Design unit: BromScript.
// The script interpreter: a small line-oriented language of text lines handed
// to the client a paragraph at a time, mixed with labels, jumps, a stop marker
// and commands the client registers. A script is loaded whole from a text
// file, then stepped: each step reads lines until it has a paragraph of text,
// executing the commands it meets on the way, and hands the paragraph to the
// paragraph handler.
//
// Lines, as classified when read:
//   comment   everything from the first "//" to the end of a line is removed
//             at load, wherever it stands (also inside a text line);
//   label     first token begins with "@"; stored as that token alone, and no
//             two lines may hold the same label;
//   break     an empty line (also one that held only a comment): ends the
//             paragraph being collected;
//   #stop     (any letter case) stops the script; one is appended at load, so
//             every script ends stopped;
//   #goto @L  (any letter case) continues at label @L;
//   command   first token is the word of a registered command;
//   text      anything else, exactly as written (not trimmed).
//
// Every operation reports through a result text ("【成功】" or an error text
// that begins "【エラー】" and mostly ends with CR LF, "in " and the file
// name); nothing is raised to the caller. An error during a step stops the
// script where it occurred.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rules/SjisText.h"
#include "script/ScriptCommand.h"

// A script holds at most this many lines, the closing "#stop" included.
constexpr int ScriptLineCapacity = 10000;

// Receives each finished paragraph; must set `result` ("【成功】").
using TParagraphHandler = std::function<void(const TStringDynArray& lines, std::string& result)>;
// Told of every line a registered command answered (handled or refused), with
// its answer; for tracing tools.
using TCommandObserver = std::function<void(std::string_view line, std::string_view result)>;

class TBromScript {
 public:
  TBromScript() = default;
  TBromScript(const TBromScript&) = delete;
  TBromScript& operator=(const TBromScript&) = delete;

  // Loads the script file. On any fault (unreadable file, duplicate label,
  // too many lines) the script keeps what it held before. A successful load
  // starts at the first line and leaves the stop flag and the page count as
  // they were.
  void LoadFromFile(std::string_view fileName, std::string& result);

  void SetParagraphHandler(TParagraphHandler handler) { onParagraph_ = std::move(handler); }
  // At most this many text lines make a paragraph. May be called at any time,
  // also by a command handler during a step: the step uses the new value from
  // its next line on.
  void SetParagraphLimit(int n) { paragraphLimit_ = n; }
  void SetCommandObserver(TCommandObserver observer) { onCommand_ = std::move(observer); }

  // Registers a command accepting `minParams` to `maxParams` parameters.
  void AddCommand(std::string name, TCommandHandler handler, int minParams, int maxParams);
  // Registers a command accepting exactly `params` parameters.
  void AddCommand(std::string name, TCommandHandler handler, int params) {
    AddCommand(std::move(name), std::move(handler), params, params);
  }
  void ClearCommands() { commands_.clear(); }

  // Produces the next paragraph and hands it to the paragraph handler. While
  // the script is stopped it only answers "【成功】".
  void Step(std::string& result);
  // Moves to the line holding the label (exact, case-sensitive). Touches
  // neither the stop flag nor the page count.
  void GotoLabel(std::string_view label, std::string& result);
  void ClearStop() { stopped_ = false; }

  const std::string& FileName() const { return fileName_; }
  int LineCount() const { return static_cast<int>(lines_.size()); }
  const std::string& Line(int index) const { return lines_.at(index); }
  int Position() const { return position_; }
  bool Stopped() const { return stopped_; }
  int PageLines() const { return pageLines_; }
  bool PageDone() const { return pageDone_; }
  int CommandCount() const { return static_cast<int>(commands_.size()); }
  const TBromScriptCommand& Command(int index) const { return *commands_.at(index); }

 private:
  // Reads until it has one line for the paragraph builder: a text line in
  // `line` with `hasLine` set, or none (a break, a label, a stop, an error).
  void RunScript(std::string& line, bool& hasLine, std::string& result);
  void StepParagraph(std::string& result);
  // "\r\nin " and the file name, the tail of errors met while running.
  std::string Where() const;
  // Starts a new walk through the lines: a walk is the reading between two
  // text lines, and a walk that comes back to a line it has read will come
  // back to it for ever.
  void StartWalk();
  void Jump(std::string_view label, std::string& result);

  std::string fileName_;
  TStringDynArray lines_;
  int position_ = 0;
  std::vector<std::unique_ptr<TBromScriptCommand>> commands_;
  int paragraphLimit_ = 0;
  TParagraphHandler onParagraph_;
  TCommandObserver onCommand_;
  bool stopped_ = false;
  int pageLines_ = 0;
  bool pageDone_ = false;
  int stepReads_ = 0;  // lines read by the running step
  // Per line, the walk that last read it.
  std::vector<unsigned> lineWalk_;
  unsigned walk_ = 0;
};
