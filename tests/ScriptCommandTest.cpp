// Script commands: tokenising, command recognition and parameter counts.
#include <gtest/gtest.h>

#include "script/ScriptCommand.h"
#include "tests/TestSupport.h"

namespace {

std::vector<std::string> Tokens(const std::string& utf8) {
  std::vector<std::string> out;
  for (const std::string& t : TBromScriptCommand::Tokenize(Sj(utf8))) out.push_back(U8(t));
  return out;
}

// Runs the line through a command and returns the result as UTF-8; the
// handler records the tokens it was given.
std::string RunLine(int minParams, int maxParams, const std::string& line,
                    std::vector<std::string>* tokens = nullptr) {
  TBromScriptCommand command(
      Sj("#Image"),
      [tokens](const TStringDynArray& t, std::string& r) {
        if (tokens != nullptr) {
          for (const std::string& s : t) tokens->push_back(U8(s));
        }
        r = Sj("【成功】");
      },
      minParams, maxParams);
  std::string result;
  command.Execute(Sj(line), result);
  return U8(result);
}

}  // namespace

TEST(Tokenize, AnyRunOfSpacesFullWidthSpacesAndTabsSeparates) {
  EXPECT_EQ(Tokens("#Wave  　\ta.wav"), (std::vector<std::string>{"#Wave", "a.wav"}));
  EXPECT_EQ(Tokens("\t #Title 　題名　 "), (std::vector<std::string>{"#Title", "題名"}));
  EXPECT_EQ(Tokens(""), (std::vector<std::string>{""}));
  EXPECT_EQ(Tokens(" \t　 "), (std::vector<std::string>{""}));
  EXPECT_EQ(Tokens("a\rb"), (std::vector<std::string>{"a\rb"}));  // a CR inside is no separator
}

TEST(Tokenize, DoubleByteCharactersAreNeverSplitThroughTheirTrailByte) {
  // "ァ" is 0x83 0x40: its trail byte is the second byte of a full-width
  // space (0x81 0x40). "ソ" ends in a backslash.
  EXPECT_EQ(Tokens("ァァ ソ"), (std::vector<std::string>{"ァァ", "ソ"}));
  EXPECT_EQ(TBromScriptCommand::Tokenize("\x83\x40\x81\x40x"), (TStringDynArray{"\x83\x40", "x"}));
}

TEST(IsCommand, MatchesTheFirstTokenIgnoringLetterCase) {
  EXPECT_TRUE(TBromScriptCommand::IsCommand("#image a.bmp", "#Image"));
  EXPECT_TRUE(TBromScriptCommand::IsCommand("  #IMAGE", "#Image"));
  EXPECT_FALSE(TBromScriptCommand::IsCommand("#Images", "#Image"));
  EXPECT_FALSE(TBromScriptCommand::IsCommand("x #Image", "#Image"));
  EXPECT_FALSE(TBromScriptCommand::IsCommand("", "#Image"));
  EXPECT_FALSE(TBromScriptCommand::IsCommand("   ", ""));
}

TEST(IsCommand, JapaneseCharactersCompareAsTheyAre) {
  // "ア" (0x83 0x41) and "ヂ" (0x83 0x61) differ only in the case of their
  // trail bytes read as ASCII: they must stay different words.
  EXPECT_FALSE(TBromScriptCommand::IsCommand(Sj("#ア"), Sj("#ヂ")));
  EXPECT_TRUE(TBromScriptCommand::IsCommand(Sj("#ア"), Sj("#ア")));
  EXPECT_FALSE(TBromScriptCommand::IsCommand(Sj("#Ａ"), Sj("#ａ")));
}

TEST(GetToken, FindsTokensByIndexOnly) {
  std::string token = "unchanged";
  EXPECT_FALSE(TBromScriptCommand::GetToken("#Wave", 1, token));
  EXPECT_EQ(token, "unchanged");
  EXPECT_TRUE(TBromScriptCommand::GetToken("#Wave  a.wav", 1, token));
  EXPECT_EQ(token, "a.wav");
  EXPECT_TRUE(TBromScriptCommand::GetToken("", 0, token));
  EXPECT_EQ(token, "");
  EXPECT_FALSE(TBromScriptCommand::GetToken("a b", -1, token));
}

TEST(Execute, ParameterCountsAreCheckedBeforeTheHandlerRuns) {
  std::vector<std::string> tokens;
  EXPECT_EQ(RunLine(0, 1, "#Image", &tokens), "【成功】");
  EXPECT_EQ(tokens, (std::vector<std::string>{"#Image"}));
  tokens.clear();
  EXPECT_EQ(RunLine(0, 1, "#iMAGE 　a.bmp", &tokens), "【成功】");
  EXPECT_EQ(tokens, (std::vector<std::string>{"#iMAGE", "a.bmp"}));
  tokens.clear();
  EXPECT_EQ(RunLine(0, 1, "#Image a.bmp  b.bmp", &tokens),
            "【エラー】パラメータ過多：#Image a.bmp  b.bmp");
  EXPECT_EQ(RunLine(1, 1, " #Image ", &tokens), "【エラー】パラメータ過少： #Image ");
  EXPECT_TRUE(tokens.empty());
  EXPECT_EQ(RunLine(1, 1, "#Imagea.bmp"), "【不実行】");
  EXPECT_EQ(RunLine(1, 1, ""), "【不実行】");
}

TEST(Execute, AHandlerThatSetsNothingPassesTheCallersValueOn) {
  TBromScriptCommand command(
      "#x", [](const TStringDynArray&, std::string&) {}, 0, 0);
  std::string result = "kept";
  command.Execute("#x", result);
  EXPECT_EQ(result, "kept");
}
