// Design unit: BromForm.
// The game's window. `TBromForm` is the base of the main window: one window of
// fixed size (not resizable) whose whole client area is a paint box, with
// sizing, centring on the screen and the keys the form keeps for itself. The
// paint box keeps the last picture shown in memory, so tests and the lab read
// screens from it, and shows it in the window. Mouse presses, pointer moves
// and paint requests reach the handlers the game sets on the paint box; they
// are delivered by `PumpMessages`, which the tick loop calls on every pass.
// Closing the window ends its owner's loop (OnClose), or, for a window without
// an owner that says so, asks the program to end (RequestTerminate).
//
// For today's screens the window may show the paint box enlarged: a display
// scale of 1 to 4 makes the window that many times as large, pixels kept
// sharp, and F11 toggles full screen, the picture enlarged by the largest
// whole factor that fits and centred on black (without a window manager to
// grant full screen, the window itself is laid over the whole screen). The
// window system's requests for the picture (uncovered, restored, resized)
// always put it on the window again. Mouse positions are mapped
// back: the game only ever sees paint box coordinates, and a press outside
// the picture (on the black bars) does not reach it. The pointer leaving the
// window, or moving onto the black bars, reaches the game as a leave: the
// last position it saw is no longer under the pointer.
//
// The keys the game answers reach it as `TKey` values, with whether the
// press is the keyboard's repeat of a held key; F11 is the form's own.
//
// Game logic may include this header: it names no platform library.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "present/Bitmap.h"

class TBromTimer;

// Raised when there is no display to show a window on (no graphical session).
class TNoDisplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TMouseButton { Left, Right, Middle };

// The keys the game answers (Return stands for both Enter keys; BackTab is
// Tab with Shift held).
enum class TKey : std::uint8_t {
  Space,
  Return,
  Right,
  Escape,
  M,
  F2,
  F11,
  Left,
  Up,
  Down,
  Tab,
  BackTab,
  F1,
  S,
  H
};

// The client-filling drawing surface of a window.
class TBromPaintBox {
 public:
  TBromPaintBox();
  ~TBromPaintBox();
  TBromPaintBox(const TBromPaintBox&) = delete;
  TBromPaintBox& operator=(const TBromPaintBox&) = delete;

  int Width() const { return canvas_.Width(); }
  int Height() const { return canvas_.Height(); }
  // What the paint box shows now.
  const TBromBitmap& Canvas() const { return canvas_; }
  // Copies `picture` to (0, 0), clipped to the paint box, and shows it. A
  // picture that changes no pixel of the canvas is not shown again: the
  // window already shows it.
  void Show(const TBromBitmap& picture);
  // Shows the canvas again (after the window was uncovered).
  void Refresh();
  // How many times the canvas has been put on the screen.
  std::int64_t Presented() const { return presented_; }

  // Handlers the game sets; each may be empty.
  std::function<void()> OnPaint;
  std::function<void(TMouseButton button, int x, int y)> OnMouseDown;
  std::function<void(int x, int y)> OnMouseMove;
  // The pointer has left the picture: out of the window or onto the bars.
  std::function<void()> OnMouseLeave;
  // A key went down; `repeat` when the keyboard repeats a held key.
  std::function<void(TKey key, bool repeat)> OnKeyDown;

 private:
  friend class TBromForm;
  void Resize(int width, int height);
  // True when the canvas already holds `picture` (clipped to the canvas).
  bool Shows(const TBromBitmap& picture) const;

  TBromBitmap canvas_;
  std::int64_t presented_ = 0;
  // The window shows the canvas as it is now.
  bool shown_ = false;
  // Puts the canvas on the screen; empty when the paint box has no window.
  std::function<void(const TBromBitmap&)> presenter_;
};

class TBromForm {
 public:
  // Creates the window, hidden, captioned with the cp932 text. Throws
  // TNoDisplayError when there is no display, std::runtime_error when the
  // window system cannot be used otherwise.
  explicit TBromForm(std::string_view captionCp932);
  virtual ~TBromForm();
  TBromForm(const TBromForm&) = delete;
  TBromForm& operator=(const TBromForm&) = delete;

  // Sets the client area's width, then its height; the paint box fills it.
  void SetClientSize(int width, int height);
  // The display scale of windows made from now on (1 to 4; others are held
  // to that range). The program's entry sets it from its command line.
  static void SetDisplayScale(int scale);
  static int DisplayScale();
  // The largest whole scale, at most `requested` (0: at most 4), at which the
  // window with a window manager's frame fits an area of the display; 1 when
  // none does.
  static int FittingScale(int requested, int areaWidth, int areaHeight);
  // Connects to the display (once for the program; windows made later share
  // the connection). Throws TNoDisplayError when there is none.
  static void OpenDisplay();
  static void CloseDisplay();
  // The display's area left for windows (without panels and docks); false
  // when it cannot be known.
  static bool UsableDisplayArea(int& width, int& height);
  // Windows made from now on draw through the OpenGL renderer (the player asked
  // for it) instead of the software renderer, which costs least for a small
  // picture enlarged by whole factors.
  static void SetAcceleratedRenderer(bool on);
  // The window system's icon of the window (a small picture; it may be any
  // size).
  void SetIcon(const TBromBitmap& picture);
  // Switches between the window and full screen (what F11 does).
  void ToggleFullScreen();
  bool FullScreen() const;

  // Places the window so that its outer frame is centred on the screen:
  // Left = (screen width - window width) div 2, Top likewise.
  void CenterOnScreen();

  void SetCaption(std::string_view captionCp932);
  // The caption as the window system shows it (UTF-8).
  std::string Caption() const;
  // The window system's number for the window (events name it).
  std::uint32_t WindowId() const;
  void Show();
  int ClientWidth() const { return paintBox_.Width(); }
  int ClientHeight() const { return paintBox_.Height(); }
  // The outer frame's top-left corner on the screen.
  int Left() const { return left_; }
  int Top() const { return top_; }
  TBromPaintBox& PaintBox() { return paintBox_; }
  // The window is being closed (its close button, the window manager's
  // request): when set, the owner ends its own loop; when empty, the
  // program is asked to end.
  std::function<void()> OnClose;

  // A key went down: F11 switches full screen (not on a repeat); every other
  // key goes to the paint box's OnKeyDown. The message pump calls it, and so
  // may a driver that types for the player.
  void KeyDown(TKey key, bool repeat);

  // Delivers every pending window message of every form: paint, mouse
  // presses, pointer moves and leaves, keys, closing (OnClose). True when
  // there was any message.
  static bool PumpMessages();
  // The message loop: runs until termination is requested or `timer` is
  // asked to stop. Once `timer` has been started, its tick loop
  // (TBromTimer::Run) takes it over; otherwise it waits for messages and
  // delivers them.
  static void RunMessageLoop(TBromTimer& timer);

 private:
  struct TWindow;
  void Dispatch(const void* sdlEvent);
  // Puts the current picture on the window, changed or not (the window
  // system lost it): through OnPaint when the game set it.
  void Repaint();
  bool InsidePaintBox(int x, int y) const;

  std::unique_ptr<TWindow> window_;
  TBromPaintBox paintBox_;
  int left_ = 0;
  int top_ = 0;
};
