#include "battle/Action.h"

#include <algorithm>
#include <bit>
#include <string>

#include "battle/EngineKit.h"
#include "rules/Cues.h"

namespace {

// The execution stack --------------------------------------------------------

void PushExec(TBattle& b, TBattleStep step) {
  if (b.ExecCount >= PhaseStackSize) InternalError("UnitBattle", "the execution stack is full");
  b.ExecSteps[b.ExecCount++] = step;
}

// Preparing ------------------------------------------------------------------

// Fills the next free slot with F's action against O.
// S is F's next runnable sword: spending a point changes no sword's turn or
// condition, so the sword looked up before spending is the one after it.
template <TRun R>
[[gnu::always_inline]] inline void PrepareAction(TBattle& b, TFighter& f, TFighter& o, int s) {
  // 1. Spend a point: this turn's first, then the reserve.
  if (f.AP > 0) {
    --f.AP;
  } else {
    f.ReserveAP = Wrap32(std::int64_t{f.ReserveAP} - 1);
  }
  // 2. Who acts on whom.
  TActionSlot& slot = b.Slots[b.Prepared];
  slot.Actor = &f;
  slot.Opponent = &o;
  slot.ControlTarget = -1;
  const bool firstOfStep = b.Prepared == 0;
  if (f.Stun > 0) {
    // 3. Stun eats the action; the runnable sword stays unused for the turn.
    --f.Stun;
    slot.Stunned = true;
    if (Logging<R>(b)) {
      if (firstOfStep) BattleLog(b, "");
      SetCue(b, CueTick);
      BattleLog(b, NameOf(f) + "はスタンで動けない！");
    }
    ++b.Prepared;
  } else if (s >= 0) {
    // 4. The sword runs: copied into the slot, marked used, gone if limited.
    slot.Stunned = false;
    slot.Sword = f.Swords[s];
    UseSword(f, s);
    if (slot.Sword.Limited) RemoveSword(f, s);
    // A control sword acts on the sword standing right behind it, which is the
    // one that moved into its place when it vanished.
    if (slot.Sword.SwordClass == scControl) {
      slot.ControlTarget = NextPosition(f, s, slot.Sword.Limited);
    }
    if (Logging<R>(b)) {
      if (firstOfStep) BattleLog(b, "");
      SetCue(b, CueTick);
      BattleLog(b, NameOf(f) + "の" + slot.Sword.Name.Str() + "！");
    }
    ++b.Prepared;
  }
  // 5. Otherwise the point is simply spent.
}

// Whether F's step would only spend a point of this turn: no stun to sit out
// and no sword to run (S is F's next runnable sword). Such a step changes nothing else, so the next
// step is decided the same way (the same side alone, or both together) until those points are gone;
// a fighter without a sword or a stun cannot spend its reserve. A build may buy a speed in the
// millions, so those steps are taken all at once rather than one by one.
bool OnlySpends(const TFighter& f, int s) {
  return f.AP > 0 && f.Stun <= 0 && s < 0;
}

// Execution runs -------------------------------------------------------------

template <TRun R>
void ExecuteByClass(TBattle& b);

// One execution step of the current run, then the death check before the next.
template <TRun R>
void ExecLoop(TBattle& b) {
  // 1. The run is over when no step is left.
  if (b.ExecCount == 0) return;
  // 2. The top step runs on the selected slots.
  const TBattleStep step = b.ExecSteps[--b.ExecCount];
  step(b);
  // 3. The death check, then the next step.
  Then<R, Engine::DeathCheck<R>, ExecLoop<R>>(b);
}

template <TRunSelection S>
void RunSilently(TBattle& b);

template <TRun R, TRunSelection S>
void RunSelection(TBattle& b) {
  b.Selection = S;
  if constexpr (R == Shown) {
    b.ExecCount = 0;
    PushExec(b, ExecuteByClass<R>);
    ExecLoop<R>(b);
  } else {
    RunSilently<S>(b);
  }
}

template <TRun R>
void RunSlot0(TBattle& b) {
  RunSelection<R, rsSlot0>(b);
}
template <TRun R>
void RunSlot1(TBattle& b) {
  RunSelection<R, rsSlot1>(b);
}
template <TRun R>
void RunBoth(TBattle& b) {
  RunSelection<R, rsBoth>(b);
}

// Whether slot i takes part in a run of the selected slots. The steps that
// loop over the slots are inlined into each silent run, whose selection is a
// constant: the slots that take no part cost nothing there.
constexpr bool Selected(TRunSelection selection, int i) {
  return (selection >> i & 1) != 0;
}

// Strikes --------------------------------------------------------------------

template <TRun R>
void AttackSetup(TBattle& b);
template <TRun R>
void StrikeEvaluate(TBattle& b);
template <TRun R>
void OnHitEffects(TBattle& b);
template <TRun R>
void StealPhase(TBattle& b);

// Sets up a strike; true when a second strike is to follow this one.
[[gnu::always_inline]] inline bool SetUpStrike(TBattle& b, TRunSelection selection) {
  // 1. Every slot of the run aims at its opponent.
  for (int i = 0; i < 2; ++i) {
    if (!Selected(selection, i)) continue;
    TActionSlot& s = b.Slots[i];
    s.Target = s.Opponent;
    s.Other = s.Actor;
    s.Pending = true;
  }
  ++b.StrikeNumber;
  // 2. The second strike is set up only after every step of the first. Only
  // a sword that strikes twice takes part in it; without one, its steps would
  // find nobody to strike, no hit and nothing to steal, and change nothing
  // anybody reads, so they are left out.
  const bool strikesTwice = (Selected(selection, 0) && b.Slots[0].Sword.DoubleStrike) ||
                            (Selected(selection, 1) && b.Slots[1].Sword.DoubleStrike);
  return b.StrikeNumber == 1 && strikesTwice;
}

template <TRun R>
void AttackSetup(TBattle& b) {
  if (SetUpStrike(b, b.Selection)) PushExec(b, AttackSetup<R>);
  // 3. The strike itself.
  PushExec(b, StrikeEvaluate<R>);
}

// Works out the damage of slot s's strike; reflect and shield are used up here.
// Inlined into each run, where the slots that take part are known.
[[gnu::always_inline]] inline void ComputeStrike(TBattle& b, TActionSlot& s) {
  const TSword& w = s.Sword;
  TFighter& target = *s.Target;
  const TFighter& attacker = *s.Actor;  // the attacker stays the actor after a reflection
  // 1. Reflection sends the strike back; nothing more is computed.
  if (!w.IgnoreGuards && target.Reflect > 0) {
    --target.Reflect;
    s.Reflected = true;
    return;
  }
  // 2. The base.
  std::int32_t x = 0;
  switch (w.DamageBase) {
    case dbAttack:
      x = attacker.Attack;
      break;
    case dbTargetHP:
      x = target.HP;
      break;
    case dbLostHP:
      x = Wrap32(std::int64_t{attacker.MaxHP} - attacker.HP);
      break;
    case dbPowerOfTurn:
      x = b.Turn <= 0 ? 1 : b.Turn >= 32 ? 0 : Wrap32(std::int64_t{1} << b.Turn);
      break;
    case dbNone:
      break;
  }
  // 3. The scale (division truncates toward zero).
  switch (w.DamageScale) {
    case dsDouble:
      x = Wrap32(std::int64_t{x} * 2);
      break;
    case dsHalfUp:
      x = Wrap32((std::int64_t{x} + 1) / 2);
      break;
    case dsHalfDown:
      x = x / 2;
      break;
    case dsNone:
      break;
  }
  // 4. Defence.
  if (!w.IgnoreDefence) x = Wrap32(std::int64_t{x} - target.Defence);
  // 5. A shield halves it, whatever is left.
  s.Shielded = false;
  if (!w.IgnoreGuards && target.Shield > 0) {
    --target.Shield;
    s.Shielded = true;
    x = x / 2;
  }
  // 6. What the strike deals.
  s.Damage = x;
}

template <TRun R>
void ApplyStrike(TBattle& b, TActionSlot& s) {
  if (s.Reflected) {
    // 1. The strike turns round; the reflector is now its sender.
    std::swap(s.Target, s.Other);
    if (Logging<R>(b)) {
      SetCue(b, CueReflect);
      BattleLog(b, NameOf(*s.Other) + "は攻撃を反射した！");
    }
    return;
  }
  std::string line;
  if (s.Damage <= 0) {
    // 2. Nothing got through.
    if (Logging<R>(b)) {
      SetCue(b, CueNoDamage);
      line = NameOf(*s.Target) + "にダメージは入らなかった！";
    }
  } else {
    // 3. Damage.
    s.Target->HP = Wrap32(std::int64_t{s.Target->HP} - s.Damage);
    s.Hit = true;
    if (Logging<R>(b)) {
      SetCue(b, CueDamage);
      line = NameOf(*s.Target) + "に" + Num(s.Damage) + "ダメージを与えた！";
    }
  }
  // 4. The line, with the shield noted.
  if (Logging<R>(b)) {
    if (s.Shielded) line += "  （シールド発動）";
    BattleLog(b, line);
  }
}

// Evaluates the strikes in flight; true when one was reflected and is still
// on its way.
template <TRun R>
[[gnu::always_inline]] inline bool EvaluateStrikes(TBattle& b, TRunSelection selection) {
  // 1. A fresh evaluation.
  for (int i = 0; i < 2; ++i) {
    if (!Selected(selection, i)) continue;
    TActionSlot& s = b.Slots[i];
    s.Hit = false;
    s.Damage = 0;
    s.Shielded = false;
    s.Reflected = false;
    s.StolenCount = 0;
    s.StolenUsed = 0;
  }
  // 2. Both strikes are computed from the state before either lands.
  bool takesPart[2];
  for (int i = 0; i < 2; ++i) {
    const TActionSlot& s = b.Slots[i];
    takesPart[i] =
        Selected(selection, i) && s.Pending && (b.StrikeNumber == 1 || s.Sword.DoubleStrike);
  }
  for (int i = 0; i < 2; ++i) {
    if (takesPart[i]) ComputeStrike(b, b.Slots[i]);
  }
  bool reflected = false;
  for (int i = 0; i < 2; ++i) {
    TActionSlot& s = b.Slots[i];
    if (!takesPart[i]) continue;
    ApplyStrike<R>(b, s);
    // 3. A reflected strike is still on its way.
    s.Pending = s.Reflected;
    reflected = reflected || s.Reflected;
  }
  return reflected;
}

template <TRun R>
void StrikeEvaluate(TBattle& b) {
  // 4. This evaluation's on-hit effects and steal come before the reflected
  // strike is evaluated again.
  if (EvaluateStrikes<R>(b, b.Selection)) PushExec(b, StrikeEvaluate<R>);
  PushExec(b, OnHitEffects<R>);
}

// Gives t `count` stacks of one state for the on-hit text.
template <TRun R>
void GiveState(TBattle& b, std::int32_t& counter, std::int32_t count, const char* label,
               std::string& text) {
  if (count <= 0) return;
  counter = Wrap32(std::int64_t{counter} + count);
  if (Logging<R>(b)) {
    SetCue(b, CueOnHit);
    for (std::int32_t i = 0; i < count; ++i) text += label;
  }
}

// Whether a slot of the current run has hit its target.
[[gnu::always_inline]] inline bool AnyHit(const TBattle& b, TRunSelection selection) {
  return (Selected(selection, 0) && b.Slots[0].Hit) || (Selected(selection, 1) && b.Slots[1].Hit);
}

// The on-hit effects of one slot that hit.
template <TRun R>
void ApplyOnHit(TBattle& b, TActionSlot& s) {
  TFighter& t = *s.Target;
  const TSword& w = s.Sword;
  // 1. States.
  std::string text;
  GiveState<R>(b, t.Stun, w.StunOnHit, "＜スタン＞", text);
  GiveState<R>(b, t.StrongPoison, w.StrongPoisonOnHit, "＜猛毒＞", text);
  GiveState<R>(b, t.Poison, w.PoisonOnHit, "＜毒＞", text);
  if (w.StrongPoisonOnHit > 0 || w.PoisonOnHit > 0) b.Ailing = true;
  if (Logging<R>(b) && !text.empty()) BattleLog(b, NameOf(t) + "に" + text + "を与えた！");
  // 2. Reversing.
  for (std::int32_t i = 0; i < w.ReverseOnHit && t.SwordCount > 0; ++i) {
    ReverseSwords(t);
    if (Logging<R>(b)) {
      SetCue(b, CueOnHit);
      BattleLog(b, NameOf(t) + "の剣を並べ替えた！");
    }
  }
  // 3. Breaking the head sword.
  for (std::int32_t i = 0; i < w.BreakOnHit && t.SwordCount > 0; ++i) {
    if (Logging<R>(b)) {
      SetCue(b, CueOnHit);
      BattleLog(b, NameOf(t) + "の" + t.Swords[0].Name.Str() + "を破壊した！");
    }
    RemoveSword(t, 0);
  }
  // 4. Spending the first unused sword.
  for (std::int32_t i = 0; i < w.SpendOnHit && t.SwordCount > 0; ++i) {
    const int u = FirstUnusedSword(t);
    if (u < 0) break;
    UseSword(t, u);
    if (Logging<R>(b)) {
      SetCue(b, CueOnHit);
      BattleLog(b, NameOf(t) + "の" + t.Swords[u].Name.Str() + "を使用済みにした！");
    }
  }
}

// The on-hit effects of every slot that hit, slot 0 first. Kept out of line,
// so the pass without a hit stays a few instructions.
template <TRun R>
[[gnu::noinline]] void ApplyOnHits(TBattle& b, TRunSelection selection) {
  for (int i = 0; i < 2; ++i) {
    if (Selected(selection, i) && b.Slots[i].Hit) ApplyOnHit<R>(b, b.Slots[i]);
  }
}

template <TRun R>
void OnHitEffects(TBattle& b) {
  // 1. Nothing to do without a hit.
  if (AnyHit(b, b.Selection)) [[unlikely]]
    ApplyOnHits<R>(b, b.Selection);
  // 2. The steal comes next.
  PushExec(b, StealPhase<R>);
}

// The steal of every slot that hit. Kept out of line, so the pass without a
// hit stays a few instructions.
template <TRun R>
[[gnu::noinline]] void Steal(TBattle& b, TRunSelection selection) {
  // 1. Both thieves take first and hand over afterwards, so two thieves of
  // one step rob each other's heads.
  for (int k = 0; k < 2; ++k) {
    TActionSlot& s = b.Slots[k];
    if (!Selected(selection, k) || !s.Hit) continue;
    TFighter& t = *s.Target;
    for (std::int32_t i = 0; i < s.Sword.StealOnHit && t.SwordCount > 0; ++i) {
      // A sword keeps being used this turn in its new hands.
      if (SwordUsed(t, 0)) s.StolenUsed |= std::uint32_t{1} << s.StolenCount;
      s.Stolen[s.StolenCount++] = t.Swords[0];
      RemoveSword(t, 0);
    }
  }
  // 2. The swords change hands.
  for (int k = 0; k < 2; ++k) {
    TActionSlot& s = b.Slots[k];
    if (!Selected(selection, k) || !s.Hit) continue;
    for (std::int32_t i = 0; i < s.StolenCount; ++i) {
      // A full list cannot take the sword: it is robbed all the same, and lost.
      AppendSword(*s.Actor, s.Stolen[i], (s.StolenUsed >> i & 1) != 0);
      if (Logging<R>(b)) {
        SetCue(b, CueSteal);
        BattleLog(b, NameOf(*s.Target) + "の" + s.Stolen[i].Name.Str() + "を強奪した！");
      }
    }
  }
}

template <TRun R>
void StealPhase(TBattle& b) {
  if (AnyHit(b, b.Selection)) [[unlikely]]
    Steal<R>(b, b.Selection);
}

// Support, control and environment ---------------------------------------------

void Raise(std::int32_t& value, std::int64_t by) {
  value = Wrap32(value + by);
}

template <TRun R>
void ApplySupport(TBattle& b, TActionSlot& s) {
  TFighter& f = *s.Actor;
  const int kind = s.Sword.Kind;
  const char* cue = CueRaise;
  const char* text = "";
  switch (kind) {
    case swHeat:
      Raise(f.Attack, 1);
      text = "の攻撃力が1上がった！";
      break;
    case swBlessing:
      Raise(f.Defence, 1);
      text = "の防御力が1上がった！";
      break;
    case swHaste:
      Raise(f.Speed, 1);
      text = "の素早さが1上がった！";
      break;
    case swScorch:
      Raise(f.Attack, f.Attack);
      text = "の攻撃力が二倍になった！";
      break;
    case swShield:
      Raise(f.Shield, 1);
      cue = CuePopon;
      text = "に＜シールド＞が付与された！";
      break;
    case swLife:
      Raise(f.Life, 1);
      cue = CuePopon;
      text = "に＜ライフ＞が付与された！";
      break;
    case swSoul:
      Raise(f.Soul, 1);
      cue = CuePopon;
      text = "に＜ソウル＞が付与された！";
      break;
    case swMirror:
      Raise(f.Reflect, 1);
      cue = CuePopon;
      text = "に＜反射＞が付与された！";
      break;
    case swPush:
      Raise(f.Push, 1);
      cue = CuePopon;
      text = "に＜プッシュ＞が付与された！";
      break;
    case swLead:
      Raise(f.Quick, 1);
      cue = CuePopon;
      text = "に＜クイック＞が付与された！";
      break;
    case swRecovery:
      f.HP = f.MaxHP;
      cue = CueShimmer;
      text = "のＨＰが全快した！";
      break;
    case swCure:
      f.Stun = f.Sleep = f.StrongPoison = f.Poison = 0;
      cue = CueShimmer;
      text = "の悪い状態が消え去った！";
      break;
    case swRitual:
      Raise(f.ReserveAP, 3);
      text = "の予備APが3増えた！";
      break;
    case swSleepingDragon:
      Raise(f.HP, 10);
      Raise(f.MaxHP, 10);
      Raise(f.Sleep, 1);
      b.Ailing = true;
      text = "のHPと最大HPが10増えて＜スリープ＞が付与された！";
      break;
    default:
      InternalError("UnitBattle", "not a support sword");
  }
  if (Logging<R>(b)) {
    SetCue(b, cue);
    BattleLog(b, NameOf(f) + text);
  }
}

template <TRun R>
void ApplyControl(TBattle& b, TActionSlot& s) {
  TFighter& f = *s.Actor;
  // 1. No sword behind it.
  if (s.ControlTarget < 0 || s.ControlTarget >= f.SwordCount) {
    if (Logging<R>(b)) {
      SetCue(b, CueTick);
      BattleLog(b, NameOf(f) + "は対象になる剣を持っていない！");
    }
    return;
  }
  TSword& t = f.Swords[s.ControlTarget];
  const int kind = s.Sword.Kind;
  const char* label = "";
  if (kind == swGuide) {
    // 2. An early start suits any sword.
    Raise(t.EarlyGrants, 1);
    label = "＜早期起動＞";
  } else {
    // 3. The other grants suit attack swords only.
    if (t.SwordClass != scAttack) {
      if (Logging<R>(b)) {
        SetCue(b, CueNotAttack);
        BattleLog(b, NameOf(f) + "の" + t.Name.Str() + "は攻撃剣ではない！");
      }
      return;
    }
    switch (kind) {
      case swVibration:
        Raise(t.StunGrants, 1);
        Raise(t.StunOnHit, 1);
        label = "＜スタン与え＞";
        break;
      case swPoisonDrug:
        Raise(t.PoisonGrants, 1);
        Raise(t.PoisonOnHit, 1);
        label = "＜毒与え＞";
        break;
      case swDynamic:
        Raise(t.BreakGrants, 1);
        Raise(t.BreakOnHit, 1);
        label = "＜破壊伴い＞";
        break;
      default:
        InternalError("UnitBattle", "not a control sword");
    }
  }
  // 4. The grant is made.
  if (Logging<R>(b)) {
    SetCue(b, CueGrant);
    BattleLog(b, NameOf(f) + "の" + t.Name.Str() + "に" + label + "が付与された！");
  }
}

template <TRun R>
void ApplyEnvironment(TBattle& b) {
  // The only environment sword moves time on: the turn limit comes closer.
  Engine::RaiseTurn(b);
  if (Logging<R>(b)) {
    SetCue(b, CueTurnRaised);
    BattleLog(b, "ターンが" + Num(b.Turn) + "になった☆");
  }
}

// The effects of the active slots' swords by their class; true when they
// attack, and the strike steps follow.
template <TRun R>
[[gnu::always_inline]] inline bool ApplyByClass(TBattle& b, TRunSelection selection) {
  b.StrikeNumber = 0;
  for (int i = 0; i < 2; ++i) {
    TActionSlot& s = b.Slots[i];
    if (!Selected(selection, i) || s.Stunned) continue;
    // The strike steps serve every active slot; slots that run together
    // always share their class. Attacks, the most common, are told apart by
    // one test rather than a jump through a table.
    const TSwordClass c = s.Sword.SwordClass;
    if (c == scAttack) return true;
    switch (c) {
      case scAttack:
        break;
      case scSupport:
        ApplySupport<R>(b, s);
        break;
      case scControl:
        ApplyControl<R>(b, s);
        break;
      case scEnvironment:
        ApplyEnvironment<R>(b);
        break;
      case scNone:
        InternalError("UnitBattle", "a sword without a class");
    }
  }
  return false;
}

template <TRun R>
void ExecuteByClass(TBattle& b) {
  if (ApplyByClass<R>(b, b.Selection)) PushExec(b, AttackSetup<R>);
}

// A silent battle's execution run: the steps of the shown battle's execution
// stack in the order that stack runs them, without the stack. Nothing in a
// run ends the battle (only the end check does), so every step runs. The
// death check follows only the steps that can change what it reads (hit
// points, the turn): after the others it would find what the last check
// left, nothing to notice.
// The selection is known when the run is scheduled, so the slots that take
// no part cost nothing.
template <TRunSelection S>
void RunSilently(TBattle& b) {
  // Support, control or environment: may heal, raise hit points or the turn.
  // An attack has changed nothing yet.
  if (!ApplyByClass<Silent>(b, S)) {
    Engine::DeathCheck<Silent>(b);
    return;
  }
  bool secondStrike;
  do {
    secondStrike = SetUpStrike(b, S);
    // A reflected strike is evaluated again after this evaluation's on-hit
    // effects and steal (states and swords only).
    bool reflected;
    do {
      reflected = EvaluateStrikes<Silent>(b, S);
      Engine::DeathCheck<Silent>(b);
      if (AnyHit(b, S)) [[unlikely]] {
        ApplyOnHits<Silent>(b, S);
        Steal<Silent>(b, S);
      }
    } while (reflected);
  } while (secondStrike);
}

}  // namespace

int SlotPriority(const TActionSlot& slot) {
  if (slot.Stunned) return 5;
  switch (slot.Sword.SwordClass) {
    case scSupport:
      return 4;
    case scControl:
      return 3;
    case scAttack:
      return 2;
    case scEnvironment:
      return 1;
    case scNone:
      break;
  }
  InternalError("UnitBattle", "a sword without a class");
}

namespace {

// Whether a fighter with points in reserve spends one. Kept out of line, so
// the common tests, points of this turn or none in reserve, stay small enough
// to inline.
[[gnu::noinline]] bool SpendsReserve(const TFighter& f, std::int32_t turn) {
  return f.Stun > 0 || NextRunnableSword(f, turn) >= 0;
}

}  // namespace

bool CanAct(const TFighter& f, std::int32_t turn) {
  // With points of this turn a fighter acts even without a sword (the point is
  // simply spent); the reserve is spent only on a sword or on a stun.
  if (f.AP > 0) return true;
  return f.ReserveAP > 0 && SpendsReserve(f, turn);
}

namespace Engine {

// The action step ----------------------------------------------------------------

// F acts alone in this step against O.
template <TRun R>
[[gnu::always_inline]] inline void ActAlone(TBattle& b, TFighter& f, TFighter& o) {
  b.Prepared = 0;
  const int s = NextRunnableSword(f, b.Turn);
  // 1. Steps that only spend points go all at once.
  if (OnlySpends(f, s)) {
    f.AP = 0;  // every remaining step of F's turn, at once
    Then<R, PostAction<R>>(b);
    return;
  }
  // 2. One action, run before the checks after it.
  PrepareAction<R>(b, f, o, s);
  if (b.Prepared > 0) {
    Then<R, RunSlot0<R>, PostAction<R>>(b);
  } else {
    Then<R, PostAction<R>>(b);
  }
}

// A and B act in the same step.
template <TRun R>
void ActTogether(TBattle& b) {
  b.Prepared = 0;
  // Preparing A's action changes nothing of B's.
  const int sa = NextRunnableSword(b.A, b.Turn);
  const int sb = NextRunnableSword(b.B, b.Turn);
  // 1. Both spend a point a step until the one with fewer points has none.
  if (OnlySpends(b.A, sa) && OnlySpends(b.B, sb)) {
    const std::int32_t steps = std::min(b.A.AP, b.B.AP);
    b.A.AP -= steps;
    b.B.AP -= steps;
    Then<R, PostAction<R>>(b);
    return;
  }
  // 2. A's action, then B's.
  PrepareAction<R>(b, b.A, b.B, sa);
  PrepareAction<R>(b, b.B, b.A, sb);
  // 3. Run them by priority, or together when equal.
  if (b.Prepared == 0) {
    Then<R, PostAction<R>>(b);
  } else if (b.Prepared == 1) {
    Then<R, RunSlot0<R>, PostAction<R>>(b);
  } else {
    const int p0 = SlotPriority(b.Slots[0]);
    const int p1 = SlotPriority(b.Slots[1]);
    if (p0 == p1) {
      Then<R, RunBoth<R>, PostAction<R>>(b);
    } else if (p0 > p1) {
      Then<R, RunSlot0<R>, RunSlot1<R>, PostAction<R>>(b);
    } else {
      Then<R, RunSlot1<R>, RunSlot0<R>, PostAction<R>>(b);
    }
  }
}

// Who acts --------------------------------------------------------------------

template <TRun R>
[[gnu::always_inline]] inline void Step(TBattle& b, bool aCan, bool oCan) {
  TFighter& a = b.A;
  TFighter& o = b.B;
  // Re-decided every step, so one side may take many steps in a row.
  bool aFirst;
  if (aCan != oCan) {
    // 1. Only one can act.
    aFirst = aCan;
  } else if (a.Quick != o.Quick) {
    // 2. Quick first.
    aFirst = a.Quick > o.Quick;
  } else if (a.Speed != o.Speed) {
    // 3. Then the faster.
    aFirst = a.Speed > o.Speed;
  } else {
    // 4. Otherwise both in the same step.
    ActTogether<R>(b);
    return;
  }
  if (aFirst) {
    ActAlone<R>(b, a, o);
  } else {
    ActAlone<R>(b, o, a);
  }
}

template <TRun R>
void ActionStep(TBattle& b) {
  Step<R>(b, CanAct(b.A, b.Turn), CanAct(b.B, b.Turn));
}

template <TRun R>
void ActionLoop(TBattle& b) {
  if constexpr (R == Shown) {
    if (!CanAct(b.A, b.Turn) && !CanAct(b.B, b.Turn)) {
      Then<R, NextTurn<R>>(b);
    } else {
      Then<R, ActionStep<R>, ActionLoop<R>>(b);
    }
  } else {
    // The same as a loop: who can act is worked out once for the loop's test
    // and the step, as nothing changes between the two.
    while (b.Result == brRunning) {
      const bool aCan = CanAct(b.A, b.Turn);
      const bool oCan = CanAct(b.B, b.Turn);
      if (!aCan && !oCan) {
        NextTurn<R>(b);
        return;
      }
      Step<R>(b, aCan, oCan);
    }
  }
}

template void ActionLoop<TRun::Shown>(TBattle&);
template void ActionLoop<TRun::Silent>(TBattle&);

}  // namespace Engine
