#include "battle/Battle.h"

#include <string>

#include "battle/Action.h"
#include "battle/BattleHost.h"
#include "battle/BattleLog.h"
#include "battle/Stepping.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "rules/Cues.h"
#include "rules/Random.h"

TBattle Battle;

namespace {

std::string Num(std::int32_t n) {
  return std::to_string(n);
}
std::string NameOf(const TFighter& f) {
  return f.Name.Str();
}

void BattleOpening();
void TurnStart();
void SleepPhase();
void StrongPoisonPhase();
void PoisonPhase();
void ActionLoop();
void ActionStep();
void NextTurn();
void SoulRevival();
void LifeRevival();
void EndCheck();
void Judgement();
void MatchEpilogue();
void StoryHandOver();

// Turn start -------------------------------------------------------------------

void TurnStart() {
  // 1. A new turn's action points; the reserve carries over.
  Battle.A.AP = Battle.A.Speed;
  Battle.B.AP = Battle.B.Speed;
  // 2. Every sword may run again.
  for (TFighter* f : {&Battle.A, &Battle.B}) {
    for (int i = 0; i < f->SwordCount; ++i) f->Swords[i].UsedThisTurn = false;
  }
  // 3. The turn header.
  if (Logging()) {
    SetCue(CueTick);
    BattleLog("");
    BattleLog("【第" + Num(Battle.Turn) + "ターン】");
  }
  // 4.
  Schedule({DeathCheck, EndCheck, SleepPhase});
}

void SleepPhase() {
  for (TFighter* f : {&Battle.A, &Battle.B}) {
    if (f->Sleep <= 0) continue;
    // A sleeper loses the whole turn, its reserve included.
    f->AP = 0;
    f->ReserveAP = 0;
    --f->Sleep;
    if (Logging()) {
      SetCue(CueWeak);
      BattleLog(NameOf(*f) + "は眠っている。");
    }
  }
  SchedulePhase(StrongPoisonPhase);
}

void StrongPoisonPhase() {
  for (TFighter* f : {&Battle.A, &Battle.B}) {
    if (f->StrongPoison <= 0) continue;
    f->Poison = Wrap32(std::int64_t{f->Poison} + f->StrongPoison);
    if (Logging()) {
      SetCue(CuePoison);
      BattleLog(NameOf(*f) + "の毒が" + Num(f->StrongPoison) + "増えた。");
    }
  }
  SchedulePhase(PoisonPhase);
}

void PoisonPhase() {
  for (TFighter* f : {&Battle.A, &Battle.B}) {
    if (f->Poison <= 0) continue;
    // Poison never wears off by itself.
    f->HP = Wrap32(std::int64_t{f->HP} - f->Poison);
    if (Logging()) {
      SetCue(CuePoison);
      BattleLog(NameOf(*f) + "は毒により" + Num(f->Poison) + "ダメージを受けた。");
    }
  }
  Schedule({DeathCheck, EndCheck, ActionLoop});
}

// Actions ----------------------------------------------------------------------

void ActionLoop() {
  if (!CanAct(Battle.A) && !CanAct(Battle.B)) {
    SchedulePhase(NextTurn);
  } else {
    Schedule({ActionStep, ActionLoop});
  }
}

void ActionStep() {
  TFighter& a = Battle.A;
  TFighter& b = Battle.B;
  const bool aCan = CanAct(a);
  const bool bCan = CanAct(b);
  // Re-decided every step, so one side may take many steps in a row.
  if (aCan && !bCan) {
    ActAlone(a, b);  // 1. Only one can act.
  } else if (bCan && !aCan) {
    ActAlone(b, a);
  } else if (a.Quick != b.Quick) {
    if (a.Quick > b.Quick)
      ActAlone(a, b);
    else
      ActAlone(b, a);  // 2. Quick first.
  } else if (a.Speed != b.Speed) {
    if (a.Speed > b.Speed)
      ActAlone(a, b);
    else
      ActAlone(b, a);  // 3. Then the faster.
  } else {
    ActTogether();  // 4. Otherwise both in the same step.
  }
}

void NextTurn() {
  Battle.Turn = Wrap32(std::int64_t{Battle.Turn} + 1);
  Schedule({EndCheck, TurnStart});
}

// Knock-out and revival ----------------------------------------------------------

void SoulRevival() {
  bool stillDown = false;
  for (TFighter* f : {&Battle.A, &Battle.B}) {
    if (f->HP > 0 || f->Soul == 0) continue;
    --f->Soul;
    f->HP = f->MaxHP;
    if (Logging()) SetCue(CueRevival);
    if (f->HP <= 0) {
      // A soul cannot lift a fighter whose maximum is 0 or less; the next
      // soul is tried in a pass of its own.
      if (Logging()) BattleLog(NameOf(*f) + "の＜ソウル＞発動、HPが" + Num(f->HP) + "になった。");
      stillDown = true;
    } else {
      if (Logging()) {
        BattleLog(NameOf(*f) + "の＜ソウル＞発動、HPが" + Num(f->HP) + "になった。生き返った。");
      }
      f->Dead = false;
    }
  }
  SchedulePhase(stillDown ? SoulRevival : LifeRevival);
}

void LifeRevival() {
  for (TFighter* f : {&Battle.A, &Battle.B}) {
    if (f->HP > 0 || f->Life <= 0) continue;
    --f->Life;
    f->HP = 1;
    if (Logging()) {
      SetCue(CueRevival);
      BattleLog(NameOf(*f) + "の＜ライフ＞発動、HPが" + Num(f->HP) + "になった。生き返った。");
    }
    f->Dead = false;
  }
}

// The end and the judgement ------------------------------------------------------

void EndCheck() {
  if (Battle.Turn < 1) return;
  if (!Battle.A.Dead && !Battle.B.Dead && Battle.Turn <= 20) return;
  // 1. A skipped battle shows its end again.
  if (!Battle.Simulation && Battle.LogOff) {
    Battle.LogOff = false;
    BattleLog("");
    BattleLog("～ 略 ～");
  }
  // 2.
  Battle.SkipAllowed = false;
  // 3.
  if (Logging()) {
    SetCue(CueBattleOver);
    BattleLog("");
    BattleLog("-- 戦闘終了 --");
  }
  // 4. Whatever was still scheduled is dropped.
  ClearPhases();
  SchedulePhase(Judgement);
}

// The winner and loser of a tournament match; the result of a simulation.
void Declare(bool firstWins) {
  Battle.Result = firstWins ? brFirstWins : brSecondWins;
  if (Battle.Simulation) return;
  const TFighter& winner = firstWins ? Battle.A : Battle.B;
  TSwordia& w = *(firstWins ? Battle.SwordiaA : Battle.SwordiaB);
  TSwordia& l = *(firstWins ? Battle.SwordiaB : Battle.SwordiaA);
  BattleLog(NameOf(winner) + "の勝利！");
  RecordMatchResult(Tournament, w, l);
  BattleHost().MatchDecided(w, l, Battle.Result);
}

void DecideByPushAndHP() {
  const TFighter& a = Battle.A;
  const TFighter& b = Battle.B;
  // 1. Push decides first and is not used up.
  if (a.Push != b.Push) {
    if (Logging()) BattleLog("プッシュ発動！");
    Declare(a.Push > b.Push);
    return;
  }
  // 2. Then the higher HP, negative or not.
  if (a.HP != b.HP) {
    Declare(a.HP > b.HP);
    return;
  }
  // 3. Then chance; a simulation calls it even.
  if (Logging()) BattleLog("ＨＰ同値につき乱数で勝敗を決定！");
  if (Battle.Simulation) {
    Battle.Result = brDraw;
    return;
  }
  Declare(Random(2) == 0);
}

void Judgement() {
  if (Logging()) SetCue(CueJudgement);
  if (Battle.A.Dead && Battle.B.Dead) {
    if (Logging()) BattleLog("オーバーキルジャッジ！");
    DecideByPushAndHP();
  } else if (Battle.B.Dead) {
    Declare(true);
  } else if (Battle.A.Dead) {
    Declare(false);
  } else {
    if (Logging()) BattleLog("オーバーターンジャッジ！");
    DecideByPushAndHP();
  }
  if (!Battle.Simulation) SchedulePhase(MatchEpilogue);
}

// Hand-over ----------------------------------------------------------------------

void MatchEpilogue() {
  TSwordia* s = nullptr;
  if (Battle.SwordiaA->InTournament) s = Battle.SwordiaA;
  if (Battle.SwordiaB->InTournament) s = Battle.SwordiaB;
  if (s == nullptr) InternalError("UnitBattle", "a match without a winner");
  // Rounds 1 to 4 earn the winner a bonus point; the final earns nothing.
  if (AwardBonus(Tournament, *s)) {
    SetCue(CueJudgement);
    BattleLog(s->Name + "は途心を1獲得した。");
  }
  // The hand-over is a phase of its own: it comes with the next click.
  SchedulePhase(s == Tournament.Hero ? StoryHandOver : NextMatch);
}

void StoryHandOver() {
  // The story of the stage; coming back to the battle goes on with the next match.
  Battle.ResumeAfterStory = true;
  BattleHost().HeroWon();
}

void BattleOpening() {
  const TTournament& t = Tournament;
  if (t.Stage < FirstGrownStage) return;
  SetCue(CueShimmer);
  const int m = Battle.MatchIndex;
  for (int side = 0; side < 2; ++side) {
    TSwordia& e = *(side == 0 ? Battle.SwordiaA : Battle.SwordiaB);
    TFighter& f = side == 0 ? Battle.A : Battle.B;
    const int index = 2 * m + side;
    if (index >= GrownSpecCount) InternalError("UnitBattle", "no grown build for this entrant");
    // The hero fights with the player's build, every rival with its grown one;
    // both sides are announced even when nothing changed.
    const TSpec fresh = &e == t.Hero ? t.HeroEdit.Spec : GrownSpecs[index];
    BattleLog(NameOf(f) + "の構成が変動した！");
    BattleLog(BuildText(e.Spec) + " ⇒ " + BuildText(fresh));
    e.Spec = fresh;
    e.Bonus = 0;
    f = MakeFighter(e);
  }
}

}  // namespace

void ResetBattle() {
  Battle = TBattle();
}

// Scheduling -----------------------------------------------------------------------

void SchedulePhase(TBattlePhase phase) {
  if (Battle.PhaseCount >= PhaseStackSize) {
    InternalError("UnitBattle", "the continuation stack is full");
  }
  Battle.Phases[Battle.PhaseCount++] = phase;
}

void Schedule(std::initializer_list<TBattlePhase> phases) {
  // Pushed last to first, so the first one runs next.
  for (auto it = phases.end(); it != phases.begin();) SchedulePhase(*--it);
}

void ClearPhases() {
  Battle.PhaseCount = 0;
}

bool RunNextPhase() {
  if (Battle.PhaseCount == 0) return false;
  const TBattlePhase phase = Battle.Phases[--Battle.PhaseCount];
  phase();
  return true;
}

void BattleLog(std::string_view line) {
  LogAppend(line);
}

// Shared rules --------------------------------------------------------------------

bool CanAct(const TFighter& f) {
  // With points of this turn a fighter acts even without a sword (the point is
  // simply spent); the reserve is spent only on a sword or on a stun.
  if (f.AP > 0) return true;
  return f.ReserveAP > 0 && (f.Stun > 0 || NextRunnableSword(f) >= 0);
}

void PostAction() {
  Schedule({DeathCheck, EndCheck});
}

void DeathCheck() {
  // A knock-out in turn 0 is noticed only by the first check of turn 1.
  if (Battle.Turn < 1) return;
  bool died = false;
  for (TFighter* f : {&Battle.A, &Battle.B}) {
    if (f->Dead || f->HP > 0) continue;
    f->Dead = true;
    died = true;
    if (Logging()) {
      SetCue(CueKnockOut);
      BattleLog(NameOf(*f) + "は死んだ。");
    }
  }
  // Revival comes only in the passes right after the knock-out is noticed.
  if (died) SchedulePhase(SoulRevival);
}

// Simulation ------------------------------------------------------------------------

int SimulateBattle(const TSpec& a, const TSpec& b) {
  // 1. Two nameless swordsmen with the given builds.
  TSwordia first;
  TSwordia second;
  first.Spec = a;
  second.Spec = b;
  Battle.A = MakeFighter(first);
  Battle.B = MakeFighter(second);
  Battle.SwordiaA = nullptr;
  Battle.SwordiaB = nullptr;
  // 2. Silent, from turn 0, without the opening of a tournament match.
  Battle.LogOff = true;
  Battle.Simulation = true;
  Battle.Turn = 0;
  ClearPhases();
  SchedulePhase(TurnStart);
  Battle.Result = brRunning;
  // 3.
  while (Battle.Result == brRunning) {
    if (!RunNextPhase()) InternalError("UnitBattle", "a simulated battle ran out of phases");
  }
  // 4. The log stays off until the next shown match starts.
  Battle.Simulation = false;
  return Battle.Result;
}

// Tournament --------------------------------------------------------------------------

void EnterBattleMode() {
  if (Battle.ResumeAfterStory) {
    Battle.ResumeAfterStory = false;
    NextMatch();
  } else {
    Battle.MatchIndex = 0;
    StartMatch();
  }
}

void StartMatch() {
  const TTournament& t = Tournament;
  const int m = Battle.MatchIndex;
  if (m < 0 || 2 * m + 1 >= t.EntrantCount) InternalError("UnitBattle", "no such match");
  // 1. The two entrants and their fighters.
  Battle.SwordiaA = t.Entrants[2 * m];
  Battle.SwordiaB = t.Entrants[2 * m + 1];
  Battle.A = MakeFighter(*Battle.SwordiaA);
  Battle.B = MakeFighter(*Battle.SwordiaB);
  Battle.Simulation = false;
  Battle.Result = brRunning;
  // 2. The screen, then a fresh log.
  BattleHost().PaintMatch();
  Battle.LogOff = false;
  Battle.SkipAllowed = true;
  LogClear();
  // 3. The match header.
  BattleLog(std::string(StageName(t.Stage)) + "  " + Num(m + 1) + "/" + Num(t.EntrantCount / 2));
  BattleLog(NameOf(Battle.A) + " vs " + NameOf(Battle.B));
  // 4. The battle waits for the first click.
  Battle.Turn = 0;
  ClearPhases();
  Schedule({BattleOpening, TurnStart});
}

void NextMatch() {
  TTournament& t = Tournament;
  ++Battle.MatchIndex;
  if (Battle.MatchIndex < t.EntrantCount / 2) {
    SetCue(CueTransition);
    BattleLog("");
    BattleLog("");
    StartMatch();
    return;
  }
  // The stage is over.
  ++t.Stage;
  BattleHost().PlayCue(CueTransition);
  BattleHost().StageOver();
}
