// The enlarged window (headless, on SDL's dummy video driver): a display
// scale makes the window that many times as large while the paint box stays
// 600 x 450, mouse positions come back in paint box pixels, and in full
// screen a press on the black bars reaches nobody.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "present/App.h"
#include "present/Bitmap.h"
#include "present/Form.h"

namespace {

struct TPress {
  int X, Y;
};

class PlatformScale : public ::testing::Test {
 protected:
  void TearDown() override {
    TBromForm::SetDisplayScale(1);
    ClearTerminateRequest();
  }
  static void Push(Uint32 type, const TBromForm& form, int x, int y) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEBUTTONDOWN) {
      e.button.windowID = form.WindowId();
      e.button.button = SDL_BUTTON_LEFT;
      e.button.x = x;
      e.button.y = y;
    } else {
      e.motion.windowID = form.WindowId();
      e.motion.x = x;
      e.motion.y = y;
    }
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
  }
  static SDL_Window* WindowOf(const TBromForm& form) {
    return SDL_GetWindowFromID(form.WindowId());
  }
};

TEST_F(PlatformScale, TheScaledWindowMapsTheMouseBackToPaintBoxPixels) {
  TBromForm::SetDisplayScale(2);
  TBromForm form("scaled");
  int w = 0, h = 0;
  SDL_GetWindowSize(WindowOf(form), &w, &h);
  EXPECT_EQ(w, 1200);
  EXPECT_EQ(h, 900);
  EXPECT_EQ(form.ClientWidth(), 600);
  EXPECT_EQ(form.ClientHeight(), 450);
  std::vector<TPress> presses, moves;
  form.PaintBox().OnMouseDown = [&](TMouseButton, int x, int y) { presses.push_back({x, y}); };
  form.PaintBox().OnMouseMove = [&](int x, int y) { moves.push_back({x, y}); };
  TBromBitmap picture;
  picture.SetSize(600, 450);
  form.PaintBox().Show(picture);
  Push(SDL_MOUSEBUTTONDOWN, form, 1000, 800);
  Push(SDL_MOUSEMOTION, form, 1199, 899);
  TBromForm::PumpMessages();
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].X, 500);
  EXPECT_EQ(presses[0].Y, 400);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].X, 599);
  EXPECT_EQ(moves[0].Y, 449);
}

TEST_F(PlatformScale, AScaleOutsideOneToFourIsHeldToIt) {
  TBromForm::SetDisplayScale(9);
  EXPECT_EQ(TBromForm::DisplayScale(), 4);
  TBromForm::SetDisplayScale(0);
  EXPECT_EQ(TBromForm::DisplayScale(), 1);
}

TEST_F(PlatformScale, AWindowLargerThanThePictureCentresItAndTheBarsTakeNoPresses) {
  // Full screen on a real display gives the window the screen's size; the
  // dummy display cannot, so the window is made larger by hand.
  TBromForm form("bars");
  std::vector<TPress> presses;
  form.PaintBox().OnMouseDown = [&](TMouseButton, int x, int y) { presses.push_back({x, y}); };
  SDL_SetWindowSize(WindowOf(form), 1000, 600);
  TBromBitmap picture;
  picture.SetSize(600, 450);
  form.PaintBox().Show(picture);
  // The largest whole factor that fits is 1: bars of 200 left and right, 75
  // above and below.
  Push(SDL_MOUSEBUTTONDOWN, form, 210, 95);
  Push(SDL_MOUSEBUTTONDOWN, form, 100, 300);
  Push(SDL_MOUSEBUTTONDOWN, form, 500, 40);
  Push(SDL_MOUSEBUTTONDOWN, form, 850, 300);
  TBromForm::PumpMessages();
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].X, 10);
  EXPECT_EQ(presses[0].Y, 20);
}

TEST_F(PlatformScale, F11TogglesFullScreen) {
  TBromForm form("toggle");
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.windowID = form.WindowId();
  e.key.keysym.sym = SDLK_F11;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
  TBromForm::PumpMessages();
  EXPECT_TRUE(form.FullScreen());
  ASSERT_EQ(SDL_PushEvent(&e), 1);
  TBromForm::PumpMessages();
  EXPECT_FALSE(form.FullScreen());
}

}  // namespace
