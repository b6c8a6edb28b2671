// Design unit: UnitForm.
// The game's one window. Its creation sets the whole game up in a fixed
// order and shows the title; its destruction releases what it set up. Every
// mouse press and pointer move on its paint box is routed here: only the
// left button counts; on the title any left click starts the game and moves
// are ignored; on every other screen clicks and moves go to the screen's
// regions. The pointer leaving the screen leaves its regions. Keys come here
// too and do what flow/Keys says.
//
// The window holds the game as one value and can replace it by a fresh one
// (NewGame); a play driver may make one window after another, each with a
// game of its own. Next to the game it holds the screens the game is shown
// on (paint/ScreenKit's TScreens), which outlive a new game. It is the shell
// of its games: the cues, presents and captions a step asks for are carried
// out here, once the step has returned (flow/Mode's RunGameStep), then the
// message boxes and the end of the program it asked for. It also presents
// after a pointer move that changed a highlight and after a log tick that
// drew, and when it is uncovered.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "flow/Keys.h"
#include "game/Game.h"
#include "paint/ScreenKit.h"
#include "present/App.h"
#include "present/Form.h"
#include "present/Timer.h"
#include "present/Wave.h"

// What the platform gives the main window once, at creation; each outlives
// the window. The program's entry gives the window system's message box
// (which it holds for the program's life: it shows boxes before the window
// exists and after it is gone), the sound device and the system's clock; the
// lab and the tests give standard error, a recorder and a scripted clock.
struct TWindowServices {
  TMessageSink& Messages;  // the message boxes the games ask for
  TWavePlayer& Sound;      // plays the games' cues
  TTimerHost& Clock;       // the tick loop's clock, wait and message pump
};

class TFormMain : public TBromForm, public TEffectShell {
 public:
  // The game reads the roster at the program path `rosterPath` (the lab's
  // play driver plays an author's roster so), or "dat\\swordia.txt". The
  // listener, when given, hears every mode change of every game the window
  // makes, from the first title on.
  explicit TFormMain(const TWindowServices& services, std::string_view rosterPath = {},
                     TModeListener listener = nullptr);
  ~TFormMain() override;

  // The game the window shows.
  TGame& Game() { return *game_; }
  const TGame& Game() const { return *game_; }
  // The screens it shows the game on: pictures, portraits and regions.
  TScreens& Screens() { return screens_; }
  const TScreens& Screens() const { return screens_; }
  // The sounds it plays the games' cues on, and whether they are muted.
  TBromWave& Sound() { return sound_; }
  // Its tick loop: the log's glide and the growth. Run() runs the program's
  // message loop on it until termination is requested.
  TBromTimer& Timer() { return timer_; }
  void Run() { RunMessageLoop(timer_); }
  // A new tournament: a fresh game value replaces the current one (its
  // story, its battle's host and the listener set up as at creation) and the
  // title shows, as at program start. Nothing of the old game stays.
  void NewGame();

  // Carries out an effect a step of the game asked for: a cue on the
  // window's sounds, a present of its screens, the window's caption.
  void Apply(const TEffect& effect) override;

  // The window was uncovered: the screen layer is shown again.
  void FormPaint();
  // True once a roster fault has been shown or the end asked for: no further
  // input (a click or key queued behind the fault's) reaches the game.
  bool InputClosed() const;
  void PaintBoxMainMouseDown(TMouseButton button, int x, int y);
  void PaintBoxMainMouseMove(int x, int y);
  void PaintBoxMainMouseLeave();
  void PaintBoxMainKeyDown(TKey key, bool repeat);
  // What the key comes to on the screen shown now, by flow/Keys, with the
  // window's memory of the screen the last key went down on.
  TKeyOutcome KeyOutcomeOf(TKey key, bool repeat);
  // F2's new tournament: the game as at program start, on the title (the
  // roster is read again at its click, with a new draw and a new hero).
  void NewTournament();

 private:
  void Release();
  // The title's click or key: the game starts (flow/TournamentFlow's
  // BlankForRoster, then StartGame, each a step).
  void StartFromTitle();
  // Shows the current game on this window (at creation and for a new game).
  void TakeUpGame();

  TMessageSink& messages_;
  TBromWave sound_;
  TBromTimer timer_;
  std::string rosterPath_;
  TModeListener modeListener_ = nullptr;
  TGameMode keyDownMode_ = gmTitle;  // the screen the last key went down on
  TScreens screens_;                 // made before the game, which is shown on them
  std::unique_ptr<TGame> game_;
};
