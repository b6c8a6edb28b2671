// The script interpreter: paragraphs, breaks, labels, jumps, the stop marker,
// comments, load faults and the page count kept across a stop.
#include <gtest/gtest.h>

#include "script/Script.h"
#include "tests/ScriptTestSupport.h"

using TPage = std::vector<std::string>;

TEST(ScriptParagraphs, ABreakAndTheStopMarkerEndParagraphs) {
  TRecordingScript s;
  s.Load({"A", "B", "", "C", "#stop"});
  EXPECT_EQ(s.NextPage(), (TPage{"A", "B"}));
  EXPECT_EQ(s.NextPage(), (TPage{"C"}));
  EXPECT_TRUE(s.Script.Stopped());
  EXPECT_EQ(s.NextPage(), TPage{});
  EXPECT_EQ(s.NextPage(), TPage{});
  EXPECT_EQ(s.Pages.size(), 2u);
}

TEST(ScriptParagraphs, TheLimitCutsAParagraphAndTheRestFollows) {
  TRecordingScript s;
  s.Load({"1", "2", "3"}, 2);
  EXPECT_EQ(s.NextPage(), (TPage{"1", "2"}));
  EXPECT_EQ(s.NextPage(), (TPage{"3"}));  // ends at the appended stop marker
  EXPECT_TRUE(s.Script.Stopped());
}

TEST(ScriptParagraphs, ALimitExactlyReachedLeavesTheFollowingBreakAlone) {
  // The page ends at its limit; the break after it is then skipped as a
  // leading break of the next page, which must not come out empty.
  TRecordingScript s;
  s.Load({"1", "2", "", "", "3"}, 2);
  EXPECT_EQ(s.NextPage(), (TPage{"1", "2"}));
  EXPECT_EQ(s.NextPage(), (TPage{"3"}));
  EXPECT_EQ(s.Pages.size(), 2u);
}

TEST(ScriptParagraphs, LeadingBreaksAndLabelsMakeNoEmptyParagraph) {
  TRecordingScript s;
  s.Load({"", "", "@Start", "", "text", "@Next", "more"});
  EXPECT_EQ(s.NextPage(), (TPage{"text"}));
  EXPECT_EQ(s.NextPage(), (TPage{"more"}));
  EXPECT_EQ(s.Pages.size(), 2u);
}

TEST(ScriptParagraphs, ALimitChangedDuringAStepCountsFromTheNextLine) {
  TRecordingScript s;
  s.Script.AddCommand(
      "#two",
      [&](const TStringDynArray&, std::string& r) {
        s.Script.SetParagraphLimit(2);
        r = Sj("【成功】");
      },
      0);
  s.Load({"a", "#two", "b", "c"});
  EXPECT_EQ(s.NextPage(), (TPage{"a", "b"}));
  EXPECT_EQ(s.NextPage(), (TPage{"c"}));
}

TEST(ScriptParagraphs, ANeverLoadedScriptStopsAtOnce) {
  TRecordingScript s;
  s.Script.SetParagraphLimit(7);
  EXPECT_EQ(s.NextPage(), TPage{});
  EXPECT_TRUE(s.Script.Stopped());
}

TEST(ScriptStop, RecognisedInAnyLetterCase) {
  for (const char* marker : {"#stop", "#Stop", "#STOP", "  #sToP  "}) {
    TRecordingScript s;
    s.Load({"a", marker, "b"});
    EXPECT_EQ(s.NextPage(), (TPage{"a"})) << marker;
    EXPECT_TRUE(s.Script.Stopped()) << marker;
    EXPECT_EQ(s.NextPage(), TPage{}) << marker;
    s.Script.ClearStop();
    EXPECT_EQ(s.NextPage(), (TPage{"b"})) << marker;
  }
}

TEST(ScriptStop, ThePageCountCarriesOverAStop) {
  // Two lines before the stop count towards the next page: after the stop is
  // cleared the page is full after one more line.
  TRecordingScript s;
  s.Load({"A", "B", "#stop", "C", "D", "E"}, 3);
  EXPECT_EQ(s.NextPage(), (TPage{"A", "B"}));
  EXPECT_EQ(s.Script.PageLines(), 2);
  s.Script.ClearStop();
  EXPECT_EQ(s.NextPage(), (TPage{"C"}));
  EXPECT_EQ(s.NextPage(), (TPage{"D", "E"}));
}

TEST(ScriptStop, AfterAStopTheFirstBreakEndsAnEmptyPage) {
  TRecordingScript s;
  s.Load({"A", "#stop", "", "B"});
  EXPECT_EQ(s.NextPage(), (TPage{"A"}));
  s.Script.ClearStop();
  EXPECT_EQ(s.NextPage(), TPage{});  // the break ends the kept page; no handler call
  EXPECT_EQ(s.Pages.size(), 1u);
  EXPECT_FALSE(s.Script.Stopped());
  EXPECT_EQ(s.NextPage(), (TPage{"B"}));
}

TEST(ScriptJumps, AJumpSkipsToItsLabelAndEndsTheParagraph) {
  TRecordingScript s;
  s.Load({"one", "#goto @B", "hidden", "@B", "two", "#stop"});
  EXPECT_EQ(s.NextPage(), (TPage{"one"}));
  EXPECT_EQ(s.NextPage(), (TPage{"two"}));
  for (const TPage& page : s.Pages) {
    for (const std::string& line : page) EXPECT_NE(line, "hidden");
  }
}

TEST(ScriptJumps, JumpsToMalformedOrMissingLabelsAreIgnored) {
  TRecordingScript s;
  s.Load({"a", "#goto B", "b", "#GOTO @nowhere", "c"});
  EXPECT_EQ(s.NextPage(), (TPage{"a", "b", "c"}));
}

TEST(ScriptJumps, AJumpWithoutOperandStopsWithAnError) {
  TRecordingScript s;
  const std::string path = WriteScriptFile({"a", "#goto  // where?", "b"});
  std::string result;
  s.Script.LoadFromFile(path, result);
  s.Script.SetParagraphLimit(7);
  EXPECT_EQ(s.Step(), "【エラー】不正な#goto：#goto  \r\nin " + path);
  EXPECT_TRUE(s.Script.Stopped());
  EXPECT_TRUE(s.Pages.empty());  // the collected "a" is dropped
  EXPECT_EQ(s.Step(), "【成功】");
}

TEST(ScriptJumps, GotoLabelReportsBadAndMissingLabelsAndKeepsThePosition) {
  TRecordingScript s;
  const std::string path = WriteScriptFile({"x", "@Here", "y"});
  std::string result;
  s.Script.LoadFromFile(path, result);
  s.Script.GotoLabel(Sj("Here"), result);
  EXPECT_EQ(U8(result), "【エラー】不正なアドレス名：Here\r\nin " + path);
  s.Script.GotoLabel(Sj("@here"), result);  // labels are case-sensitive
  EXPECT_EQ(U8(result), "【エラー】@hereが見つかりませんでした。\r\nin " + path);
  EXPECT_EQ(s.Script.Position(), 0);
  s.Script.GotoLabel(Sj("@Here"), result);
  EXPECT_EQ(U8(result), "【成功】");
  EXPECT_EQ(s.Script.Position(), 1);
}

TEST(ScriptJumps, GotoLabelResumesAStoppedScriptOnlyTogetherWithClearStop) {
  TRecordingScript s;
  s.Load({"a", "#stop", "@Two", "b", "#stop"});
  EXPECT_EQ(s.NextPage(), (TPage{"a"}));
  std::string result;
  s.Script.GotoLabel(Sj("@Two"), result);
  EXPECT_TRUE(s.Script.Stopped());
  EXPECT_EQ(s.NextPage(), TPage{});
  s.Script.ClearStop();
  // "a" stood right before the stop, so the page it began is still open:
  // the label closes it, empty, and only the next step shows "b".
  EXPECT_EQ(s.NextPage(), TPage{});
  EXPECT_EQ(s.NextPage(), (TPage{"b"}));
}

TEST(ScriptJumps, AJumpLoopWithoutTextStopsWithAnErrorInsteadOfHanging) {
  TRecordingScript s;
  s.Load({"@A", "#goto @A"});
  const std::string result = s.Step();
  EXPECT_TRUE(result.starts_with("【エラー】")) << result;
  EXPECT_TRUE(s.Script.Stopped());
}

TEST(ScriptJumps, AJumpLoopIsCaughtTheFirstTimeItComesRound) {
  // Caught on coming back to a line, not after a long count of reads: the
  // command in the loop runs once.
  TRecordingScript s;
  int marks = 0;
  s.Script.AddCommand(
      "#mark",
      [&](const TStringDynArray&, std::string& r) {
        ++marks;
        r = Sj("【成功】");
      },
      0);
  s.Load({"text", "@A", "", "#mark", "#goto @B", "@B", "#goto @A"});
  EXPECT_EQ(s.NextPage(), (TPage{"text"}));
  const std::string result = s.Step();
  EXPECT_TRUE(result.starts_with("【エラー】文章の無い#gotoの繰り返しです。")) << result;
  EXPECT_EQ(marks, 1);
}

TEST(ScriptJumps, AHandlersOwnJumpsAreNoLoop) {
  // A handler jumps for its own reasons: back at "@A" after a jump of its
  // own, the script goes somewhere else the second time.
  TRecordingScript s;
  int calls = 0;
  s.Script.AddCommand(
      "#next",
      [&](const TStringDynArray&, std::string& r) {
        s.Script.GotoLabel(++calls == 1 ? Sj("@B") : Sj("@C"), r);
      },
      0);
  s.Load({"@A", "#next", "@B", "#goto @A", "@C", "done"});
  EXPECT_EQ(s.NextPage(), (TPage{"done"}));
  EXPECT_EQ(calls, 2);
}

TEST(ScriptJumps, AJumpLoopOverTextGivesAPageEveryStep) {
  TRecordingScript s;
  s.Load({"@A", "text", "#goto @A"});
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.NextPage(), (TPage{"text"}));
}

TEST(ScriptComments, CommentsAreCutAtLoadWhereverTheyStand) {
  TRecordingScript s;
  s.Load({"text // note", "   // only spaces before", "// whole line", "after", "剣//斬"});
  EXPECT_EQ(s.NextPage(), (TPage{"text ", "   "}));  // a comment-only line is a break
  EXPECT_EQ(s.NextPage(), (TPage{"after", "剣"}));
  EXPECT_EQ(U8(s.Script.Line(0)), "text ");
  EXPECT_EQ(U8(s.Script.Line(2)), "");
}

TEST(ScriptLoad, BrokenBytesStayInTheirOwnLine) {
  // A lone lead byte at a line end must not join the line end or the next
  // line, and a NUL byte does not cut a line short.
  const std::string path = MakeTempFolder() + "/story.txt";
  const std::string nul("a\0b", 3);
  WriteWholeFile(path, "text\x81\r\n#stop\r\n" + nul + "\r\n@L\x81\r\n");
  TRecordingScript s;
  std::string result;
  s.Script.LoadFromFile(path, result);
  ASSERT_EQ(U8(result), "【成功】");
  s.Script.SetParagraphLimit(7);
  EXPECT_EQ(s.Step(), "【成功】");
  ASSERT_EQ(s.Pages.size(), 1u);
  EXPECT_EQ(s.Pages[0], (TPage{"text?"}));  // U8 shows the lone byte as "?"
  EXPECT_EQ(s.Script.Line(0), "text\x81");
  EXPECT_TRUE(s.Script.Stopped());
  EXPECT_EQ(s.Script.Line(3), "@L\x81");  // a label, the broken byte included
  EXPECT_EQ(s.Script.LineCount(), 5);
  s.Script.ClearStop();
  EXPECT_EQ(s.Step(), "【成功】");
  ASSERT_EQ(s.Pages.size(), 2u);
  EXPECT_EQ(s.Pages[1], (TPage{nul}));  // ended by the label
}

TEST(ScriptLoad, LabelLinesKeepTheirLabelAloneAndTheStopIsAppended) {
  TRecordingScript s;
  s.Load({"@Stage1 prologue", "\t@Stage2", "text"});
  ASSERT_EQ(s.Script.LineCount(), 4);
  EXPECT_EQ(s.Script.Line(0), "@Stage1");
  EXPECT_EQ(s.Script.Line(1), "@Stage2");
  EXPECT_EQ(s.Script.Line(3), "#stop");
  EXPECT_EQ(s.Script.Position(), 0);
}

TEST(ScriptLoad, ADuplicateLabelFailsAndKeepsThePreviousScript) {
  TRecordingScript s;
  s.Load({"old", "@X"});
  const std::string bad = WriteScriptFile({"@X", "new", "@X extra"});
  std::string result;
  s.Script.LoadFromFile(bad, result);
  EXPECT_EQ(U8(result), "【エラー】ラベル重複：@X\r\nin " + bad);
  EXPECT_EQ(s.Script.LineCount(), 3);
  EXPECT_EQ(s.Script.Line(0), "old");
  EXPECT_NE(s.Script.FileName(), bad);
}

TEST(ScriptLoad, AMissingFileIsReportedAndChangesNothing) {
  TRecordingScript s;
  s.Load({"old"});
  std::string result;
  s.Script.LoadFromFile("/nonexistent/story.txt", result);
  EXPECT_EQ(U8(result), "【エラー】存在しないファイル：/nonexistent/story.txt");
  EXPECT_EQ(s.Script.LineCount(), 2);
}

TEST(ScriptLoad, ALoadKeepsTheStopFlagAndThePageCount) {
  TRecordingScript s;
  s.Load({"a", "b", "#stop"});
  EXPECT_EQ(s.NextPage(), (TPage{"a", "b"}));
  s.Load({"c", "d", "e"});
  EXPECT_TRUE(s.Script.Stopped());
  EXPECT_EQ(s.Script.PageLines(), 2);
}

TEST(ScriptLoad, NineThousandNineHundredNinetyNineLinesFitButTenThousandDoNot) {
  std::string bytes;
  for (int i = 0; i < 9999; ++i) bytes += "line\r\n";
  const std::string folder = MakeTempFolder();
  WriteWholeFile(folder + "/fits.txt", bytes);
  WriteWholeFile(folder + "/over.txt", bytes + "one more\r\n");
  TBromScript script;
  std::string result;
  script.LoadFromFile(folder + "/fits.txt", result);
  EXPECT_EQ(U8(result), "【成功】");
  EXPECT_EQ(script.LineCount(), 10000);
  script.LoadFromFile(folder + "/over.txt", result);
  EXPECT_TRUE(U8(result).starts_with("【エラー】")) << U8(result);
  EXPECT_TRUE(U8(result).ends_with("\r\nin " + folder + "/over.txt")) << U8(result);
  EXPECT_EQ(script.LineCount(), 10000);
  EXPECT_EQ(script.FileName(), folder + "/fits.txt");
}

TEST(ScriptCommands, TheFirstCommandThatAnswersTakesTheLine) {
  std::vector<std::string> calls;
  TRecordingScript s;
  s.Script.AddCommand(
      "#a",
      [&](const TStringDynArray& t, std::string& r) {
        calls.push_back("first " + t[0]);
        r = Sj("【成功】");
      },
      0, 0);
  s.Script.AddCommand(
      "#A",
      [&](const TStringDynArray&, std::string& r) {
        calls.push_back("second");
        r = Sj("【成功】");
      },
      0, 5);
  s.Load({"x", "#A", "y", "#B"});
  EXPECT_EQ(s.NextPage(), (TPage{"x", "y", "#B"}));  // an unknown "#" word is text
  EXPECT_EQ(calls, (std::vector<std::string>{"first #A"}));
}

TEST(ScriptCommands, ACommandErrorStopsTheStepAndDropsItsLines) {
  TRecordingScript s;
  s.Script.AddCommand(
      "#fail", [](const TStringDynArray&, std::string& r) { r = Sj("【エラー】だめ"); }, 0);
  s.Script.AddCommand(
      "#one", [](const TStringDynArray&, std::string& r) { r = Sj("【成功】"); }, 1);
  const std::string path = WriteScriptFile({"a", "#one", "b"});
  std::string result;
  s.Script.LoadFromFile(path, result);
  s.Script.SetParagraphLimit(7);
  EXPECT_EQ(s.Step(), "【エラー】パラメータ過少：#one\r\nin " + path);
  EXPECT_TRUE(s.Pages.empty());
  EXPECT_TRUE(s.Script.Stopped());
  EXPECT_EQ(s.Script.Position(), 2);  // stays where the error occurred

  const std::string path2 = WriteScriptFile({"#FAIL"});
  s.Script.LoadFromFile(path2, result);
  s.Script.ClearStop();
  EXPECT_EQ(s.Step(), "【エラー】だめ\r\nin " + path2);
}

TEST(ScriptCommands, ClearCommandsTurnsCommandLinesIntoText) {
  TRecordingScript s;
  s.Script.AddCommand(
      "#x", [](const TStringDynArray&, std::string& r) { r = Sj("【成功】"); }, 0);
  s.Script.ClearCommands();
  EXPECT_EQ(s.Script.CommandCount(), 0);
  s.Load({"#x"});
  EXPECT_EQ(s.NextPage(), (TPage{"#x"}));
}
