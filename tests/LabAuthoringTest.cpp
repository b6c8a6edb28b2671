// The lab as roster and story authors use it: files left in UTF-8, the hints
// and warnings of check-roster, every fault check-story names, and one
// command line for every command.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "present/Path.h"
#include "tests/RosterTestSupport.h"
#include "tests/ScriptTestSupport.h"
#include "tests/TestSupport.h"

namespace {

using TLines = std::vector<std::string>;

const std::string Bom = "\xEF\xBB\xBF";

// The lines joined by CR LF, each ended, as UTF-8 bytes (not converted).
std::string Utf8File(const TLines& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

// A story with all six pieces, each one page and a stop after an empty line.
TLines SoundStory() {
  TLines lines;
  for (int stage = 0; stage <= 5; ++stage) {
    const std::string n = std::to_string(stage);
    for (const std::string& line : TLines{"@Stage" + n, "第" + n + "章", "", "#stop"})
      lines.push_back(line);
  }
  return lines;
}

// check-story's findings for the story, and its exit code.
std::string CheckStory(const TLines& lines, int& status, std::string* path = nullptr) {
  const std::string file = WriteScriptFile(lines);
  if (path != nullptr) *path = file;
  return RunLab("check-story " + file, status);
}

}  // namespace

TEST(Utf8Detector, ByteOrderMarkOrValidUtf8ThatIsNoShiftJis) {
  EXPECT_TRUE(LooksLikeUtf8(Bom + "#Name A"));
  EXPECT_TRUE(LooksLikeUtf8("#Name 剣士あ\r\n"));  // not valid cp932
  // Valid cp932 too, but read so it holds half-width katakana.
  EXPECT_TRUE(LooksLikeUtf8("#Name 剣士\r\n#Spec 20/3/2/1/斬\r\n"));
  // The same text in Shift-JIS, plain ASCII and broken UTF-8 are not.
  EXPECT_FALSE(LooksLikeUtf8(Sj("#Name 剣士\r\n#Spec 20/3/2/1/斬\r\n")));
  EXPECT_FALSE(LooksLikeUtf8("#Name Ann\r\n#Spec 20/3/2/1/\r\n"));
  EXPECT_FALSE(LooksLikeUtf8(""));
  EXPECT_FALSE(LooksLikeUtf8("\xE5\x89 broken"));
}

TEST(LabUtf8, ARosterLeftInUtf8IsNamedAndReadWithUtf8) {
  TRosterFolder folder;
  TLines lines = RosterLines(33);
  lines[7] = "#Spec 20/3/2/0/斬";
  const std::string path = folder.WriteBytes(Utf8File(lines));
  int status = -1;
  // The game's own message, then the lab's line on standard error.
  EXPECT_EQ(
      RunLab("check-roster " + path, status).rfind("剣の記述が不正です。\n8: #Spec 20/3/2/0/", 0),
      0u);
  EXPECT_EQ(status, 1);
  const std::string errors = RunLabStderr("check-roster " + path, status);
  EXPECT_NE(errors.find("looks like UTF-8, but the game reads Shift-JIS (cp932): convert it "
                        "with 'iconv -f UTF-8 -t CP932', or read it as it is with --utf8"),
            std::string::npos)
      << errors;
  EXPECT_EQ(errors.find("hint:"), std::string::npos) << "no misleading hint: " << errors;
  EXPECT_EQ(RunLab("check-roster --utf8 " + path, status), "OK: 33 entries\n");
  EXPECT_EQ(status, 0);
  // With a byte-order mark the first keyword already fails.
  const std::string marked = folder.WriteBytes(Bom + Utf8File(lines));
  EXPECT_EQ(
      RunLab("check-roster " + marked, status).rfind("#Nameで始まらない不正な入力です。\n1: ", 0),
      0u);
  EXPECT_NE(RunLabStderr("check-roster " + marked, status).find("looks like UTF-8"),
            std::string::npos);
  EXPECT_EQ(RunLab("check-roster --utf8 " + marked, status), "OK: 33 entries\n");
  // The tournaments read it too.
  RunLab("tournaments --count 1 --seed 1 --utf8 --roster " + marked, status);
  EXPECT_EQ(status, 0);
  // A character with no Shift-JIS form is named by its line.
  lines[4] = "café";
  const std::string wave = folder.WriteBytes(Utf8File(lines));
  EXPECT_NE(RunLabStderr("check-roster --utf8 " + wave, status)
                .find("line 5 is not UTF-8 or holds a character with no Shift-JIS form"),
            std::string::npos);
  EXPECT_EQ(status, 1);
}

TEST(LabUtf8, AStoryLeftInUtf8IsAFaultAndReadWithUtf8) {
  const std::string folder = MakeTempFolder();
  const std::string path = folder + "/story.txt";
  WriteWholeFile(path, Utf8File(SoundStory()));
  int status = -1;
  RunLab("story --file " + path + " 1", status);
  EXPECT_EQ(status, 1);
  EXPECT_NE(RunLabStderr("story --file " + path + " 1", status).find("looks like UTF-8"),
            std::string::npos);
  EXPECT_EQ(RunLab("story --utf8 --file " + path + " 1", status), "== page 1\n第1章\n== page 2\n");
  EXPECT_EQ(status, 0);
  RunLab("check-story " + path, status);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(RunLab("check-story --utf8 " + path, status), "OK: " + path + "\n");
  EXPECT_EQ(status, 0);
}

TEST(RosterHints, EachFaultGetsOneHintLineBesideTheGamesMessage) {
  TRosterFolder folder;
  struct TCase {
    const char* Spec;
    const char* Message;  // the game's, on standard output
    const char* Hint;     // the lab's, on standard error
  };
  const TCase cases[] = {
      {"#Spec 20/3/x/1/", "数値記述が不正です。",
       "hint: the defence part 'x' is not a whole number (HP/attack/defence/speed/swords)"},
      {"#Spec 20//2/1/", "数値記述が不正です。",
       "hint: the attack part '' is empty (HP/attack/defence/speed/swords)"},
      {"#Spec 20/3/2/2/斬", "途心（ボーナス合計）が10になっていません。",
       "hint: the build costs 12: HP 20 / 5 + attack 3 + defence 2 + speed 2 + 1 swords; it "
       "must be 10"},
      {"#Spec 20/3/1/0/斬刀", "剣の記述が不正です。",
       "hint: character 2 of the sword list, '刀', is not one of the 35 sword marks"},
      {"#Spec 20/3/1/0/斬 斬", "剣の記述が不正です。",
       "hint: character 2 of the sword list, ' ', is a space; write the marks without spaces"},
  };
  for (const TCase& c : cases) {
    TLines lines = RosterLines(33);
    lines[7] = c.Spec;
    const std::string path = folder.Write(lines);
    int status = -1;
    EXPECT_EQ(RunLab("check-roster " + path, status),
              std::string(c.Message) + "\n8: " + c.Spec + "\n");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(RunLabStderr("check-roster " + path, status), std::string(c.Hint) + "\n");
  }
}

TEST(RosterHints, EveryPortraitFaultNamesThePathTriedAndWhy) {
  TRosterFolder folder;
  WriteWholeFile(folder.Folder + "wide.bmp", BitmapBytes(301, 300));
  WriteWholeFile(folder.Folder + "png.bmp", "\x89PNG\r\n\x1a\n not a bitmap at all");
  WriteWholeFile(folder.Folder + "upper.JPG", ReadWholeFile(SourcePath("dat/arena.jpg")));
  std::filesystem::create_directory(folder.Folder + "folder.bmp");
  std::filesystem::create_symlink("loop.bmp", folder.Folder + "loop.bmp");
  struct TCase {
    const char* Image;
    const char* Why;
  };
  const TCase cases[] = {
      {"missing.bmp", "missing.bmp: there is no such file"},
      {"wide.bmp", "wide.bmp: it is 301 x 300 pixels; a portrait is at most 300 x 300"},
      {"png.bmp", "png.bmp: it cannot be decoded ("},
      {"upper.JPG", "; only the endings .jpg and .jpeg, in lower case, are read as JPEG"},
      {"folder.bmp", "folder.bmp: it is a folder"},
      {"loop.bmp", "loop.bmp: its symbolic links go round in a loop"},
  };
  for (const TCase& c : cases) {
    TLines lines = RosterLines(33);
    lines[8] = std::string("#Image ") + c.Image;
    const std::string path = folder.Write(lines);
    int status = -1;
    EXPECT_EQ(RunLab("check-roster " + path, status),
              "画像ファイルが無いか読めないか大き過ぎます。\n9: " + lines[8] + "\n");
    const std::string hint = RunLabStderr("check-roster " + path, status);
    EXPECT_EQ(hint.rfind("hint: tried " + folder.Folder, 0), 0u) << hint;
    EXPECT_NE(hint.find(c.Why), std::string::npos) << hint;
    EXPECT_EQ(status, 1);
  }
}

TEST(RosterHints, TooFewEntriesAndAnEntryBrokenOffAreCounted) {
  TRosterFolder folder;
  int status = -1;
  const std::string few = folder.Write(RosterLines(30));
  EXPECT_EQ(RunLab("check-roster " + few, status), "剣師データが足りません。最低32体必要です。\n");
  EXPECT_EQ(RunLabStderr("check-roster " + few, status), "hint: the file holds 30 entries\n");
  TLines lines = RosterLines(33);
  lines.resize(lines.size() - 1);  // the last entry loses its #FlavorEnd
  const std::string broken = folder.Write(lines);
  EXPECT_EQ(RunLab("check-roster " + broken, status), "剣師データが途中で途切れています。\n");
  EXPECT_EQ(RunLabStderr("check-roster " + broken, status),
            "hint: the entry that begins on line 193 is not complete: an entry ends with its "
            "#FlavorEnd line\n");
  EXPECT_EQ(status, 1);
}

TEST(RosterHints, AFolderGivenAsTheRosterIsNamedAsOne) {
  TRosterFolder folder;
  int status = -1;
  const std::string out = RunLab("check-roster " + folder.Folder, status);
  EXPECT_EQ(out.rfind("【エラー】", 0), 0u) << out;  // the game's own message
  EXPECT_EQ(status, 1);
  EXPECT_NE(RunLabStderr("check-roster " + folder.Folder, status)
                .find("is a folder: name the roster file in it"),
            std::string::npos);
}

TEST(RosterWarnings, DuplicateNamesAndPortraitsOutsideTheFolderPassWithAWarning) {
  TRosterFolder folder;
  // The roster in a folder of its own, beside a picture one folder up.
  const std::string sub = folder.Folder + "sub/";
  WriteWholeFile(sub + "noimage.bmp", BitmapBytes(10, 10));
  WriteWholeFile(folder.Folder + "outside.bmp", BitmapBytes(10, 10));
  TLines lines = RosterLines(33);
  lines[12] = "#Name 剣士1";            // entry 3 takes entry 1's name
  lines[20] = "#Image ../outside.bmp";  // entry 4's portrait leaves the folder
  std::string bytes;
  for (const std::string& line : lines) bytes += Sj(line) + "\r\n";
  WriteWholeFile(sub + "swordia.txt", bytes);
  int status = -1;
  EXPECT_EQ(RunLab("check-roster " + sub + "swordia.txt", status), "OK: 33 entries\n");
  EXPECT_EQ(status, 0);
  const std::string warnings = RunLabStderr("check-roster " + sub + "swordia.txt", status);
  EXPECT_NE(warnings.find("swordia.txt:13: the name 剣士1 is also on line 1"), std::string::npos)
      << warnings;
  EXPECT_NE(warnings.find("swordia.txt:19: the portrait ../outside.bmp lies outside the data "
                          "folder"),
            std::string::npos)
      << warnings;
}

TEST(CheckStory, ASoundStoryIsOkAndSoIsTheShippedOne) {
  int status = -1;
  std::string path;
  const std::string out = CheckStory(SoundStory(), status, &path);
  EXPECT_EQ(out, "OK: " + path + "\n");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(RunLab("check-story " + SourcePath("dat/story.txt"), status),
            "OK: " + SourcePath("dat/story.txt") + "\n");
  EXPECT_EQ(status, 0);
}

TEST(CheckStory, EachFaultIsNamedWithItsLine) {
  struct TCase {
    const char* What;
    int Line;             // 0-based index into SoundStory() to replace
    const char* Replace;  // the new line
    const char* Finding;  // after "FILE"
  };
  const TCase cases[] = {
      {"too many parameters", 5, "#Wave a.wav b.wav",
       ":6: 【エラー】パラメータ過多：#Wave a.wav b.wav (#Wave takes exactly one sound file name"},
      {"a misspelt jump", 5, "#goto @Nowhere",
       ":6: 【エラー】@Nowhereが見つかりませんでした。 (the game would carry on silently after "
       "this "
       "line; the labels are: @Stage0, @Stage1"},
      {"a jump to no label", 5, "#goto Stage1", ":6: 【エラー】不正なアドレス名：Stage1 ("},
      {"too few parameters", 5, "#Line", ":6: 【エラー】パラメータ過少：#Line"},
      {"a #Line that is no number", 5, "#Line x", ":6: 【エラー】#Lineの行数が不正です：x"},
      {"a #goto without a target", 5, "#goto", ":6: 【エラー】不正な#goto：#goto"},
      {"a missing piece", 8, "@Stage9",
       ": @Stage2 is missing: the game would tell that stage "
       "from wherever the script stands"},
      {"a duplicate label", 8, "@Stage1", ":9: 【エラー】ラベル重複：@Stage1 (first on line 5;"},
      {"a missing picture", 5, "#Image nothere.bmp", ":6: the picture "},
      {"a missing sound", 5, "#Wave nothere.wav", ":6: the sound "},
      {"a line too wide", 5,
       "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろ",
       ":6: the line is "},
      {"a piece without #stop", 7, "", ":9: the piece @Stage1 runs on into @Stage2"},
      {"a #stop right after text", 6, "#stop",
       ":7: no empty line before this #stop: the next piece would open on an empty page"},
      {"a piece without text", 5, "", ":5: the piece @Stage1 shows no text"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TLines lines = SoundStory();
    lines[static_cast<std::size_t>(c.Line)] = c.Replace;
    int status = -1;
    std::string path;
    const std::string out = CheckStory(lines, status, &path);
    EXPECT_NE(out.find(path + c.Finding), std::string::npos) << out;
    EXPECT_EQ(status, 1);
  }
}

TEST(CheckStory, APictureOrSoundThatDoesNotDecodeSaysWhy) {
  TLines lines = SoundStory();
  lines.insert(lines.begin() + 5, "#Image bad.jpg");  // line 6, before @Stage1's text
  lines.insert(lines.begin() + 10, "#Wave bad.wav");  // line 11, before @Stage2's text
  const std::string path = WriteScriptFile(lines);
  const std::string folder = std::filesystem::path(path).parent_path().string() + "/";
  WriteWholeFile(folder + "bad.jpg", "not a JPEG");
  WriteWholeFile(folder + "bad.wav", std::string("RIFF\x04\x00\x00\x00WAVE", 12));
  int status = -1;
  const std::string out = RunLab("check-story " + path, status);
  EXPECT_NE(out.find(":6: the picture " + folder + "bad.jpg cannot be shown: "), std::string::npos)
      << out;
  EXPECT_NE(
      out.find(":11: the sound " + folder + "bad.wav cannot be played: it holds no sound data"),
      std::string::npos)
      << out;
  EXPECT_EQ(status, 1);
  // A sound the game refuses by its format, and one cut short, which plays.
  const std::string bell = ReadWholeFile(SourcePath("dat/bell.wav"));
  WriteWholeFile(folder + "bad.wav",
                 bell.substr(0, 24) + std::string("\1\0\0\0", 4) + bell.substr(28));
  EXPECT_NE(RunLab("check-story " + path, status)
                .find("bad.wav cannot be played: its sample rate is 1 Hz; a cue plays at 4000 to "
                      "192000 Hz"),
            std::string::npos);
  WriteWholeFile(folder + "bad.wav", bell.substr(0, 1000));
  EXPECT_NE(
      RunLab("check-story " + path, status).find("bad.wav is cut short: its data chunk claims"),
      std::string::npos);
  // The shipped pictures and sounds decode.
  WriteWholeFile(folder + "bad.jpg", ReadWholeFile(SourcePath("dat/arena.jpg")));
  WriteWholeFile(folder + "bad.wav", ReadWholeFile(SourcePath("dat/bell.wav")));
  EXPECT_EQ(RunLab("check-story " + path, status), "OK: " + path + "\n");
  EXPECT_EQ(status, 0);
}

TEST(LabCommandLine, HelpForEveryCommandAndOneExitCodeConvention) {
  int status = -1;
  const std::string overview = RunLab("help", status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(overview.find("exit codes: 0 fine; 1 the file or build given has a fault; 2 bad usage"),
            std::string::npos);
  for (const char* command :
       {"battle", "simulate", "bench", "candidates", "well-formed", "grow", "grow-round",
        "tournaments", "check-roster", "check-story", "story", "layout"}) {
    SCOPED_TRACE(command);
    EXPECT_NE(overview.find(std::string("  ") + command + " "), std::string::npos);
    const std::string help = RunLab(std::string("help ") + command, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(help.rfind(std::string("usage: quillmoor-lab ") + command, 0), 0u) << help;
    EXPECT_NE(help.find("exit codes:"), std::string::npos);
    EXPECT_EQ(help.find('\\'), std::string::npos) << "no Windows paths: " << help;
    EXPECT_EQ(RunLab(std::string(command) + " --help", status), help);
    EXPECT_EQ(RunLab(std::string(command) + " -h", status), help);
    // An unknown option is named, with where to look.
    EXPECT_NE(RunLabStderr(std::string(command) + " --bogus", status)
                  .find(std::string("quillmoor-lab ") + command +
                        ": unknown option '--bogus' (see 'quillmoor-lab help " + command + "')"),
              std::string::npos);
    EXPECT_EQ(status, 2);
  }
  EXPECT_NE(RunLab("help simulate", status).find("20 when A wins, 0 when B wins, 10 for a draw"),
            std::string::npos);
  EXPECT_NE(RunLab("help bench", status).find("changes exactly when the game's behaviour does"),
            std::string::npos);
  RunLab("nosuchcommand", status);
  EXPECT_EQ(status, 2);
  RunLab("help nosuchcommand", status);
  EXPECT_EQ(status, 2);
  // A missing file is a fault of the file, the same for every command.
  RunLab("check-roster /nonexistent/swordia.txt", status);
  EXPECT_EQ(status, 1);
  RunLab("check-story /nonexistent/story.txt", status);
  EXPECT_EQ(status, 1);
  RunLab("story --file /nonexistent/story.txt 0", status);
  EXPECT_EQ(status, 1);
  RunLab("tournaments --roster /nonexistent/swordia.txt", status);
  EXPECT_EQ(status, 1);
  // The story's name has no Shift-JIS form: usage. Its text is no UTF-8
  // under --utf8: a fault of the file. The picture cannot be written: the
  // lab itself failed.
  const std::string sjis = MakeTempFolder() + "/story.txt";
  WriteWholeFile(sjis, Sj("あい\n"));
  for (const auto& [args, code] : {std::pair<std::string, int>{"check-story 🗡.txt", 2},
                                   {"check-story --utf8 " + sjis, 1},
                                   {"layout /nonexistent/layout.png", 3}}) {
    RunLab(args, status);
    EXPECT_EQ(status, code) << args;
  }
}
