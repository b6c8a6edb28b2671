// Helpers for tests that read screens drawn headless: a test's own screens
// with a game shown on them, copies of a layer, and comparisons of rectangles
// pixel by pixel that name the first pixel that differs.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/Game.h"
#include "paint/ScreenKit.h"
#include "paint/ScreensView.h"
#include "present/Bitmap.h"
#include "present/Form.h"
#include "present/Wave.h"

// A player that plays nothing and notes each sound it is asked for.
class TRecordingPlayer : public TWavePlayer {
 public:
  void Play(std::string_view programPath, bool) override { Played.emplace_back(programPath); }
  void Stop() override {}
  std::vector<std::string> Played;  // program paths, in order
};

// The shell of a game shown on `screens`: it plays the cues on `sound` and
// presents the screens; any other effect goes nowhere.
class TScreensShell : public TGameShell {
 public:
  TScreensShell(TScreens& screens, TBromWave& sound) : screens_(screens), sound_(sound) {}
  void Apply(const TEffect& e) override;

 private:
  TScreens& screens_;
  TBromWave& sound_;
};

// A test of screens drawn headless: screens of its own (the layers made,
// presenting to a paint box without a window), the view on them, a fresh game
// shown on that view, and the shell of the game's steps, whose cues
// player_.Played notes.
class ScreenTest : public ::testing::Test {
 protected:
  ScreenTest() { InitScreens(screens_, paintBox_); }
  // The pointer moved to (x, y) over the game's screen, the screen presented
  // when a hover handler ran, as the window does.
  void Hover(std::int32_t x, std::int32_t y);

  TBromPaintBox paintBox_;
  TScreens screens_;
  TScreensView view_{screens_};
  TGame game_{view_};
  TRecordingPlayer player_;
  TBromWave sound_{player_};
  TScreensShell shell_{screens_, sound_};
};

// A copy of a whole layer.
void CopyLayer(const TBromBitmap& from, TBromBitmap& to);
// (a + b) div 2 per channel: a blend with black dims, with red highlights.
TPixelColor Blend(TPixelColor a, TPixelColor b);
// Every pixel of `r` in `actual` equals the same pixel of `expected`.
::testing::AssertionResult SameRect(const TBromBitmap& actual, const TBromBitmap& expected,
                                    const TRect& r);
// Every pixel of `r` in `actual` is `want(x, y, pixel of expected)`.
::testing::AssertionResult RectMatches(
    const TBromBitmap& actual, const TBromBitmap& expected, const TRect& r,
    const std::function<TPixelColor(int x, int y, TPixelColor expected)>& want);
// Every pixel of `r` is `color`, except those inside `except`.
::testing::AssertionResult FilledWith(const TBromBitmap& actual, const TRect& r, TPixelColor color,
                                      const TRect& except = TRect{});
// Whether any pixel of `r` differs from black.
bool HasInk(const TBromBitmap& layer, const TRect& r);

// The fuzz seed "repeated-scans.jpg" (64 x 64 flat grey, progressive: a DC
// scan, then one AC scan that libjpeg decodes again and again without a
// warning) with `scans` scans in all.
std::string RepeatedScanJpeg(int scans);
