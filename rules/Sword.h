// Design unit: UnitSword.
// The records every part of the game shares: the sword, the build, the
// swordsman and the fighter, with the catalogue of the 35 sword kinds, the
// fighter builder and the operations on a fighter's sword list.
//
// A build's sword list is a string of one-kanji sword marks (cp932, two bytes
// each); the catalogue turns each mark into a full sword record. All records
// are plain values, copied whole; only the portrait is a non-owning reference.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/InternalError.h"
#include "rules/ShortString.h"
#include "rules/SjisText.h"

// Kinds ------------------------------------------------------------------

enum TSwordKind : std::uint8_t {
  swSlash = 1,
  swDarkness,
  swImpact,
  swVenom,
  swDeadlyVenom,
  swClash,
  swConfusion,
  swRobbery,
  swCombo,
  swSure,
  swAbsolute,
  swHeavy,
  swMagic,
  swDeath,
  swRage,
  swRequiem,
  swHeat,
  swBlessing,
  swHaste,
  swScorch,
  swShield,
  swLife,
  swSoul,
  swMirror,
  swPush,
  swLead,
  swRecovery,
  swCure,
  swRitual,
  swSleepingDragon,
  swGuide,
  swVibration,
  swPoisonDrug,
  swDynamic,
  swStarFrost
};
constexpr int SwordKindCount = 35;

enum TSwordClass : std::uint8_t {
  scNone = 0,
  scAttack = 1,
  scSupport = 2,
  scControl = 3,
  scEnvironment = 4
};
enum TSwordCondition : std::uint8_t { cdNone = 0, cdCrisis = 1, cdSymptom = 2 };
enum TDamageBase : std::uint8_t {
  dbNone = 0,
  dbAttack = 1,
  dbTargetHP = 2,
  dbLostHP = 3,
  dbPowerOfTurn = 4
};
enum TDamageScale : std::uint8_t { dsNone = 0, dsDouble = 1, dsHalfUp = 2, dsHalfDown = 3 };

// Records -----------------------------------------------------------------

constexpr int MaxSwords = 20;    // swords a list may hold
constexpr int SwordsBytes = 40;  // bytes of a build's sword string
constexpr int FighterNameBytes = 32;

struct TSword {
  TShortString<2> Mark;
  std::uint8_t Kind = 0;  // 1..35, the kind the record was made from; 0 for an empty record
  TShortString<6> Name;
  TSwordClass SwordClass = scNone;
  std::int32_t StartTurn = 1;
  TSwordCondition Condition = cdNone;
  bool Limited = false;
  TDamageBase DamageBase = dbNone;
  TDamageScale DamageScale = dsNone;
  bool DoubleStrike = false;
  bool IgnoreDefence = false;
  bool IgnoreGuards = false;
  std::int32_t StunOnHit = 0;
  std::int32_t PoisonOnHit = 0;
  std::int32_t StrongPoisonOnHit = 0;
  std::int32_t SpendOnHit = 0;
  std::int32_t BreakOnHit = 0;
  std::int32_t ReverseOnHit = 0;
  std::int32_t StealOnHit = 0;
  std::int32_t EarlyGrants = 0;
  std::int32_t PoisonGrants = 0;
  std::int32_t BreakGrants = 0;
  std::int32_t StunGrants = 0;
};

struct TSpec {
  std::int32_t MaxHP = 0;
  std::int32_t Attack = 0;
  std::int32_t Defence = 0;
  std::int32_t Speed = 0;
  TShortString<SwordsBytes> Swords;

  friend bool operator==(const TSpec& a, const TSpec& b) {
    return a.MaxHP == b.MaxHP && a.Attack == b.Attack && a.Defence == b.Defence &&
           a.Speed == b.Speed && a.Swords == b.Swords;
  }
};

struct TSwordia {
  std::string Name;
  std::string ImageFile = "noimage.bmp";
  TSpec Spec;
  TStringDynArray Flavor;
  bool InTournament = true;
  std::int32_t Wins = 0;
  TStringDynArray History;
  std::int32_t Bonus = 0;
};

struct TFighter {
  TShortString<FighterNameBytes> Name;
  std::int32_t MaxHP = 0;
  std::int32_t Attack = 0;
  std::int32_t Defence = 0;
  std::int32_t Speed = 0;
  std::int32_t HP = 0;
  std::int32_t AP = 0;
  std::int32_t ReserveAP = 0;
  bool Dead = false;
  // Bad states.
  std::int32_t Stun = 0;
  std::int32_t Sleep = 0;
  std::int32_t StrongPoison = 0;
  std::int32_t Poison = 0;
  // Good states.
  std::int32_t Reflect = 0;
  std::int32_t Shield = 0;
  std::int32_t Soul = 0;
  std::int32_t Life = 0;
  std::int32_t Push = 0;
  std::int32_t Quick = 0;
  // The swords that have run, or been spent, this turn: bit i for Swords[i],
  // none behind the last sword. A new turn clears it with one store; the list
  // operations move each bit with its sword.
  std::uint32_t Used = 0;
  TSword Swords[MaxSwords];
  std::int32_t SwordCount = 0;
};
static_assert(MaxSwords <= 32, "a fighter's sword masks are 32 bits");

// Catalogue ---------------------------------------------------------------

// The record of kind 1..35; any other kind is a programming error.
TSword SwordByKind(int kind);
// What one bonus point buys in a number: stat 0 five more HP, 1 attack, 2
// defence, 3 speed.
void AddStatPoint(TSpec& spec, int stat);
// The same record, held once by the catalogue for the program's lifetime.
const TSword& CatalogueSword(int kind);
// True when the text is exactly the mark of one of the 35 kinds.
bool IsSwordMark(std::string_view text);
// The kind (1..35) whose mark is the text, or 0. A mark is two bytes, so it is
// compared as one two-byte key.
int SwordKindOfMark(std::string_view text);
// The record of the kind whose mark is the text; an unknown mark is a
// programming error.
TSword SwordByMark(std::string_view text);
// The help text of a kind, line by line; `lines` is reset to it.
void SwordDescription(int kind, TStringDynArray& lines);

// Fighters and sword lists ------------------------------------------------

// The fighter a swordsman fields at the start of a battle.
TFighter MakeFighter(const TSwordia& swordia);
// The same for a nameless swordsman with this build, written over `f`: the
// places behind its last sword keep whatever they held (nothing reads them).
void SetUpFighter(TFighter& f, const TSpec& spec);
// Copies a fighter without the unused places behind its last sword.
void CopyFighter(TFighter& to, const TFighter& from);
// One bit for each of the fighter's swords.
inline std::uint32_t AllSwords(const TFighter& f) {
  return (std::uint32_t{1} << f.SwordCount) - 1;
}
// Whether the sword at `index` has run, or been spent, this turn.
inline bool SwordUsed(const TFighter& f, int index) {
  return (f.Used >> index & 1) != 0;
}
// Marks the sword at `index` used for the rest of the turn.
inline void UseSword(TFighter& f, int index) {
  f.Used |= std::uint32_t{1} << index;
}
// Index of the first sword not used this turn, or -1.
int FirstUnusedSword(const TFighter& f);
// Removes the sword at `index`; the swords behind it move up one place.
// Inline: a limited sword is removed each time it runs.
inline void RemoveSword(TFighter& f, int index) {
  if (index < 0 || index >= f.SwordCount) return;
  for (int i = index; i + 1 < f.SwordCount; ++i) f.Swords[i] = f.Swords[i + 1];
  --f.SwordCount;
  f.Swords[f.SwordCount] = TSword();
  // The used marks behind it move up with their swords.
  const std::uint32_t before = (std::uint32_t{1} << index) - 1;
  f.Used = (f.Used & before) | (f.Used >> 1 & ~before);
}
// Appends a copy of the sword, used this turn or not. A full list (20 swords)
// keeps its swords and the new one is lost; returns whether the sword was
// added.
bool AppendSword(TFighter& f, const TSword& sword, bool used = false);
// Reverses the order of the list.
void ReverseSwords(TFighter& f);
// The position right behind a sword that has just run from `index`: if that
// sword was removed when it ran, the sword now at its old index; otherwise the
// one after it. -1 when there is no such sword.
inline int NextPosition(const TFighter& f, int index, bool removed) {
  const int next = removed ? index : index + 1;
  return (next >= 0 && next < f.SwordCount) ? next : -1;
}

// History -----------------------------------------------------------------

void AddHistory(TSwordia& swordia, const std::string& line);
// "<stage>にて、<loser>を撃破"
std::string HistoryWinLine(std::string_view stageName, std::string_view loserName);
// "<stage>にて、<winner>に敗北"
std::string HistoryLossLine(std::string_view stageName, std::string_view winnerName);
