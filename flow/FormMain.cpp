#include "flow/FormMain.h"

#include "flow/Keys.h"
#include "game/Step.h"
#include "game/StoryRunner.h"
#include "paint/BattleScreen.h"
#include "paint/Focus.h"
#include "paint/HelpScreen.h"
#include "paint/MakingScreen.h"
#include "paint/ScreenKit.h"
#include "paint/Sensor.h"
#include "present/App.h"
#include "present/PictureCheck.h"
#include "present/Timer.h"
#include "present/Wave.h"
#include "rules/Cues.h"
#include "rules/Product.h"

namespace {

// Intervals of the two timer handlers, in milliseconds.
constexpr std::int32_t LogScrollInterval = 50;
constexpr std::int32_t GrowthInterval = 10;

}  // namespace

TFormMain::TFormMain(const TWindowServices& services, std::string_view rosterPath,
                     TGameListener* listener)
    : form_(ApplicationTitle()),
      messages_(services.Messages),
      sound_(services.Sound),
      timer_(services.Clock),
      rosterPath_(rosterPath),
      listener_(listener),
      game_(std::make_unique<TGame>(view_)),
      caption_(ApplicationTitle()) {
  // 1. The platform window has been made (hidden, captioned with the product
  // name), with a fresh game and its own tick loop.
  try {
    // 2. The client area and the window's place; the background is black.
    form_.SetClientSize(ScreenWidth, ScreenHeight);
    form_.CenterOnScreen();
    // 3. The paint box fills the client area and hands its events here.
    TBromPaintBox& box = form_.PaintBox();
    box.OnPaint = [this] { FormPaint(); };
    box.OnMouseDown = [this](TMouseButton b, int x, int y) { PaintBoxMainMouseDown(b, x, y); };
    box.OnMouseMove = [this](int x, int y) { PaintBoxMainMouseMove(x, y); };
    box.OnMouseLeave = [this] { PaintBoxMainMouseLeave(); };
    box.OnKeyDown = [this](TKey key, bool repeat) { PaintBoxMainKeyDown(key, repeat); };
    // Closing the window ends this window's loop; a window beside it plays on.
    form_.OnClose = [this] { timer_.Stop(); };
    // 4. The frame timer.
    timer_.Start();
    // 5. The screen layers and the layout.
    InitScreens(screens_, box);
    // 6. The timer handlers: the battle log's glide every 50 ms (it moves
    // only while the battle shows and scrolling is owed), then the growth
    // slice every 10 ms (only while the rivals grow). Each answers whether it
    // still has work; at rest neither has, and the loop sleeps until the
    // player acts.
    timer_.Add(
        [this] {
          const bool shown = game_->Mode == gmBattle;
          if (LogScrollTick(screens_, *game_, shown)) Present(screens_);
          return shown && LogScrolling(screens_, *game_);
        },
        LogScrollInterval);
    timer_.Add(
        [this] {
          GrowthStep(*game_, *this);
          return game_->Growth.Growing;
        },
        GrowthInterval);
    // 7. The game shown on this window, then the title.
    TakeUpGame();
    EnterMode(*game_, *this, gmTitle);
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
  game_ = std::make_unique<TGame>(view_);
  TakeUpGame();
  caption_ = ApplicationTitle();
  ShowCaption();
  EnterMode(*game_, *this, gmTitle);
}

void TFormMain::TakeUpGame() {
  // The game was made on this window's view; its story starts from the
  // beginning, and its dice are seeded from the clock, once, before its draw.
  game_->Dice.SeedFromClock();
  InitStory(*game_);
}

void TFormMain::Release() {
  // The screens first, then the story; nothing the window registered stays
  // behind it.
  FreeScreens(screens_);
  FreeStory(*game_);
  timer_.Clear();
  TBromPaintBox& box = form_.PaintBox();
  box.OnPaint = nullptr;
  box.OnMouseDown = nullptr;
  box.OnMouseMove = nullptr;
  box.OnMouseLeave = nullptr;
  box.OnKeyDown = nullptr;
  form_.OnClose = nullptr;
}

void TFormMain::Apply(const TEffect& effect) {
  switch (effect.Kind) {
    case TEffect::Cue:
      return sound_.Play(effect.Text);
    case TEffect::Present:
      return Present(screens_);
    case TEffect::Caption:
      caption_ = effect.Text;
      return ShowCaption();
    case TEffect::Message:
      return messages_.Show(effect.Title, effect.Text);
    case TEffect::Quit:
      return timer_.Stop();
    case TEffect::Fighters:
      return RefreshFighters(screens_, *game_);
  }
}

void TFormMain::ShowCaption() {
  form_.SetCaption(WindowCaption(caption_, sound_.Muted()));
}

void TFormMain::SetMuted(bool muted) {
  sound_.SetMuted(muted);
  ShowCaption();
}

void TFormMain::ModeChanged(const TGame& game, TGameMode m, bool entered) {
  if (listener_ != nullptr) listener_->ModeChanged(game, m, entered);
}

void TFormMain::MatchDecided(const TGame& game, const TSwordia& winner, const TSwordia& loser,
                             int result) {
  if (listener_ != nullptr) listener_->MatchDecided(game, winner, loser, result);
}

void TFormMain::FormPaint() {
  Present(screens_);
}

bool TFormMain::InputClosed() const {
  return game_->LoadFailed || timer_.Stopping() || TerminateRequested();
}

void TFormMain::PaintBoxMainMouseDown(TMouseButton button, int x, int y) {
  // 1. The help page open: any button only closes it.
  if (HelpPageOpen(screens_)) {
    CloseHelpPage(screens_);
    return Present(screens_);
  }
  // 2. Only the left button counts, and nothing once the end is near.
  if (button != TMouseButton::Left || InputClosed()) return;
  // 3. On the title any click starts the game, wherever it is.
  if (game_->Mode == gmTitle) {
    StartFromTitle();
  } else {
    // 4. Elsewhere the command of the screen's region, carried out once the
    // registry has found it.
    RunCommand(*game_, *this, SensorClick(screens_.Sensors, x, y));
  }
}

void TFormMain::StartFromTitle() {
  // The black window is shown before the roster loads: two steps.
  ::StartFromTitle(*game_, *this, rosterPath_, PictureCheck());
}

void TFormMain::PaintBoxMainMouseMove(int x, int y) {
  // The hover handlers only draw; the window presents once for the change.
  if (game_->Mode == gmTitle || InputClosed()) return;
  if (SensorHover(screens_, *game_, x, y)) Present(screens_);
}

void TFormMain::PaintBoxMainMouseLeave() {
  if (game_->Mode == gmTitle || InputClosed()) return;
  if (SensorLeave(screens_, *game_)) Present(screens_);
}

void TFormMain::PaintBoxMainKeyDown(TKey key, bool repeat) {
  if (InputClosed()) return;
  const TKeyOutcome outcome = KeyOutcomeOf(key, repeat);
  switch (outcome.What) {
    case TKeyOutcome::Nothing:
      return;
    case TKeyOutcome::Command:
      return RunCommand(*game_, *this, outcome.Click);
    case TKeyOutcome::Region: {
      // The region's command with its tag, as a click on it asks; none there:
      // nothing.
      const TCommand click = SensorCommand(screens_.Sensors, outcome.Click.Kind);
      if (click.Kind != TCommandKind::None) RunCommand(*game_, *this, click);
      return;
    }
    case TKeyOutcome::StartGame:
      return StartFromTitle();
    case TKeyOutcome::ToggleMute:
      return SetMuted(!sound_.Muted());
    case TKeyOutcome::NewTournament:
      return NewTournament();
    case TKeyOutcome::MoveFocus:
      // The focus is the hover: it draws what the pointer would.
      if (MoveFocus(screens_, *game_, FocusMoveOf(key), MakingFocusable)) Present(screens_);
      return;
    case TKeyOutcome::ShowHero: {
      // The hero's portrait as under the pointer.
      const TTournament& t = game_->Tournament;
      const int cell = RegionOf(screens_.Sensors, TCommandKind::ViewEntrant,
                                static_cast<std::int32_t>(t.Hero - t.Slots));
      if (FocusOn(screens_, *game_, cell)) Present(screens_);
      return;
    }
    case TKeyOutcome::OpenHelp:
      OpenHelpPage(screens_);
      return Present(screens_);
    case TKeyOutcome::CloseHelp:
      CloseHelpPage(screens_);
      return Present(screens_);
    case TKeyOutcome::SkipRivals:
      return RunRivalMatches();
  }
}

void TFormMain::RunRivalMatches() {
  // A round's rival matches take a few thousand clicks at most; the bound
  // only keeps a battle that could never end from holding the window.
  constexpr int MostClicks = 1000000;
  for (int click = 0; click < MostClicks && RivalMatchShown(*game_); ++click) {
    // SKIP while it is shown, then the clicks on the battle.
    const TCommandKind kind =
        game_->Battle.SkipAllowed ? TCommandKind::BattleSkip : TCommandKind::BattleStep;
    const TCommand command = SensorCommand(screens_.Sensors, kind);
    if (command.Kind == TCommandKind::None) return;
    RunCommand(*game_, *this, command);
  }
}

TKeyOutcome TFormMain::KeyOutcomeOf(TKey key, bool repeat) {
  return KeyOutcome(*game_, KeyScreenOf(screens_, *game_), keyMemory_, KeyPressOf(key), repeat);
}

void TFormMain::NewTournament() {
  // The change of screen is the player's, so it is cued; then a new game.
  sound_.Play(CueTransition);
  NewGame();
}
