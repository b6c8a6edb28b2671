#include "flow/FormMain.h"

#include "battle/Battle.h"
#include "battle/BattleHost.h"
#include "battle/BattleLog.h"
#include "data/Roster.h"
#include "data/Tournament.h"
#include "flow/Command.h"
#include "flow/Keys.h"
#include "flow/Mode.h"
#include "flow/StoryRunner.h"
#include "flow/TournamentFlow.h"
#include "growth/GrowthDriver.h"
#include "paint/BattleScreen.h"
#include "paint/ScreenKit.h"
#include "paint/Sensor.h"
#include "present/App.h"
#include "present/Timer.h"
#include "present/Wave.h"
#include "rules/Cues.h"
#include "rules/Random.h"

namespace {

// Intervals of the two timer handlers, in milliseconds.
constexpr std::int32_t LogScrollInterval = 50;
constexpr std::int32_t GrowthInterval = 10;

// Everything a previous window of the same process may have left behind.
void ResetGame() {
  ResetTournament();
  ResetBattle();
  ResetGrowth();
  ResetLoadFailed();
  LogStore = TLogStore();
  SensorRegistry = TSensorRegistry();
  TBromTimer::Clear();
}

}  // namespace

TFormMain::TFormMain(std::string_view rosterPath)
    : TBromForm(ApplicationTitle()), rosterPath_(rosterPath) {
  // 1. The base form has been made (hidden, captioned with the product name).
  ResetGame();
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
    // 4. The random generator, once.
    Randomize();
    // 5. The frame timer.
    TBromTimer::Start();
    // 6. The screen layers and the layout.
    InitScreens(box);
    // 7. The story script and its commands.
    InitStory(*this);
    // 8. The timer handlers: the battle log's glide every 50 ms (it moves
    // only while the battle shows and scrolling is owed), then the growth
    // slice every 10 ms (only while the rivals grow). At rest neither has
    // work, and the loop sleeps until the player acts.
    TBromTimer::Add([] { LogScrollTick(GameMode == gmBattle); }, LogScrollInterval,
                    [] { return GameMode == gmBattle && LogScrolling(); });
    TBromTimer::Add(GrowthTimer, GrowthInterval, IsGrowing);
    // 9. The game plugged into the battle engine and the growth, then the
    // title.
    ConnectGameFlow();
    SetMode(gmTitle);
  } catch (...) {
    Release();
    throw;
  }
}

TFormMain::~TFormMain() {
  Release();
}

void TFormMain::Release() {
  // The screens first, then the story; nothing the window registered stays
  // behind it.
  FreeScreens();
  FreeStory();
  TBromTimer::Clear();
  SetBattleHost(nullptr);
  PaintBox().OnPaint = nullptr;
  PaintBox().OnMouseDown = nullptr;
  PaintBox().OnMouseMove = nullptr;
  PaintBox().OnMouseLeave = nullptr;
  PaintBox().OnKeyDown = nullptr;
}

void TFormMain::FormPaint() {
  Present();
}

void TFormMain::PaintBoxMainMouseDown(TMouseButton button, int x, int y) {
  // 1. Only the left button counts.
  if (button != TMouseButton::Left) return;
  // 2. On the title any click starts the game, wherever it is.
  if (GameMode == gmTitle) {
    StartGame(rosterPath_);
    return;
  }
  // 3. Elsewhere the command of the screen's region, carried out once the
  // registry has found it.
  RunCommand(SensorClick(x, y));
}

void TFormMain::PaintBoxMainMouseMove(int x, int y) {
  if (GameMode == gmTitle) return;
  SensorHover(x, y);
}

void TFormMain::PaintBoxMainMouseLeave() {
  if (GameMode == gmTitle) return;
  SensorLeave();
}

void TFormMain::PaintBoxMainKeyDown(TKey key, bool repeat) {
  const TKeyOutcome outcome = KeyOutcome(key, repeat);
  switch (outcome.What) {
    case TKeyOutcome::Nothing:
      return;
    case TKeyOutcome::Command:
      return RunCommand(outcome.Click);
    case TKeyOutcome::StartGame:
      return StartGame(rosterPath_);
    case TKeyOutcome::ToggleMute:
      return TBromWave::SetMuted(!TBromWave::Muted());
    case TKeyOutcome::NewTournament:
      return NewTournament();
  }
}

void TFormMain::NewTournament() {
  // 1. The change of screen is the player's, so it is cued.
  TBromWave::Play(CueTransition);
  // 2. Everything the game holds goes; the timers and the screens stay.
  ResetTournament();
  ResetBattle();
  ResetGrowth();
  LogStore = TLogStore();
  ClearSensors();
  // 3. The story from its start, and the caption a "#Title" may have changed.
  FreeStory();
  InitStory(*this);
  SetCaption(ApplicationTitle());
  // 4. The title, as at program start.
  SetMode(gmTitle);
}
