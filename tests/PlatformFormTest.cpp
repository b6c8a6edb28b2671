// The window (headless, on SDL's dummy video driver): size, centring,
// caption, the keys the form keeps, event delivery to the game's handlers,
// closing, and the message loop handing over to the tick loop.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "present/App.h"
#include "present/Bitmap.h"
#include "present/Form.h"
#include "present/Timer.h"
#include "tests/TestSupport.h"

namespace {

class PlatformForm : public ::testing::Test {
 protected:
  void SetUp() override { ClearTerminateRequest(); }
  void TearDown() override { ClearTerminateRequest(); }

  static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
  static SDL_Event MouseDown(const TBromForm& form, Uint8 button, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.windowID = form.WindowId();
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    return e;
  }
  static SDL_Event WindowEvent(const TBromForm& form, Uint8 what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = form.WindowId();
    e.window.event = what;
    return e;
  }
};

// Counts passes and ends the loop after a few.
class TCountingHost : public TTimerHost {
 public:
  int Passes = 0;
  std::uint32_t Clock = 0;
  std::uint32_t Now() override { return Clock; }
  void Sleep(std::uint32_t ms) override { Clock += ms; }
  bool PumpMessages() override {
    const bool any = TBromForm::PumpMessages();
    if (++Passes == 30) RequestTerminate();
    return any;
  }
};

// Takes away the environment variables named, for the life of the object.
class TWithout {
 public:
  explicit TWithout(std::vector<std::string> names) : names_(std::move(names)) {
    for (const std::string& name : names_) {
      const char* value = std::getenv(name.c_str());
      saved_.push_back(value != nullptr ? value : "");
      had_.push_back(value != nullptr);
      unsetenv(name.c_str());
    }
  }
  ~TWithout() {
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (had_[i]) setenv(names_[i].c_str(), saved_[i].c_str(), 1);
    }
  }

 private:
  std::vector<std::string> names_;
  std::vector<std::string> saved_;
  std::vector<bool> had_;
};

}  // namespace

TEST_F(PlatformForm, WithoutADisplayTheWindowIsRefusedNotHidden) {
  // With no display and no driver asked for, the window system would offer a
  // window that nobody can see: the game would run on invisibly for ever.
  TWithout noDisplay({"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"});
  try {
    TBromForm form(ApplicationTitle());
    // A machine may still have a screen without these (a graphics console).
    const std::string driver = SDL_GetCurrentVideoDriver();
    EXPECT_NE(driver, "offscreen");
    EXPECT_NE(driver, "dummy");
  } catch (const TNoDisplayError& e) {
    // One plain sentence for the player, no library's words.
    EXPECT_NE(std::string(e.what()).find("needs a graphical session"), std::string::npos)
        << e.what();
    EXPECT_EQ(std::string(e.what()).find("SDL"), std::string::npos) << e.what();
  }
}

TEST_F(PlatformForm, ClientAreaCaptionAndCentring) {
  TBromForm form(Sj("剣師の大会"));
  EXPECT_EQ(form.Caption(), "剣師の大会");  // shown in UTF-8
  form.SetClientSize(320, 200);
  EXPECT_EQ(form.ClientWidth(), 320);
  form.SetClientSize(600, 450);
  EXPECT_EQ(form.ClientWidth(), 600);
  EXPECT_EQ(form.ClientHeight(), 450);
  // The paint box fills the client area and starts black.
  ASSERT_EQ(form.PaintBox().Canvas().Width(), 600);
  ASSERT_EQ(form.PaintBox().Canvas().Height(), 450);
  EXPECT_TRUE(ColorsEqual(form.PaintBox().Canvas().Pixel(599, 449), ColorBlack));
  int w = 0, h = 0;
  SDL_GetWindowSize(SDL_GetWindowFromID(form.WindowId()), &w, &h);
  EXPECT_EQ(w, 600);
  EXPECT_EQ(h, 450);
  EXPECT_EQ(SDL_GetWindowFlags(SDL_GetWindowFromID(form.WindowId())) & SDL_WINDOW_RESIZABLE, 0u);

  SDL_DisplayMode screen;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &screen), 0);
  form.CenterOnScreen();
  EXPECT_EQ(form.Left(), (screen.w - 600) / 2);
  EXPECT_EQ(form.Top(), (screen.h - 450) / 2);
  form.SetCaption(Sj("決勝戦"));
  EXPECT_EQ(form.Caption(), "決勝戦");
}

TEST_F(PlatformForm, MouseAndPaintReachTheGamesHandlers) {
  TBromForm form(ApplicationTitle());
  struct TDown {
    TMouseButton Button;
    int X, Y;
  };
  std::vector<TDown> downs;
  std::vector<std::pair<int, int>> moves;
  int paints = 0;
  form.PaintBox().OnMouseDown = [&](TMouseButton b, int x, int y) { downs.push_back({b, x, y}); };
  form.PaintBox().OnMouseMove = [&](int x, int y) { moves.emplace_back(x, y); };
  form.PaintBox().OnPaint = [&] { ++paints; };
  TBromForm::PumpMessages();  // drop what the window system queued on creation
  downs.clear();
  moves.clear();
  paints = 0;

  Push(MouseDown(form, SDL_BUTTON_LEFT, 12, 34));
  Push(MouseDown(form, SDL_BUTTON_RIGHT, 599, 449));
  SDL_Event move{};
  move.type = SDL_MOUSEMOTION;
  move.motion.windowID = form.WindowId();
  move.motion.x = 300;
  move.motion.y = 200;
  Push(move);
  Push(WindowEvent(form, SDL_WINDOWEVENT_EXPOSED));
  TBromForm::PumpMessages();
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].Button, TMouseButton::Left);
  EXPECT_EQ(downs[0].X, 12);
  EXPECT_EQ(downs[0].Y, 34);
  EXPECT_EQ(downs[1].Button, TMouseButton::Right);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], std::make_pair(300, 200));
  EXPECT_EQ(paints, 1);
  EXPECT_FALSE(TerminateRequested());

  // What the game copies to the paint box is what it shows.
  TBromBitmap screen;
  screen.SetSize(600, 450);
  screen.FillRect(100, 100, 200, 150, ColorRed);
  screen.CopyToPaintBox(form.PaintBox());
  EXPECT_TRUE(ColorsEqual(form.PaintBox().Canvas().Pixel(150, 120), ColorRed));
  EXPECT_TRUE(ColorsEqual(form.PaintBox().Canvas().Pixel(50, 50), ColorWhite));
  form.Show();
}

TEST_F(PlatformForm, ClosingTheWindowEndsTheMessageLoop) {
  TBromForm form(ApplicationTitle());
  TBromForm::PumpMessages();
  Push(WindowEvent(form, SDL_WINDOWEVENT_CLOSE));
  TBromForm::PumpMessages();
  EXPECT_TRUE(TerminateRequested());
  ClearTerminateRequest();

  // Without the frame timer the loop waits for messages itself.
  Push(WindowEvent(form, SDL_WINDOWEVENT_CLOSE));
  TBromTimer idle(SystemTimerHost());
  TBromForm::RunMessageLoop(idle);
  EXPECT_TRUE(TerminateRequested());
  ClearTerminateRequest();

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Push(quit);
  TBromForm::PumpMessages();
  EXPECT_TRUE(TerminateRequested());
}

TEST_F(PlatformForm, StartedTimerTakesTheMessageLoopOver) {
  TBromForm form(ApplicationTitle());
  TCountingHost host;
  TBromTimer timer(host);
  int ticks = 0;
  timer.Add([&] { ++ticks; }, 9);
  timer.Start();
  TBromForm::RunMessageLoop(timer);
  EXPECT_EQ(host.Passes, 30);
  EXPECT_EQ(ticks, 3);  // at 10, 20, 30
}
