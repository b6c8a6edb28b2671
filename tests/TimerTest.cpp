// The tick loop's rules, on a scripted clock: each pass pumps messages,
// sleeps a millisecond and reads the clock once; a handler runs when strictly
// more than its interval has passed, in registration order; a termination
// request ends the loop after the pass in which it was made; the 32-bit clock
// may wrap.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "present/App.h"
#include "present/Timer.h"

namespace {

// A clock that moves only when the loop sleeps (or a handler says it took
// time), and a message pump that counts passes and can act on one.
class TScriptedHost : public TTimerHost {
 public:
  std::uint32_t Clock = 0;
  int Passes = 0;
  int PassLimit = 500;  // the loop is ended after this many passes
  std::vector<std::uint32_t> Sleeps;
  std::function<void(int pass)> OnPump;
  bool Messages = false;  // what each pump says it delivered

  std::uint32_t Now() override { return Clock; }
  void Sleep(std::uint32_t ms) override {
    Sleeps.push_back(ms);
    Clock += ms;
  }
  bool PumpMessages() override {
    ++Passes;
    if (OnPump) OnPump(Passes);
    if (Passes >= PassLimit) RequestTerminate();
    return Messages;
  }
};

class Timer : public ::testing::Test {
 protected:
  TScriptedHost host;
  TBromTimer timer{host};
  void SetUp() override { ClearTerminateRequest(); }
  void TearDown() override { ClearTerminateRequest(); }
  // A handler that records the clock at each call.
  std::function<void()> Recorder(std::vector<std::uint32_t>& calls) {
    return [this, &calls] { calls.push_back(host.Clock); };
  }
};

}  // namespace

TEST_F(Timer, FirstCallOnlyAfterMoreThanTheInterval) {
  host.Clock = 1000;
  std::vector<std::uint32_t> calls;
  timer.Add(Recorder(calls), 50);
  EXPECT_EQ(timer.Entries()[0].LastFired, 1000u);
  host.PassLimit = 200;  // the clock reaches 1200
  timer.Run();
  // Exactly 50 ms after is not enough: 1051, then every 51 ms.
  EXPECT_EQ(calls, (std::vector<std::uint32_t>{1051, 1102, 1153}));
  EXPECT_EQ(host.Passes, 200);
  EXPECT_EQ(host.Sleeps, std::vector<std::uint32_t>(200, 1));
}

TEST_F(Timer, EmptyHandlersAndNonPositiveIntervalsNeverRun) {
  std::vector<std::uint32_t> zero, negative, ten;
  timer.Add(nullptr, 10);
  timer.Add(Recorder(zero), 0);
  timer.Add(Recorder(negative), -5);
  timer.Add(Recorder(ten), 10);
  host.PassLimit = 40;
  timer.Run();
  EXPECT_TRUE(zero.empty());
  EXPECT_TRUE(negative.empty());
  EXPECT_EQ(ten, (std::vector<std::uint32_t>{11, 22, 33}));
}

TEST_F(Timer, HandlersOfOnePassRunInOrderAndShareOneTime) {
  std::vector<std::string> order;
  // The first handler takes 30 ms; the second still gets the pass's time.
  timer.Add(
      [&] {
        order.push_back("log");
        host.Clock += 30;
      },
      50);
  timer.Add([&] { order.push_back("growth"); }, 16);
  std::uint32_t stamps[2] = {0, 0};
  host.OnPump = [&](int pass) {
    if (pass != 52) return;
    stamps[0] = timer.Entries()[0].LastFired;
    stamps[1] = timer.Entries()[1].LastFired;
    RequestTerminate();
  };
  timer.Run();
  // Growth at 17 and 34; at 51 both are due, the earlier registered first,
  // and both are stamped with the pass's reading of the clock.
  ASSERT_GE(order.size(), 4u);
  EXPECT_EQ(order, (std::vector<std::string>{"growth", "growth", "log", "growth", "growth"}));
  EXPECT_EQ(stamps[0], 51u);
  EXPECT_EQ(stamps[1], 51u);
  // The slow pass pushed the clock on to 81: growth ran again on the very
  // next pass (clock 82), stamped with that pass's time.
  EXPECT_EQ(timer.Entries()[1].LastFired, 82u);
  EXPECT_EQ(timer.Entries()[0].LastFired, 51u);
}

TEST_F(Timer, SlowHandlerRunsAgainOnTheNextPass) {
  std::vector<std::uint32_t> calls;
  timer.Add(
      [&] {
        calls.push_back(host.Clock);
        host.Clock += 15;  // longer than its interval
      },
      10);
  host.PassLimit = 14;
  timer.Run();
  // 11, then on every pass: 11 + 15 + 1 = 27, 43, 59.
  EXPECT_EQ(calls, (std::vector<std::uint32_t>{11, 27, 43, 59}));
}

TEST_F(Timer, TerminationDuringMessagesStillLetsThatPassRun) {
  std::vector<std::uint32_t> calls;
  timer.Add(Recorder(calls), 5);
  host.OnPump = [&](int pass) {
    if (pass == 6) RequestTerminate();  // the pass whose clock reads 6
  };
  timer.Run();
  EXPECT_EQ(calls, (std::vector<std::uint32_t>{6}));
  EXPECT_EQ(host.Passes, 6);
  // A request made before the loop starts ends it before any pass.
  timer.Run();
  EXPECT_EQ(host.Passes, 6);
}

TEST_F(Timer, ClockWrapAroundKeepsTheRhythm) {
  for (std::uint32_t start : {0xFFFFFFF0u, 0x7FFFFFF8u}) {
    SetUp();
    timer.Clear();
    host.Clock = start;
    host.Passes = 0;
    std::vector<std::uint32_t> calls;
    timer.Add(Recorder(calls), 10);
    host.PassLimit = 45;
    timer.Run();
    ASSERT_EQ(calls.size(), 4u) << start;
    for (std::size_t i = 0; i < calls.size(); ++i) {
      EXPECT_EQ(calls[i], static_cast<std::uint32_t>(start + 11 * (i + 1))) << start;
    }
  }
}

TEST_F(Timer, HandlerAddedDuringAPassWaitsItsTurn) {
  std::vector<std::uint32_t> late;
  bool added = false;
  timer.Add(
      [&] {
        if (added) return;
        added = true;
        // Registered while the pass runs, stamped later than the pass's
        // reading of the clock.
        host.Clock += 3;
        timer.Add(Recorder(late), 2);
      },
      1);
  host.PassLimit = 8;
  timer.Run();
  // Added at clock 5 (pass 2 at 2, +3): first due at 8, i.e. pass 6 (clock 8).
  ASSERT_FALSE(late.empty());
  EXPECT_EQ(late.front(), 8u);
}

TEST_F(Timer, AnIdleHandlerIsWaitedForAgainOnlyOnceAMessageComes) {
  bool work = false;
  int runs = 0;
  timer.Add(
      [&] {
        ++runs;
        return work;
      },
      10);
  // Until it has run and answered it is waited for: due strictly after 10 ms.
  EXPECT_EQ(timer.TimeToNextDue(0, 100), 11u);
  host.PassLimit = 12;
  timer.Run();  // it runs at 11 and says it is idle: the longest wait
  ASSERT_EQ(runs, 1);
  EXPECT_EQ(timer.TimeToNextDue(host.Clock, 100), 100u);
  // A message may have given it work: waited for again from that pass on.
  work = true;
  host.Messages = true;
  ClearTerminateRequest();
  host.PassLimit = 13;
  timer.Run();
  EXPECT_EQ(timer.TimeToNextDue(timer.Entries()[0].LastFired, 100), 11u);
  // While it answers that it has work it stays waited for, without messages.
  host.Messages = false;
  ClearTerminateRequest();
  host.PassLimit = 30;
  timer.Run();  // it ran at 22
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(timer.TimeToNextDue(host.Clock, 100), 3u);
  work = false;
  ClearTerminateRequest();
  host.PassLimit = 40;
  timer.Run();  // it ran at 33 and is idle again
  EXPECT_EQ(runs, 3);
  EXPECT_EQ(timer.TimeToNextDue(host.Clock, 100), 100u);
}

TEST_F(Timer, StartArmsTheLoopAndClearEmptiesIt) {
  EXPECT_FALSE(timer.Started());
  timer.Add([] {}, 10);
  timer.Start();
  EXPECT_TRUE(timer.Started());
  timer.Clear();
  EXPECT_FALSE(timer.Started());
  EXPECT_TRUE(timer.Entries().empty());
}
