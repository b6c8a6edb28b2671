// The screens the tests without a window draw on: one value for the whole
// test program, on which every game of tests/TestGame.h is shown. Its parts
// and the screens' operations go by the names the game's code used when they
// were the program's own, so that a test reads as the screen's rules do; an
// operation that returns regions has them installed in the test screens'
// registry, as the flow installs a painted screen's. Tests with a window use
// the window's screens.
#pragma once

#include "game/Round.h"
#include "game/Step.h"
#include "paint/BattleScreen.h"
#include "paint/BoardScreen.h"
#include "paint/MakingScreen.h"
#include "paint/ScreenKit.h"
#include "paint/ScreensView.h"
#include "paint/StoryScreens.h"
#include "present/Wave.h"
#include "tests/TestGame.h"

TScreens& TestScreens();
// A shell that plays the cues a game asks for on `sound` and presents the
// test screens; captions go nowhere.
class TSoundShell : public TGameShell {
 public:
  explicit TSoundShell(TBromWave& sound) : sound_(sound) {}
  void Apply(const TEffect& e) override {
    if (e.Kind == TEffect::Cue) sound_.Play(e.Text);
    if (e.Kind == TEffect::Present) Present(TestScreens());
  }

 private:
  TBromWave& sound_;
};
// The view of the test games: the test screens.
TScreensView& TestView();

inline TBromBitmap& ScreenLayer = TestScreens().ScreenLayer;
inline TBromBitmap& BaseLayer = TestScreens().BaseLayer;
inline TBromBitmap& TextScrollLayer = TestScreens().TextScrollLayer;
inline TBromBitmap& SlotBackdrop = TestScreens().SlotBackdrop;
inline TBromBitmap (&Portraits)[PortraitCount] = TestScreens().Portraits;
inline TSensorRegistry& SensorRegistry = TestScreens().Sensors;
inline const TPoint& MousePoint = TestScreens().Sensors.MousePoint;

// The operations on the test screens.
inline void InitScreens(TBromPaintBox& box) {
  InitScreens(TestScreens(), box);
}
inline void FreeScreens() {
  FreeScreens(TestScreens());
}
inline void InvertRect(const TRect& r) {
  InvertRect(TestScreens(), r);
}
inline void HighlightRect(const TRect& r) {
  HighlightRect(TestScreens(), r);
}
inline void RestoreRects(std::span<const TRect> r) {
  RestoreRects(TestScreens(), r);
}
inline void DimRects(std::span<const TRect> r) {
  DimRects(TestScreens(), r);
}
inline void Present() {
  Present(TestScreens());
}
inline std::int64_t PresentCount() {
  return PresentCount(TestScreens());
}
inline void ClearScreen() {
  ClearScreen(TestScreens());
}
inline void LoadBackdrop() {
  LoadBackdrop(TestScreens());
}
inline void ShowHelpBox(const TStringDynArray& lines) {
  ShowHelpBox(TestScreens(), lines);
}
inline void RestoreHelpBox() {
  RestoreHelpBox(TestScreens());
}
inline void LoadPortraits(const TTournament& t) {
  LoadPortraits(TestScreens(), t);
}
inline const TBromBitmap* PortraitOf(const TTournament& t, const TSwordia& s) {
  return PortraitOf(TestScreens(), t, s);
}
inline void DrawEntrantPanel(const TRect& r, const TSwordia& s, bool withHistory) {
  DrawEntrantPanel(TestScreens(), r, s, withHistory);
}
// A region added after the test screens' regions.
inline void Install(const TSensor& r) {
  AddSensor(SensorRegistry, r.Rect, r.Repeat, r.OnEnter, r.OnLeave, r.OnClick, r.Tag);
}
inline void PrepareScrollText(const TSwordia& s, TCommandKind onClick) {
  Install(PrepareScrollText(TestScreens(), s, onClick));
}
inline void DrawButton(const TRect& r, int h, std::string_view caption, std::int32_t tag,
                       TCommandKind onClick, TSensorHandler onLeave, TSensorHandler onEnter) {
  Install(DrawButton(TestScreens(), r, h, caption, tag, onClick, onLeave, onEnter));
}
inline void ShowStoryText(const TStringDynArray& lines) {
  ShowStoryText(TestScreens(), lines);
}
inline void PaintBattle(const TGame& g) {
  InstallRegions(SensorRegistry, PaintBattle(TestScreens(), g));
  Present();
}
inline void RefreshFighters(const TGame& g) {
  RefreshFighters(TestScreens(), g);
}
inline void LogScrollTick(const TGame& g, bool shown) {
  if (LogScrollTick(TestScreens(), g, shown)) Present();
}
inline const TLogScroll& LogScroll() {
  return TestScreens().LogScroll;
}
inline bool LogScrolling(const TGame& g) {
  return LogScrolling(TestScreens(), g);
}
inline bool SkipHovered() {
  return TestScreens().SkipHovered;
}
inline void SkipHover(const TGame& g, std::int32_t tag) {
  SkipHover(TestScreens(), g, tag);
}
inline void SkipLeave(const TGame& g, std::int32_t tag) {
  SkipLeave(TestScreens(), g, tag);
}
inline void PaintBoard(TGame& g) {
  RunGameStep(g, TestShell(), [&] { ShowBoard(g); });
}
inline void ShowGrowthProgress(const TGame& g, std::int32_t n) {
  if (ShowGrowthProgress(TestScreens(), g, n)) Present();
}
inline void PaintMaking(const TGame& g) {
  InstallRegions(SensorRegistry, PaintMaking(TestScreens(), g));
  Present();
}

// The test screens' regions.
inline void ClearSensors() {
  ClearSensors(SensorRegistry);
}
inline void AddSensor(const TRect& r, bool repeat, TSensorHandler onEnter, TSensorHandler onLeave,
                      TCommandKind onClick, std::int32_t tag) {
  AddSensor(SensorRegistry, r, repeat, onEnter, onLeave, onClick, tag);
}
inline void SensorHover(const TGame& g, std::int32_t x, std::int32_t y) {
  if (SensorHover(TestScreens(), g, x, y)) Present();
}
inline TCommand SensorClick(std::int32_t x, std::int32_t y) {
  return SensorClick(SensorRegistry, x, y);
}
inline void RefreshHover(const TGame& g) {
  if (RefreshHover(TestScreens(), g)) Present();
}
