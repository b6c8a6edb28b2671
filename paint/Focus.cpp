#include "paint/Focus.h"

#include <cstdlib>
#include <tuple>
#include <vector>

#include "paint/ScreenKit.h"

namespace {

// Twice a rectangle's middle, so that odd sizes stay whole.
TPoint Middle2(const TRect& r) {
  return TPoint{r.Left + r.Right, r.Top + r.Bottom};
}

// Reading order: the higher first, and on one height the one further left.
bool ReadsBefore(const TRect& a, const TRect& b) {
  return std::tie(a.Top, a.Left) < std::tie(b.Top, b.Left);
}

// The focusable regions, in reading order (the first of two equal places
// first).
std::vector<int> InReadingOrder(const TSensorRegistry& r, const TGame& g, TFocusable focusable) {
  std::vector<int> order;
  for (int i = 0; i < r.SensorCount; ++i) {
    if (!focusable(g, r.Sensors[i])) continue;
    auto at = order.begin();
    while (at != order.end() && !ReadsBefore(r.Sensors[i].Rect, r.Sensors[*at].Rect)) ++at;
    order.insert(at, i);
  }
  return order;
}

// How far region `to` lies from region `from` the way of an arrow:
// (0 when level with it, else 1; the distance along the way; the distance
// across it), or nothing (-1) when it does not lie that way at all.
std::tuple<int, int, int> Distance(const TRect& from, const TRect& to, TFocusMove move) {
  const TPoint a = Middle2(from), b = Middle2(to);
  const bool across = move == TFocusMove::Left || move == TFocusMove::Right;
  const int along = across ? b.X - a.X : b.Y - a.Y;
  const int side = across ? b.Y - a.Y : b.X - a.X;
  const int sign = move == TFocusMove::Left || move == TFocusMove::Up ? -1 : 1;
  if (along * sign <= 0) return {-1, 0, 0};
  const bool level = across ? from.Top < to.Bottom && to.Top < from.Bottom
                            : from.Left < to.Right && to.Left < from.Right;
  return {level ? 0 : 1, along * sign, std::abs(side)};
}

}  // namespace

int FocusTarget(const TSensorRegistry& r, const TGame& g, int from, TFocusMove move,
                TFocusable focusable) {
  const std::vector<int> order = InReadingOrder(r, g, focusable);
  if (order.empty()) return -1;
  if (from < 0 || from >= r.SensorCount) return order.front();
  // 1. Tab and Shift+Tab: round the reading order.
  if (move == TFocusMove::Next || move == TFocusMove::Previous) {
    const int n = static_cast<int>(order.size());
    int at = 0;
    while (at < n && order[at] != from) ++at;
    if (at == n) return order.front();
    return order[(at + (move == TFocusMove::Next ? 1 : n - 1)) % n];
  }
  // 2. An arrow: the nearest region that way.
  int best = -1;
  std::tuple<int, int, int> bestDistance;
  for (int i : order) {
    if (i == from) continue;
    const auto d = Distance(r.Sensors[from].Rect, r.Sensors[i].Rect, move);
    if (std::get<0>(d) < 0) continue;
    if (best < 0 || d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

int FocusedRegion(const TSensorRegistry& r, const TGame& g, TFocusable focusable) {
  if (r.Hovered == nullptr || !focusable(g, *r.Hovered)) return -1;
  return static_cast<int>(r.Hovered - r.Sensors);
}

bool FocusOn(TScreens& s, const TGame& g, int index) {
  if (index < 0 || index >= s.Sensors.SensorCount) return false;
  const TPoint m = Middle2(s.Sensors.Sensors[index].Rect);
  return SensorHover(s, g, m.X / 2, m.Y / 2);
}

bool MoveFocus(TScreens& s, const TGame& g, TFocusMove move, TFocusable focusable) {
  const int from = FocusedRegion(s.Sensors, g, focusable);
  const int to = FocusTarget(s.Sensors, g, from, move, focusable);
  if (to < 0 || to == from) return false;
  return FocusOn(s, g, to);
}

TCommand FocusClick(const TSensorRegistry& r, const TGame& g, TFocusable focusable) {
  if (FocusedRegion(r, g, focusable) < 0) return TCommand{};
  return TCommand{r.Hovered->OnClick, r.Hovered->Tag};
}

int RegionOf(const TSensorRegistry& r, TCommandKind kind, std::int32_t tag) {
  for (int i = 0; i < r.SensorCount; ++i) {
    if (r.Sensors[i].OnClick == kind && r.Sensors[i].Tag == tag) return i;
  }
  return -1;
}
