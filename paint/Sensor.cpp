#include "paint/Sensor.h"

#include "paint/ScreenKit.h"
#include "rules/InternalError.h"

namespace {

const TSensor* HitAt(const TSensorRegistry& r, std::int32_t x, std::int32_t y, bool needsClick) {
  for (int i = 0; i < r.SensorCount; ++i) {
    const TSensor& s = r.Sensors[i];
    if (needsClick && s.OnClick == TCommandKind::None) continue;
    if (RectContains(s.Rect, x, y)) return &s;
  }
  return nullptr;
}

// Calls a handler with its region's tag, if the region has one.
void Call(TScreens& s, const TGame& g, TSensorHandler handler, std::int32_t tag) {
  if (handler != nullptr) handler(s, g, tag);
}

// The hover at the last pointer position.
bool HoverAtMousePoint(TScreens& s, const TGame& g) {
  TSensorRegistry& r = s.Sensors;
  // 1. The first region that holds the point.
  const TSensor* hit = HitAt(r, r.MousePoint.X, r.MousePoint.Y, false);
  // 2. The same region again (or none again): only a repeating region hears
  // of it.
  if (hit == r.Hovered) {
    if (hit == nullptr || !hit->Repeat) return false;
    Call(s, g, hit->OnEnter, hit->Tag);
    return true;
  }
  // 3. Leave before enter, so a highlight is gone before the next is drawn.
  if (r.Hovered != nullptr) Call(s, g, r.Hovered->OnLeave, r.Hovered->Tag);
  r.Hovered = hit;
  if (hit != nullptr) Call(s, g, hit->OnEnter, hit->Tag);
  // 4. One present for the whole change, the caller's.
  return true;
}

}  // namespace

void ClearSensors(TSensorRegistry& r) {
  r.SensorCount = 0;
  r.Hovered = nullptr;
}

void AddSensor(TSensorRegistry& r, const TRect& rect, bool repeat, TSensorHandler onEnter,
               TSensorHandler onLeave, TCommandKind onClick, std::int32_t tag) {
  if (r.SensorCount >= SensorCapacity) {
    InternalError("UnitSensor", "more than 256 screen regions");
  }
  r.Sensors[r.SensorCount++] = TSensor{rect, repeat, onEnter, onLeave, onClick, tag};
}

void InstallRegions(TSensorRegistry& r, const THitTable& table) {
  ClearSensors(r);
  for (const TSensor& s : table) {
    AddSensor(r, s.Rect, s.Repeat, s.OnEnter, s.OnLeave, s.OnClick, s.Tag);
  }
}

bool SensorHover(TScreens& s, const TGame& g, std::int32_t x, std::int32_t y) {
  s.Sensors.MousePoint = TPoint{x, y};
  return HoverAtMousePoint(s, g);
}

bool SensorLeave(TScreens& s, const TGame& g) {
  return SensorHover(s, g, OffScreen.X, OffScreen.Y);
}

TCommand SensorCommand(const TSensorRegistry& r, TCommandKind kind) {
  if (kind == TCommandKind::None) return TCommand{};
  for (int i = 0; i < r.SensorCount; ++i) {
    if (r.Sensors[i].OnClick == kind) return TCommand{kind, r.Sensors[i].Tag};
  }
  return TCommand{};
}

TCommand SensorClick(TSensorRegistry& r, std::int32_t x, std::int32_t y) {
  r.MousePoint = TPoint{x, y};
  const TSensor* hit = HitAt(r, x, y, true);
  if (hit == nullptr) return TCommand{};
  return TCommand{hit->OnClick, hit->Tag};
}

bool RefreshHover(TScreens& s, const TGame& g) {
  TSensorRegistry& r = s.Sensors;
  // 1. Whatever is hovered is left first.
  if (r.Hovered != nullptr) {
    const TSensor* left = r.Hovered;
    r.Hovered = nullptr;
    Call(s, g, left->OnLeave, left->Tag);
  }
  // 2. Then the pointer arrives afresh.
  return HoverAtMousePoint(s, g);
}
