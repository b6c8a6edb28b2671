// cp932 text: character counting, splitting, and the boundary to UTF-8 file
// names and output.
#include <gtest/gtest.h>

#include "present/Path.h"
#include "rules/SjisText.h"
#include "tests/TestSupport.h"

TEST(BromString, CharCountTreatsADoubleByteCharacterAsOne) {
  EXPECT_EQ(TBromString::CharCount(Sj("三文字")), 3);
  EXPECT_EQ(TBromString::CharCount("abc"), 3);
  EXPECT_EQ(TBromString::CharCount(""), 0);
  EXPECT_EQ(TBromString::CharCount(Sj("aソb")), 3);
  EXPECT_EQ(TBromString::CharCount(Sj("ｱｲ")), 2);  // half-width kana are single bytes
}

TEST(BromString, SplitKeepsEmptyPartsAndOneMoreThanDelimiters) {
  EXPECT_EQ(TBromString::Split("a/b//c", "/"), (TStringDynArray{"a", "b", "", "c"}));
  EXPECT_EQ(TBromString::Split("", "/"), (TStringDynArray{""}));
  EXPECT_EQ(TBromString::Split("a/", "/"), (TStringDynArray{"a", ""}));
  EXPECT_EQ(TBromString::Split("abc", ""), TStringDynArray{});
  EXPECT_EQ(TBromString::Split("a<>b", "<>"), (TStringDynArray{"a", "b"}));
}

TEST(BromString, SplitNeverMatchesOnATrailByte) {
  // "ソ" is 0x83 0x5C: its trail byte is a backslash.
  const std::string text = Sj("ソ\\表");
  EXPECT_EQ(TBromString::Split(text, "\\"), (TStringDynArray{Sj("ソ"), Sj("表")}));
  EXPECT_EQ(TBromString::Split(Sj("ソソ"), "\\"), (TStringDynArray{Sj("ソソ")}));
}

TEST(BromString, LeftBytesAndLeftChars) {
  EXPECT_EQ(TBromString::LeftBytes("abcdef", 3), "abc");
  EXPECT_EQ(TBromString::LeftBytes("ab", 3), "ab");
  EXPECT_EQ(TBromString::LeftChars(Sj("a剣士"), 4), Sj("a剣"));
  EXPECT_EQ(TBromString::LeftChars(Sj("a剣士"), 5), Sj("a剣士"));
  EXPECT_EQ(TBromString::CharAt(Sj("a剣士"), 1), Sj("剣"));
  EXPECT_EQ(TBromString::CharAt(Sj("a剣士"), 3), "");
}

TEST(TextBoundary, ConvertsBothWaysAndRefusesBadBytes) {
  EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932("剣師ソ表")), "剣師ソ表");
  EXPECT_EQ(Utf8ToCp932("剣").size(), 2u);
  EXPECT_THROW(Cp932ToUtf8("\x81"), TTextConversionError);              // a lead byte alone
  EXPECT_THROW(Utf8ToCp932("\xE2\x82"), TTextConversionError);          // cut UTF-8
  EXPECT_THROW(Utf8ToCp932("\xF0\x9F\x98\x80"), TTextConversionError);  // no cp932 form
  EXPECT_EQ(Cp932ToUtf8Lenient("a\x81"), "a?");
}

TEST(TextBoundary, DiskPathMapsSeparatorsButNotTrailBytes) {
  EXPECT_EQ(DiskPath("dat\\swordia.txt"), "dat/swordia.txt");
  EXPECT_EQ(DiskPath(Sj("dat\\ガソ.wav")), "dat/ガソ.wav");
  EXPECT_EQ(DiskPath(Sj("dat\\ソ\\表.bmp")), "dat/ソ/表.bmp");
  // Every cue the battle and the screens play.
  const char* cues[] = {"ガソ",   "popon",  "suka",        "タ2",           "weak",
                        "dh",     "break2", "cap_von01-2", "cap_tiron03-2", "cap_von06-2",
                        "ヒィン", "コン",   "kin",         "dun",           "dh2",
                        "eat",    "up",     "bub",         "water",         "cap_tu1"};
  for (const char* cue : cues) {
    const std::string name = std::string(cue) + ".wav";
    EXPECT_EQ(DiskPath(Sj("dat\\" + name)), "dat/" + name);
  }
  EXPECT_THROW(DiskPath("dat\\\x81"), TTextConversionError);
}

TEST(TextBoundary, ProgramFilesOpenThroughTheirUtf8Names) {
  const std::string folder = MakeTempFolder();
  WriteWholeFile(folder + "/ガソ.wav", "RIFF");
  const std::string programPath = Sj(folder + "\\ガソ.wav");
  EXPECT_TRUE(ProgramFileExists(programPath));
  std::FILE* f = OpenProgramFile(programPath);
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_FALSE(ProgramFileExists(Sj(folder + "\\ガ.wav")));
  EXPECT_EQ(OpenProgramFile("\x81"), nullptr);
}

TEST(TextBoundary, AFileOfExactlyTheLimitIsReadAndOneByteMoreIsNot) {
  const std::string path = MakeTempFolder() + "/f.bin";
  std::string bytes, why;
  for (const int size : {99, 100, 101}) {
    WriteWholeFile(path, std::string(static_cast<std::size_t>(size), 'x'));
    EXPECT_EQ(ReadProgramFile(path, 100, bytes, &why), size <= 100) << size << ": " << why;
    EXPECT_EQ(bytes.size(), size <= 100 ? static_cast<std::size_t>(size) : 0u);
  }
  EXPECT_EQ(why, "it is larger than 100 bytes");
}
