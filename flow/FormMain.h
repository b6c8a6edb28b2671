// Design unit: UnitForm.
// The game's one window. Its creation sets the whole game up in a fixed
// order and shows the title; its destruction releases what it set up. Every
// mouse press and pointer move on its paint box is routed here: only the
// left button counts; on the title any left click starts the game and moves
// are ignored; on every other screen clicks and moves go to the screen's
// regions. The pointer leaving the screen leaves its regions. Keys come here
// too and do what game/Keys says.
//
// The window holds its platform window (present/Form), the game as one value,
// which it can replace by a fresh one (NewGame), and the screens the game is
// shown on (paint/ScreenKit's TScreens, through the view paint/ScreensView),
// which outlive a new game; a play driver may make one window after another,
// or several side by side, each with a game of its own. It is the shell of
// every step it has its game take (game/Step): the cues, presents, captions,
// message boxes and the end of its loop a step asks for are carried out here,
// once the step has returned. It also presents after a pointer move that
// changed a highlight and after a log tick that drew, and when it is
// uncovered.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "flow/Keys.h"
#include "game/Game.h"
#include "paint/ScreenKit.h"
#include "paint/ScreensView.h"
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

// Final: the game's steps, made with the window as their shell, call it
// directly.
class TFormMain final : public TGameShell {
 public:
  // The game reads the roster at the program path `rosterPath` (the lab's
  // play driver plays an author's roster so), or "dat\\swordia.txt". The
  // listener, when given, hears every mode change and decided match of every
  // game the window makes, from the first title on; it outlives the window.
  explicit TFormMain(const TWindowServices& services, std::string_view rosterPath = {},
                     TGameListener* listener = nullptr);
  ~TFormMain() override;
  TFormMain(const TFormMain&) = delete;
  TFormMain& operator=(const TFormMain&) = delete;

  // The platform window it shows everything in.
  TBromForm& Form() { return form_; }
  const TBromForm& Form() const { return form_; }
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
  void Run() { TBromForm::RunMessageLoop(timer_); }
  // A new tournament: a fresh game value replaces the current one (its
  // story, its battle's host and the listener set up as at creation) and the
  // title shows, as at program start. Nothing of the old game stays.
  void NewGame();

  // Carries out an effect a step of the game asked for: a cue on the
  // window's sounds, a present of its screens, the window's caption, a
  // message box on its sink, the end of its loop, the fighters redrawn on its
  // screens.
  void Apply(const TEffect& effect) override;
  // Passes on to the listener what it hears of the game.
  void ModeChanged(const TGame& game, TGameMode m, bool entered) override;
  void MatchDecided(const TGame& game, const TSwordia& winner, const TSwordia& loser,
                    int result) override;

  // The window was uncovered: the screen layer is shown again.
  void FormPaint();
  // True once a roster fault has been shown, the window closed or the end
  // asked for: no further input (a click or key queued behind the fault's or
  // the close's) reaches the game.
  bool InputClosed() const;
  void PaintBoxMainMouseDown(TMouseButton button, int x, int y);
  void PaintBoxMainMouseMove(int x, int y);
  void PaintBoxMainMouseLeave();
  void PaintBoxMainKeyDown(TKey key, bool repeat);
  // What the key comes to on the screen shown now, by game/Keys, with the
  // window's memory of the last key that went down.
  TKeyOutcome KeyOutcomeOf(TKey key, bool repeat);
  // Every sound off or on; the caption says so while they are off.
  void SetMuted(bool muted);
  // F2's new tournament: the game as at program start, on the title (the
  // roster is read again at its click, with a new draw and a new hero).
  void NewTournament();

 private:
  void Release();
  // The title's click or key: the game starts (two steps).
  void StartFromTitle();
  // Sets up a game just made to be shown on this window (at creation and for
  // a new game).
  void TakeUpGame();
  // Shows the caption the game asked for, with the sound's state.
  void ShowCaption();
  // The skip key: the match shown, one the hero is not in, and the round's
  // next matches the hero is not in, each played out as SKIP and then the
  // clicks through its verdict play it (each click a step of its own, with
  // its lines and cues, found as a click finds its region), until the hero's
  // match has begun or another screen is shown.
  void RunRivalMatches();

  TBromForm form_;
  TMessageSink& messages_;
  TBromWave sound_;
  TBromTimer timer_;
  std::string rosterPath_;
  TGameListener* listener_ = nullptr;
  TKeyMemory keyMemory_;  // the last key that went down
  TScreens screens_;      // made before the game, which is shown on them
  TScreensView view_{screens_};
  std::unique_ptr<TGame> game_;
  // The caption the game asked for last (the program's title, or the
  // story's "#Title"), which the window shows with the sound's state.
  std::string caption_;
};
