// Fuzz harness: the roster. The input is read as the roster file, its
// portraits looked up in fuzz/roster/portraits/ (small pictures under the
// names the seeds use). Every input must end in a roster of 32 to 100 entries
// or in one of the roster's fault messages, quoting at most 256 bytes of its
// line.
#include <cstdio>
#include <string>
#include <vector>

#include "data/Roster.h"
#include "fuzz/FuzzInput.h"
#include "present/Path.h"

namespace {

// The texts a roster fault may begin with.
const char* const FaultHeads[] = {
    "【エラー】",
    "#Nameで始まらない不正な入力です。\r\n",
    "#Specで始まらない不正な入力です。\r\n",
    "#Imageで始まらない不正な入力です。\r\n",
    "#FlavorBeginで始まらない不正な入力です。\r\n",
    "名前が空です。\r\n",
    "名前が長すぎます。最大32バイトまでです。\r\n",
    "不正な記述です。スラッシュは4個でなくてはなりません。\r\n",
    "数値記述が不正です。\r\n",
    "HPは5の倍数でなくてはなりません。\r\n",
    "剣の記述が不正です。\r\n",
    "途心（ボーナス合計）が10になっていません。\r\n",
    "画像ファイルが無いか読めないか大き過ぎます。\r\n",
    "不正な記述です。\r\n",
    "設定が長すぎます。最大200行までです。\r\n",
    "設定の行頭に#を置いてはいけません。\r\n",
    "行が長すぎます。最大70バイトまでです。\r\n",
};
// The faults without a line.
const char* const WholeFaults[] = {
    "剣師データが途中で途切れています。",
    "剣師データが多すぎます。最大100体までです。",
    "剣師データが足りません。最低32体必要です。",
};

bool KnownFault(const std::string& fault) {
  for (const char* whole : WholeFaults) {
    if (fault == whole) return true;
  }
  for (const char* head : FaultHeads) {
    if (fault.starts_with(head)) return true;
  }
  return false;
}

void CheckRoster(const std::string& path) {
  std::vector<TSwordia> entries;
  std::string fault;
  if (ReadRoster(path, QUILLMOOR_FUZZ_PORTRAITS, entries, fault)) {
    if (entries.size() < RosterMinEntries || entries.size() > RosterMaxEntries) {
      FuzzFailure("a roster of " + std::to_string(entries.size()) + " entries was accepted");
    }
    std::fprintf(stderr, "a roster of %zu entries\n", entries.size());
    return;
  }
  std::fprintf(stderr, "%s\n", Cp932ToUtf8Lenient(fault).c_str());
  if (!KnownFault(fault)) FuzzFailure("an unknown roster fault: " + fault);
  // A message, a line number and at most 256 bytes of the line and "…".
  if (fault.size() > 400) FuzzFailure("a fault message of " + std::to_string(fault.size()));
}

}  // namespace

int main(int argc, char** argv) {
  return FuzzEachInput(argc, argv, CheckRoster);
}
