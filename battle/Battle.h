// Design unit: UnitBattle.
// The battle engine: one battle between two fighters, A and B, played as a
// chain of short phases on a continuation stack. The same single battle state
// serves the tournament, where a battle is shown one log line per click with
// sound cues, and the growth search, where SimulateBattle fights two builds
// silently to a result code. The two never overlap.
//
// This unit holds the state and the turn loop: turn start (sleep, strong
// poison, poison), the action loop and who acts, knock-out and revival, the
// end check, the judgement and what a tournament match hands back. One action
// step (preparing actions, running swords) is UnitAction; the click step, SKIP
// and the pending cue are UnitStepping.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "rules/Sword.h"

// Result codes of a battle.
constexpr std::int32_t brFirstWins = 20;
constexpr std::int32_t brDraw = 10;  // equal HP at the judgement; simulations only
constexpr std::int32_t brSecondWins = 0;
constexpr std::int32_t brRunning = -1;

// A battle phase: a short procedure that does its work and schedules what
// follows. Phases take nothing; they work on the one battle state.
using TBattlePhase = void (*)();
// One execution step of a running action (strike, on-hit effects, steal ...).
using TExecStep = void (*)();

constexpr int PhaseStackSize = 256;

// One prepared action and the strike it is carrying out.
struct TActionSlot {
  TFighter* Actor = nullptr;
  TFighter* Opponent = nullptr;
  TSword Sword;                     // copy of the sword, taken when the action was prepared
  std::int32_t ControlTarget = -1;  // index in the actor's list for a control sword, -1 none
  bool Stunned = false;
  bool Active = false;         // takes part in the current execution run
  TFighter* Target = nullptr;  // receiver of the current strike
  TFighter* Other = nullptr;   // sender of the current strike
  bool Pending = false;
  bool Hit = false;
  std::int32_t Damage = 0;
  bool Shielded = false;
  bool Reflected = false;
  TSword Stolen[MaxSwords];  // taken by a steal, not yet handed over
  std::int32_t StolenCount = 0;
};

// Which slots an execution run works on.
enum TRunSelection : std::uint8_t { rsSlot0 = 1, rsSlot1 = 2, rsBoth = 3 };

// The battle state. The game holds one instance, `Battle`; everything in it is
// fixed-size, so a simulated battle allocates nothing.
struct TBattle {
  TFighter A, B;
  TSwordia* SwordiaA = nullptr;  // the entrants behind A and B (tournament only)
  TSwordia* SwordiaB = nullptr;
  std::int32_t Turn = 0;
  TBattlePhase Phases[PhaseStackSize] = {};
  std::int32_t PhaseCount = 0;
  std::int32_t Result = brRunning;
  bool LogOff = true;  // log lines and cues are suppressed
  bool Simulation = false;
  bool SkipAllowed = false;
  bool ResumeAfterStory = false;
  std::int32_t MatchIndex = 0;

  // The action step (UnitAction).
  TActionSlot Slots[2];
  std::int32_t Prepared = 0;      // actions prepared in this step
  std::int32_t StrikeNumber = 0;  // 0, 1 or 2
  TRunSelection Selection = rsSlot0;
  TExecStep ExecSteps[PhaseStackSize] = {};
  std::int32_t ExecCount = 0;

  // The click step (UnitStepping).
  const char* PendingCue = nullptr;  // a cue file, or none
  const char* PlayedCue = nullptr;   // the cue the last click played, or none
};

// The one battle of the game.
extern TBattle Battle;

// Back to the state at program start.
void ResetBattle();

// Fights two builds to the end, silently: 20 when the first wins, 0 when the
// second wins, 10 when both end with the same HP and the same push.
int SimulateBattle(const TSpec& a, const TSpec& b);

// Scheduling --------------------------------------------------------------

// Pushes a phase; a full stack is an internal error.
void SchedulePhase(TBattlePhase phase);
// Schedules phases to run in the given order (the first runs next).
void Schedule(std::initializer_list<TBattlePhase> phases);
void ClearPhases();
// Pops and runs the top phase; false when none is scheduled.
bool RunNextPhase();

// Tournament --------------------------------------------------------------

// The entry of battle mode: continue after a hero-win story with the next
// match, or start the stage with match 0.
void EnterBattleMode();
// Starts match MatchIndex of the stage: builds both fighters, clears the log
// and logs the match header. The first click then runs the battle.
void StartMatch();
// After a match: the next match of the stage, or the end of the stage.
void NextMatch();

// Rules the action step shares --------------------------------------------

// Whether the fighter can take an action step now.
bool CanAct(const TFighter& f);

// Phases of the turn loop that the action step schedules.
void PostAction();
void DeathCheck();

// Appends a log line unless the log is off. Callers that build a text check
// Logging() first, so a silent battle builds no strings.
inline bool Logging() {
  return !Battle.LogOff;
}
void BattleLog(std::string_view line);

// The game's numbers are 32-bit and wrap around rather than overflow; every
// sum or product the battle makes of them goes through here.
inline std::int32_t Wrap32(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}
