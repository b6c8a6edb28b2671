#include "rules/Sword.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace {

// One catalogue row. Every field not given is 0 / false and the start turn 1.
struct TKindRow {
  const char* Mark;
  const char* Name;
  TSwordClass Class;
  std::int32_t Start;
  TSwordCondition Condition;
  bool Limited;
  TDamageBase Base;
  TDamageScale Scale;
  bool Double, NoDefence, NoGuards;
  std::int32_t Stun, Poison, StrongPoison, Spend, Steal, Reverse;
};

// clang-format off
constexpr TKindRow Kinds[SwordKindCount] = {
  // Mark  Name      Class          St Cond      Lim    Base          Scale       Dbl    NoDef  NoGrd  Stn Psn SPs Spd Stl Rev
  {"斬", "斬撃剣", scAttack,      1, cdNone,    false, dbAttack,     dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"闇", "闇黒剣", scAttack,      2, cdNone,    false, dbAttack,     dsNone,     false, false, true,  0, 0, 0, 0, 0, 0},
  {"衝", "衝撃剣", scAttack,      2, cdNone,    false, dbAttack,     dsNone,     false, false, false, 1, 0, 0, 0, 0, 0},
  {"毒", "蟲毒剣", scAttack,      1, cdNone,    true,  dbAttack,     dsNone,     false, false, false, 0, 1, 0, 0, 0, 0},
  {"猛", "猛毒剣", scAttack,      2, cdNone,    true,  dbAttack,     dsNone,     false, false, false, 0, 0, 1, 0, 0, 0},
  {"戟", "剣戟剣", scAttack,      2, cdNone,    false, dbAttack,     dsNone,     false, false, false, 0, 0, 0, 1, 0, 0},
  {"撹", "撹乱剣", scAttack,      1, cdNone,    true,  dbAttack,     dsNone,     false, false, false, 0, 0, 0, 0, 0, 1},
  {"盗", "強盗剣", scAttack,      2, cdNone,    true,  dbAttack,     dsNone,     false, false, false, 0, 0, 0, 0, 1, 0},
  {"連", "連撃剣", scAttack,      3, cdNone,    false, dbAttack,     dsNone,     true,  false, false, 0, 0, 0, 0, 0, 0},
  {"確", "確実剣", scAttack,      1, cdNone,    false, dbAttack,     dsHalfDown, false, true,  false, 0, 0, 0, 0, 0, 0},
  {"絶", "絶対剣", scAttack,      3, cdNone,    false, dbAttack,     dsNone,     false, true,  false, 0, 0, 0, 0, 0, 0},
  {"重", "重撃剣", scAttack,      3, cdNone,    false, dbAttack,     dsDouble,   false, false, false, 0, 0, 0, 0, 0, 0},
  {"魔", "魔法剣", scAttack,      2, cdNone,    true,  dbTargetHP,   dsHalfUp,   false, true,  false, 0, 0, 0, 0, 0, 0},
  {"死", "デス剣", scAttack,      6, cdNone,    true,  dbTargetHP,   dsNone,     false, true,  false, 0, 0, 0, 0, 0, 0},
  {"怒", "激怒剣", scAttack,      1, cdCrisis,  true,  dbLostHP,     dsNone,     false, true,  false, 0, 0, 0, 0, 0, 0},
  {"滅", "滅奏剣", scAttack,      1, cdCrisis,  true,  dbPowerOfTurn, dsNone,    false, true,  false, 0, 0, 0, 0, 0, 0},
  {"熱", "加熱剣", scSupport,     1, cdNone,    false, dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"護", "加護剣", scSupport,     1, cdNone,    false, dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"速", "加速剣", scSupport,     1, cdNone,    false, dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"灼", "灼熱剣", scSupport,     3, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"盾", "盾の剣", scSupport,     1, cdNone,    false, dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"命", "命の剣", scSupport,     1, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"魂", "魂の剣", scSupport,     3, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"鏡", "鏡の剣", scSupport,     2, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"押", "押分剣", scSupport,     0, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"先", "先行剣", scSupport,     0, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"回", "回復剣", scSupport,     1, cdCrisis,  true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"癒", "快癒剣", scSupport,     1, cdSymptom, false, dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"儀", "儀式剣", scSupport,     0, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"臥", "臥竜剣", scSupport,     0, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"導", "導来剣", scControl,     0, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"振", "振動剣", scControl,     1, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"薬", "毒薬剣", scControl,     1, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"豪", "豪快剣", scControl,     2, cdNone,    true,  dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
  {"星", "星霜剣", scEnvironment, 1, cdNone,    false, dbNone,       dsNone,     false, false, false, 0, 0, 0, 0, 0, 0},
};

// The effect lines of each kind's help text, in kind order.
const std::vector<std::vector<const char*>> EffectLines = {
  {"攻撃力－対象防御力ダメージを与える。"},
  {"攻撃力－対象防御力ダメージを与える。", "その際に防衛と防護に属する状態を無視する。"},
  {"攻撃力－対象防御力ダメージを与える。", "さらにダメージ1点以上で状態「スタン」を与える。"},
  {"攻撃力－対象防御力ダメージを与える。", "さらにダメージ1点以上で状態「毒」を与える。"},
  {"攻撃力－対象防御力ダメージを与える。", "さらにダメージ1点以上で状態「猛毒」を与える。"},
  {"攻撃力－対象防御力ダメージを与える。", "さらにダメージ1点以上で対象の未使用のうち先頭の剣を使用済みにする。"},
  {"攻撃力－対象防御力ダメージを与える。", "さらにダメージ1点以上で対象の剣リストの順序を逆にする。"},
  {"攻撃力－対象防御力ダメージを与える。", "そしてダメージ1点以上で対象の先頭の剣を自分の剣リストの末尾に移動させる。"},
  {"攻撃力－対象防御力ダメージを与える。", "2回。"},
  {"攻撃力÷2ダメージを与える。（端数切り捨て）"},
  {"攻撃力ダメージを与える。"},
  {"攻撃力×2－対象防御力ダメージを与える。"},
  {"対象HP÷2ダメージを与える。（端数切り上げ）"},
  {"対象HPダメージを与える。"},
  {"自分の（最大HP-HP）ダメージを与える。"},
  {"2の「ターン数」乗ダメージを与える。"},
  {"対象の攻撃力を1増加させる。"},
  {"対象の防御力を1増加させる。"},
  {"対象の素早さを1増加させる。"},
  {"対象の攻撃力を2倍にする。"},
  {"状態「シールド」を与える。", "※ シールド（被ダメージ決定時に発動）：ダメージを半減（端数切捨て）する。"},
  {"状態「ライフ」を与える。", "※ ライフ（自分の死亡時に発動）：HPに1を代入し、生き返る。"},
  {"状態「ソウル」を与える。", "※ ソウル（自分の死亡時に発動）：HPに最大値を代入し、1以上になれば生き返る。"},
  {"状態「反射」を与える。", "※ 反射（攻撃が来た時に発動）：攻撃の対象を相手に変更する。"},
  {"状態「プッシュ」を与える。", "※ プッシュ（判定勝負時に発動）：HP比較をスキップして判定勝利する。"},
  {"状態「クイック」を与える。", "※ クイック（先行決定時に発動）：先に行動できる。"},
  {"対象のHPに最大値を代入する。"},
  {"対象の悪い状態をすべて除去する。"},
  {"対象の予備APを3増加させる。", "※予備AP：ターンが終了しても持ち越せるAP（行動回数）。"},
  {"対象の最大HP、HPを10増加させる。状態「スリープ」を与える。", "※ スリープ（ターンの最初に発動）：APが0になる。"},
  {"＜早期起動＞を与える。", "※ ＜早期起動＞：起動ターンを1早める。"},
  {"対象が＜攻撃＞なら＜スタン与え＞を与える。", "※ ＜スタン与え＞：ダメージを1点以上与えたとき、状態「スタン」を与える。"},
  {"対象が＜攻撃＞なら＜毒与え＞を与える。", "※ ＜毒与え＞：ダメージを1点以上与えたとき、状態「毒」を与える。"},
  {"対象が＜攻撃＞なら＜破壊伴い＞を与える。", "※ ＜破壊伴い＞：ダメージを1点以上与えたとき、対象の先頭の剣を破壊する。"},
  {"ターン数を1増加させる。"},
};
// clang-format on

}  // namespace

namespace {

// A mark's two bytes as one number, lead byte high.
std::uint16_t MarkKey(std::string_view mark) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(mark[0]) << 8 |
                                    static_cast<unsigned char>(mark[1]));
}

// The records of all kinds, made once from the rows, and their marks as keys
// in a small table where every mark has a slot of its own, so a look-up is one
// probe: building a fighter looks up every mark of its build.
struct TCatalogue {
  static constexpr int KeySlots = 128;  // a power of two, well above 35

  TSword Records[SwordKindCount + 1];  // 0 is the empty record
  std::uint16_t Keys[KeySlots] = {};
  std::uint8_t KindAt[KeySlots] = {};  // 0: a free slot
  std::uint32_t Multiplier = 1;        // of the slot hash, chosen for the marks

  int SlotOf(std::uint16_t key) const {
    return static_cast<int>((key * Multiplier) >> 9) & (KeySlots - 1);
  }

  TCatalogue() {
    for (int kind = 1; kind <= SwordKindCount; ++kind) {
      const TKindRow& k = Kinds[kind - 1];
      TSword& r = Records[kind];  // cleared: every field 0, start turn 1
      r.Mark = k.Mark;
      r.Kind = static_cast<std::uint8_t>(kind);
      r.Name = k.Name;
      r.SwordClass = k.Class;
      r.StartTurn = k.Start;
      r.Condition = k.Condition;
      r.Limited = k.Limited;
      r.DamageBase = k.Base;
      r.DamageScale = k.Scale;
      r.DoubleStrike = k.Double;
      r.IgnoreDefence = k.NoDefence;
      r.IgnoreGuards = k.NoGuards;
      r.StunOnHit = k.Stun;
      r.PoisonOnHit = k.Poison;
      r.StrongPoisonOnHit = k.StrongPoison;
      r.SpendOnHit = k.Spend;
      r.StealOnHit = k.Steal;
      r.ReverseOnHit = k.Reverse;
    }
    // The first odd multiplier that gives every mark a slot of its own (a few
    // dozen tries).
    while (!PlaceMarks()) Multiplier += 2;
  }

  // Puts every mark in its slot; false, with the table cleared, when two
  // marks would share one.
  bool PlaceMarks() {
    for (int kind = 1; kind <= SwordKindCount; ++kind) {
      const std::uint16_t key = MarkKey(Records[kind].Mark.View());
      const int slot = SlotOf(key);
      if (KindAt[slot] != 0) {
        std::fill(std::begin(Keys), std::end(Keys), std::uint16_t{0});
        std::fill(std::begin(KindAt), std::end(KindAt), std::uint8_t{0});
        return false;
      }
      Keys[slot] = key;
      KindAt[slot] = static_cast<std::uint8_t>(kind);
    }
    return true;
  }

  // The kind whose mark is this key, or 0.
  int KindOfKey(std::uint16_t key) const {
    const int slot = SlotOf(key);
    return Keys[slot] == key ? KindAt[slot] : 0;
  }

  int KindOf(std::string_view text) const {
    return text.size() == 2 ? KindOfKey(MarkKey(text)) : 0;
  }
};

const TCatalogue& Catalogue() {
  static const TCatalogue catalogue;
  return catalogue;
}

}  // namespace

TSword SwordByKind(int kind) {
  return CatalogueSword(kind);
}

const TSword& CatalogueSword(int kind) {
  if (kind < 1 || kind > SwordKindCount) InternalError("UnitSword", "unknown sword kind");
  return Catalogue().Records[kind];
}

int SwordKindOfMark(std::string_view text) {
  return Catalogue().KindOf(text);
}

bool IsSwordMark(std::string_view text) {
  return SwordKindOfMark(text) != 0;
}

TSword SwordByMark(std::string_view text) {
  const int kind = SwordKindOfMark(text);
  if (kind == 0) InternalError("UnitSword", "unknown sword mark");
  return Catalogue().Records[kind];
}

void SwordDescription(int kind, TStringDynArray& lines) {
  const TSword r = SwordByKind(kind);
  lines.clear();
  // 1. Mark and name.
  lines.push_back("[" + r.Mark.Str() + "] " + r.Name.Str());
  // 2. What the sword acts on.
  switch (r.SwordClass) {
    case scAttack:
      lines.push_back("＜攻撃＞  実行対象は敵剣師です。");
      break;
    case scSupport:
      lines.push_back("＜補助＞  実行対象は自分です。");
      break;
    case scControl:
      lines.push_back("＜制御＞  実行対象は次の位置にある剣です。");
      break;
    case scEnvironment:
      lines.push_back("＜環境＞  実行対象は環境の何かです。");
      break;
    default:
      lines.push_back("＜＞");
      break;
  }
  // 3. When it may first run.
  if (r.StartTurn == 0) {
    lines.push_back("＜高速起動＞  0ターン目から使えます。");
  } else if (r.StartTurn != 1) {
    const std::string n = std::to_string(r.StartTurn);
    lines.push_back("＜遅延起動" + n + "＞  " + n + "ターン目から使えます。");
  }
  // 4. Its condition.
  if (r.Condition == cdCrisis) {
    lines.push_back("＜危殆起動＞  自分のHPが半分以下の時のみ実行されます。");
  } else if (r.Condition == cdSymptom) {
    lines.push_back("＜対症起動＞  自分に悪い状態が付与されている時のみ実行されます。");
  }
  // 5. Whether it vanishes.
  if (r.Limited) lines.push_back("＜リミテッド＞  実行時に消滅します。");
  // 6. A blank line.
  lines.emplace_back();
  // 7. What it does.
  for (const char* line : EffectLines[kind - 1]) lines.emplace_back(line);
}

TFighter MakeFighter(const TSwordia& swordia) {
  TFighter f;
  SetUpFighter(f, swordia.Spec);
  f.Name = TBromString::LeftChars(swordia.Name, FighterNameBytes);
  return f;
}

void SetUpFighter(TFighter& f, const TSpec& spec) {
  // 1. No name, the build's numbers, full HP and no states.
  f.Name = std::string_view();
  f.MaxHP = spec.MaxHP;
  f.Attack = spec.Attack;
  f.Defence = spec.Defence;
  f.Speed = spec.Speed;
  f.HP = spec.MaxHP;
  f.AP = f.ReserveAP = 0;
  f.Dead = false;
  f.Stun = f.Sleep = f.StrongPoison = f.Poison = 0;
  f.Reflect = f.Shield = f.Soul = f.Life = f.Push = f.Quick = 0;
  f.Used = 0;
  // 2. The catalogue record of every mark, at most 20. Every mark is two
  // bytes, so the string is read two bytes at a time: a byte that begins no
  // mark, or a lone byte at the end, is found in no slot.
  static_assert(SwordsBytes <= 2 * MaxSwords, "a build's string holds at most 20 marks");
  const TCatalogue& catalogue = Catalogue();
  const std::string_view swords = spec.Swords.View();
  int count = 0;
  for (std::size_t i = 0; i < swords.size(); i += 2) {
    const int kind = i + 1 < swords.size() ? catalogue.KindOfKey(MarkKey(swords.substr(i, 2))) : 0;
    if (kind == 0) InternalError("UnitSword", "unknown sword mark");
    f.Swords[count++] = catalogue.Records[kind];
  }
  f.SwordCount = count;
}

void CopyFighter(TFighter& to, const TFighter& from) {
  static_assert(std::is_trivially_copyable_v<TFighter>, "a fighter is copied byte for byte");
  std::memcpy(static_cast<void*>(&to), &from, offsetof(TFighter, Swords));
  std::memcpy(static_cast<void*>(to.Swords), from.Swords,
              sizeof(TSword) * static_cast<std::size_t>(from.SwordCount));
  to.SwordCount = from.SwordCount;
}

int FirstUnusedSword(const TFighter& f) {
  const std::uint32_t unused = ~f.Used & AllSwords(f);
  return unused == 0 ? -1 : std::countr_zero(unused);
}

bool AppendSword(TFighter& f, const TSword& sword, bool used) {
  // Only repeated stealing in one battle can fill a list; the list then stays
  // at 20 and the newcomer is lost.
  if (f.SwordCount >= MaxSwords) return false;
  if (used) UseSword(f, f.SwordCount);
  f.Swords[f.SwordCount++] = sword;
  return true;
}

void ReverseSwords(TFighter& f) {
  const int n = f.SwordCount;
  std::uint32_t used = 0;
  for (int i = 0; i < n; ++i) {
    if (SwordUsed(f, i)) used |= std::uint32_t{1} << (n - 1 - i);
  }
  f.Used = used;
  for (int i = 0; i < n / 2; ++i) std::swap(f.Swords[i], f.Swords[n - 1 - i]);
}

void AddHistory(TSwordia& swordia, const std::string& line) {
  swordia.History.push_back(line);
}

std::string HistoryWinLine(std::string_view stageName, std::string_view loserName) {
  return std::string(stageName) + "にて、" + std::string(loserName) + "を撃破";
}

std::string HistoryLossLine(std::string_view stageName, std::string_view winnerName) {
  return std::string(stageName) + "にて、" + std::string(winnerName) + "に敗北";
}

void AddStatPoint(TSpec& spec, int stat) {
  switch (stat) {
    case 0:
      spec.MaxHP += 5;
      break;
    case 1:
      ++spec.Attack;
      break;
    case 2:
      ++spec.Defence;
      break;
    case 3:
      ++spec.Speed;
      break;
    default:
      InternalError("UnitSword", "no such number to raise");
  }
}
