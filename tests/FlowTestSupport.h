// The game as a player meets it, headless: a temporary working folder whose
// dat folder links every shipped file (a test may put its own roster, story
// or picture in place of one), the main window made on SDL's dummy video
// driver, a recorder for sounds and message boxes, and helpers that click
// and play matches.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "flow/FormMain.h"
#include "present/App.h"
#include "present/Bitmap.h"
#include "present/Wave.h"

// Remembers every cue played.
class TCueRecorder : public TWavePlayer {
 public:
  std::vector<std::string> Played;  // program paths, cp932
  void Play(std::string_view programPath, bool) override { Played.emplace_back(programPath); }
  void Stop() override {}
  int CountOf(std::string_view programPath) const;
};

// Remembers every message box.
class TMessageRecorder : public TMessageSink {
 public:
  std::vector<std::string> Captions;
  std::vector<std::string> Texts;
  void Show(std::string_view caption, std::string_view text) override {
    Captions.emplace_back(caption);
    Texts.emplace_back(text);
  }
};

class GameFolder : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Puts `bytes` in place of dat/<name> (never writing through a link into
  // the source tree).
  void PutDataFile(const std::string& name, std::string_view bytes);
  void RemoveDataFile(const std::string& name);
  // Makes the main window (the title shows) and seeds the generator.
  void OpenWindow(std::uint32_t seed = 7);
  void LeftClick(int x, int y);
  void RightClick(int x, int y);
  void MoveTo(int x, int y);
  // The game the window shows.
  TGame& Game() { return form_->Game(); }
  const TGame& Game() const { return form_->Game(); }
  // The shell the window gives every step of its game.
  TGameShell& Shell() { return *form_; }
  // The screens the window shows it on.
  TScreens& Screens() { return form_->Screens(); }
  // What the window shows now.
  const TBromBitmap& Screen();
  // The window caption, UTF-8.
  std::string CaptionU8();
  // Plays the current battle with SKIP and steps until the mode is no longer
  // the battle; false when that takes more than `maxClicks`.
  bool PlayUntilBattleLeft(int maxClicks = 5000);
  // Moves the hero to slot `k` (its record and the one there trade places,
  // each slot keeping its portrait surface).
  void MoveHeroToSlot(int k);

  std::filesystem::path folder_;
  std::filesystem::path previous_;
  TCueRecorder cues_;
  TMessageRecorder messages_;
  TGameListener* listener_ = nullptr;  // the window's, when it is made
  std::unique_ptr<TFormMain> form_;
};

// A roster of `count` entries named "剣士01", "剣士02", ... (cp932).
std::string RosterOf(int count);
// "剣士" + two digits, cp932.
std::string EntrantName(int number);
// A 24-bit BMP file of the size, every pixel `color`.
std::string BmpFile(int width, int height, TPixelColor color);
// Whether any pixel of the rectangle differs from `color`.
bool AnyPixelNot(const TBromBitmap& b, int left, int top, int right, int bottom, TPixelColor color);
