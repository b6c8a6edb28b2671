// Design unit: UnitAction.
// The action loop of a turn: action steps while either fighter can act, each
// deciding anew who acts. In one action step each acting fighter spends one action point and
// either loses the action to stun or runs its next runnable sword. Up to two
// actions prepared in one step run in the order of their sword classes, as a
// chain of small execution steps on a stack of their own: strikes with
// reflection and shields, on-hit effects, stealing, and the effects of
// support, control and environment swords. A knock-out is noticed between the
// execution steps, but the action runs to its end.
#pragma once

#include <bit>
#include <cstdint>

#include "battle/Battle.h"

// Index of the fighter's first sword that may run in the given turn, or -1:
// unused this turn, its start turn (less its early grants) reached, and its
// condition met. Inline: every action step asks it.
inline int NextRunnableSword(const TFighter& f, std::int32_t turn) {
  // Only the unused swords are looked at, in list order.
  for (std::uint32_t left = ~f.Used & AllSwords(f); left != 0; left &= left - 1) {
    const int i = std::countr_zero(left);
    const TSword& s = f.Swords[i];
    if (std::int64_t{s.StartTurn} - s.EarlyGrants > turn) continue;
    switch (s.Condition) {
      case cdNone:
        return i;
      case cdCrisis:
        if (std::int64_t{f.HP} * 2 <= f.MaxHP) return i;
        break;
      case cdSymptom:
        if (f.Stun > 0 || f.Sleep > 0 || f.StrongPoison > 0 || f.Poison > 0) return i;
        break;
    }
  }
  return -1;
}

// Running order of a prepared slot: stunned 5, support 4, control 3,
// attack 2, environment 1; the higher runs first.
int SlotPriority(const TActionSlot& slot);

namespace Engine {

// The action loop of a turn: action steps while either fighter can act,
// then the next turn. In each step one fighter acts alone (the only one who
// can, else the quicker, else the faster) or both act together.
template <TRun R>
void ActionLoop(TBattle& b);

}  // namespace Engine
