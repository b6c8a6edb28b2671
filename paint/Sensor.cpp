#include "paint/Sensor.h"

#include "paint/ScreenKit.h"
#include "rules/InternalError.h"

TSensorRegistry SensorRegistry;
const TPoint& MousePoint = SensorRegistry.MousePoint;

namespace {

const TSensor* HitAt(std::int32_t x, std::int32_t y, bool needsClick) {
  const TSensorRegistry& r = SensorRegistry;
  for (int i = 0; i < r.SensorCount; ++i) {
    const TSensor& s = r.Sensors[i];
    if (needsClick && s.OnClick == TCommandKind::None) continue;
    if (RectContains(s.Rect, x, y)) return &s;
  }
  return nullptr;
}

// Calls a handler with its region's tag, if the region has one.
void Call(const TGame& g, TSensorHandler handler, std::int32_t tag) {
  if (handler != nullptr) handler(g, tag);
}

// The hover at the last pointer position.
void HoverAtMousePoint(const TGame& g) {
  TSensorRegistry& r = SensorRegistry;
  // 1. The first region that holds the point.
  const TSensor* hit = HitAt(r.MousePoint.X, r.MousePoint.Y, false);
  // 2. The same region again (or none again): only a repeating region hears
  // of it.
  if (hit == r.Hovered) {
    if (hit == nullptr || !hit->Repeat) return;
    Call(g, hit->OnEnter, hit->Tag);
    Present();
    return;
  }
  // 3. Leave before enter, so a highlight is gone before the next is drawn.
  if (r.Hovered != nullptr) Call(g, r.Hovered->OnLeave, r.Hovered->Tag);
  r.Hovered = hit;
  if (hit != nullptr) Call(g, hit->OnEnter, hit->Tag);
  // 4. One present for the whole change.
  Present();
}

}  // namespace

void ClearSensors() {
  SensorRegistry.SensorCount = 0;
  SensorRegistry.Hovered = nullptr;
}

void AddSensor(const TRect& rect, bool repeat, TSensorHandler onEnter, TSensorHandler onLeave,
               TCommandKind onClick, std::int32_t tag) {
  TSensorRegistry& r = SensorRegistry;
  if (r.SensorCount >= SensorCapacity) {
    InternalError("UnitSensor", "more than 256 screen regions");
  }
  r.Sensors[r.SensorCount++] = TSensor{rect, repeat, onEnter, onLeave, onClick, tag};
}

void SensorHover(const TGame& g, std::int32_t x, std::int32_t y) {
  SensorRegistry.MousePoint = TPoint{x, y};
  HoverAtMousePoint(g);
}

void SensorLeave(const TGame& g) {
  SensorHover(g, OffScreen.X, OffScreen.Y);
}

TCommand SensorCommand(TCommandKind kind) {
  const TSensorRegistry& r = SensorRegistry;
  if (kind == TCommandKind::None) return TCommand{};
  for (int i = 0; i < r.SensorCount; ++i) {
    if (r.Sensors[i].OnClick == kind) return TCommand{kind, r.Sensors[i].Tag};
  }
  return TCommand{};
}

TCommand SensorClick(std::int32_t x, std::int32_t y) {
  SensorRegistry.MousePoint = TPoint{x, y};
  const TSensor* hit = HitAt(x, y, true);
  if (hit == nullptr) return TCommand{};
  return TCommand{hit->OnClick, hit->Tag};
}

void RefreshHover(const TGame& g) {
  TSensorRegistry& r = SensorRegistry;
  // 1. Whatever is hovered is left first.
  if (r.Hovered != nullptr) {
    const TSensor* left = r.Hovered;
    r.Hovered = nullptr;
    Call(g, left->OnLeave, left->Tag);
  }
  // 2. Then the pointer arrives afresh.
  HoverAtMousePoint(g);
}
