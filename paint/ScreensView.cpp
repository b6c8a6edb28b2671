#include "paint/ScreensView.h"

#include "paint/BattleScreen.h"
#include "paint/BoardScreen.h"
#include "paint/MakingScreen.h"
#include "paint/Sensor.h"
#include "paint/StoryScreens.h"

void TScreensView::ShowTitle() {
  PaintTitle(s_);
}

void TScreensView::ShowBlank() {
  ClearScreen(s_);
}

void TScreensView::LoadPortraits(const TTournament& tournament) {
  ::LoadPortraits(s_, tournament);
}

void TScreensView::ShowMaking(const TGame& game) {
  InstallRegions(s_.Sensors, PaintMaking(s_, game));
}

void TScreensView::ShowHeroEdit(const TGame& game, THeroEditChange change) {
  RepaintHeroPanel(s_, game);
  // Each button look acts only when its condition holds.
  switch (change) {
    case THeroEditChange::PointSpent:
      ShowResetOn(s_, game);
      ShowDecideOn(s_, game);
      ShowStatButtonsOff(s_, game);
      return;
    case THeroEditChange::Swapped:
      ShowResetOn(s_, game);
      ShowResetOff(s_, game);
      return;
    case THeroEditChange::Reset:
      ShowStatButtonsOn(s_, game);
      ShowResetOff(s_, game);
      ShowDecideOff(s_, game);
      return;
  }
}

bool TScreensView::RefreshHover(const TGame& game) {
  return ::RefreshHover(s_, game);
}

void TScreensView::ShowStory() {
  InstallRegions(s_.Sensors, PaintStory(s_));
}

void TScreensView::ClearStoryPicture() {
  ::ClearStoryPicture(s_);
}

void TScreensView::ShowStoryPicture(std::string_view programPath) {
  ::ShowStoryPicture(s_, programPath);
}

void TScreensView::ShowStoryText(const TStringDynArray& lines) {
  ::ShowStoryText(s_, lines);
}

void TScreensView::ShowBoard(const TGame& game) {
  InstallRegions(s_.Sensors, PaintBoard(s_, game));
}

bool TScreensView::ShowGrowthProgress(const TGame& game, std::int32_t remaining) {
  return ::ShowGrowthProgress(s_, game, remaining);
}

void TScreensView::ShowOpponent(const TGame& game, const TSwordia& viewed) {
  InstallRegions(s_.Sensors, PaintOpponent(s_, game, viewed));
}

void TScreensView::ShowMatch(const TGame& game) {
  InstallRegions(s_.Sensors, PaintBattle(s_, game));
}
