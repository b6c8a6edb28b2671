// Design unit: UnitBattle.
// The battle engine: one battle between two fighters, A and B, played as a
// chain of short phases. The game holds one battle state, its `Battle`: the
// tournament shows its battles there one log line per click with sound cues.
// SimulateBattle fights two builds silently to a result code in a battle state
// the caller owns, so the growth search and the lab can fight on several
// threads at once.
//
// One set of rules runs both ways (TRun): a shown battle keeps its phases on
// the continuation stack, so that a click can stop after any phase that logged
// a line; a silent battle runs each phase at once where it would be scheduled,
// which is the same order (the stack is last in, first out), and its logging
// code is compiled out.
//
// This unit holds the state and the turn loop: turn start (sleep, strong
// poison, poison), the next turn, knock-out and revival, the end check, the
// judgement and what a tournament match hands back. The action loop of a turn
// (who acts, preparing actions, running swords) is UnitAction; the click step
// and SKIP are UnitStepping, which runs these phases and is never called by
// them.
#pragma once

#include <cstdint>
#include <string_view>

#include "rules/Sword.h"

// Result codes of a battle.
constexpr std::int32_t brFirstWins = 20;
constexpr std::int32_t brDraw = 10;  // equal HP at the judgement; simulations only
constexpr std::int32_t brSecondWins = 0;
constexpr std::int32_t brRunning = -1;

struct TBattle;
struct TTournament;
struct TLogStore;
class TBattleHost;
class TRandom;

// A phase or an execution step of a running action (strike, on-hit effects,
// steal ...), working on the battle it is given. A shown battle keeps its
// phases on its continuation stack: each does its work and schedules what
// follows.
using TBattleStep = void (*)(TBattle&);

constexpr int PhaseStackSize = 256;

// Where a shown match hands the game over to the game around it.
enum class THandOver : std::uint8_t {
  None,       // the battle screen stays
  Story,      // the hero has won its match: the stage's story is told, and the
              // round goes on with the next match when the battle comes back
  StageOver,  // the last match of the stage is decided and the stage advanced
};

// What a click (or the battle's entry) hands back to the game around the
// battle, which acts on it once the battle's phases have stopped: the battle
// never calls up into the game in the middle of a click.
struct TClickOutcome {
  const char* Cue = nullptr;     // the one cue to play now (a program path), or none
  bool FightersChanged = false;  // both fighter panels to show the fighters as they are
  bool Decided = false;          // a match was decided, its bookkeeping done (Winner, Loser)
  const TSwordia* Winner = nullptr;
  const TSwordia* Loser = nullptr;
  std::int32_t Result = brRunning;  // the decided match's result code
  THandOver HandOver = THandOver::None;
};

// One prepared action and the strike it is carrying out.
struct TActionSlot {
  TFighter* Actor = nullptr;
  TFighter* Opponent = nullptr;
  TSword Sword;                     // copy of the sword, taken when the action was prepared
  std::int32_t ControlTarget = -1;  // index in the actor's list for a control sword, -1 none
  bool Stunned = false;
  TFighter* Target = nullptr;  // receiver of the current strike
  TFighter* Other = nullptr;   // sender of the current strike
  bool Pending = false;
  bool Hit = false;
  std::int32_t Damage = 0;
  bool Shielded = false;
  bool Reflected = false;
  TSword Stolen[MaxSwords];  // taken by a steal, not yet handed over
  std::int32_t StolenCount = 0;
  std::uint32_t StolenUsed = 0;  // bit i: Stolen[i] had been used this turn
};

// Which slots an execution run works on.
enum TRunSelection : std::uint8_t { rsSlot0 = 1, rsSlot1 = 2, rsBoth = 3 };

// The battle state. The game holds one, its `Battle`, for its shown battles; a
// caller may own more for silent ones. Everything in it is fixed-size, so a
// simulated battle allocates nothing.
struct TBattle {
  TFighter A, B;
  TSwordia* SwordiaA = nullptr;  // the entrants behind A and B (tournament only)
  TSwordia* SwordiaB = nullptr;
  std::int32_t Turn = 0;
  TBattleStep Phases[PhaseStackSize] = {};
  std::int32_t PhaseCount = 0;
  std::int32_t Result = brRunning;
  // A death was noticed or the turn raised since the last end check: the only
  // changes that can end the battle.
  bool EndDue = false;
  // Sleep or poison has been on either side in this silent battle: set when
  // the battle starts with one and whenever one is given, never cleared. A
  // silent turn start without it goes straight to the actions.
  bool Ailing = false;
  bool LogOff = true;  // log lines and cues are suppressed
  bool Simulation = false;
  bool SkipAllowed = false;
  bool ResumeAfterStory = false;
  std::int32_t MatchIndex = 0;

  // The action step (UnitAction).
  TActionSlot Slots[2];
  std::int32_t Prepared = 0;          // actions prepared in this step
  std::int32_t StrikeNumber = 0;      // 0, 1 or 2
  TRunSelection Selection = rsSlot0;  // the slots the current execution run works on
  TBattleStep ExecSteps[PhaseStackSize] = {};
  std::int32_t ExecCount = 0;

  // The click step (UnitStepping).
  const char* PendingCue = nullptr;  // the cue the phases chose (SetCue), or none
  const char* PlayedCue = nullptr;   // the cue the last click played, or none
  TClickOutcome Outcome;             // what the current click hands back so far

  // What a shown match works with around it, all of them its owner's: the
  // tournament whose matches it plays, the log it writes, the host it
  // reports to and the dice that toss the coin of a judgement on equal HP
  // (the game's). A silent battle needs none of them: it calls such a
  // judgement even.
  TTournament* Tournament = nullptr;
  TLogStore* Log = nullptr;
  TBattleHost* Host = nullptr;
  TRandom* Dice = nullptr;
};

// Fights two builds to the end, silently, in the battle state given: 20 when
// the first wins, 0 when the second wins, 10 when both end with the same HP
// and the same push. Its log stays off until the next shown match starts.
int SimulateBattle(TBattle& battle, const TSpec& a, const TSpec& b);
// The same between two fighters built beforehand (SetUpFighter), so a caller
// fighting one build many times builds it once.
int SimulateBattle(TBattle& battle, const TFighter& a, const TFighter& b);

// Scheduling --------------------------------------------------------------

// Pops and runs the top phase of a shown battle; false when none is
// scheduled.
bool RunNextPhase(TBattle& b);

// Tournament --------------------------------------------------------------

// The entry of battle mode: continue after a hero-win story with the next
// match, or start the stage with match 0. What it hands back: the end of the
// stage when the hero's was its last match.
TClickOutcome EnterBattleMode(TBattle& b);
// Starts match MatchIndex of the stage: builds both fighters, clears the log
// and logs the match header. The first click then runs the battle.
void StartMatch(TBattle& b);
// After a match: the next match of the stage, or the end of the stage.
void NextMatch(TBattle& b);

// Rules the action step shares --------------------------------------------

// Whether the fighter can take an action step in the given turn.
bool CanAct(const TFighter& f, std::int32_t turn);

// Appends a log line unless the log is off.
void BattleLog(TBattle& b, std::string_view line);

// The game's numbers are 32-bit and wrap around rather than overflow; every
// sum or product the battle makes of them goes through here.
inline std::int32_t Wrap32(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// The engine's two ways of running ---------------------------------------

// How a battle runs: shown (the game's battle, stepped by clicks, skipped or
// not) or silent (a simulation, from start to result at once).
enum class TRun { Shown, Silent };

// Whether lines and cues are made. A silent battle never makes them, so the
// code that builds them is not even there; a shown one makes them unless the
// player skips.
template <TRun R>
bool Logging(const TBattle& b) {
  return R == TRun::Shown && !b.LogOff;
}

// The internal error of a push onto a full continuation stack.
[[noreturn]] void PhaseStackFull();

// The checks that run after nearly every phase, and the scheduling itself,
// are always inlined: a silent battle runs them hundreds of times.

// Schedules phases to run in the given order, the first next. A shown battle
// pushes them on its continuation stack, last first; a silent one runs them
// at once, one after the other, and drops the rest once the battle has a
// result (the end check has dropped whatever was still scheduled). The first
// always runs: phases are scheduled only by a phase of a running battle,
// before anything can end it.
template <TBattleStep First, TBattleStep... Rest>
[[gnu::always_inline]] inline void ThenSilently(TBattle& b) {
  First(b);
  ((b.Result == brRunning ? Rest(b) : void()), ...);
}

template <TRun R, TBattleStep... P>
[[gnu::always_inline]] inline void Then(TBattle& b) {
  if constexpr (R == TRun::Shown) {
    constexpr std::int32_t n = sizeof...(P);
    if (b.PhaseCount > PhaseStackSize - n) PhaseStackFull();
    TBattleStep* top = b.Phases + b.PhaseCount + n;
    ((*--top = P), ...);
    b.PhaseCount += n;
  } else {
    ThenSilently<P...>(b);
  }
}

// A fighter knocked out and not yet noticed, in a turn where the death
// check notices it. This is all the check does on most passes.
inline bool KnockOutUnnoticed(const TBattle& b) {
  if (b.A.HP > 0 && b.B.HP > 0) [[likely]]
    return false;
  return ((b.A.HP <= 0 && !b.A.Dead) || (b.B.HP <= 0 && !b.B.Dead)) && b.Turn >= 1;
}

// The phases of the turn loop that the action step schedules, either way.
namespace Engine {

// The turn is over: the next one, after the end check.
template <TRun R>
void NextTurn(TBattle& b);

// The death check once a knock-out is there to notice.
template <TRun R>
void NoticeKnockOut(TBattle& b);
// The death check: nothing to do on most passes.
template <TRun R>
[[gnu::always_inline]] inline void DeathCheck(TBattle& b) {
  if (KnockOutUnnoticed(b)) NoticeKnockOut<R>(b);
}

// Whether the end check ends the battle: from turn 1 on, once a fighter is
// dead or the turn limit is passed.
inline bool BattleOver(const TBattle& b) {
  return (b.A.Dead || b.B.Dead || b.Turn > 20) && b.Turn >= 1;
}
// The end check once the battle is over: the end lines and the judgement.
template <TRun R>
void EndBattle(TBattle& b);
// The end check: nothing to do on most passes. A silent battle looks only
// when a death was noticed or the turn raised since its last look (a revival
// only makes the battle less over).
template <TRun R>
[[gnu::always_inline]] inline void EndCheck(TBattle& b) {
  if constexpr (R == TRun::Silent) {
    if (!b.EndDue) return;
    b.EndDue = false;
  }
  if (BattleOver(b)) [[unlikely]]
    EndBattle<R>(b);
}

// The turn moves on by one (a new turn, or a sword that moves time on).
inline void RaiseTurn(TBattle& b) {
  b.Turn = Wrap32(std::int64_t{b.Turn} + 1);
  b.EndDue = true;
}

// After an action: the death check, then the end check. A silent battle's
// action has run the death check after its last change of hit points or
// the turn (and spending points or a stun changes neither), so only the end
// check is left.
template <TRun R>
[[gnu::always_inline]] inline void PostAction(TBattle& b) {
  if constexpr (R == TRun::Shown) {
    Then<R, DeathCheck<R>, EndCheck<R>>(b);
  } else {
    Then<R, EndCheck<R>>(b);
  }
}

}  // namespace Engine
