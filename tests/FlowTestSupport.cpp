#include "tests/FlowTestSupport.h"

#include "present/Timer.h"
#include "tests/TestSupport.h"

void GameFolder::SetUp() {
  DataFolder::SetUp();
  ClearTerminateRequest();
}

void GameFolder::TearDown() {
  form_.reset();
  ClearTerminateRequest();
  DataFolder::TearDown();
}

void GameFolder::OpenWindow(std::uint32_t seed) {
  form_ = std::make_unique<TFormMain>(TWindowServices{messages_, cues_, SystemTimerHost()},
                                      std::string_view{}, listener_);
  form_->Game().Dice.Seed(seed);
}

void GameFolder::LeftClick(int x, int y) {
  form_->Form().PaintBox().OnMouseDown(TMouseButton::Left, x, y);
}

void GameFolder::RightClick(int x, int y) {
  form_->Form().PaintBox().OnMouseDown(TMouseButton::Right, x, y);
}

void GameFolder::MoveTo(int x, int y) {
  form_->Form().PaintBox().OnMouseMove(x, y);
}

const TBromBitmap& GameFolder::Screen() {
  return form_->Form().PaintBox().Canvas();
}

std::string GameFolder::CaptionU8() {
  return form_->Form().Caption();
}

void GameFolder::MoveHeroToSlot(int k) {
  ::MoveHeroToSlot(Game(), k);
}

std::string BmpFile(int width, int height, TPixelColor color) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  const int imageBytes = rowBytes * height;
  std::string out(54 + imageBytes, '\0');
  auto put32 = [&out](int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<std::uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  out[26] = 1;
  out[28] = 24;
  put32(34, static_cast<std::uint32_t>(imageBytes));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int at = 54 + y * rowBytes + 3 * x;
      out[at] = static_cast<char>(color.Blue);
      out[at + 1] = static_cast<char>(color.Green);
      out[at + 2] = static_cast<char>(color.Red);
    }
  }
  return out;
}

bool AnyPixelNot(const TBromBitmap& b, int left, int top, int right, int bottom,
                 TPixelColor color) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (!ColorsEqual(b.Pixel(x, y), color)) return true;
    }
  }
  return false;
}
