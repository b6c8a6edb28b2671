#include "present/Timer.h"

#include <SDL.h>

#include "present/App.h"
#include "present/Form.h"

namespace {

// The longest wait of a pass. A game at rest wakes up this often: a
// termination asked for by a signal is noticed within it, whatever the window
// system does with the interrupted wait.
constexpr std::uint32_t LongestWait = 100;

// The system's host: SDL's millisecond counter and delay, and the windows'
// messages, waited for until the next handler is due.
class TSystemHost : public TTimerHost {
 public:
  std::uint32_t Now() override { return SDL_GetTicks(); }
  void Sleep(std::uint32_t milliseconds) override { SDL_Delay(milliseconds); }
  void Wait(std::uint32_t milliseconds) override {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
      // The event stays queued for the pump.
      SDL_WaitEventTimeout(nullptr, static_cast<int>(milliseconds));
    } else if (milliseconds > 0) {
      SDL_Delay(milliseconds);
    }
  }
  bool PumpMessages() override { return TBromForm::PumpMessages(); }
};

TSystemHost systemHost;

}  // namespace

TTimerHost& SystemTimerHost() {
  return systemHost;
}

void TBromTimer::AddEntry(TTimerCallback callback, std::int32_t interval) {
  entries_.push_back(TimerEntry{std::move(callback), interval, host_.Now(), true});
}

void TBromTimer::Clear() {
  entries_.clear();
  started_ = false;
}

void TBromTimer::Run() {
  while (!TerminateRequested() && !stopping_) Pass();
}

void TBromTimer::Pass() {
  // 1. Every pending window message: all mouse handling happens here. A
  // termination request made here still lets this pass's handlers run. A
  // message may have given an idle handler work: each is waited for again
  // until it has run and answered.
  if (host_.PumpMessages()) {
    for (TimerEntry& entry : entries_) entry.Busy = true;
  }
  // 2. Yield the processor until the next busy handler is due or a window
  // message arrives.
  host_.Wait(TimeToNextDue(host_.Now(), LongestWait));
  // 3. One clock reading serves the whole pass, however long the handlers
  // take.
  const std::uint32_t now = host_.Now();
  // 4. The due handlers, in registration order. Entries may be added by a
  // handler (the list may grow, so it is indexed, never iterated).
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const TimerEntry& entry = entries_[i];
    if (!entry.Callback || entry.Interval <= 0) continue;
    // The elapsed time is the wrapped difference read as signed: it stays
    // right when the 32-bit clock passes 2^31 or wraps to 0, and an entry
    // added later in this very pass (stamped after `now`) is not due.
    const std::int32_t elapsed = static_cast<std::int32_t>(now - entry.LastFired);
    if (elapsed <= entry.Interval) continue;
    const TTimerCallback callback = entry.Callback;  // the list may move
    const bool busy = callback();
    if (i < entries_.size()) {
      entries_[i].LastFired = now;
      entries_[i].Busy = busy;
    }
  }
}

std::uint32_t TBromTimer::TimeToNextDue(std::uint32_t now, std::uint32_t longest) const {
  std::uint32_t wait = longest;
  for (const TimerEntry& entry : entries_) {
    if (!entry.Callback || entry.Interval <= 0) continue;
    if (!entry.Busy) continue;
    // Due once strictly more than the interval has passed.
    const std::int32_t elapsed = static_cast<std::int32_t>(now - entry.LastFired);
    const std::int64_t left = static_cast<std::int64_t>(entry.Interval) + 1 - elapsed;
    if (left <= 0) return 0;
    if (left < wait) wait = static_cast<std::uint32_t>(left);
  }
  return wait;
}
