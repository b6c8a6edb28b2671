// Reading text files into lines.
#include <gtest/gtest.h>

#include <tuple>

#include "script/TextFile.h"
#include "tests/TestSupport.h"

namespace {

struct TRead {
  TStringDynArray Lines;
  std::string Result;
  int Count = -1;
};

TRead Read(const std::string& bytes, int high = 9999) {
  const std::string path = MakeTempFolder() + "/f.txt";
  WriteWholeFile(path, bytes);
  TRead r;
  TBromFileAccess::InTextSet(path, r.Lines, r.Result, r.Count, high);
  return r;
}

}  // namespace

TEST(InTextSet, LinesEndAtCrLfOrLfAndALoneCrStaysInItsLine) {
  const TRead r = Read("a\r\nb\nc\rd\r\r\n\ne");
  EXPECT_EQ(U8(r.Result), "【成功】");
  EXPECT_EQ(r.Count, 5);
  EXPECT_EQ(r.Lines, (TStringDynArray{"a", "b", "c\rd\r", "", "e"}));
}

TEST(InTextSet, TheLastLineNeedsNoLineEndAndAnEmptyFileHasNoLines) {
  EXPECT_EQ(Read("x\ny").Lines, (TStringDynArray{"x", "y"}));
  EXPECT_EQ(Read("x\n").Count, 1);
  EXPECT_EQ(Read("\n").Lines, (TStringDynArray{""}));
  const TRead empty = Read("");
  EXPECT_EQ(empty.Count, 0);
  EXPECT_EQ(U8(empty.Result), "【成功】");
}

TEST(InTextSet, BytesAreNotConverted) {
  const std::string sjis = Sj("剣師ソ\\表");
  EXPECT_EQ(Read(sjis + "\r\n\x81\n").Lines, (TStringDynArray{sjis, "\x81"}));
}

TEST(InTextSet, NulBytesAndACrLfSplitAcrossReadsStayWhole) {
  const std::string nul("a\0b", 3);
  EXPECT_EQ(Read(nul + "\r\n" + nul).Lines, (TStringDynArray{nul, nul}));
  // The file is read in 65,536-byte blocks: a line end whose CR and LF fall
  // into different blocks is still one line end.
  std::string bytes;
  for (int i = 0; i < 16; ++i) bytes += std::string(4000, 'x') + "\r\n";
  const std::string last(65535 - bytes.size(), 'y');
  const TRead r = Read(bytes + last + "\r\nz");
  ASSERT_EQ(r.Count, 18);
  EXPECT_EQ(r.Lines[16], last);
  EXPECT_EQ(r.Lines[17], "z");
}

TEST(InTextSet, LimitsOfLinesAndBytesAreReadErrorsNamingTheLine) {
  using K = TTextFileFault::TKind;
  const std::string longest(MaxTextLineBytes, 'x');
  std::string large;
  while (static_cast<std::int64_t>(large.size()) <= MaxTextFileBytes) large += longest + "\n";
  const std::tuple<std::string, K, int> cases[] = {{"a\n" + longest + "\r\nb", K::None, 0},
                                                   {"a\n" + longest + "x\nb", K::LineTooLong, 2},
                                                   {"a\n" + longest + "x", K::LineTooLong, 2},
                                                   {large, K::TooLarge, 1025},
                                                   {"1\n2\n3\n4", K::TooManyLines, 4}};
  for (const auto& [bytes, kind, line] : cases) {
    const std::string path = MakeTempFolder() + "/f.txt";
    WriteWholeFile(path, bytes);
    TRead r;
    TTextFileFault fault;
    TBromFileAccess::InTextSet(path, r.Lines, r.Result, r.Count, kind == K::TooManyLines ? 2 : 9999,
                               &fault);
    EXPECT_EQ(std::tie(fault.Kind, fault.Line), std::tie(kind, line)) << line;
    EXPECT_EQ(U8(r.Result) == "【成功】", kind == K::None) << line;
  }
}

TEST(InTextSet, OneLineTooManyIsAReadErrorKeepingWhatWasRead) {
  const std::string path = MakeTempFolder() + "/long.txt";
  WriteWholeFile(path, "1\n2\n3\n4\n");
  TStringDynArray lines;
  std::string result;
  int count = 0;
  TBromFileAccess::InTextSet(path, lines, result, count, 2);
  EXPECT_EQ(U8(result), "【エラー】【TBromFileAccess.InTextSet】" + path);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(lines, (TStringDynArray{"1", "2", "3"}));
  // Exactly high + 1 lines fit, with or without a final line end.
  EXPECT_EQ(U8(Read("1\n2\n3\n", 2).Result), "【成功】");
  EXPECT_EQ(U8(Read("1\n2\n3", 2).Result), "【成功】");
  EXPECT_TRUE(
      U8(Read("1\n2\n3\n\n", 2).Result).starts_with("【エラー】【TBromFileAccess.InTextSet】"));
}

TEST(InTextSet, AMissingFileLeavesCountAndLinesAlone) {
  TStringDynArray lines{"old"};
  std::string result;
  int count = 42;
  TBromFileAccess::InTextSet(Sj("dat\\無い.txt"), lines, result, count, 10);
  EXPECT_EQ(U8(result), "【エラー】存在しないファイル：dat\\無い.txt");
  EXPECT_EQ(count, 42);
  EXPECT_EQ(lines, TStringDynArray{"old"});
  // A folder is there, but cannot be read.
  TTextFileFault fault;
  TBromFileAccess::InTextSet(MakeTempFolder(), lines, result, count, 10, &fault);
  EXPECT_TRUE(U8(result).starts_with("【エラー】【TBromFileAccess.InTextSet】"));
  EXPECT_EQ(fault.Kind, TTextFileFault::TKind::Unreadable);
}
