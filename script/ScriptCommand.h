// Design unit: BromScriptCommand.
// One command of the script language: a command word, the number of
// parameters it accepts and the procedure that carries it out. A client
// registers its commands with the script (TBromScript::AddCommand), which owns
// them and offers each script line to them in registration order.
//
// The same class owns the tokenising of a script line, which the script also
// uses to recognise labels, "#stop" and "#goto": tokens are separated by
// half-width spaces, full-width spaces or tabs, so a token never holds one.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "rules/SjisText.h"

// Carries a command out. `tokens` is the whole tokenised line: token 0 is the
// command word as written, tokens 1 onward are the parameters. The handler
// sets `result` to "【成功】" or to an error text; one that leaves it alone
// passes on what the caller's variable held.
using TCommandHandler = std::function<void(const TStringDynArray& tokens, std::string& result)>;

class TBromScriptCommand {
 public:
  TBromScriptCommand(std::string name, TCommandHandler handler, int minParams, int maxParams);

  // Runs the line if it is this command. The result is "【不実行】" when the
  // line's first token is not this command's word (ignoring letter case);
  // "【エラー】パラメータ過少：" or "【エラー】パラメータ過多：" followed by
  // the line as given when the parameter count is out of range; otherwise
  // what the handler sets.
  void Execute(std::string_view line, std::string& result) const;

  // The words of a line. Full-width spaces and tabs count as spaces, runs of
  // spaces as one, and the line is trimmed of spaces and control characters
  // first; an empty or blank line gives exactly one empty token.
  static TStringDynArray Tokenize(std::string_view line);
  // True when the line's first token is `word`, ignoring the case of ASCII
  // letters. An empty line is no command.
  static bool IsCommand(std::string_view line, std::string_view word);
  // Token number `index` (from 0) of the line; false when the line has fewer
  // tokens.
  static bool GetToken(std::string_view line, int index, std::string& token);

  const std::string& Name() const { return name_; }
  int MinParams() const { return minParams_; }
  int MaxParams() const { return maxParams_; }

 private:
  std::string name_;
  int minParams_;
  int maxParams_;
  TCommandHandler handler_;
};
