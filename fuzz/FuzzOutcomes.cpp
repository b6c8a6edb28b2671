#include "fuzz/FuzzOutcomes.h"

#include <string_view>

#include "script/TextFile.h"

namespace {

// The file reader's own error, which the roster passes on.
const char* const ReaderFault = "【エラー】";
// The texts a roster fault about a line begins with: a message and CR LF
// before the line number.
const char* const RosterFaultHeads[] = {
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
// The roster faults that name no line.
const char* const RosterWholeFaults[] = {
    "剣師データが途中で途切れています。",
    "剣師データが多すぎます。最大100体までです。",
    "剣師データが足りません。最低32体必要です。",
};

// The texts a script result other than success begins with.
const char* const ScriptErrorHeads[] = {
    "【エラー】存在しないファイル：",
    "【エラー】【TBromFileAccess.InTextSet】",
    "【エラー】行数が多すぎます。最大9999行までです。\r\nin ",
    "【エラー】ラベル重複：",
    "【エラー】文章の無い#gotoの繰り返しです。\r\nin ",
    "【エラー】不正な#goto：",
    "【エラー】不正なアドレス名：",
    "【エラー】パラメータ過少：",
    "【エラー】パラメータ過多：",
    "【エラー】#Lineの行数が不正です：",
    "【エラー】@",  // a label that is not there
};

}  // namespace

std::string RosterFaultProblem(const std::string& fault) {
  for (const char* whole : RosterWholeFaults) {
    if (fault == whole) return "";
  }
  if (fault.starts_with(ReaderFault)) return "";
  for (const char* head : RosterFaultHeads) {
    const std::string_view message(head);
    if (!fault.starts_with(message)) continue;
    // The line number, ": " and at most 256 bytes of the line, then "…"
    // (two bytes).
    const std::size_t colon = fault.find(": ", message.size());
    if (colon == std::string::npos) return "no line number";
    const std::size_t quoted = fault.size() - (colon + 2);
    if (quoted > 256 + 2) return "a quote of " + std::to_string(quoted) + " bytes";
    return "";
  }
  return "an unknown fault";
}

bool KnownScriptResult(const std::string& result) {
  if (result == BromSuccess) return true;
  for (const char* head : ScriptErrorHeads) {
    if (result.starts_with(head)) return true;
  }
  return false;
}
