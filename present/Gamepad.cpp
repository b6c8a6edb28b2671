#include "present/Gamepad.h"

#include <SDL.h>

#include <map>
#include <stdexcept>
#include <string>

// The buttons are numbered as SDL numbers a controller's.
static_assert(static_cast<int>(TPadButton::A) == SDL_CONTROLLER_BUTTON_A);
static_assert(static_cast<int>(TPadButton::Start) == SDL_CONTROLLER_BUTTON_START);
static_assert(static_cast<int>(TPadButton::RightShoulder) == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
static_assert(static_cast<int>(TPadButton::Right) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(PadButtonCount == SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1);

namespace {

// Where a stick's axis stands: pushed one way (-1 left or up, 1 right or
// down) or resting (0).
struct TStick {
  int X = 0;
  int Y = 0;
};

// The controllers the program has open, by their joystick's instance, with
// their stick's state.
struct TPads {
  bool Opened = false;
  bool Refused = false;  // the platform has no controllers to offer: not asked again
  std::map<SDL_JoystickID, SDL_GameController*> Controllers;
  std::map<SDL_JoystickID, TStick> Sticks;
};

TPads& Pads() {
  static TPads pads;
  return pads;
}

// One axis of the stick moved to `value`: the direction it is newly pushed
// in (-1 or 1), or 0 when that is no new push. `state` follows the stick.
int StickPush(int& state, int value) {
  const int way = value >= StickPushed ? 1 : value <= -StickPushed ? -1 : 0;
  // 1. Back near the centre: let go.
  if (value > -StickReleased && value < StickReleased) {
    state = 0;
    return 0;
  }
  // 2. Pushed past the dead zone from rest, or over to the other side: one
  // move. Held where it is, or between the two distances: nothing.
  if (way != 0 && way != state) {
    state = way;
    return way;
  }
  return 0;
}

void Close(SDL_JoystickID id) {
  TPads& pads = Pads();
  const auto found = pads.Controllers.find(id);
  if (found == pads.Controllers.end()) return;
  SDL_GameControllerClose(found->second);
  pads.Controllers.erase(found);
  pads.Sticks.erase(id);
}

}  // namespace

bool PadButtonKey(TPadButton button, TKey& key) {
  switch (button) {
    case TPadButton::A:
    case TPadButton::Start:
      key = TKey::Space;
      return true;
    case TPadButton::B:
      key = TKey::Escape;
      return true;
    case TPadButton::X:
      key = TKey::S;
      return true;
    case TPadButton::Y:
      key = TKey::M;
      return true;
    case TPadButton::Back:
      key = TKey::F2;
      return true;
    case TPadButton::LeftShoulder:
      key = TKey::F1;
      return true;
    case TPadButton::RightShoulder:
      key = TKey::H;
      return true;
    case TPadButton::Up:
      key = TKey::Up;
      return true;
    case TPadButton::Down:
      key = TKey::Down;
      return true;
    case TPadButton::Left:
      key = TKey::Left;
      return true;
    case TPadButton::Right:
      key = TKey::Right;
      return true;
    case TPadButton::Guide:
    case TPadButton::LeftStick:
    case TPadButton::RightStick:
      break;
  }
  return false;
}

bool OpenGamepads() {
  TPads& pads = Pads();
  if (pads.Opened) return true;
  if (pads.Refused) return false;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    pads.Refused = true;
    return false;
  }
  pads.Opened = true;
  return true;
}

void CloseGamepads() {
  TPads& pads = Pads();
  if (!pads.Opened) return;
  while (!pads.Controllers.empty()) Close(pads.Controllers.begin()->first);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  pads.Opened = false;
}

int OpenGamepadCount() {
  return static_cast<int>(Pads().Controllers.size());
}

bool GamepadKey(const void* sdlEvent, TKey& key) {
  const SDL_Event& event = *static_cast<const SDL_Event*>(sdlEvent);
  TPads& pads = Pads();
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      // 1. Plugged in (or there at the start): opened, unless it already is
      // (a controller announced twice is one controller).
      SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which);
      if (pad == nullptr) return false;
      const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
      if (pads.Controllers.count(id) != 0) {
        SDL_GameControllerClose(pad);  // the second reference SDL counted
        return false;
      }
      pads.Controllers[id] = pad;
      pads.Sticks[id] = TStick{};
      return false;
    }
    case SDL_CONTROLLERDEVICEREMOVED:
      // 2. Pulled out: closed; its stick is forgotten.
      Close(event.cdevice.which);
      return false;
    case SDL_CONTROLLERBUTTONDOWN:
      // 3. A button: its key, from a controller the game has open.
      if (pads.Controllers.count(event.cbutton.which) == 0) return false;
      if (event.cbutton.button >= PadButtonCount) return false;
      return PadButtonKey(static_cast<TPadButton>(event.cbutton.button), key);
    case SDL_CONTROLLERAXISMOTION: {
      // 4. The left stick: an arrow once per push.
      const auto found = pads.Sticks.find(event.caxis.which);
      if (found == pads.Sticks.end()) return false;
      TStick& stick = found->second;
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        const int push = StickPush(stick.X, event.caxis.value);
        if (push == 0) return false;
        key = push < 0 ? TKey::Left : TKey::Right;
        return true;
      }
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        const int push = StickPush(stick.Y, event.caxis.value);
        if (push == 0) return false;
        key = push < 0 ? TKey::Up : TKey::Down;
        return true;
      }
      return false;
    }
    default:
      return false;
  }
}

int PumpGamepadEvents(const std::function<void(TKey)>& key) {
  if (!Pads().Opened) return 0;
  // 1. The controllers' states into the queue.
  SDL_PumpEvents();
  // 2. Their events, in order; the raw joystick events under them are not
  // wanted by anyone here.
  int handed = 0;
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION,
                        SDL_CONTROLLERSENSORUPDATE) == 1) {
    TKey k;
    if (GamepadKey(&event, k)) {
      key(k);
      ++handed;
    }
  }
  SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_JOYBATTERYUPDATED);
  return handed;
}

TVirtualGamepad::TVirtualGamepad() {
  // 0. The platform drops a controller's presses while no window of the
  // program has the focus, so that a player's controller does not play a
  // game in the background. A software controller is pressed by a program,
  // and a headless window never has the focus.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  // 1. A controller with every button and axis a controller has.
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = PadButtonCount;
  desc.name = "Quillmoor virtual pad";
  device_ = SDL_JoystickAttachVirtualEx(&desc);
  if (device_ < 0) throw std::runtime_error(std::string("no virtual pad: ") + SDL_GetError());
  // 2. Its mapping: button i is the controller's button i, axes in order.
  // (Some versions of the platform map a virtual controller by themselves;
  // the same mapping given again changes nothing.)
  char guid[33];
  SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(device_), guid, sizeof guid);
  const std::string mapping = std::string(guid) + "," + desc.name +
                              ",a:b0,b:b1,x:b2,y:b3,back:b4,guide:b5,start:b6,leftstick:b7,"
                              "rightstick:b8,leftshoulder:b9,rightshoulder:b10,dpup:b11,"
                              "dpdown:b12,dpleft:b13,dpright:b14,leftx:a0,lefty:a1,rightx:a2,"
                              "righty:a3,lefttrigger:a4,righttrigger:a5,";
  SDL_GameControllerAddMapping(mapping.c_str());
  // 3. Opened as a joystick, to set its buttons and axes on.
  joystick_ = SDL_JoystickOpen(device_);
  if (joystick_ == nullptr) {
    SDL_JoystickDetachVirtual(device_);
    throw std::runtime_error(std::string("no virtual pad: ") + SDL_GetError());
  }
  instance_ = SDL_JoystickInstanceID(static_cast<SDL_Joystick*>(joystick_));
}

TVirtualGamepad::~TVirtualGamepad() {
  SDL_JoystickClose(static_cast<SDL_Joystick*>(joystick_));
  // The device's index may have moved since it was plugged in; its
  // instance has not.
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == instance_) {
      SDL_JoystickDetachVirtual(i);
      break;
    }
  }
}

void TVirtualGamepad::Update() {
  SDL_JoystickUpdate();
}

void TVirtualGamepad::Press(TPadButton button) {
  SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick*>(joystick_), static_cast<int>(button), 1);
  Update();
}

void TVirtualGamepad::Release(TPadButton button) {
  SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick*>(joystick_), static_cast<int>(button), 0);
  Update();
}

void TVirtualGamepad::Stick(int x, int y) {
  auto* joystick = static_cast<SDL_Joystick*>(joystick_);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(y));
  Update();
}
