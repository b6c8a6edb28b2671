// What a shown battle needs from the game around it: a screen, sounds and the
// way on after a match. The battle engine reports through this interface and
// never calls the screens, the sound player or the mode switch itself; the
// game's flow gives the game's battle its host, the lab and the tests give
// theirs their own. The base class shows nothing, plays nothing and keeps the
// battle on screen.
#pragma once

struct TSwordia;

class TBattleHost {
 public:
  virtual ~TBattleHost() = default;
  // A match starts: paint both fighters and the battle screen's regions.
  virtual void PaintMatch() {}
  // After a click step: both fighter panels show the fighters as they are now.
  virtual void RefreshFighters() {}
  // Plays a cue (a program path such as "dat\\タ2.wav") at once.
  virtual void PlayCue(const char* file) { (void)file; }
  // Whether the battle is still the current screen: a click step ends as soon
  // as the screen has been left.
  virtual bool BattleShown() const { return true; }
  // A tournament match has been decided (the result code: 20 when the first
  // fighter won, 0 when the second did), its bookkeeping already done.
  virtual void MatchDecided(const TSwordia& winner, const TSwordia& loser, int result) {
    (void)winner;
    (void)loser;
    (void)result;
  }
  // The hero has won the current match: the stage's story is told, and the
  // round goes on with the next match when the battle screen comes back.
  virtual void HeroWon() {}
  // The last match of the stage has been decided and the stage advanced.
  virtual void StageOver() {}
};
