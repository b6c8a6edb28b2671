// Design unit: UnitGame (the game's view).
// What a step of the game wants shown, said from the game's state: the
// screen of a mode, a change on the screen shown, the story's pictures and
// pages. The window's painters carry it out on its screens and install the
// regions they return; a game without a window is shown on the base class,
// which shows nothing. A view only draws: it never changes the game, and it
// never presents (a step asks for the present as an effect once it has drawn).
#pragma once

#include <cstdint>
#include <string_view>

#include "rules/SjisText.h"

struct TGame;
struct TSwordia;
struct TTournament;

// How hero making's working copy has just changed.
enum class THeroEditChange : std::uint8_t {
  PointSpent,  // a point bought a number or a sword
  Swapped,     // two swords changed places
  Reset,       // back to the hero as last fixed
};

class TGameView {
 public:
  virtual ~TGameView() = default;
  // The title picture; it has no regions (the window takes its click).
  virtual void ShowTitle() {}
  // The black screen shown while the roster loads.
  virtual void ShowBlank() {}
  // The 32 entrants' portraits, once the draw has placed them.
  virtual void LoadPortraits(const TTournament& tournament) { (void)tournament; }
  // Hero making's screen and its regions.
  virtual void ShowMaking(const TGame& game) { (void)game; }
  // Hero making after a change of the working copy: the hero's panel and
  // every button in the look its condition now gives it.
  virtual void ShowHeroEdit(const TGame& game, THeroEditChange change) {
    (void)game;
    (void)change;
  }
  // The highlights taken again at the pointer's last place, as if it had
  // just come there; true when something was drawn.
  virtual bool RefreshHover(const TGame& game) {
    (void)game;
    return false;
  }
  // The story screen, both areas empty, and its regions.
  virtual void ShowStory() {}
  virtual void ClearStoryPicture() {}
  virtual void ShowStoryPicture(std::string_view programPath) { (void)programPath; }
  // A page replaces the last one in the story's text box.
  virtual void ShowStoryText(const TStringDynArray& lines) { (void)lines; }
  // The tournament board and its regions.
  virtual void ShowBoard(const TGame& game) { (void)game; }
  // The growth's work left (percent) on the board's footer; true when its
  // end lit START under a resting pointer.
  virtual bool ShowGrowthProgress(const TGame& game, std::int32_t remaining) {
    (void)game;
    (void)remaining;
    return false;
  }
  // The opponent view of one entrant and its regions.
  virtual void ShowOpponent(const TGame& game, const TSwordia& viewed) {
    (void)game;
    (void)viewed;
  }
  // The battle screen of the match that starts, and its regions. (A click's
  // change of the fighters comes to the window as an effect, TEffect::Fighters.)
  virtual void ShowMatch(const TGame& game) { (void)game; }
};
