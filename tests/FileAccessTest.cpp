// Reading text files into lines.
#include <gtest/gtest.h>

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

TEST(InTextSet, NulBytesLongLinesAndACrLfSplitAcrossReadsStayWhole) {
  const std::string nul("a\0b", 3);
  EXPECT_EQ(Read(nul + "\r\n" + nul).Lines, (TStringDynArray{nul, nul}));
  // The file is read in large blocks: a line end whose CR and LF fall into
  // different blocks is still one line end, and a line longer than a block
  // is one line.
  for (std::size_t length : {65535u, 65536u, 200000u}) {
    const std::string long_(length, 'x');
    const TRead r = Read(long_ + "\r\ny\r\n");
    EXPECT_EQ(r.Count, 2) << length;
    ASSERT_EQ(r.Lines.size(), 2u) << length;
    EXPECT_EQ(r.Lines[0], long_) << length;
    EXPECT_EQ(r.Lines[1], "y") << length;
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
  // A folder is no file.
  TBromFileAccess::InTextSet(MakeTempFolder(), lines, result, count, 10);
  EXPECT_TRUE(U8(result).starts_with("【エラー】存在しないファイル："));
}
