// Design unit: UnitData.
// The tournament state: the 32 slots in bracket order, the hero and the hero's
// working copy, the entrants still in, the stage, the entrant shown by the
// opponent view and the grown builds. The game holds one; a new game starts
// from a fresh one, and the lab and the tests make their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/Sword.h"

class TRandom;

constexpr int SlotCount = 32;
constexpr int StageCount = 6;       // named stages 0..5; stage 6 is the end
constexpr int FirstRoundStage = 1;  // the first round: builds fight as drawn and made
constexpr int FirstGrownStage = 2;  // from this round on, every match opens with grown builds
constexpr int FinalStage = 5;       // the final: its winner earns no bonus point
constexpr int EndStage = 6;         // the tournament is over
constexpr int GrownSpecCount = 16;  // entrants still in after round 1 at most
constexpr int HeroStartBonus = 10;  // bonus points of the hero at the game start

// "抽選", "第一回戦" ... "決勝戦", indexed by stage 0..5.
const char* StageName(int stage);

struct TTournament {
  TSwordia Slots[SlotCount];
  TSwordia* Hero = nullptr;            // one of Slots
  TSwordia HeroEdit;                   // the hero as edited in hero making
  TSwordia* Entrants[SlotCount] = {};  // entrants still in, in bracket order
  std::int32_t EntrantCount = 0;
  std::int32_t Stage = 0;
  TSwordia* Viewed = nullptr;  // one of Slots
  // The grown build of each entrant still in, by its index in Entrants: the
  // growth driver writes them between two rounds, the next matches take them.
  TSpec GrownSpecs[GrownSpecCount];
};

// The draw: roster entry 1 (entries[0]) becomes the hero in a random slot and
// 31 distinct rivals are drawn from entries 2..N into the other slots, every
// choice thrown with the given dice.
// Needs at least 32 entries. When `drawn` is given, drawn[k] receives the
// index in `entries` of the entry copied into slot k (the lab counts titles
// by roster entry, names being allowed to repeat).
void DrawEntrants(TTournament& t, const std::vector<TSwordia>& entries, TRandom& dice,
                  int (*drawn)[SlotCount] = nullptr);

// The round starts with every slot in: Entrants[k] is slot k, 32 of them.
void EnterAllSlots(TTournament& t);

// A fresh tournament at `stage` with only the given entrants still in (the
// lab's matches, the tests' battles): they fill slots 0.. in bracket order,
// and each one's grown build is its own build, so that from the first grown
// stage on a match opens with it again. The hero is entrant `hero`, or, when
// negative, the slot after them, already out.
void SetUpStage(TTournament& t, const std::vector<TSwordia>& entrants, int stage, int hero = -1);

// A match of the current stage has been decided: the winner's Wins grows by
// one, the loser is out, and both get their history line of the stage.
void RecordMatchResult(TTournament& t, TSwordia& winner, TSwordia& loser);
// The winner of a match of rounds 1 to 4 earns one bonus point; the final
// earns nothing. True when the point was given.
bool AwardBonus(const TTournament& t, TSwordia& winner);

// The end of a round, with Stage already advanced: the hero's working copy
// starts from the hero as it fought (with the point just won), and the
// entrants still in close up in bracket order.
void CloseRound(TTournament& t);

// Hero making's conditions, read at every use.
// Points left to spend on the working copy.
bool CanSpend(const TTournament& t);
// The working copy's build differs from the hero's (the four numbers, or the
// swords byte for byte).
bool HeroChanged(const TTournament& t);
// At stage 0 every point must be spent; later, points may stay unspent.
bool CanDecide(const TTournament& t);

// The board's conditions, read at every use.
// A round can start: the hero has no point left to spend, the tournament is
// not over and the rivals are done growing (`growing` false).
bool CanStartRound(const TTournament& t, bool growing);
// The stage offers the build change (stages 2 to 5): its region is there.
bool StageHasRebuild(const TTournament& t);
// The build change can be used: such a stage, with the hero still in.
bool CanRebuild(const TTournament& t);
// A new tournament may replace this one: it is over, or the hero is out.
// Never while the hero is still in, so a stray key loses nothing.
bool CanStartAnew(const TTournament& t);
