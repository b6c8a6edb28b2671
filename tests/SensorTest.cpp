// The screen's regions: which region a point hits (registration order, right
// and bottom edges outside), the order of leave, enter and present when the
// pointer moves, clicks that fall through regions without a click handler,
// repeating regions and a full registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "paint/ScreenKit.h"
#include "paint/Sensor.h"
#include "rules/InternalError.h"
#include "tests/PixelTestSupport.h"

namespace {

// What the handlers did, in order: "enter 1", "leave 2", "click 3", each
// with the number of presents so far ("enter 1 @4"), so a test sees whether
// the screen was presented before or after a handler ran.
std::vector<std::string> Events;
std::int64_t PresentsAtStart = 0;

void Note(const TScreens& s, const char* what, std::int32_t tag) {
  Events.push_back(std::string(what) + " " + std::to_string(tag) + " @" +
                   std::to_string(PresentCount(s) - PresentsAtStart));
}
void Enter(TScreens& s, const TGame&, std::int32_t tag) {
  Note(s, "enter", tag);
}
void Leave(TScreens& s, const TGame&, std::int32_t tag) {
  Note(s, "leave", tag);
}
// Every region with a click answers with this command.
constexpr TCommandKind Click = TCommandKind::StartRound;

class Sensor : public ScreenTest {
 protected:
  void SetUp() override {
    Events.clear();
    PresentsAtStart = PresentCount(screens_);
  }
  static std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(Events);
    return taken;
  }
  using TEvents = std::vector<std::string>;

  // A left click, noted as "click TAG" when a region answered it.
  void ClickAt(std::int32_t x, std::int32_t y) {
    const TCommand c = SensorClick(screens_.Sensors, x, y);
    if (c.Kind == Click) Note(screens_, "click", c.Tag);
  }
  // The hover taken again at the last point, presented when a handler ran.
  void Refresh() {
    if (RefreshHover(screens_, game_)) Present(screens_);
  }
  // Presents since the test started.
  std::int64_t Presents() const { return PresentCount(screens_) - PresentsAtStart; }
};

}  // namespace

TEST_F(Sensor, FirstRegisteredOfTwoOverlappingRegionsWinsHoverAndClick) {
  AddSensor(screens_.Sensors, {0, 0, 100, 100}, false, Enter, Leave, Click, 1);
  AddSensor(screens_.Sensors, {50, 50, 150, 150}, false, Enter, Leave, Click, 2);
  Hover(60, 60);
  ClickAt(60, 60);
  EXPECT_EQ(Take(), (TEvents{"enter 1 @0", "click 1 @1"}));
  EXPECT_EQ(screens_.Sensors.Hovered, &screens_.Sensors.Sensors[0]);
  // Outside the first region the second one answers.
  Hover(120, 120);
  ClickAt(120, 20);  // in neither region
  ClickAt(120, 120);
  EXPECT_EQ(Take(), (TEvents{"leave 1 @1", "enter 2 @1", "click 2 @2"}));
}

TEST_F(Sensor, ClickFallsThroughARegionWithoutClickHandler) {
  // A panel without a click handler in front of a region that has one.
  AddSensor(screens_.Sensors, {0, 0, 100, 100}, false, Enter, Leave, TCommandKind::None, 1);
  AddSensor(screens_.Sensors, {0, 0, 200, 100}, false, Enter, Leave, Click, 2);
  Hover(10, 10);
  EXPECT_EQ(Take(), (TEvents{"enter 1 @0"}));
  const std::int64_t before = Presents();
  ClickAt(20, 30);
  EXPECT_EQ(Take(), (TEvents{"click 2 @1"}));
  // The click neither moved the hover nor presented, but the point is kept.
  EXPECT_EQ(screens_.Sensors.Hovered, &screens_.Sensors.Sensors[0]);
  EXPECT_EQ(Presents(), before);
  EXPECT_EQ(screens_.Sensors.MousePoint.X, 20);
  EXPECT_EQ(screens_.Sensors.MousePoint.Y, 30);
  // With nothing behind it, a click on the panel does nothing at all.
  ClearSensors(screens_.Sensors);
  AddSensor(screens_.Sensors, {0, 0, 100, 100}, false, Enter, Leave, TCommandKind::None, 1);
  ClickAt(10, 10);
  EXPECT_TRUE(Take().empty());
}

TEST_F(Sensor, MovingIntoTheNeighbourLeavesThenEntersAndPresentsOnce) {
  AddSensor(screens_.Sensors, {0, 0, 100, 50}, false, Enter, Leave, Click, 1);
  AddSensor(screens_.Sensors, {100, 0, 200, 50}, false, Enter, Leave, Click, 2);
  Hover(99, 10);
  EXPECT_EQ(Take(), (TEvents{"enter 1 @0"}));
  EXPECT_EQ(Presents(), 1);
  Hover(100, 10);
  EXPECT_EQ(Take(), (TEvents{"leave 1 @1", "enter 2 @1"}));
  EXPECT_EQ(Presents(), 2);
  // Moving inside a region that does not repeat: nothing, not even a present.
  Hover(150, 20);
  Hover(199, 49);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(Presents(), 2);
  // Out into nothing: leave and a present; moving on in nothing: no present.
  Hover(250, 20);
  Hover(260, 20);
  EXPECT_EQ(Take(), (TEvents{"leave 2 @2"}));
  EXPECT_EQ(Presents(), 3);
  EXPECT_EQ(screens_.Sensors.Hovered, nullptr);
}

TEST_F(Sensor, RepeatingRegionEntersAgainOnEveryMove) {
  AddSensor(screens_.Sensors, {0, 300, 600, 450}, true, Enter, Leave, Click, 7);
  Hover(10, 310);
  Hover(10, 311);
  Hover(500, 449);
  EXPECT_EQ(Take(), (TEvents{"enter 7 @0", "enter 7 @1", "enter 7 @2"}));
  EXPECT_EQ(Presents(), 3);
  Hover(10, 299);
  EXPECT_EQ(Take(), (TEvents{"leave 7 @3"}));
  // A repeating region without an enter handler still presents.
  ClearSensors(screens_.Sensors);
  AddSensor(screens_.Sensors, {0, 0, 10, 10}, true, nullptr, nullptr, TCommandKind::None, 0);
  Hover(1, 1);
  Hover(2, 2);
  EXPECT_EQ(Presents(), 6);
}

TEST_F(Sensor, RightAndBottomEdgesAreOutside) {
  AddSensor(screens_.Sensors, {10, 20, 30, 40}, false, Enter, Leave, Click, 1);
  struct {
    int X, Y;
    bool Inside;
  } const points[] = {{10, 20, true}, {29, 39, true},  {30, 25, false}, {15, 40, false},
                      {9, 25, false}, {15, 19, false}, {30, 40, false}, {29, 20, true}};
  for (const auto& p : points) {
    ClearSensors(screens_.Sensors);
    AddSensor(screens_.Sensors, {10, 20, 30, 40}, false, Enter, Leave, Click, 1);
    Hover(p.X, p.Y);
    EXPECT_EQ(screens_.Sensors.Hovered != nullptr, p.Inside) << p.X << "," << p.Y;
    Events.clear();
    ClickAt(p.X, p.Y);
    EXPECT_EQ(Events.size(), p.Inside ? 1u : 0u) << p.X << "," << p.Y;
  }
}

TEST_F(Sensor, ClearingRunsNoLeaveAndTheNextMoveEntersAfresh) {
  AddSensor(screens_.Sensors, {0, 0, 50, 50}, false, Enter, Leave, Click, 1);
  Hover(5, 5);
  ClearSensors(screens_.Sensors);
  EXPECT_EQ(screens_.Sensors.SensorCount, 0);
  EXPECT_EQ(screens_.Sensors.Hovered, nullptr);
  AddSensor(screens_.Sensors, {0, 0, 50, 50}, false, Enter, Leave, Click, 2);
  Hover(6, 6);
  EXPECT_EQ(Take(), (TEvents{"enter 1 @0", "enter 2 @1"}));
}

TEST_F(Sensor, RefreshLeavesAndEntersAgainAtTheLastPoint) {
  AddSensor(screens_.Sensors, {0, 0, 50, 50}, false, Enter, Leave, Click, 1);
  AddSensor(screens_.Sensors, {50, 0, 100, 50}, false, Enter, Leave, Click, 2);
  Hover(5, 5);
  // A click elsewhere moves the point but not the hover; the refresh follows
  // the point.
  ClickAt(60, 5);
  Take();
  Refresh();
  EXPECT_EQ(Take(), (TEvents{"leave 1 @1", "enter 2 @1"}));
  EXPECT_EQ(Presents(), 2);
  Refresh();
  EXPECT_EQ(Take(), (TEvents{"leave 2 @2", "enter 2 @2"}));
  EXPECT_EQ(Presents(), 3);
}

TEST_F(Sensor, TheTwoHundredFiftySeventhRegionIsAnInternalError) {
  for (int i = 0; i < SensorCapacity; ++i)
    AddSensor(screens_.Sensors, {i, 0, i + 1, 1}, false, Enter, Leave, Click, i);
  EXPECT_EQ(screens_.Sensors.SensorCount, 256);
  try {
    AddSensor(screens_.Sensors, {0, 0, 1, 1}, false, Enter, Leave, Click, 256);
    ADD_FAILURE() << "no error";
  } catch (const TInternalError& e) {
    EXPECT_NE(std::string(e.what()).find("UnitSensor"), std::string::npos) << e.what();
  }
  EXPECT_EQ(screens_.Sensors.SensorCount, 256);
  // The last region still answers.
  ClickAt(255, 0);
  EXPECT_EQ(Take(), (TEvents{"click 255 @0"}));
}
