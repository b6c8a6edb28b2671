#include "flow/FormMain.h"

#include "battle/Battle.h"
#include "battle/BattleHost.h"
#include "battle/BattleLog.h"
#include "data/Roster.h"
#include "data/Tournament.h"
#include "flow/Command.h"
#include "flow/Mode.h"
#include "flow/StoryRunner.h"
#include "flow/TournamentFlow.h"
#include "growth/GrowthDriver.h"
#include "paint/BattleScreen.h"
#include "paint/ScreenKit.h"
#include "paint/Sensor.h"
#include "present/App.h"
#include "present/Timer.h"
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
                    [] {
                      const TLogScroll& s = LogScroll();
                      return GameMode == gmBattle &&
                             (s.Owed > 0 || static_cast<int>(LogStore.Lines.size()) > s.Seen);
                    });
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
