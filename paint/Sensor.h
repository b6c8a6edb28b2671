// Design unit: UnitSensor.
// The screen's clickable and hoverable regions. Every screen's painter
// returns its regions as a hit table, in a fixed order, and the flow installs
// the table in the registry in place of the last screen's; the main window
// hands every pointer move and left click to the registry, which finds the
// first region (in table order) that holds the point.
// A move calls the regions' hover handlers, which only draw highlights, and
// answers whether the screen is to be presented (the caller presents); a
// click is answered with the region's command, which the main window then
// carries out: the registry has finished with the click before the game
// changes, so a command may repaint the whole screen and its regions.
//
// A point is inside a region when left <= x < right and top <= y < bottom:
// the right and bottom edges belong to the neighbour.
#pragma once

#include <cstdint>
#include <vector>

#include "game/Command.h"

struct TGame;
struct TScreens;

// A rectangle in client pixels: left, top, right, bottom (right and bottom
// excluded).
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
};
constexpr bool operator==(const TRect& a, const TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
constexpr bool RectContains(const TRect& r, std::int32_t x, std::int32_t y) {
  return r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom;
}

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};
// Where the pointer is taken to be once it has left the screen: no region
// holds it.
constexpr TPoint OffScreen{-1, -1};

// A hover handler: a plain procedure taking the screens it draws on, the
// game, read-only, and the region's tag. It draws; it never changes the game
// or the registry.
using TSensorHandler = void (*)(TScreens& screens, const TGame& game, std::int32_t tag);

struct TSensor {
  TRect Rect;
  bool Repeat = false;  // OnEnter again on every pointer move inside
  TSensorHandler OnEnter = nullptr;
  TSensorHandler OnLeave = nullptr;  // also when the hover is refreshed
  TCommandKind OnClick = TCommandKind::None;
  std::int32_t Tag = 0;
};

// A screen's regions, in the order the registry tries them: what a painter
// returns.
using THitTable = std::vector<TSensor>;

constexpr int SensorCapacity = 256;  // the busiest screen has 63

struct TSensorRegistry {
  TSensor Sensors[SensorCapacity];
  std::int32_t SensorCount = 0;
  const TSensor* Hovered = nullptr;  // the region under the pointer, or none
  TPoint MousePoint;                 // the last pointer position of a move or click
};

// The registry is a member of the screens (TScreens::Sensors); the hover
// operations take the screens, since the handlers draw on them.

// Forgets every region and the hovered one; no leave handler runs (the
// screen is about to be repainted anyway).
void ClearSensors(TSensorRegistry& r);
// Appends a region; a 257th is an internal error.
void AddSensor(TSensorRegistry& r, const TRect& rect, bool repeat, TSensorHandler onEnter,
               TSensorHandler onLeave, TCommandKind onClick, std::int32_t tag);
// A newly painted screen's regions replace the last screen's: the registry
// is cleared (no leave handler runs) and the table's regions added in order.
void InstallRegions(TSensorRegistry& r, const THitTable& table);
// A pointer move: leave the old region, enter the new one; the same region
// again calls nothing, unless it repeats. True when a handler ran: the
// caller presents the screen, once for the whole change.
[[nodiscard]] bool SensorHover(TScreens& s, const TGame& g, std::int32_t x, std::int32_t y);
// The pointer has left the screen (out of the window, or onto the bars
// around an enlarged picture): a move onto empty ground. The hovered region's
// leave handler runs (true: the caller presents); the last pointer position
// becomes OffScreen, so a refresh of the hover finds nothing until the pointer
// comes back.
[[nodiscard]] bool SensorLeave(TScreens& s, const TGame& g);
// A left click: the command of the first region holding the point that has
// one, with its tag (Kind None when there is none). Nothing is called or
// presented and the hover does not change.
TCommand SensorClick(TSensorRegistry& r, std::int32_t x, std::int32_t y);
// The first region whose click asks for `kind`, as a click on it would ask
// (Kind None when the screen has no such region). Keys click regions so.
TCommand SensorCommand(const TSensorRegistry& r, TCommandKind kind);
// Re-evaluates the hover at the last pointer position as if the pointer had
// just arrived (leave first, then enter); true when the caller is to present.
[[nodiscard]] bool RefreshHover(TScreens& s, const TGame& g);
