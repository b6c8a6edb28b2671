// Design unit: BromTimer.
// The game's heartbeat. There is no event-driven timer: once started, the tick
// loop `Run` is the program's message loop, in the main thread. Each pass
// delivers every pending window message, waits until the next handler is due
// or a window message arrives, reads the millisecond clock once and calls, in
// registration order, every handler whose interval has strictly elapsed since
// it last ran. Handlers therefore never run concurrently with each other or
// with mouse handling.
//
// A handler answers, each time it runs, whether it still has work (a battle
// log still gliding, a growth under way); while it has none the loop does not
// wake up for it, until a window message arrives (the player may have given it
// work), so a game at rest sleeps until the player does something. It still
// runs whenever the loop passes and it is due. One call does both, the work and
// the answer, so a tick costs a single indirect call.
//
// The clock, the wait and the message pump are a host given to the loop when
// it is made: the system's in the game, a scripted one in tests and the lab,
// whose clock steps one millisecond a pass, so the loop's rules are checked
// without waiting on real time. The main window owns its loop.
//
// Game logic may include this header: it names no platform library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

// Runs a handler; true while it still has work to do.
using TTimerCallback = std::function<bool()>;

struct TimerEntry {
  TTimerCallback Callback;
  std::int32_t Interval = 0;    // milliseconds
  std::uint32_t LastFired = 0;  // clock value of the last call (or of Add)
  // What it answered when it last ran; true until then, and again once a
  // window message has arrived.
  bool Busy = true;
};

// What the tick loop runs on.
class TTimerHost {
 public:
  virtual ~TTimerHost() = default;
  // The millisecond clock: 32 bits, wrapping round after about 49.7 days.
  virtual std::uint32_t Now() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Waits until a window message arrives or `milliseconds` have passed (the
  // next handler is due then). A host whose clock only moves when it sleeps
  // keeps this default: one millisecond a pass.
  virtual void Wait(std::uint32_t /*milliseconds*/) { Sleep(1); }
  // Delivers every pending window message; true when there was any.
  virtual bool PumpMessages() = 0;
};

// The system's clock, sleep and window messages.
TTimerHost& SystemTimerHost();

// The tick loop and its handlers, on the host it was made with (which
// outlives it).
class TBromTimer {
 public:
  explicit TBromTimer(TTimerHost& host) : host_(host) {}
  // Registers a handler, due first when more than `interval` ms have passed
  // from now. It answers whether it still has work (bool), or always has
  // (void). An empty handler or an interval of 0 or less never runs.
  template <class F>
  void Add(F&& handler, std::int32_t interval) {
    if constexpr (std::is_void_v<std::invoke_result_t<F&>>) {
      AddEntry(
          [h = std::forward<F>(handler)]() mutable {
            h();
            return true;
          },
          interval);
    } else {
      AddEntry(TTimerCallback(std::forward<F>(handler)), interval);
    }
  }
  void Add(std::nullptr_t, std::int32_t interval) { AddEntry(nullptr, interval); }
  // Arms the tick loop: from now on the program's message loop
  // (TBromForm::RunMessageLoop) is this tick loop.
  void Start() { started_ = true; }
  bool Started() const { return started_; }
  // Empties the handler list and disarms the loop.
  void Clear();
  // The tick loop; returns once termination is requested, or this loop was
  // asked to stop.
  void Run();
  // One pass of the tick loop (a driver that runs several loops in turn
  // takes them pass by pass).
  void Pass();
  // Asks this loop alone to end after the current pass (its window's game
  // is over); other loops run on.
  void Stop() { stopping_ = true; }
  bool Stopping() const { return stopping_; }
  const std::vector<TimerEntry>& Entries() const { return entries_; }
  // Milliseconds from `now` until the next busy handler is due (0 when one is
  // due already), at most `longest`.
  std::uint32_t TimeToNextDue(std::uint32_t now, std::uint32_t longest) const;
  TTimerHost& Host() { return host_; }

 private:
  void AddEntry(TTimerCallback callback, std::int32_t interval);

  TTimerHost& host_;
  std::vector<TimerEntry> entries_;
  bool started_ = false;
  bool stopping_ = false;
};
