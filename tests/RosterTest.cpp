// The roster loader: every fault with its message and line, the order of the
// checks, the valid corner cases, the portrait check and the fatal-error
// routine.
#include <gtest/gtest.h>

#include "data/Roster.h"
#include "data/Tournament.h"
#include "game/Mode.h"
#include "game/Round.h"
#include "game/Step.h"
#include "present/App.h"
#include "present/PictureCheck.h"
#include "tests/EffectLog.h"
#include "tests/RosterTestSupport.h"
#include "tests/ScriptTestSupport.h"
#include "tests/TestSupport.h"

namespace {

using TLines = std::vector<std::string>;

// Entry 1 is `first`; 31 valid entries follow.
TLines FirstThen31(const TLines& first) {
  TLines lines = first;
  for (const std::string& line : RosterLines(32)) lines.push_back(line);
  lines.erase(lines.begin() + static_cast<long>(first.size()),
              lines.begin() + static_cast<long>(first.size()) + 6);
  return lines;
}

// The fault text for a first entry made of these lines.
std::string FirstEntryFault(const TLines& first) {
  TRosterFolder folder;
  return folder.Fault(FirstThen31(first));
}

std::string At(const std::string& message, int line, const std::string& text) {
  return message + "\r\n" + std::to_string(line) + ": " + text;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

}  // namespace

TEST(RosterFaults, KeywordNameBuildAndImageFaultsNameTheirLine) {
  const std::string kw = "で始まらない不正な入力です。";
  EXPECT_EQ(FirstEntryFault({"#Nam 剣士", "#Spec 20/3/2/1/"}), At("#Name" + kw, 1, "#Nam 剣士"));
  EXPECT_EQ(FirstEntryFault({"#Name 剣士", "", "#spec 20/3/2/1/"}),
            At("#Spec" + kw, 3, "#spec 20/3/2/1/"));
  EXPECT_EQ(FirstEntryFault({"#Name 剣士", "#Spec 20/3/2/1/", "//", "Image"}),
            At("#Image" + kw, 4, "Image"));
  EXPECT_EQ(FirstEntryFault({"#Name a", "#Spec 20/3/2/1/", "#Image", "  #FlavorBegin"}),
            At("#FlavorBegin" + kw, 4, "  #FlavorBegin"));
  EXPECT_EQ(FirstEntryFault({"// top", "", "  #Name 剣士"}), At("#Name" + kw, 3, "  #Name 剣士"));

  EXPECT_EQ(FirstEntryFault({"#Name \t "}), At("名前が空です。", 1, "#Name \t "));
  EXPECT_EQ(FirstEntryFault({"#Name " + Repeat("剣", 16) + "x"}),
            At("名前が長すぎます。最大32バイトまでです。", 1, "#Name " + Repeat("剣", 16) + "x"));

  const TLines name = {"#Name 剣士"};
  auto spec = [&](const std::string& value) {
    TLines lines = name;
    lines.push_back("#Spec" + value);
    lines.insert(lines.end(), {"#Image", "#FlavorBegin", "#FlavorEnd"});
    return FirstEntryFault(lines);
  };
  EXPECT_EQ(spec(" 20/3/2/1"),
            At("不正な記述です。スラッシュは4個でなくてはなりません。", 2, "#Spec 20/3/2/1"));
  EXPECT_EQ(spec(" 20/3/x/1/"), At("数値記述が不正です。", 2, "#Spec 20/3/x/1/"));
  EXPECT_EQ(spec(" 21/3/2/1/"), At("HPは5の倍数でなくてはなりません。", 2, "#Spec 21/3/2/1/"));
  EXPECT_EQ(spec(" 0/3/2/1/斬A"), At("剣の記述が不正です。", 2, "#Spec 0/3/2/1/斬A"));
  EXPECT_EQ(spec(" 20/3/2/2/"),
            At("途心（ボーナス合計）が10になっていません。", 2, "#Spec 20/3/2/2/"));

  EXPECT_EQ(FirstEntryFault({"#Name 剣士", "#Spec 20/3/2/1/", "#Image missing.bmp"}),
            At("画像ファイルが無いか読めないか大き過ぎます。", 3, "#Image missing.bmp"));
  EXPECT_EQ(FirstEntryFault({"#Name 剣士", "#Spec 20/3/2/1/", "#Image", "#FlavorBegin x"}),
            At("不正な記述です。", 4, "#FlavorBegin x"));
}

TEST(RosterFaults, FlavourFaultsNameTheFlavourLine) {
  const TLines head = {"#Name 剣士", "#Spec 20/3/2/1/", "#Image", "#FlavorBegin"};
  auto fault = [&](const TLines& flavor) {
    TLines lines = head;
    lines.insert(lines.end(), flavor.begin(), flavor.end());
    lines.push_back("#FlavorEnd");
    return FirstEntryFault(lines);
  };
  EXPECT_EQ(fault({"ok", "#no"}), At("設定の行頭に#を置いてはいけません。", 6, "#no"));
  EXPECT_EQ(fault({"#FlavorEnd "}), At("設定の行頭に#を置いてはいけません。", 5, "#FlavorEnd "));
  EXPECT_EQ(fault({Repeat("a", 70), Repeat("剣", 35) + "x"}),
            At("行が長すぎます。最大70バイトまでです。", 6, Repeat("剣", 35) + "x"));
  TLines many(201, "行");
  EXPECT_EQ(fault(many), At("設定が長すぎます。最大200行までです。", 205, "行"));
  // The count is checked first: a 201st line that is also bad in itself.
  many.back() = "#" + Repeat("x", 80);
  EXPECT_EQ(fault(many), At("設定が長すぎます。最大200行までです。", 205, many.back()));
  // Then the "#" before the length.
  EXPECT_EQ(fault({"#" + Repeat("x", 80)}),
            At("設定の行頭に#を置いてはいけません。", 5, "#" + Repeat("x", 80)));
}

TEST(RosterFaults, ALoneCrAfterFlavorEndDoesNotEndTheBlock) {
  TRosterFolder folder;
  std::string bytes;
  for (const std::string& line : RosterLines(32)) bytes += Sj(line) + "\r\n";
  // Entry 1's "#FlavorEnd" (line 6) gets a lone CR before its CR LF.
  const std::string end = "#FlavorEnd\r\n";
  bytes.replace(bytes.find(end), end.size(), "#FlavorEnd\r\r\n");
  EXPECT_EQ(folder.FaultOfBytes(bytes),
            At("設定の行頭に#を置いてはいけません。", 6, "#FlavorEnd\r"));
}

TEST(RosterFaults, FaultsWithoutLineInformation) {
  TRosterFolder folder;
  std::vector<TSwordia> entries;
  std::string fault;
  EXPECT_FALSE(
      ReadRoster(folder.Folder + "none.txt", folder.Folder, PictureCheck(), entries, fault));
  EXPECT_EQ(U8(fault), "【エラー】存在しないファイル：" + folder.Folder + "none.txt");

  EXPECT_EQ(folder.FaultOfBytes(std::string(10001, '\n')),
            "【エラー】【TBromFileAccess.InTextSet】" + folder.Folder + "swordia.txt");

  const std::string breaks = "剣師データが途中で途切れています。";
  TLines lines = RosterLines(32);
  for (std::size_t keep = 1; keep < 6; ++keep) {
    TLines cut = lines;
    cut.resize(31 * 6 + keep);
    EXPECT_EQ(folder.Fault(cut), breaks) << keep;
  }
  TLines trailing = RosterLines(32);
  trailing.insert(trailing.end(), {"#Name 剣士33", "", "// only a comment"});
  EXPECT_EQ(folder.Fault(trailing), breaks);

  EXPECT_EQ(folder.Fault(RosterLines(31)), "剣師データが足りません。最低32体必要です。");
  EXPECT_EQ(folder.Fault({}), "剣師データが足りません。最低32体必要です。");
  EXPECT_EQ(folder.Fault(RosterLines(101)), "剣師データが多すぎます。最大100体までです。");
}

TEST(RosterFaults, A101stNameIsTooManyEvenWhenTheRestOfItsEntryIsBroken) {
  TRosterFolder folder;
  TLines lines = RosterLines(100);
  lines.insert(lines.end(), {"#Name ", "#Spec nonsense"});
  EXPECT_EQ(folder.Fault(lines), "剣師データが多すぎます。最大100体までです。");
  // But a broken keyword line comes before the count.
  lines = RosterLines(100);
  lines.push_back("#Nme 剣士101");
  EXPECT_EQ(folder.Fault(lines), At("#Nameで始まらない不正な入力です。", 601, "#Nme 剣士101"));
}

TEST(RosterFaults, ALineOfSpacesBetweenEntriesIsAFaultAnEmptyLineIsNot) {
  TRosterFolder folder;
  TLines lines = RosterLines(32);
  lines.insert(lines.begin() + 6, "");
  EXPECT_EQ(folder.Fault(lines), "");
  lines.insert(lines.begin() + 6, "   ");
  EXPECT_EQ(folder.Fault(lines), At("#Nameで始まらない不正な入力です。", 7, "   "));
}

TEST(RosterFaults, AnEmptyNameOnLineSevenShowsThatLine) {
  TRosterFolder folder;
  TLines lines = RosterLines(32);
  lines[6] = "#Name";
  EXPECT_EQ(folder.Fault(lines), At("名前が空です。", 7, "#Name"));
}

TEST(RosterValid, CornerCasesLoad) {
  TRosterFolder folder;
  TLines lines = {
      "// the hero",
      "",
      "#Name剣士",        // the value may follow the keyword directly
      "#Spec -5/3/2/6/",  // HP -5 is a multiple of 5
      "#Image   ",
      "#FlavorBegin   ",
      "#FlavorEnd",  // an empty block
      "",
      "// the second",
      "#Name  " + Repeat("剣", 16) + "  ",  // 32 bytes after trimming
      "#Spec 0/-10/0/0/" + Repeat("斬", 21),
      "#Image noimage.bmp",
      "#FlavorBegin",
      "",
      "// kept",
      "  indented ",
      Repeat("a", 70),
      "#FlavorEnd",
  };
  for (int i = 3; i <= 32; ++i) {
    for (const std::string& line : EntryLines("剣士" + std::to_string(i))) lines.push_back(line);
  }
  lines.insert(lines.end(), {"", "// the end", ""});
  const std::vector<TSwordia> entries = folder.Entries(lines);
  ASSERT_EQ(entries.size(), 32u);
  EXPECT_EQ(U8(entries[0].Name), "剣士");
  EXPECT_EQ(entries[0].Spec.MaxHP, -5);
  EXPECT_EQ(entries[0].Spec.Speed, 6);
  EXPECT_EQ(entries[0].ImageFile, "noimage.bmp");
  EXPECT_TRUE(entries[0].Flavor.empty());
  EXPECT_EQ(U8(entries[1].Name), Repeat("剣", 16));
  EXPECT_EQ(U8(entries[1].Spec.Swords.Str()), Repeat("斬", 20));
  EXPECT_EQ(entries[1].Flavor.size(), 4u);
  EXPECT_EQ(entries[1].Flavor[0], "");
  EXPECT_EQ(entries[1].Flavor[1], "// kept");
  EXPECT_EQ(entries[1].Flavor[2], "  indented ");
  for (const TSwordia& e : entries) {
    EXPECT_TRUE(e.InTournament);
    EXPECT_EQ(e.Wins, 0);
    EXPECT_EQ(e.Bonus, 0);
    EXPECT_TRUE(e.History.empty());
  }
  EXPECT_EQ(U8(entries[2].Flavor.at(0)), "剣の道を行く。");
}

TEST(RosterValid, OneHundredEntriesLoad) {
  TRosterFolder folder;
  EXPECT_EQ(folder.Entries(RosterLines(100)).size(), 100u);
}

TEST(RosterValid, TenThousandLinesAreReadAndOneMoreIsAReadError) {
  TRosterFolder folder;
  TLines lines = RosterLines(32);
  lines.resize(10000, "");  // padded with empty lines up to the limit
  EXPECT_EQ(folder.Fault(lines), "");
  lines.back() = "// the last line may be anything skipped";
  EXPECT_EQ(folder.Fault(lines), "");
  lines.push_back("");
  EXPECT_EQ(folder.Fault(lines),
            "【エラー】【TBromFileAccess.InTextSet】" + folder.Folder + "swordia.txt");
}

TEST(RosterValid, LinesEndingInLfAloneWork) {
  TRosterFolder folder;
  std::string bytes;
  for (const std::string& line : RosterLines(32)) bytes += Sj(line) + "\n";
  EXPECT_EQ(folder.FaultOfBytes(bytes), "");
}

TEST(RosterImages, PortraitsUpTo300By300Pass) {
  const std::string folder = MakeTempFolder() + "/";
  WriteWholeFile(folder + "square.bmp", BitmapBytes(300, 300));
  WriteWholeFile(folder + "wide.bmp", BitmapBytes(301, 300));
  WriteWholeFile(folder + "tall.bmp", BitmapBytes(300, 301));
  WriteWholeFile(folder + "small.bmp", BitmapBytes(1, 1));
  WriteWholeFile(folder + "junk.bmp", "BM not really a bitmap");
  WriteWholeFile(folder + "empty.bmp", "");
  EXPECT_TRUE(PictureFits(folder + "square.bmp", 300, 300));
  EXPECT_TRUE(PictureFits(folder + "small.bmp", 300, 300));
  EXPECT_FALSE(PictureFits(folder + "wide.bmp", 300, 300));
  EXPECT_FALSE(PictureFits(folder + "tall.bmp", 300, 300));
  EXPECT_FALSE(PictureFits(folder + "junk.bmp", 300, 300));
  EXPECT_FALSE(PictureFits(folder + "empty.bmp", 300, 300));
  EXPECT_FALSE(PictureFits(folder + "missing.bmp", 300, 300));
  EXPECT_FALSE(PictureFits(folder, 300, 300));  // a folder is no image
  EXPECT_FALSE(PictureFits("\x81", 300, 300));  // a name with no form on disk
}

TEST(RosterImages, AnEntryWithAnOversizedPortraitFailsOnItsImageLine) {
  TRosterFolder folder;
  WriteWholeFile(folder.Folder + "big.bmp", BitmapBytes(301, 300));
  WriteWholeFile(folder.Folder + "ok.bmp", BitmapBytes(300, 300));
  TLines lines = RosterLines(32);
  lines[2] = "#Image ok.bmp";
  lines[8] = "#Image  big.bmp";
  EXPECT_EQ(folder.Fault(lines),
            At("画像ファイルが無いか読めないか大き過ぎます。", 9, "#Image  big.bmp"));
  // Without noimage.bmp an empty "#Image" fails on its own line.
  lines[8] = "#Image";
  std::remove((folder.Folder + "noimage.bmp").c_str());
  EXPECT_EQ(folder.Fault(lines), At("画像ファイルが無いか読めないか大き過ぎます。", 9, "#Image"));
}

TEST(RosterLoad, AFaultIsShownEndsTheProgramAndDrawsNothing) {
  TGame game;
  TRosterFolder folder;
  TLines lines = RosterLines(32);
  lines[6] = "#Name";
  TEffectLog shell;
  const std::string path = folder.Write(lines);
  RunGameStep(game, shell, [&] { LoadRoster(game, path, folder.Folder, PictureCheck()); });
  // The message box, captioned with the program's title, then the end; the
  // roster's message is followed by the file's real path on a line of its own.
  ASSERT_EQ(shell.Applied.size(), 2u);
  EXPECT_EQ(shell.Applied[0].Kind, TEffect::Message);
  EXPECT_EQ(U8(shell.Applied[0].Title) + "|" + U8(shell.Applied[0].Text),
            "Quillmoor|" + At("名前が空です。", 7, "#Name") + "\r\n" + path);
  EXPECT_EQ(shell.Applied[1].Kind, TEffect::Quit);
  EXPECT_TRUE(game.LoadFailed);
  EXPECT_EQ(game.Tournament.Hero, nullptr);
  // A message shown is not shown again: the next step asks for nothing.
  RunGameStep(game, shell, [] {});
  EXPECT_EQ(shell.Applied.size(), 2u);
  ClearTerminateRequest();
}

TEST(RosterLoad, WithoutAMessageBoxTheFaultGoesToStandardError) {
  TGame game;
  TRosterFolder folder;
  ClearTerminateRequest();
  testing::internal::CaptureStderr();
  TEffectLog shell;
  RunGameStep(game, shell, [&] {
    LoadRoster(game, folder.Write(RosterLines(31)), folder.Folder, PictureCheck());
  });
  for (const TEffect& e : shell.Applied) {
    if (e.Kind == TEffect::Message) StderrMessageSink().Show(e.Title, e.Text);
  }
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Quillmoor"), std::string::npos) << err;
  EXPECT_NE(err.find("剣師データが足りません。最低32体必要です。"), std::string::npos) << err;
  EXPECT_TRUE(game.LoadFailed);
  ClearTerminateRequest();
}

TEST(RosterLab, CheckRosterAnswersAsTheGameWould) {
  TRosterFolder folder;
  int status = -1;
  TLines lines = RosterLines(33);
  EXPECT_EQ(RunLab("check-roster " + folder.Write(lines), status), "OK: 33 entries\n");
  EXPECT_EQ(status, 0);
  lines[6] = "#Name";
  EXPECT_EQ(RunLab("check-roster " + folder.Write(lines), status), "名前が空です。\n7: #Name\n");
  EXPECT_EQ(status, 1);
  // Portraits are looked up next to the roster.
  lines[6] = "#Name 剣士2";
  lines[8] = "#Image face.bmp";
  EXPECT_EQ(RunLab("check-roster " + folder.Write(lines), status),
            "画像ファイルが無いか読めないか大き過ぎます。\n9: #Image face.bmp\n");
  WriteWholeFile(folder.Folder + "face.bmp", BitmapBytes(120, 300));
  EXPECT_EQ(RunLab("check-roster " + folder.Write(lines), status), "OK: 33 entries\n");
  EXPECT_EQ(status, 0);
}

TEST(RosterLoad, SuccessDrawsTheEntrants) {
  TGame game;
  TRosterFolder folder;
  game.Dice.Seed(7);
  TEffectLog shell;
  RunGameStep(game, shell, [&] {
    LoadRoster(game, folder.Write(RosterLines(40)), folder.Folder, PictureCheck());
  });
  EXPECT_TRUE(shell.Applied.empty());
  EXPECT_FALSE(game.LoadFailed);
  ASSERT_NE(game.Tournament.Hero, nullptr);
  EXPECT_EQ(U8(game.Tournament.Hero->Name), "剣士1");
}
