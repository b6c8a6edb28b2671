#include "growth/GrowthSearch.h"

#include <limits>
#include <memory>
#include <string>

#include "battle/Battle.h"
#include "rules/Random.h"
#include "rules/SjisText.h"

namespace {

constexpr const char* UnitName = "UnitSimulation2";

// The catalogue entry of a kind, as the search reads it.
const TSword& Entry(int kind) {
  return CatalogueSword(kind);
}

std::string_view MarkOf(int kind) {
  return Entry(kind).Mark.View();
}

bool IsAttack(int kind) {
  return Entry(kind).SwordClass == scAttack;
}
bool IsControl(int kind) {
  return Entry(kind).SwordClass == scControl;
}
// An attack sword whose damage grows with its owner's attack.
bool IsAttackPower(int kind) {
  return IsAttack(kind) && Entry(kind).DamageBase == dbAttack;
}
// An attack sword that the target's defence weakens.
bool IsDefendable(int kind) {
  return IsAttack(kind) && !Entry(kind).IgnoreDefence;
}
// The three control swords that lend an effect to an attack sword behind them.
bool IsGrantor(int kind) {
  return kind == swVibration || kind == swPoisonDrug || kind == swDynamic;
}

// A sword list as kinds, head first.
struct TKindList {
  std::uint8_t Kinds[MaxSwords] = {};
  std::int32_t Count = 0;

  template <class Test>
  bool Any(Test test) const {
    for (std::int32_t i = 0; i < Count; ++i) {
      if (test(Kinds[i])) return true;
    }
    return false;
  }
};

TKindList Decode(std::string_view swords) {
  TKindList list;
  for (std::size_t i = 0; i < swords.size();) {
    const std::size_t length = TBromString::CharLength(swords, i);
    const int kind = SwordKindOfMark(swords.substr(i, length));
    if (kind == 0) InternalError(UnitName, "unknown sword mark in a build");
    if (list.Count == MaxSwords) InternalError(UnitName, "more than 20 swords in a build");
    list.Kinds[list.Count++] = static_cast<std::uint8_t>(kind);
    i += length;
  }
  return list;
}

// A build number raised by one step; a number at its limit stays there.
std::int32_t Raised(std::int32_t value, std::int32_t step) {
  constexpr std::int32_t top = std::numeric_limits<std::int32_t>::max();
  return value > top - step ? top : value + step;
}

std::int32_t RandomInsertPos(const TKindList& list, int newKind, TRandom& dice) {
  const TSword& added = Entry(newKind);
  for (;;) {
    // 1. After the first p swords; the sword before that place is sword p - 1.
    const std::int32_t p = dice.Next(list.Count + 1);
    // 2. The head of the list is always a fit.
    if (p == 0) return 0;
    const int before = list.Kinds[p - 1];
    // 3. A control sword that lends its effect to attack swords keeps its
    // place right before one.
    if (added.SwordClass != scAttack && IsGrantor(before)) continue;
    // 4. A sword that does not start in turn 0 may go anywhere else.
    if (added.StartTurn != 0) return p;
    // 5. "導" cannot bring forward a sword that already starts in turn 0.
    if (before == swGuide) continue;
    return p;
  }
}

// One entry of an order's working record: what the ordering reads of the
// catalogue entry of a sword, with a start turn that the ordering may lower.
struct TOrderEntry {
  std::uint8_t Kind = 0;
  TSwordClass SwordClass = scNone;
  std::int32_t StartTurn = 1;
  bool Limited = false;
};

TOrderEntry OrderEntryOf(int kind) {
  const TSword& sword = Entry(kind);
  return TOrderEntry{static_cast<std::uint8_t>(kind), sword.SwordClass, sword.StartTurn,
                     sword.Limited};
}

// The working record of one reordering: the groups of marks, each with the
// entry of its own sword (its last mark), and the count of live entries.
// Removing an entry shifts the later ones down.
struct TOrderWork {
  TShortString<SwordsBytes> Groups[MaxSwords];
  TOrderEntry Entries[MaxSwords];
  std::int32_t Live = 0;

  explicit TOrderWork(const TKindList& list) {
    for (std::int32_t i = 0; i < list.Count; ++i) {
      Groups[i] = MarkOf(list.Kinds[i]);
      Entries[i] = OrderEntryOf(list.Kinds[i]);
    }
    Live = list.Count;
  }

  void Remove(std::int32_t index) {
    for (std::int32_t j = index; j + 1 < Live; ++j) {
      Groups[j] = Groups[j + 1];
      Entries[j] = Entries[j + 1];
    }
    --Live;
  }

  // Puts the taken group in front of the group at `target`.
  void Prefix(std::int32_t target, std::string_view taken) {
    if (target < 0 || target >= Live) InternalError(UnitName, "joining a group that is not there");
    std::string joined(taken);
    joined += Groups[target].View();
    Groups[target] = TBromString::LeftChars(joined, SwordsBytes);
  }

  // A live entry drawn uniformly among those that fit, or among all live
  // entries when none fits. There is always one: the last group is never taken.
  template <class Fits>
  std::int32_t ChooseTarget(Fits fits, TRandom& dice) const {
    if (Live == 0) InternalError(UnitName, "no group left to join");
    std::int32_t fitting = 0;
    for (std::int32_t i = 0; i < Live; ++i) {
      if (fits(Entries[i])) ++fitting;
    }
    if (fitting == 0) return dice.Next(Live);
    std::int32_t pick = dice.Next(fitting);
    for (std::int32_t i = 0; i < Live; ++i) {
      if (fits(Entries[i]) && pick-- == 0) return i;
    }
    InternalError(UnitName, "no target drawn");
  }
};

}  // namespace

TSpec GrowOne(const TSpec& me, const TSpec& partner, TRandom& dice) {
  // 1. Both sides' steps: the opponent is modelled as growing one step too,
  // each of its steps weighing the same.
  const TSpecList own = GrowthCandidates(me, partner, dice);
  const TFighterList opponents = FightersOf(GrowthCandidates(partner, me, dice));
  // 2. Growth phase: every step against every opponent step; steps that add
  // no sword are preferred on a tie.
  TIntList scores(own.size(), 0);
  for (std::size_t i = 0; i < own.size(); ++i) scores[i] = ScoreAgainstFighters(own[i], opponents);
  AddKeepLengthBonus(me, own, scores);
  const TSpec chosen = PickBest(own, scores, dice);
  // 3. Order phase: the chosen build's orders against the same opponent
  // steps; the kept order and well-formed orders are preferred on a tie.
  const TSpecList orders = OrderVariants(chosen, dice);
  scores.assign(orders.size(), 0);
  for (std::size_t i = 0; i < orders.size(); ++i)
    scores[i] = ScoreAgainstFighters(orders[i], opponents);
  AddOrderBonus(orders, scores);
  return PickBest(orders, scores, dice);
}

TSpecList GrowthCandidates(const TSpec& self, const TSpec& other, TRandom& dice) {
  const TKindList mine = Decode(self.Swords);
  const TKindList theirs = Decode(other.Swords);
  TSpecList list;
  list.reserve(32 + 4 * static_cast<std::size_t>(mine.Count));
  auto insertAnywhere = [&](int kind) {
    list.push_back(InsertSword(self, MarkOf(kind), RandomInsertPos(mine, kind, dice)));
  };

  // 1. Five more HP.
  list.push_back(self);
  list.back().MaxHP = Raised(self.MaxHP, 5);
  // 2. One more speed.
  list.push_back(self);
  list.back().Speed = Raised(self.Speed, 1);
  // 3. A swordsman with no speed never acts: only these two steps matter.
  if (self.Speed <= 0) return list;
  const bool usesAttack = mine.Any(IsAttackPower);
  const bool meetsDefence = theirs.Any(IsDefendable);
  // 4. Attack, for a list that strikes with it.
  if (usesAttack) {
    list.push_back(self);
    list.back().Attack = Raised(self.Attack, 1);
  }
  // 5. Defence, against an opponent whose strikes it weakens.
  if (meetsDefence) {
    list.push_back(self);
    list.back().Defence = Raised(self.Defence, 1);
  }
  // 6. The twelve attack-power swords, once there is attack to strike with.
  if (self.Attack > 0 || mine.Any([](int kind) { return kind == swHeat; })) {
    for (int kind = swSlash; kind <= swHeavy; ++kind) insertAnywhere(kind);
  }
  // 7. The four attack swords that do not use attack.
  for (int kind = swMagic; kind <= swRequiem; ++kind) insertAnywhere(kind);
  // 8. to 11. The four stat swords, attack ones only where attack counts.
  if (usesAttack) insertAnywhere(swHeat);
  if (meetsDefence) insertAnywhere(swBlessing);
  insertAnywhere(swHaste);
  if (usesAttack) insertAnywhere(swScorch);
  // 12. The ten state and recovery swords.
  for (int kind = swShield; kind <= swSleepingDragon; ++kind) insertAnywhere(kind);
  // 13. "導" right before every sword it can bring forward, unless a control
  // sword already stands there.
  for (std::int32_t p = 0; p < mine.Count; ++p) {
    if (Entry(mine.Kinds[p]).StartTurn > 0 && (p == 0 || !IsControl(mine.Kinds[p - 1]))) {
      list.push_back(InsertSword(self, MarkOf(swGuide), p));
    }
  }
  // 14. "振", "薬" and "豪" right before every attack sword, on the same terms.
  for (int kind = swVibration; kind <= swDynamic; ++kind) {
    for (std::int32_t p = 0; p < mine.Count; ++p) {
      if (IsAttack(mine.Kinds[p]) && (p == 0 || !IsControl(mine.Kinds[p - 1]))) {
        list.push_back(InsertSword(self, MarkOf(kind), p));
      }
    }
  }
  // 15. The environment sword.
  insertAnywhere(swStarFrost);
  return list;
}

std::int32_t RandomInsertPos(const TSpec& self, std::string_view mark, TRandom& dice) {
  const int kind = SwordKindOfMark(mark);
  if (kind == 0) InternalError(UnitName, "unknown sword mark to insert");
  return RandomInsertPos(Decode(self.Swords), kind, dice);
}

TSpec InsertSword(const TSpec& self, std::string_view mark, std::int32_t pos) {
  const std::string_view swords = self.Swords.View();
  if (pos < 0) InternalError(UnitName, "insertion before the sword list");
  // Byte offset of the place after the first `pos` characters.
  std::size_t at = 0;
  for (std::int32_t i = 0; i < pos; ++i) {
    if (at >= swords.size()) InternalError(UnitName, "insertion beyond the sword list");
    at += TBromString::CharLength(swords, at);
  }
  std::string joined(swords.substr(0, at));
  joined += mark;
  joined += swords.substr(at);
  TSpec result = self;
  // A full list keeps its first 20 swords: the one at the end falls off.
  result.Swords = TBromString::LeftChars(joined, SwordsBytes);
  return result;
}

TSpecList OrderVariants(const TSpec& build, TRandom& dice) {
  TSpecList list;
  if (TBromString::CharCount(build.Swords) <= 1) {
    list.push_back(build);
    return list;
  }
  list.reserve(30);
  list.push_back(build);
  for (int i = 1; i < 20; ++i) list.push_back(OrderVariant(build, true, dice));
  for (int i = 20; i < 30; ++i) list.push_back(OrderVariant(build, false, dice));
  return list;
}

TSpec OrderVariant(const TSpec& build, bool retarget, TRandom& dice) {
  // 1. One group per sword, each with its own catalogue entry.
  TOrderWork work(Decode(build.Swords));
  // 2. Every lone "導" joins a sword it can bring forward, chosen at random,
  // and that sword starts one turn earlier from now on.
  const std::string_view guide = MarkOf(swGuide);
  // A "導" that is the whole list has nothing to join and stays.
  for (std::int32_t i = 0; i < work.Live;) {
    if (work.Groups[i] != guide || work.Live == 1) {
      ++i;
      continue;
    }
    work.Remove(i);
    const std::int32_t target =
        work.ChooseTarget([](const TOrderEntry& e) { return e.StartTurn > 0; }, dice);
    work.Prefix(target, guide);
    if (work.Entries[target].StartTurn > 0) --work.Entries[target].StartTurn;
  }
  // 3. Every control sword that can run by turn a travels with a random attack
  // sword that will still be there when it does (a limited attack sword that
  // may already have run is no target). Earlier passes move the earlier
  // control swords, so a chain lands on one attack sword whole.
  if (retarget) {
    for (std::int32_t a = 0; a <= 2; ++a) {
      for (std::int32_t i = 0; i < work.Live;) {
        const TOrderEntry entry = work.Entries[i];
        // The last group left has no other group to join: it stays as it is,
        // for a reordering never loses a sword the swordsman paid for.
        if (entry.SwordClass != scControl || entry.StartTurn > a || work.Live == 1) {
          ++i;
          continue;
        }
        const TShortString<SwordsBytes> taken = work.Groups[i];
        work.Remove(i);
        const std::int32_t target = work.ChooseTarget(
            [a](const TOrderEntry& e) {
              return e.SwordClass == scAttack && !(e.Limited && e.StartTurn < a);
            },
            dice);
        work.Prefix(target, taken.View());
      }
    }
  }
  // 4. The groups in random order.
  std::string swords;
  while (work.Live > 0) {
    const std::int32_t k = dice.Next(work.Live);
    swords += work.Groups[k].View();
    swords = TBromString::LeftChars(swords, SwordsBytes);
    work.Remove(k);
  }
  TSpec result = build;
  result.Swords = swords;
  return result;
}

bool IsWellFormedOrder(std::string_view swords) {
  const TKindList list = Decode(swords);
  // An empty list has nothing in order to praise (the search never reorders
  // one: a build of at most one sword keeps its order).
  if (list.Count == 0) return false;
  TOrderEntry entries[MaxSwords];
  std::int32_t count = list.Count;
  for (std::int32_t i = 0; i < count; ++i) entries[i] = OrderEntryOf(list.Kinds[i]);
  auto remove = [&](std::int32_t index) {
    for (std::int32_t j = index; j + 1 < count; ++j) entries[j] = entries[j + 1];
    --count;
  };

  // 1. A control sword at the end has nothing to act on.
  if (entries[count - 1].SwordClass == scControl) return false;
  // 2. Every "導" must bring the sword behind it forward; the lowered start
  // turns count below.
  for (std::int32_t i = 0; i < count - 1;) {
    if (entries[i].Kind != swGuide) {
      ++i;
      continue;
    }
    remove(i);
    if (entries[i].StartTurn <= 0) return false;
    --entries[i].StartTurn;
  }
  // 3. Every control sword that can run by turn a must be followed by an
  // attack sword still there then, or by a control sword that runs earlier.
  for (std::int32_t a = 2; a >= 0; --a) {
    for (std::int32_t i = 0; i < count - 1;) {
      if (entries[i].SwordClass != scControl || entries[i].StartTurn > a) {
        ++i;
        continue;
      }
      remove(i);
      const TOrderEntry& next = entries[i];
      const bool carries = next.SwordClass == scAttack && !(next.Limited && next.StartTurn < a);
      const bool chains = next.SwordClass == scControl && next.StartTurn <= a - 1;
      if (!carries && !chains) return false;
    }
  }
  // 4. Nothing is out of place.
  return true;
}

std::int32_t ScoreAgainst(const TSpec& candidate, const TSpecList& opponents) {
  return ScoreAgainstFighters(candidate, FightersOf(opponents));
}

std::int32_t ScoreAgainstFighters(const TSpec& candidate, const TFighterList& opponents) {
  // 1. A battle state of this search's own (the game's stays as it is), and
  // the candidate's fighter, built once.
  const auto battle = std::make_unique<TBattle>();
  TFighter fighter;
  SetUpFighter(fighter, candidate);
  // 2. One battle against each opponent.
  std::int32_t score = 0;
  for (const TFighter& opponent : opponents) score += SimulateBattle(*battle, fighter, opponent);
  return score;
}

TFighterList FightersOf(const TSpecList& builds) {
  TFighterList fighters(builds.size());
  for (std::size_t i = 0; i < builds.size(); ++i) SetUpFighter(fighters[i], builds[i]);
  return fighters;
}

TSpec PickBest(const TSpecList& candidates, const TIntList& scores, TRandom& dice) {
  if (candidates.size() != scores.size()) InternalError(UnitName, "scores do not match");
  // 1. The best score, and at least 0.
  std::int32_t best = 0;
  for (std::int32_t s : scores) best = s > best ? s : best;
  // 2. Only candidates with the best score stay in.
  std::int32_t left = 0;
  for (std::int32_t s : scores) left += s >= best ? 1 : 0;
  if (left == 0) InternalError(UnitName, "no candidate to pick");
  // 3. One of them at random, in list order.
  std::int32_t pick = dice.Next(left);
  for (std::size_t i = 0; i < scores.size(); ++i) {
    if (scores[i] >= best && pick-- == 0) return candidates[i];
  }
  InternalError(UnitName, "no candidate picked");
}

void AddKeepLengthBonus(const TSpec& me, const TSpecList& candidates, TIntList& scores) {
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (candidates[i].Swords.size() <= me.Swords.size()) scores[i] += KeepLengthBonus;
  }
}

void AddOrderBonus(const TSpecList& orders, TIntList& scores) {
  if (orders.empty()) return;
  scores[0] += KeepOrderBonus;
  for (std::size_t i = 0; i < orders.size(); ++i) {
    if (IsWellFormedOrder(orders[i].Swords)) scores[i] += WellFormedBonus;
  }
}
