// Design unit: UnitForm (the commands of the screens).
// What the player asks of the game, as a value: a click on a screen region
// comes back from the window's sensor registry as the region's command, a key
// as the command of the region it stands for. The game carries it out as one
// step (game/Step's RunCommand); the window has finished with the click
// before the game changes, so a command may repaint the whole screen.
#pragma once

#include <cstdint>

// What a click on a region asks of the game. Its tag says which one: the
// slot, the sword kind, the stat or the order slot.
enum class TCommandKind : std::uint8_t {
  None,         // no click: the click falls through to the next region
  RaiseStat,    // hero making's stat button, tag 0..3
  AddSword,     // a sword button, tag kind 1..35
  ResetEdit,    // "リセット"
  DecideEdit,   // "決定"
  SwapSwords,   // an order slot, tag 0..19
  CloseView,    // the opponent view (and the flavour strip that shares it)
  ViewEntrant,  // a board's portrait cell, tag slot 0..31
  StartRound,   // "START"
  ChangeBuild,  // "構成変動"
  CloseStory,   // the story's "close"
  NextPage,     // anywhere else on the story
  BattleStep,   // anywhere on the battle
  BattleSkip,   // "SKIP"
};

struct TCommand {
  TCommandKind Kind = TCommandKind::None;
  std::int32_t Tag = 0;
};
