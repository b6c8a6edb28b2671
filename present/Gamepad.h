// Design unit: BromGamepad.
// Game controllers as a second keyboard. A controller's buttons, its d-pad
// and its left stick go down as the keys the window already answers, so the
// game hears one kind of input whatever the player holds:
//
//   d-pad, left stick   the arrow keys (one move per push of the stick)
//   A, Start            Space (the screen's main click)
//   B                   Escape
//   X                   S (the round's rival matches to their verdicts)
//   Y                   M (every sound off or on)
//   Back                F2 (a new tournament)
//   left shoulder       F1 (the help page)
//   right shoulder      H (the hero on the board)
//
// Controllers may be plugged in and out while the game runs: each is opened
// when it arrives and closed when it goes. The stick counts as pushed once it
// leaves a dead zone around its centre and as let go once it is back near the
// centre, so resting a thumb on it, or a worn stick that never quite centres,
// moves nothing, and a push held moves once.
//
// The window's message pump hands every event here first (GamepadKey); a
// headless driver may feed a virtual controller's events through the same
// function.
#pragma once

#include <cstdint>
#include <functional>

#include "present/Form.h"

// The buttons the game answers, in SDL's order of a controller's buttons.
enum class TPadButton : std::uint8_t {
  A,
  B,
  X,
  Y,
  Back,
  Guide,
  Start,
  LeftStick,
  RightStick,
  LeftShoulder,
  RightShoulder,
  Up,
  Down,
  Left,
  Right
};
constexpr int PadButtonCount = 15;

// The key a button stands for; false for a button the game does not answer
// (the guide button, the sticks' clicks).
bool PadButtonKey(TPadButton button, TKey& key);

// The stick leaves its centre past this much of its full travel (32767), and
// is back once within the smaller distance: the gap keeps a stick held near
// the edge of the dead zone from moving again and again.
constexpr int StickPushed = 16384;
constexpr int StickReleased = 8192;

// Starts the platform's game controllers, once for the program (later calls
// do nothing); the controllers plugged in then arrive as events. False when
// the platform has none to offer: the keyboard and mouse still play.
bool OpenGamepads();
// Closes every controller and stops the controllers' subsystem.
void CloseGamepads();
// How many controllers are open now.
int OpenGamepadCount();

// What one SDL event (an SDL_Event) of a controller comes to: true with the
// key a button press or a push of the stick stands for. A controller plugged
// in is opened, one pulled out closed (both answer false). Every other event
// answers false and is left alone.
bool GamepadKey(const void* sdlEvent, TKey& key);

// Takes the controllers' events waiting in the platform's queue, and only
// those, through GamepadKey, handing each key to `key`; for a driver that
// has no window pumping its messages. Returns how many keys it handed on.
int PumpGamepadEvents(const std::function<void(TKey)>& key);

// A controller made of software, plugged in as a real one is (its events
// come through the queue like any controller's): tests and the lab's play
// driver press its buttons and push its stick. Needs OpenGamepads first.
class TVirtualGamepad {
 public:
  // Plugs it in; throws std::runtime_error when the platform cannot.
  TVirtualGamepad();
  // Pulls it out.
  ~TVirtualGamepad();
  TVirtualGamepad(const TVirtualGamepad&) = delete;
  TVirtualGamepad& operator=(const TVirtualGamepad&) = delete;

  // A button down, or up again.
  void Press(TPadButton button);
  void Release(TPadButton button);
  // The left stick held at (x, y), each -32768 to 32767 (negative: left, up).
  void Stick(int x, int y);

 private:
  void Update();
  int device_ = -1;
  std::int32_t instance_ = -1;  // the joystick's instance, which stays while it is in
  void* joystick_ = nullptr;    // the SDL_Joystick the buttons are set on
};
