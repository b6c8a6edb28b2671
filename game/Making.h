// Design unit: UnitMaking.
// Hero making: the player spends the hero's bonus points on its build. Every
// point raises one number or adds one sword; a point is never taken back one
// by one, the only undo is the reset to the hero as last fixed. The order of
// the swords, which is the order they run in battle, can be changed freely.
//
// All editing happens on the hero's working copy, the game's Tournament.HeroEdit. The
// hero itself changes only by the decide at stage 0; from stage 2 on, the
// working copy becomes the hero's build when its next match opens. The working
// copy survives leaving and re-entering the screen within a stage.
//
// The operations below carry out the hero setup screen's commands; each takes
// its region's tag.
#pragma once

#include <cstdint>

#include "game/Game.h"

// Stat button t (0 HP + 5, 1 attack + 1, 2 defence + 1, 3 speed + 1) for one
// point.
void RaiseStat(TGame& game, std::int32_t t);
// Sword button of kind k (1..35): its mark appended to the swords for one
// point.
void AddSword(TGame& game, std::int32_t k);
// Order slot a (0..19): its sword and the next one change places; the last
// sword changes places with the first. Free.
void SwapSwords(TGame& game, std::int32_t a);
// Back to the hero as last fixed, points included. Free.
void ResetEdit(TGame& game, std::int32_t);
// Leaves the screen: at stage 0 the build is fixed and the prologue is told;
// from stage 2 on, the board shows again.
void DecideEdit(TGame& game, std::int32_t);
