// Design unit: UnitForm (the game shown on screens).
// The game's view (game/View.h) carried out by the painters on one set of
// screens: each screen is painted from the game and the regions its painter
// returns are installed in the screens' registry, in place of the last
// screen's. The main window shows its games so; the tests and the benchmarks
// that look at pixels make one on screens of their own.
#pragma once

#include "game/View.h"
#include "paint/ScreenKit.h"

class TScreensView : public TGameView {
 public:
  explicit TScreensView(TScreens& screens) : s_(screens) {}
  TScreens& Screens() const { return s_; }

  void ShowTitle() override;
  void ShowBlank() override;
  void LoadPortraits(const TTournament& tournament) override;
  void ShowMaking(const TGame& game) override;
  void ShowHeroEdit(const TGame& game, THeroEditChange change) override;
  bool RefreshHover(const TGame& game) override;
  void ShowStory() override;
  void ClearStoryPicture() override;
  void ShowStoryPicture(std::string_view programPath) override;
  void ShowStoryText(const TStringDynArray& lines) override;
  void ShowBoard(const TGame& game) override;
  bool ShowGrowthProgress(const TGame& game, std::int32_t remaining) override;
  void ShowOpponent(const TGame& game, const TSwordia& viewed) override;
  void ShowMatch(const TGame& game) override;

 private:
  TScreens& s_;
};
