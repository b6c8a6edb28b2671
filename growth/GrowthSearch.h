// Design unit: UnitSimulation2.
// The growth search: how one entrant still in the tournament grows by one
// step between two rounds. Every possible step (five more HP, one more point
// of attack, defence or speed, or one new sword put into the list) is scored
// by silent simulated battles against every possible step of the entrant's
// next opponent, and a best one is kept; then the sword list is regrouped and
// reordered the same way. The only random choices are where a new sword goes,
// how a list is reordered and which of equally good builds is kept, all thrown
// with the dice the caller hands in (the game's own, in a game).
//
// GrowOne runs the whole search at once (the lab and the benchmarks use it);
// the growth driver runs the same operations one slice per timer tick.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "rules/Sword.h"

class TRandom;

using TSpecList = std::vector<TSpec>;
using TIntList = std::vector<std::int32_t>;
using TFighterList = std::vector<TFighter>;

// Points every growth candidate that adds no byte to the sword list gets on
// top of its battle score (stat raises, and insertions the 40-byte cut undid).
constexpr std::int32_t KeepLengthBonus = 5;
// Points the unchanged order gets on top of its battle score.
constexpr std::int32_t KeepOrderBonus = 1;
// Points every well-formed order gets on top of its battle score.
constexpr std::int32_t WellFormedBonus = 2;

// The search -------------------------------------------------------------

// The grown build of the entrant whose build is `me`, facing `partner` next.
TSpec GrowOne(const TSpec& me, const TSpec& partner, TRandom& dice);

// The one-step candidates of `self` when it faces `other`, in the fixed
// order of the search.
TSpecList GrowthCandidates(const TSpec& self, const TSpec& other, TRandom& dice);

// A random place for a new sword of the given mark in the list of `self`:
// the number of swords it goes after. Never right after a "振", "薬" or "豪"
// unless the new sword is an attack sword, and never right after a "導" when
// the new sword already starts in turn 0.
std::int32_t RandomInsertPos(const TSpec& self, std::string_view mark, TRandom& dice);

// `self` with the mark put after its first `pos` swords, the list cut to its
// first 40 bytes (a full list loses its last sword). `pos` beyond the list is
// a programming error.
TSpec InsertSword(const TSpec& self, std::string_view mark, std::int32_t pos);

// The orders the search tries for a build: the build itself first, then 19
// variants whose control swords travel with attack swords and 10 without.
// A build of at most one sword has itself as its only order.
TSpecList OrderVariants(const TSpec& build, TRandom& dice);

// One random reordering of the build's swords: every "導" joins a sword that
// it can bring forward, with `retarget` every control sword joins an attack
// sword (any other group when no attack sword fits), and the groups come out
// in random order. No sword is lost or added.
TSpec OrderVariant(const TSpec& build, bool retarget, TRandom& dice);

// True when every control sword of the list reaches a sword it can act on
// and every "導" brings its sword forward. An empty list is not well formed.
bool IsWellFormedOrder(std::string_view swords);

// The sum of one simulated battle of `candidate` against each opponent, in
// list order: 20 for a win, 10 for equal HP, 0 for a loss. The candidate's
// fighter is built once for all its battles; the battles are fought in a
// battle state of the search's own, so searches may run on several threads.
std::int32_t ScoreAgainst(const TSpec& candidate, const TSpecList& opponents);
// The same against opponents whose fighters were built beforehand.
std::int32_t ScoreAgainstFighters(const TSpec& candidate, const TFighterList& opponents);
// The fighters of the builds, in list order.
TFighterList FightersOf(const TSpecList& builds);

// A random one of the candidates with the best score (scores below 0 count
// as 0). The two lists run in parallel.
TSpec PickBest(const TSpecList& candidates, const TIntList& scores, TRandom& dice);

// The bonuses of the two choices, shared by GrowOne and the driver ----------

// Adds KeepLengthBonus to every candidate whose sword list is not longer in
// bytes than that of `me`.
void AddKeepLengthBonus(const TSpec& me, const TSpecList& candidates, TIntList& scores);
// Adds KeepOrderBonus to the first order and WellFormedBonus to every
// well-formed one.
void AddOrderBonus(const TSpecList& orders, TIntList& scores);
