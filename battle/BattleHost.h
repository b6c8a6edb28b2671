// What a shown battle needs from the game around it while it runs: a screen
// for each match it starts. Everything else a click brings about (the cue,
// the fighters' repaint, a decided match, the way on after it) the click hands
// back as its outcome (TClickOutcome). The game gives the game's battle its
// host; the base class shows nothing.
#pragma once

class TBattleHost {
 public:
  virtual ~TBattleHost() = default;
  // A match starts: paint both fighters and the battle screen's regions.
  virtual void PaintMatch() {}
};
