#include "script/ScriptCommand.h"

#include <utility>

#include "script/TextFile.h"

namespace {

// Full-width spaces and tabs become spaces, character by character, so a
// double-byte character is never matched through its trail byte; runs of
// spaces shrink to one as they are written.
std::string NormaliseSpaces(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t len = TBromString::CharLength(line, i);
    const bool space = (len == 1 && (line[i] == ' ' || line[i] == '\t')) ||
                       (len == 2 && line[i] == '\x81' && line[i + 1] == '\x40');
    if (space) {
      if (out.empty() || out.back() != ' ') out.push_back(' ');
    } else {
      out.append(line.substr(i, len));
    }
    i += len;
  }
  return out;
}

}  // namespace

TBromScriptCommand::TBromScriptCommand(std::string name, TCommandHandler handler, int minParams,
                                       int maxParams)
    : name_(std::move(name)),
      minParams_(minParams),
      maxParams_(maxParams),
      handler_(std::move(handler)) {}

TStringDynArray TBromScriptCommand::Tokenize(std::string_view line) {
  return TBromString::Split(TBromString::Trim(NormaliseSpaces(line)), " ");
}

bool TBromScriptCommand::IsCommand(std::string_view line, std::string_view word) {
  std::string first;
  if (!GetToken(line, 0, first)) return false;
  // The empty first token of a blank line matches no command word.
  return !first.empty() && TBromString::SameText(first, word);
}

bool TBromScriptCommand::GetToken(std::string_view line, int index, std::string& token) {
  const TStringDynArray tokens = Tokenize(line);
  if (index < 0 || static_cast<std::size_t>(index) >= tokens.size()) return false;
  token = tokens[index];
  return true;
}

void TBromScriptCommand::Execute(std::string_view line, std::string& result) const {
  // 1. Not this command.
  if (!IsCommand(line, name_)) {
    result = BromNotExecuted;
    return;
  }
  // 2. The parameters are the tokens after the command word.
  const TStringDynArray tokens = Tokenize(line);
  const long long n = static_cast<long long>(tokens.size());
  // 3. Their count must be in range: too few and too many have texts of their own.
  if (n < static_cast<long long>(minParams_) + 1) {
    result = std::string("【エラー】パラメータ過少：") + std::string(line);
  } else if (n > static_cast<long long>(maxParams_) + 1) {
    result = std::string("【エラー】パラメータ過多：") + std::string(line);
  } else if (handler_) {
    // 4. The handler carries it out and sets the result.
    handler_(tokens, result);
  }
}
