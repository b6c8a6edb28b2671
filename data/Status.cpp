#include "data/Status.h"

#include "rules/SjisText.h"

namespace {

// The help texts of the four numbers, in the order of the hero making
// buttons; "<br>" marks a line break.
const char* const HelpTexts[4] = {
    "「ＨＰ」<br>生命力です。０以下になると死にます。",
    "「攻撃力」<br>直接攻撃の威力です。",
    "「防御力」<br>直接攻撃への耐性です。",
    "「素早さ」<br>素早さの分だけ、ターン毎にＡＰ（行動回数）が与えられます。<br>"
    "素早さが敵より高ければ先攻も取れます。",
};

// The states in the order of the fighter record: four bad, six good.
const char* const StateNames[10] = {"スタン",   "スリープ", "猛毒",   "毒",       "反射",
                                    "シールド", "ソウル",   "ライフ", "プッシュ", "クイック"};

std::string Num(std::int32_t n) {
  return std::to_string(n);
}

// "HP/Attack/Defence/Speed/".
std::string NumbersPrefix(const TSpec& spec) {
  return Num(spec.MaxHP) + "/" + Num(spec.Attack) + "/" + Num(spec.Defence) + "/" +
         Num(spec.Speed) + "/";
}

// Characters first .. first+count-1 (0-based) of a mark string.
std::string MarkRange(std::string_view marks, int first, int count) {
  std::string out;
  int k = 0;
  for (std::size_t i = 0; i < marks.size(); ++k) {
    const std::size_t len = TBromString::CharLength(marks, i);
    if (k >= first && k < first + count) out.append(marks.substr(i, len));
    i += len;
  }
  return out;
}

// A sword as the status shows it: its mark, then one letter per grant.
void AppendSwordText(std::string& out, const TSword& s) {
  out += s.Mark.View();
  out.append(static_cast<std::size_t>(s.EarlyGrants > 0 ? s.EarlyGrants : 0), 'R');
  out.append(static_cast<std::size_t>(s.PoisonGrants > 0 ? s.PoisonGrants : 0), 'P');
  out.append(static_cast<std::size_t>(s.BreakGrants > 0 ? s.BreakGrants : 0), 'D');
  out.append(static_cast<std::size_t>(s.StunGrants > 0 ? s.StunGrants : 0), 'S');
}

}  // namespace

std::string BuildText(const TSpec& spec) {
  return NumbersPrefix(spec) + spec.Swords.Str();
}

TStringDynArray BuildLines(const TSpec& spec) {
  const std::string prefix = NumbersPrefix(spec);
  const std::string_view marks = spec.Swords.View();
  return {prefix + MarkRange(marks, 0, 10),
          std::string(prefix.size(), ' ') + MarkRange(marks, 10, 10)};
}

int CountSwords(const TSwordia& swordia) {
  return TBromString::CharCount(swordia.Spec.Swords);
}

TStringDynArray FighterStatus(const TFighter& f) {
  TStringDynArray lines;
  // 1. The four numbers, current HP first.
  lines.push_back("[HP] " + Num(f.HP) + "/" + Num(f.MaxHP) + "  [攻] " + Num(f.Attack) + "  [防] " +
                  Num(f.Defence) + "  [早] " + Num(f.Speed) + "  ");
  // 2. The swords: 1..10 on one line, 11..20 on the next, under the first.
  std::string first = "[剣] ";
  std::string second = " 　  ";
  for (int i = 0; i < f.SwordCount; ++i) AppendSwordText(i < 10 ? first : second, f.Swords[i]);
  lines.push_back(first);
  lines.push_back(second);
  // 3. Action points, with the reserve when there is one.
  std::string ap = "[AP] " + Num(f.AP);
  if (f.ReserveAP > 0) ap += "  [予備AP] " + Num(f.ReserveAP);
  lines.push_back(ap);
  // 4. Every state that is on, in record order.
  const std::int32_t counters[10] = {f.Stun,   f.Sleep, f.StrongPoison, f.Poison, f.Reflect,
                                     f.Shield, f.Soul,  f.Life,         f.Push,   f.Quick};
  for (int i = 0; i < 10; ++i) {
    if (counters[i] > 0)
      lines.push_back("＜" + std::string(StateNames[i]) + Num(counters[i]) + "＞");
  }
  return lines;
}

TStringDynArray HelpLines(int index) {
  if (index < 0 || index > 3) InternalError("UnitStatus", "help index out of range");
  return TBromString::Split(HelpTexts[index], "<br>");
}
