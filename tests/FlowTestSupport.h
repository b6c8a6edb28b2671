// The main window as a player meets it, headless: the data folder of
// tests/GameTestSupport, the main window made on SDL's dummy video driver, a
// recorder for sounds and message boxes, and helpers that click and move the
// pointer.
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
#include "tests/GameTestSupport.h"

// Remembers every cue played.
class TCueRecorder : public TWavePlayer, public TCueList {
 public:
  void Play(std::string_view programPath, bool) override { Played.emplace_back(programPath); }
  void Stop() override {}
};

// Remembers every message box.
class TMessageRecorder : public TMessageSink, public TMessageList {
 public:
  void Show(std::string_view caption, std::string_view text) override {
    Captions.emplace_back(caption);
    Texts.emplace_back(text);
  }
};

class GameFolder : public DataFolder {
 protected:
  void SetUp() override;
  void TearDown() override;

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
  // Moves the hero to slot `k`, as MoveHeroToSlot(TGame&, int) does.
  void MoveHeroToSlot(int k);

  TCueRecorder cues_;
  TMessageRecorder messages_;
  TGameListener* listener_ = nullptr;  // the window's, when it is made
  std::unique_ptr<TFormMain> form_;
};

// A 24-bit BMP file of the size, every pixel `color`.
std::string BmpFile(int width, int height, TPixelColor color);
// Whether any pixel of the rectangle differs from `color`.
bool AnyPixelNot(const TBromBitmap& b, int left, int top, int right, int bottom, TPixelColor color);
