// Damaged rosters: whatever the bytes, the loader answers with success or one
// of its fault messages, and never crashes or hangs.
#include <gtest/gtest.h>

#include <random>

#include "data/Roster.h"
#include "present/PictureCheck.h"
#include "tests/PixelTestSupport.h"
#include "tests/RosterTestSupport.h"
#include "tests/TestSupport.h"

namespace {

// The messages a fault may begin with.
const char* const Messages[] = {
    "【エラー】",
    "#Nameで始まらない不正な入力です。",
    "#Specで始まらない不正な入力です。",
    "#Imageで始まらない不正な入力です。",
    "#FlavorBeginで始まらない不正な入力です。",
    "名前が空です。",
    "名前が長すぎます。最大32バイトまでです。",
    "不正な記述です。スラッシュは4個でなくてはなりません。",
    "数値記述が不正です。",
    "HPは5の倍数でなくてはなりません。",
    "剣の記述が不正です。",
    "途心（ボーナス合計）が10になっていません。",
    "画像ファイルが無いか読めないか大き過ぎます。",
    "不正な記述です。",
    "設定が長すぎます。最大200行までです。",
    "設定の行頭に#を置いてはいけません。",
    "行が長すぎます。最大70バイトまでです。",
    "剣師データが途中で途切れています。",
    "剣師データが多すぎます。最大100体までです。",
    "剣師データが足りません。最低32体必要です。",
};

bool KnownFault(const std::string& fault) {
  for (const char* m : Messages) {
    if (fault.starts_with(m)) return true;
  }
  return false;
}

// One damaged copy of the roster, chosen by the seed.
std::string Mutate(const std::string& base, std::mt19937& rng) {
  std::string s = base;
  auto pick = [&](std::size_t n) {
    return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
  };
  const int edits = 1 + static_cast<int>(pick(4));
  for (int e = 0; e < edits && !s.empty(); ++e) {
    switch (pick(6)) {
      case 0:  // flip a byte
        s[pick(s.size())] ^= static_cast<char>(1 + pick(255));
        break;
      case 1:  // cut the file short
        s.resize(pick(s.size()));
        break;
      case 2: {  // duplicate a line
        const std::size_t at = s.rfind('\n', pick(s.size()));
        const std::size_t from = at == std::string::npos ? 0 : at + 1;
        const std::size_t to = s.find('\n', from);
        const std::string line =
            s.substr(from, to == std::string::npos ? std::string::npos : to - from + 1);
        s.insert(from, line);
        break;
      }
      case 3: {  // random bytes somewhere
        std::string junk(1 + pick(12), '\0');
        for (char& c : junk) c = static_cast<char>(pick(256));
        s.insert(pick(s.size()), junk);
        break;
      }
      case 4: {  // a lone lead byte at a line end
        const std::size_t at = s.find('\r', pick(s.size()));
        if (at != std::string::npos) s.insert(at, 1, static_cast<char>(0x81 + pick(0x1F)));
        break;
      }
      default: {  // drop a line
        const std::size_t at = s.find('\n', pick(s.size()));
        if (at != std::string::npos) {
          const std::size_t end = s.find('\n', at + 1);
          s.erase(at, end == std::string::npos ? std::string::npos : end - at);
        }
        break;
      }
    }
  }
  return s;
}

}  // namespace

TEST(RosterMutations, EveryDamagedRosterGetsAnAnswer) {
  TRosterFolder folder;
  // A flipped byte may turn "noimage" into "noimagf": let that name a
  // portrait too large.
  WriteWholeFile(folder.Folder + "noimagf.bmp", BitmapBytes(301, 2));
  std::vector<std::string> lines = RosterLines(33);
  lines[8] = "#Image noimage.bmp";
  lines[13] = "#Spec 0/0/0/0/斬闇衝毒猛斬闇衝毒猛";
  lines.insert(lines.end(), {"", "// a rival with a long tale", "#Name 語り部", "#Spec 20/3/2/1/",
                             "#Image", "#FlavorBegin", "昔々", "", "あるところに", "#FlavorEnd"});
  std::string base;
  for (const std::string& line : lines) base += Sj(line) + "\r\n";
  std::mt19937 rng(20240601);
  int successes = 0;
  int faults = 0;
  for (int i = 0; i < 400; ++i) {
    const std::string damaged = Mutate(base, rng);
    std::vector<TSwordia> entries;
    std::string fault;
    if (ReadRoster(folder.WriteBytes(damaged), folder.Folder, PictureCheck(), entries, fault)) {
      ++successes;
      EXPECT_GE(entries.size(), 32u) << i;
      EXPECT_LE(entries.size(), 100u) << i;
    } else {
      ++faults;
      EXPECT_TRUE(KnownFault(U8(fault))) << i << ": " << U8(fault);
    }
  }
  // Both outcomes occur: the mutations reach every part of the file.
  EXPECT_GT(faults, 100);
  EXPECT_GT(successes, 10);
}

TEST(RosterFaults, LongLineIsQuotedByItsFirst256BytesCutBetweenCharacters) {
  TRosterFolder folder;
  const std::string head = Sj("名前が長すぎます。最大32バイトまでです。\r\n1: ");
  // 4,000 bytes of name: "#Name x" and double-byte characters, so that byte
  // 256 falls inside a character, which is left out whole.
  const std::string a = Sj("あ");
  std::string line = Sj("#Name x");
  while (line.size() < 4000) line += a;
  const std::string fault = folder.FaultOfBytes(line + "\r\n");
  std::string quoted = Sj("#Name x");
  for (int i = 0; i < 124; ++i) quoted += a;
  ASSERT_EQ(quoted.size(), 255u);
  EXPECT_EQ(fault, U8(head + quoted + Sj("…")));
  // Up to 256 bytes the line is quoted as it is; from 257 on it is cut.
  const std::string exact = Sj("#Name ") + std::string(250, 'n');
  EXPECT_EQ(folder.FaultOfBytes(exact + "\r\n"), U8(head + exact));
  EXPECT_EQ(folder.FaultOfBytes(exact + "n\r\n"), U8(head + exact + Sj("…")));
  // A trail byte that looks like "\\" is no place to cut either.
  const std::string so = Sj("#Name ") + std::string(249, 'n') + Sj("ソ") + "tail";
  EXPECT_EQ(folder.FaultOfBytes(so + "\r\n"), U8(head + so.substr(0, 255) + Sj("…")));
}

TEST(RosterFaults, PortraitsOverTheirWorkOrSizeAreRefused) {
  TRosterFolder folder;
  // A shipped JPEG portrait loads, and so does one cut in half (libjpeg
  // fills the rows it cannot read); one with more scans than its budget does
  // not.
  const std::string jpeg = ReadWholeFile(SourcePath("dat/vespa.jpg"));
  ASSERT_TRUE(PictureFits(SourcePath("dat/vespa.jpg"), 300, 300));
  WriteWholeFile(folder.Folder + "half.jpg", jpeg.substr(0, jpeg.size() / 2) + "\xFF\xD9");
  EXPECT_TRUE(PictureFits(folder.Folder + "half.jpg", 300, 300));
  WriteWholeFile(folder.Folder + "scans.jpg", RepeatedScanJpeg(20000));
  EXPECT_FALSE(PictureFits(folder.Folder + "scans.jpg", 300, 300));
  // 1,080 bytes of run-length BMP claiming 8192 x 4096.
  EXPECT_FALSE(PictureFits(SourcePath("fuzz/roster/portraits/bomb.bmp"), 300, 300));
  // Through the roster: the fault of the portrait's line.
  std::vector<std::string> lines = RosterLines(32);
  lines[2] = "#Image scans.jpg";
  EXPECT_EQ(folder.Fault(lines),
            "画像ファイルが無いか読めないか大き過ぎます。\r\n3: #Image scans.jpg");
}
