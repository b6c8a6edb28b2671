// Design unit: BromTimer.
// The game's heartbeat. There is no event-driven timer: once started, the tick
// loop `Run` is the program's message loop, in the main thread. Each pass
// delivers every pending window message, sleeps one millisecond, reads the
// millisecond clock once and calls, in registration order, every handler
// whose interval has strictly elapsed since it last ran. Handlers therefore
// never run concurrently with each other or with mouse handling.
//
// The clock, the sleep and the message pump are a pluggable host: the system's
// by default, a scripted one in tests, so the loop's rules are checked without
// waiting on real time.
//
// Game logic may include this header: it names no platform library.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using TTimerCallback = std::function<void()>;

struct TimerEntry {
  TTimerCallback Callback;
  std::int32_t Interval = 0;    // milliseconds
  std::uint32_t LastFired = 0;  // clock value of the last call (or of Add)
};

// What the tick loop runs on.
class TTimerHost {
 public:
  virtual ~TTimerHost() = default;
  // The millisecond clock: 32 bits, wrapping round after about 49.7 days.
  virtual std::uint32_t Now() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Delivers every pending window message.
  virtual void PumpMessages() = 0;
};

class TBromTimer {
 public:
  TBromTimer() = delete;
  // Registers a handler, due first when more than `interval` ms have passed
  // from now. An empty callback or an interval of 0 or less never runs.
  static void Add(TTimerCallback callback, std::int32_t interval);
  // Arms the tick loop: from now on the program's message loop
  // (TBromForm::RunMessageLoop) is the tick loop.
  static void Start();
  static bool Started();
  // Empties the handler list and disarms the loop.
  static void Clear();
  // The tick loop; returns once termination is requested.
  static void Run();
  static const std::vector<TimerEntry>& Entries();

  // Plugs in a host; nullptr goes back to the system's clock, sleep and
  // window messages.
  static void SetHost(TTimerHost* host);
  static TTimerHost& Host();
};
