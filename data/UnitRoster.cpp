#include "data/UnitRoster.h"

#include <limits>

#include "script/BromString.h"

namespace {

// A signed decimal number: an optional sign and at least one digit, within
// 32 bits. Anything else (empty, other notations, overflow) is refused.
bool ParseNumber(std::string_view text, std::int32_t& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return false;
  std::int64_t n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
    if (n > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) return false;
  }
  if (negative) n = -n;
  if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max()) {
    return false;
  }
  value = static_cast<std::int32_t>(n);
  return true;
}

}  // namespace

std::string TrimControl(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return std::string(text.substr(begin, end - begin));
}

std::int64_t BonusTotal(const TSpec& spec) {
  // Counted in 64 bits: the roster accepts any 32-bit numbers, and their sum
  // must not wrap into a false 10.
  return std::int64_t{spec.MaxHP} / 5 + spec.Attack + spec.Defence + spec.Speed +
         TBromString::CharCount(spec.Swords.View());
}

bool ParseSpecText(std::string_view value, TSpec& spec, std::string& fault, bool checkTotal) {
  // 1. Exactly five parts.
  const TStringDynArray parts = TBromString::Split(value, "/");
  if (parts.size() != 5) {
    fault = "不正な記述です。スラッシュは4個でなくてはなりません。";
    return false;
  }
  // 2. Four numbers.
  std::int32_t numbers[4];
  for (int i = 0; i < 4; ++i) {
    if (!ParseNumber(TrimControl(parts[i]), numbers[i])) {
      fault = "数値記述が不正です。";
      return false;
    }
  }
  // 3. HP a multiple of 5.
  if (numbers[0] % 5 != 0) {
    fault = "HPは5の倍数でなくてはなりません。";
    return false;
  }
  // 4. Known sword marks, the list cut to 40 bytes.
  const std::string swords = TBromString::LeftBytes(TrimControl(parts[4]), SwordsBytes);
  for (std::size_t i = 0; i < swords.size();) {
    const std::size_t len = TBromString::CharLength(swords, i);
    if (!IsSwordMark(std::string_view(swords).substr(i, len))) {
      fault = "剣の記述が不正です。";
      return false;
    }
    i += len;
  }
  TSpec parsed;
  parsed.MaxHP = numbers[0];
  parsed.Attack = numbers[1];
  parsed.Defence = numbers[2];
  parsed.Speed = numbers[3];
  parsed.Swords = swords;
  // 5. The bonus total.
  if (checkTotal && BonusTotal(parsed) != RosterBonusTotal) {
    fault = "途心（ボーナス合計）が" + std::to_string(RosterBonusTotal) + "になっていません。";
    return false;
  }
  spec = parsed;
  return true;
}
