#include "flow/FormMain.h"

#include "flow/Command.h"
#include "flow/Keys.h"
#include "flow/Mode.h"
#include "flow/StoryRunner.h"
#include "flow/TournamentFlow.h"
#include "paint/BattleScreen.h"
#include "paint/ScreenKit.h"
#include "paint/Sensor.h"
#include "present/App.h"
#include "present/Timer.h"
#include "present/Wave.h"
#include "rules/Cues.h"

namespace {

// Intervals of the two timer handlers, in milliseconds.
constexpr std::int32_t LogScrollInterval = 50;
constexpr std::int32_t GrowthInterval = 10;

}  // namespace

TFormMain::TFormMain(const TWindowServices& services, std::string_view rosterPath,
                     TModeListener listener)
    : TBromForm(ApplicationTitle()),
      messages_(services.Messages),
      sound_(services.Sound),
      timer_(services.Clock),
      rosterPath_(rosterPath),
      modeListener_(listener),
      game_(std::make_unique<TGame>()) {
  // 1. The base form has been made (hidden, captioned with the product name),
  // with a fresh game and its own tick loop.
  try {
    // 2. The client area and the window's place; the background is black.
    SetClientSize(ScreenWidth, ScreenHeight);
    CenterOnScreen();
    // 3. The paint box fills the client area and hands its events here.
    TBromPaintBox& box = PaintBox();
    box.OnPaint = [this] { FormPaint(); };
    box.OnMouseDown = [this](TMouseButton b, int x, int y) { PaintBoxMainMouseDown(b, x, y); };
    box.OnMouseMove = [this](int x, int y) { PaintBoxMainMouseMove(x, y); };
    box.OnMouseLeave = [this] { PaintBoxMainMouseLeave(); };
    box.OnKeyDown = [this](TKey key, bool repeat) { PaintBoxMainKeyDown(key, repeat); };
    // 4. The frame timer.
    timer_.Start();
    // 5. The screen layers and the layout.
    InitScreens(screens_, box);
    // 6. The timer handlers: the battle log's glide every 50 ms (it moves
    // only while the battle shows and scrolling is owed), then the growth
    // slice every 10 ms (only while the rivals grow). At rest neither has
    // work, and the loop sleeps until the player acts.
    timer_.Add(
        [this] {
          if (LogScrollTick(screens_, *game_, game_->Mode == gmBattle)) Present(screens_);
        },
        LogScrollInterval,
        [this] { return game_->Mode == gmBattle && LogScrolling(screens_, *game_); });
    timer_.Add([this] { GrowthTimer(*game_); }, GrowthInterval,
               [this] { return game_->Growth.Growing; });
    // 7. The game shown on this window, then the title.
    TakeUpGame();
    SetMode(*game_, gmTitle);
  } catch (...) {
    Release();
    throw;
  }
}

TFormMain::~TFormMain() {
  Release();
}

void TFormMain::NewGame() {
  // 1. The old game goes with its story; the timers and the screens stay,
  // forgetting the old game's regions.
  FreeStory(*game_);
  ClearSensors(screens_.Sensors);
  // 2. A fresh game, taken up as at creation, with the caption a "#Title"
  // may have changed restored; then the title.
  game_ = std::make_unique<TGame>();
  TakeUpGame();
  SetCaption(ApplicationTitle());
  SetMode(*game_, gmTitle);
}

void TFormMain::TakeUpGame() {
  // The game is shown on this window: the listener hears its mode changes,
  // it draws on these screens and this window carries out its effects; its
  // story starts from the beginning and its battle gets the flow's host. Its
  // dice are seeded from the clock, once, before its draw.
  game_->Dice.SeedFromClock();
  game_->ModeListener = modeListener_;
  game_->Screens = &screens_;
  game_->Shell = this;
  InitStory(*game_);
  ConnectGameFlow(*game_);
}

void TFormMain::Release() {
  // The screens first, then the story; nothing the window registered stays
  // behind it.
  FreeScreens(screens_);
  FreeStory(*game_);
  timer_.Clear();
  PaintBox().OnPaint = nullptr;
  PaintBox().OnMouseDown = nullptr;
  PaintBox().OnMouseMove = nullptr;
  PaintBox().OnMouseLeave = nullptr;
  PaintBox().OnKeyDown = nullptr;
}

void TFormMain::Apply(const TEffect& effect) {
  switch (effect.Kind) {
    case TEffect::Cue:
      return sound_.Play(effect.Text);
    case TEffect::Present:
      return Present(screens_);
    case TEffect::Caption:
      return SetCaption(effect.Text);
  }
}

void TFormMain::FormPaint() {
  Present(screens_);
}

void TFormMain::PaintBoxMainMouseDown(TMouseButton button, int x, int y) {
  // 1. Only the left button counts.
  if (button != TMouseButton::Left) return;
  // 2. On the title any click starts the game, wherever it is.
  if (game_->Mode == gmTitle) {
    StartFromTitle();
  } else {
    // 3. Elsewhere the command of the screen's region, carried out once the
    // registry has found it.
    RunCommand(*game_, SensorClick(screens_.Sensors, x, y));
  }
  // 4. What the step asked of the platform: message boxes, the end.
  DoAskedMessages(*game_, messages_);
}

void TFormMain::StartFromTitle() {
  // The black window is shown before the roster loads: two steps.
  RunGameStep(*game_, [this] { BlankForRoster(*game_); });
  RunGameStep(*game_, [this] { StartGame(*game_, rosterPath_); });
}

void TFormMain::PaintBoxMainMouseMove(int x, int y) {
  // The hover handlers only draw; the window presents once for the change.
  if (game_->Mode == gmTitle) return;
  if (SensorHover(screens_, *game_, x, y)) Present(screens_);
}

void TFormMain::PaintBoxMainMouseLeave() {
  if (game_->Mode == gmTitle) return;
  if (SensorLeave(screens_, *game_)) Present(screens_);
}

void TFormMain::PaintBoxMainKeyDown(TKey key, bool repeat) {
  const TKeyOutcome outcome = KeyOutcomeOf(key, repeat);
  switch (outcome.What) {
    case TKeyOutcome::Nothing:
      return;
    case TKeyOutcome::Command:
      RunCommand(*game_, outcome.Click);
      return DoAskedMessages(*game_, messages_);
    case TKeyOutcome::StartGame:
      StartFromTitle();
      return DoAskedMessages(*game_, messages_);
    case TKeyOutcome::ToggleMute:
      return sound_.SetMuted(!sound_.Muted());
    case TKeyOutcome::NewTournament:
      return NewTournament();
  }
}

TKeyOutcome TFormMain::KeyOutcomeOf(TKey key, bool repeat) {
  return KeyOutcome(*game_, keyDownMode_, key, repeat);
}

void TFormMain::NewTournament() {
  // The change of screen is the player's, so it is cued; then a new game.
  sound_.Play(CueTransition);
  NewGame();
}
