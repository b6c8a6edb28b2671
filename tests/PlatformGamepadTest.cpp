// Game controllers, headless: a virtual controller plugged in, pressed and
// pulled out while a window runs, its presses reaching the window as the
// keys they stand for, through the window's own message pump.
#include <gtest/gtest.h>

#include <vector>

#include "present/Form.h"
#include "present/Gamepad.h"

namespace {

TEST(PlatformGamepad, ButtonsAndTheStickGoDownAsKeysAndControllersComeAndGo) {
  TBromForm form("pad");
  std::vector<TKey> keys;
  form.PaintBox().OnKeyDown = [&](TKey key, bool repeat) {
    EXPECT_FALSE(repeat);
    keys.push_back(key);
  };
  ASSERT_TRUE(OpenGamepads());
  const auto pumped = [&] {
    keys.clear();
    TBromForm::PumpMessages();
    return keys;
  };
  using B = TPadButton;
  {
    TVirtualGamepad pad;
    pumped();
    ASSERT_EQ(OpenGamepadCount(), 1);
    // 1. Each button its key, once per press; the guide and the stick's click
    // nothing.
    const struct {
      B Button;
      std::vector<TKey> Keys;
    } buttons[] = {{B::A, {TKey::Space}},
                   {B::Start, {TKey::Space}},
                   {B::B, {TKey::Escape}},
                   {B::X, {TKey::S}},
                   {B::Y, {TKey::M}},
                   {B::Back, {TKey::F2}},
                   {B::LeftShoulder, {TKey::F1}},
                   {B::RightShoulder, {TKey::H}},
                   {B::Up, {TKey::Up}},
                   {B::Down, {TKey::Down}},
                   {B::Left, {TKey::Left}},
                   {B::Right, {TKey::Right}},
                   {B::Guide, {}},
                   {B::LeftStick, {}}};
    for (const auto& row : buttons) {
      pad.Press(row.Button);
      EXPECT_EQ(pumped(), row.Keys) << int(row.Button);
      pad.Release(row.Button);
      EXPECT_EQ(pumped(), std::vector<TKey>{}) << int(row.Button);
    }
    // 2. The stick: one arrow per push past the dead zone; held, nudged within
    // it or eased back only part of the way, nothing; over to the other side
    // at once, the other arrow.
    const struct {
      int X, Y;
      std::vector<TKey> Keys;
    } pushes[] = {{StickPushed - 1, 0, {}},
                  {StickPushed, 0, {TKey::Right}},
                  {32767, 0, {}},
                  {StickReleased, 0, {}},
                  {StickPushed, 0, {}},
                  {StickReleased - 1, 0, {}},
                  {32767, 0, {TKey::Right}},
                  {-32768, 0, {TKey::Left}},
                  {0, 0, {}},
                  {0, -20000, {TKey::Up}},
                  {0, 20000, {TKey::Down}},
                  {0, 0, {}}};
    for (const auto& row : pushes) {
      pad.Stick(row.X, row.Y);
      EXPECT_EQ(pumped(), row.Keys) << row.X << " " << row.Y;
    }
  }
  // 3. Pulled out: closed; plugged in again: open again.
  pumped();
  EXPECT_EQ(OpenGamepadCount(), 0);
  TVirtualGamepad again;
  pumped();
  EXPECT_EQ(OpenGamepadCount(), 1);
  again.Press(B::A);
  EXPECT_EQ(pumped(), std::vector<TKey>{TKey::Space});
}

}  // namespace
