#include "battle/Battle.h"

#include <algorithm>
#include <string>

#include "battle/Action.h"
#include "battle/BattleHost.h"
#include "battle/BattleLog.h"
#include "battle/EngineKit.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "rules/Cues.h"
#include "rules/Random.h"

namespace {

template <TRun R>
void TurnStart(TBattle& b);
template <TRun R>
void SleepPhase(TBattle& b);
template <TRun R>
void StrongPoisonPhase(TBattle& b);
template <TRun R>
void PoisonPhase(TBattle& b);
template <TRun R>
void SoulRevival(TBattle& b);
template <TRun R>
void LifeRevival(TBattle& b);
template <TRun R>
void Judgement(TBattle& b);
void BattleOpening(TBattle& b);
void MatchEpilogue(TBattle& b);
void StoryHandOver(TBattle& b);
void NextMatchPhase(TBattle& b);

// Turn start -------------------------------------------------------------------

template <TRun R>
void TurnStart(TBattle& b) {
  // 1. A new turn's action points; the reserve carries over.
  b.A.AP = b.A.Speed;
  b.B.AP = b.B.Speed;
  // 2. Every sword may run again.
  b.A.Used = 0;
  b.B.Used = 0;
  // 3. The turn header.
  if (Logging<R>(b)) {
    SetCue(b, CueTick);
    BattleLog(b, "");
    BattleLog(b, "【第" + Num(b.Turn) + "ターン】");
  }
  // 4. The checks, then the states of the turn start.
  Then<R, Engine::DeathCheck<R>, Engine::EndCheck<R>, SleepPhase<R>>(b);
}

// Whether either fighter sleeps or is poisoned at the turn start.
bool TurnStartStates(const TBattle& b) {
  // One test of the greatest, rather than six of each.
  const auto most = [](const TFighter& f) {
    return std::max(f.Sleep, std::max(f.StrongPoison, f.Poison));
  };
  return std::max(most(b.A), most(b.B)) > 0;
}

template <TRun R>
void SleepPhase(TBattle& b) {
  // Without them the three phases change nothing, and the checks after them
  // would find what the checks before them found: the actions follow. A
  // silent battle asks only whether either side has had them at all (with
  // none left the phases run and change nothing).
  if (R == Silent ? !b.Ailing : !TurnStartStates(b)) {
    Then<R, Engine::ActionLoop<R>>(b);
    return;
  }
  for (TFighter* f : {&b.A, &b.B}) {
    if (f->Sleep <= 0) continue;
    // A sleeper loses the whole turn, its reserve included.
    f->AP = 0;
    f->ReserveAP = 0;
    --f->Sleep;
    if (Logging<R>(b)) {
      SetCue(b, CueWeak);
      BattleLog(b, NameOf(*f) + "は眠っている。");
    }
  }
  Then<R, StrongPoisonPhase<R>>(b);
}

template <TRun R>
void StrongPoisonPhase(TBattle& b) {
  for (TFighter* f : {&b.A, &b.B}) {
    if (f->StrongPoison <= 0) continue;
    f->Poison = Wrap32(std::int64_t{f->Poison} + f->StrongPoison);
    if (Logging<R>(b)) {
      SetCue(b, CuePoison);
      BattleLog(b, NameOf(*f) + "の毒が" + Num(f->StrongPoison) + "増えた。");
    }
  }
  Then<R, PoisonPhase<R>>(b);
}

template <TRun R>
void PoisonPhase(TBattle& b) {
  for (TFighter* f : {&b.A, &b.B}) {
    if (f->Poison <= 0) continue;
    // Poison never wears off by itself.
    f->HP = Wrap32(std::int64_t{f->HP} - f->Poison);
    if (Logging<R>(b)) {
      SetCue(b, CuePoison);
      BattleLog(b, NameOf(*f) + "は毒により" + Num(f->Poison) + "ダメージを受けた。");
    }
  }
  Then<R, Engine::DeathCheck<R>, Engine::EndCheck<R>, Engine::ActionLoop<R>>(b);
}

// Knock-out and revival ----------------------------------------------------------

template <TRun R>
void SoulRevival(TBattle& b) {
  bool stillDown = false;
  for (TFighter* f : {&b.A, &b.B}) {
    if (f->HP > 0 || f->Soul == 0) continue;
    --f->Soul;
    f->HP = f->MaxHP;
    if (Logging<R>(b)) SetCue(b, CueRevival);
    if (f->HP <= 0) {
      // A soul cannot lift a fighter whose maximum is 0 or less; the next
      // soul is tried in a pass of its own.
      if (Logging<R>(b)) {
        BattleLog(b, NameOf(*f) + "の＜ソウル＞発動、HPが" + Num(f->HP) + "になった。");
      }
      stillDown = true;
    } else {
      if (Logging<R>(b)) {
        BattleLog(b, NameOf(*f) + "の＜ソウル＞発動、HPが" + Num(f->HP) + "になった。生き返った。");
      }
      f->Dead = false;
    }
  }
  if (stillDown) {
    Then<R, SoulRevival<R>>(b);
  } else {
    Then<R, LifeRevival<R>>(b);
  }
}

template <TRun R>
void LifeRevival(TBattle& b) {
  for (TFighter* f : {&b.A, &b.B}) {
    if (f->HP > 0 || f->Life <= 0) continue;
    --f->Life;
    f->HP = 1;
    if (Logging<R>(b)) {
      SetCue(b, CueRevival);
      BattleLog(b, NameOf(*f) + "の＜ライフ＞発動、HPが" + Num(f->HP) + "になった。生き返った。");
    }
    f->Dead = false;
  }
}

// The end and the judgement ------------------------------------------------------

}  // namespace

template <TRun R>
void Engine::EndBattle(TBattle& b) {
  // 1. A skipped battle shows its end again (a simulation's log stays off).
  if (R == Shown && !b.Simulation && b.LogOff) {
    b.LogOff = false;
    BattleLog(b, "");
    BattleLog(b, "～ 略 ～");
  }
  // 2. No more skipping.
  b.SkipAllowed = false;
  // 3. The end lines.
  if (Logging<R>(b)) {
    SetCue(b, CueBattleOver);
    BattleLog(b, "");
    BattleLog(b, "-- 戦闘終了 --");
  }
  // 4. Whatever was still scheduled is dropped (a silent battle drops it
  // once it has its result), and the judgement follows.
  b.PhaseCount = 0;
  Then<R, Judgement<R>>(b);
}

namespace {

// The winner and loser of a tournament match; the result of a simulation.
template <TRun R>
void Declare(TBattle& b, bool firstWins) {
  b.Result = firstWins ? brFirstWins : brSecondWins;
  if (R == Silent || b.Simulation) return;
  const TFighter& winner = firstWins ? b.A : b.B;
  TSwordia& w = *(firstWins ? b.SwordiaA : b.SwordiaB);
  TSwordia& l = *(firstWins ? b.SwordiaB : b.SwordiaA);
  BattleLog(b, NameOf(winner) + "の勝利！");
  RecordMatchResult(*b.Tournament, w, l);
  b.Outcome.Decided = true;
  b.Outcome.Winner = &w;
  b.Outcome.Loser = &l;
  b.Outcome.Result = b.Result;
}

template <TRun R>
void DecideByPushAndHP(TBattle& b) {
  const TFighter& a = b.A;
  const TFighter& o = b.B;
  // 1. Push decides first and is not used up.
  if (a.Push != o.Push) {
    if (Logging<R>(b)) BattleLog(b, "プッシュ発動！");
    Declare<R>(b, a.Push > o.Push);
    return;
  }
  // 2. Then the higher HP, negative or not.
  if (a.HP != o.HP) {
    Declare<R>(b, a.HP > o.HP);
    return;
  }
  // 3. Then chance; a simulation calls it even.
  if (Logging<R>(b)) BattleLog(b, "ＨＰ同値につき乱数で勝敗を決定！");
  if (R == Silent || b.Simulation) {
    b.Result = brDraw;
    return;
  }
  Declare<R>(b, b.Dice->Next(2) == 0);
}

template <TRun R>
void Judgement(TBattle& b) {
  if (Logging<R>(b)) SetCue(b, CueJudgement);
  if (b.A.Dead && b.B.Dead) {
    if (Logging<R>(b)) BattleLog(b, "オーバーキルジャッジ！");
    DecideByPushAndHP<R>(b);
  } else if (b.B.Dead) {
    Declare<R>(b, true);
  } else if (b.A.Dead) {
    Declare<R>(b, false);
  } else {
    if (Logging<R>(b)) BattleLog(b, "オーバーターンジャッジ！");
    DecideByPushAndHP<R>(b);
  }
  if constexpr (R == Shown) {
    if (!b.Simulation) Then<R, MatchEpilogue>(b);
  }
}

// Hand-over ----------------------------------------------------------------------

void MatchEpilogue(TBattle& b) {
  TSwordia* s = nullptr;
  if (b.SwordiaA->InTournament) s = b.SwordiaA;
  if (b.SwordiaB->InTournament) s = b.SwordiaB;
  if (s == nullptr) InternalError("UnitBattle", "a match without a winner");
  // Rounds 1 to 4 earn the winner a bonus point; the final earns nothing.
  if (AwardBonus(*b.Tournament, *s)) {
    SetCue(b, CueJudgement);
    BattleLog(b, s->Name + "は途心を1獲得した。");
  }
  // The hand-over is a phase of its own: it comes with the next click.
  if (s == b.Tournament->Hero) {
    Then<Shown, StoryHandOver>(b);
  } else {
    Then<Shown, NextMatchPhase>(b);
  }
}

void StoryHandOver(TBattle& b) {
  // The story of the stage; coming back to the battle goes on with the next match.
  b.ResumeAfterStory = true;
  b.Outcome.HandOver = THandOver::Story;
}

void NextMatchPhase(TBattle& b) {
  NextMatch(b);
}

void BattleOpening(TBattle& b) {
  const TTournament& t = *b.Tournament;
  if (t.Stage < FirstGrownStage) return;
  SetCue(b, CueShimmer);
  const int m = b.MatchIndex;
  for (int side = 0; side < 2; ++side) {
    TSwordia& e = *(side == 0 ? b.SwordiaA : b.SwordiaB);
    TFighter& f = side == 0 ? b.A : b.B;
    const int index = 2 * m + side;
    if (index >= GrownSpecCount) InternalError("UnitBattle", "no grown build for this entrant");
    // The hero fights with the player's build, every rival with its grown one;
    // both sides are announced even when nothing changed.
    const TSpec fresh = &e == t.Hero ? t.HeroEdit.Spec : t.GrownSpecs[index];
    BattleLog(b, NameOf(f) + "の構成が変動した！");
    BattleLog(b, BuildText(e.Spec) + " ⇒ " + BuildText(fresh));
    e.Spec = fresh;
    e.Bonus = 0;
    f = MakeFighter(e);
  }
}

}  // namespace

// Shared rules --------------------------------------------------------------------

namespace Engine {

template <TRun R>
void NextTurn(TBattle& b) {
  RaiseTurn(b);
  Then<R, EndCheck<R>, TurnStart<R>>(b);
}

template <TRun R>
void NoticeKnockOut(TBattle& b) {
  // 1. Every fighter down and not yet dead dies (a knock-out in turn 0 is
  // noticed only by the first check of turn 1).
  b.EndDue = true;
  for (TFighter* f : {&b.A, &b.B}) {
    if (f->Dead || f->HP > 0) continue;
    f->Dead = true;
    if (Logging<R>(b)) {
      SetCue(b, CueKnockOut);
      BattleLog(b, NameOf(*f) + "は死んだ。");
    }
  }
  // 2. Revival comes only in the passes right after the knock-out is noticed.
  Then<R, SoulRevival<R>>(b);
}

template void NextTurn<TRun::Shown>(TBattle&);
template void NextTurn<TRun::Silent>(TBattle&);
template void EndBattle<TRun::Shown>(TBattle&);
template void EndBattle<TRun::Silent>(TBattle&);
template void NoticeKnockOut<TRun::Shown>(TBattle&);
template void NoticeKnockOut<TRun::Silent>(TBattle&);

}  // namespace Engine

// Scheduling -----------------------------------------------------------------------

void PhaseStackFull() {
  InternalError("UnitBattle", "the continuation stack is full");
}

bool RunNextPhase(TBattle& b) {
  if (b.PhaseCount == 0) return false;
  const TBattleStep phase = b.Phases[--b.PhaseCount];
  phase(b);
  return true;
}

void BattleLog(TBattle& b, std::string_view line) {
  LogAppend(b, line);
}

// Simulation ------------------------------------------------------------------------

int SimulateBattle(TBattle& battle, const TSpec& a, const TSpec& b) {
  // 1. Two nameless swordsmen with the given builds.
  SetUpFighter(battle.A, a);
  SetUpFighter(battle.B, b);
  // 2. The battle between them.
  return SimulateBattle(battle, battle.A, battle.B);
}

int SimulateBattle(TBattle& battle, const TFighter& a, const TFighter& b) {
  // 1. The two fighters, without entrants behind them.
  if (&a != &battle.A) CopyFighter(battle.A, a);
  if (&b != &battle.B) CopyFighter(battle.B, b);
  battle.SwordiaA = nullptr;
  battle.SwordiaB = nullptr;
  // 2. Silent, from turn 0, without the opening of a tournament match.
  battle.LogOff = true;
  battle.Simulation = true;
  battle.Turn = 0;
  battle.PhaseCount = 0;
  battle.Result = brRunning;
  battle.EndDue = false;
  battle.Ailing = TurnStartStates(battle);
  // 3. The whole battle: every phase runs where it is scheduled.
  TurnStart<Silent>(battle);
  if (battle.Result == brRunning)
    InternalError("UnitBattle", "a simulated battle ran out of phases");
  // 4. The log stays off until the next shown match starts.
  battle.Simulation = false;
  return battle.Result;
}

// Tournament --------------------------------------------------------------------------

TClickOutcome EnterBattleMode(TBattle& b) {
  LogStepStart(*b.Log);
  b.Outcome = {};
  if (b.ResumeAfterStory) {
    b.ResumeAfterStory = false;
    NextMatch(b);
  } else {
    b.MatchIndex = 0;
    StartMatch(b);
  }
  return b.Outcome;
}

void StartMatch(TBattle& b) {
  const TTournament& t = *b.Tournament;
  const int m = b.MatchIndex;
  if (m < 0 || 2 * m + 1 >= t.EntrantCount) InternalError("UnitBattle", "no such match");
  // 1. The two entrants and their fighters.
  b.SwordiaA = t.Entrants[2 * m];
  b.SwordiaB = t.Entrants[2 * m + 1];
  b.A = MakeFighter(*b.SwordiaA);
  b.B = MakeFighter(*b.SwordiaB);
  b.Simulation = false;
  b.Result = brRunning;
  // 2. The screen, then a fresh log.
  b.Host->PaintMatch();
  b.LogOff = false;
  b.SkipAllowed = true;
  LogClear(b);
  // 3. The match header.
  BattleLog(b, std::string(StageName(t.Stage)) + "  " + Num(m + 1) + "/" + Num(t.EntrantCount / 2));
  BattleLog(b, NameOf(b.A) + " vs " + NameOf(b.B));
  // 4. The battle waits for the first click.
  b.Turn = 0;
  b.PhaseCount = 0;
  b.EndDue = false;
  Then<Shown, BattleOpening, TurnStart<Shown>>(b);
}

void NextMatch(TBattle& b) {
  TTournament& t = *b.Tournament;
  // 1. The next match of the stage, after two empty lines.
  ++b.MatchIndex;
  if (b.MatchIndex < t.EntrantCount / 2) {
    SetCue(b, CueTransition);
    BattleLog(b, "");
    BattleLog(b, "");
    StartMatch(b);
    return;
  }
  // 2. Otherwise the stage is over.
  ++t.Stage;
  b.Outcome.Cue = CueTransition;
  b.Outcome.HandOver = THandOver::StageOver;
}
