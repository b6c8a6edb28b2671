#include "present/Form.h"

#include <SDL.h>
#include <SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif
#include <tmmintrin.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <utility>

#include "present/App.h"
#include "present/Gamepad.h"
#include "present/Path.h"
#include "present/Timer.h"

namespace {

int displayScale = 1;
bool acceleratedRenderer = false;
bool displayOpened = false;

// Room a window manager's frame takes around a window: its borders on each
// side, and a title bar above. The usable area is checked with this room
// left, so the whole frame stays on the screen.
constexpr int FrameWidthAllowance = 16;
constexpr int FrameHeightAllowance = 48;
constexpr int LargestScale = 4;

// True when SDL took a window nobody can see although nobody asked for it:
// without a display the window system falls back on such drivers, and the
// game would run on unseen for ever. Headless runs name the dummy driver.
bool FellBackOnInvisibleWindows() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  return driver != nullptr && (asked == nullptr || *asked == '\0') &&
         (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// The one message for a machine without a graphical session.
const char* const NoDisplayMessage =
    "this game needs a graphical session: no display was found to show its window on";

// Asks an X11 window manager for a frame with only the system menu, the
// title and minimise: the window has one size (full screen is F11's), so a
// maximise button would only mislead. The Motif hints are the words most
// window managers read for this; elsewhere nothing is asked.
void OfferNoMaximise(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  constexpr long HintFunctions = 1, HintDecorations = 2;
  constexpr long FunctionMove = 4, FunctionMinimise = 8, FunctionClose = 32;
  constexpr long DecorBorder = 2, DecorTitle = 8, DecorMenu = 16, DecorMinimise = 32;
  const long hints[5] = {HintFunctions | HintDecorations,
                         FunctionMove | FunctionMinimise | FunctionClose,
                         DecorBorder | DecorTitle | DecorMenu | DecorMinimise, 0, 0};
  Display* display = info.info.x11.display;
  const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(display, info.info.x11.window, motif, motif, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints), 5);
  XFlush(display);
#else
  (void)window;
#endif
}

// True unless the window system is X11 with no window manager running (none
// has announced itself on the root window, as every manager that grants full
// screen does). Without one, a request for full screen is answered by nobody.
bool WindowManagerRunning(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
    return true;
  Display* display = info.info.x11.display;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  const int got = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                     XA_WINDOW, &type, &format, &count, &left, &data);
  if (data != nullptr) XFree(data);
  return got == Success && count == 1;
#else
  (void)window;
  return true;
#endif
}

// Live forms by their window's id, for the message pump.
std::map<Uint32, TBromForm*>& Forms() {
  static std::map<Uint32, TBromForm*> forms;
  return forms;
}

// The form that has the keyboard's focus, or the first one, or none.
TBromForm* KeyboardForm() {
  if (Forms().empty()) return nullptr;
  if (SDL_Window* focused = SDL_GetKeyboardFocus()) {
    const auto found = Forms().find(SDL_GetWindowID(focused));
    if (found != Forms().end()) return found->second;
  }
  return Forms().begin()->second;
}

// Starts the window system, or throws TNoDisplayError.
void ConnectToDisplay() {
  const auto unset = [](const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr || *value == '\0';
  };
  // 1. No session names a display: asking the window system's libraries
  // would only have them print their own complaints first.
  if (unset("SDL_VIDEODRIVER") && unset("DISPLAY") && unset("WAYLAND_DISPLAY")) {
    throw TNoDisplayError(NoDisplayMessage);
  }
  // 2. An X11 session only: the other drivers SDL would try after a display
  // that cannot be opened have nothing to open either, and some complain.
  if (unset("SDL_VIDEODRIVER") && unset("WAYLAND_DISPLAY")) {
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_DEFAULT);
  }
  // 3. The software renderer, and no OpenGL probe for the window's pixels,
  // unless the player asked for OpenGL (SDL_RENDER_DRIVER in the environment
  // wins over the default).
  if (!acceleratedRenderer) {
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  } else {
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "opengl", SDL_HINT_OVERRIDE);
  }
  // 4. The connection, refused when it is one nobody can see.
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw TNoDisplayError(NoDisplayMessage);
  if (FellBackOnInvisibleWindows()) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw TNoDisplayError(NoDisplayMessage);
  }
}

// The game's key for a key of the keyboard; false for the keys it ignores.
// Tab with Shift held goes backwards.
bool KeyOf(SDL_Keycode code, Uint16 modifiers, TKey& key) {
  static constexpr std::pair<SDL_Keycode, TKey> keys[] = {
      {SDLK_SPACE, TKey::Space}, {SDLK_RETURN, TKey::Return}, {SDLK_KP_ENTER, TKey::Return},
      {SDLK_RIGHT, TKey::Right}, {SDLK_ESCAPE, TKey::Escape}, {SDLK_m, TKey::M},
      {SDLK_F2, TKey::F2},       {SDLK_F11, TKey::F11},       {SDLK_LEFT, TKey::Left},
      {SDLK_UP, TKey::Up},       {SDLK_DOWN, TKey::Down},     {SDLK_TAB, TKey::Tab},
      {SDLK_F1, TKey::F1},       {SDLK_s, TKey::S},           {SDLK_h, TKey::H}};
  for (const auto& [sdl, game] : keys) {
    if (sdl == code) {
      key = game == TKey::Tab && (modifiers & KMOD_SHIFT) != 0 ? TKey::BackTab : game;
      return true;
    }
  }
  return false;
}

}  // namespace

// TBromPaintBox ------------------------------------------------------------

TBromPaintBox::TBromPaintBox() = default;
TBromPaintBox::~TBromPaintBox() = default;

void TBromPaintBox::Resize(int width, int height) {
  canvas_.SetSize(width, height);
  canvas_.Fill(ColorBlack);  // the form's background colour
  shown_ = false;
}

bool TBromPaintBox::Shows(const TBromBitmap& picture) const {
  const int width = std::min(picture.Width(), canvas_.Width());
  const int height = std::min(picture.Height(), canvas_.Height());
  for (int y = 0; y < height; ++y) {
    if (std::memcmp(canvas_.Rows()[y], picture.Rows()[y], 3 * static_cast<std::size_t>(width)) !=
        0) {
      return false;
    }
  }
  return true;
}

void TBromPaintBox::Show(const TBromBitmap& picture) {
  // A picture the window shows already is not sent again: between rounds the
  // board is shown after every growth slice, a hundred times a second, and
  // mostly unchanged. Comparing costs a small part of converting and sending.
  if (shown_ && Shows(picture)) return;
  canvas_.CopyRect(picture, 0, 0, picture.Width(), picture.Height(), 0, 0);
  Refresh();
}

void TBromPaintBox::Refresh() {
  if (!presenter_) return;
  ++presented_;
  presenter_(canvas_);
  shown_ = true;
}

// TBromForm ----------------------------------------------------------------

struct TBromForm::TWindow {
  SDL_Window* Window = nullptr;
  Uint32 Id = 0;
  // With a renderer the canvas is drawn scaled (by whole factors, with black
  // bars) and mouse positions are mapped back to canvas pixels; without one
  // (no renderer could be made) the canvas is copied to the window 1:1.
  SDL_Renderer* Renderer = nullptr;
  SDL_Texture* Texture = nullptr;
  int TextureWidth = 0;
  int TextureHeight = 0;
  int Scale = 1;
  bool FullScreen = false;
  // Where the window was before it was laid over the whole screen by hand.
  SDL_Rect Windowed{0, 0, 0, 0};

  void Present(const TBromBitmap& canvas);
  bool CoverScreen(bool on);
  void PresentOnSurface(const TBromBitmap& canvas);
};

bool TBromForm::TWindow::CoverScreen(bool on) {
  if (!on) {
    SDL_SetWindowSize(Window, Windowed.w, Windowed.h);
    SDL_SetWindowPosition(Window, Windowed.x, Windowed.y);
    return true;
  }
  SDL_Rect screen;
  if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(Window)), &screen) != 0) {
    return false;
  }
  SDL_GetWindowPosition(Window, &Windowed.x, &Windowed.y);
  SDL_GetWindowSize(Window, &Windowed.w, &Windowed.h);
  SDL_SetWindowPosition(Window, screen.x, screen.y);
  SDL_SetWindowSize(Window, screen.w, screen.h);
  SDL_RaiseWindow(Window);
  return true;
}

void TBromForm::TWindow::PresentOnSurface(const TBromBitmap& canvas) {
  SDL_Surface* screen = SDL_GetWindowSurface(Window);
  if (screen == nullptr || canvas.Width() == 0) return;
  SDL_Surface* source =
      SDL_CreateRGBSurfaceWithFormatFrom(canvas.Rows()[0], canvas.Width(), canvas.Height(), 24,
                                         canvas.Width() * 3, SDL_PIXELFORMAT_BGR24);
  if (source == nullptr) return;
  SDL_BlitSurface(source, nullptr, screen, nullptr);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurface(Window);
}

namespace {

static_assert(std::endian::native == std::endian::little,
              "bytes B, G, R, X read as one number are an X R G B pixel only on a "
              "little-endian machine");

// One row of 24-bit pixels as 32-bit ones: four pixels at a time, their
// twelve bytes read as a number and a half and shifted into four.
void ConvertRow(const std::uint8_t* from, std::uint8_t* to, int width) {
  constexpr std::uint64_t OpaquePair = 0xFF000000FF000000ull;
  int x = 0;
  for (; x + 4 <= width; x += 4, from += 12, to += 16) {
    std::uint64_t low;
    std::uint32_t high;
    std::memcpy(&low, from, 8);
    std::memcpy(&high, from + 8, 4);
    const std::uint64_t first = (low & 0xFFFFFF) | ((low << 8) & 0xFFFFFF00000000ull);
    const std::uint64_t second = ((low >> 48) | (std::uint64_t{high} << 16)) & 0xFFFFFF;
    const std::uint64_t out[2] = {first | OpaquePair,
                                  second | (std::uint64_t{high >> 8} << 32) | OpaquePair};
    std::memcpy(to, out, 16);
  }
  for (; x < width; ++x, from += 3, to += 4) {
    const std::uint32_t pixel =
        0xFF000000u | std::uint32_t{from[2]} << 16 | std::uint32_t{from[1]} << 8 | from[0];
    std::memcpy(to, &pixel, 4);
  }
}

// The same with one byte shuffle for four pixels, on processors that have it
// (nearly all): a quarter of the instructions.
__attribute__((target("ssse3"))) void ConvertRowShuffled(const std::uint8_t* from, std::uint8_t* to,
                                                         int width) {
  const __m128i order = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int x = 0;
  // Sixteen bytes are read for twelve: only while they lie inside the row.
  for (; 3 * x + 16 <= 3 * width; x += 4, from += 12, to += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to),
                     _mm_or_si128(_mm_shuffle_epi8(bytes, order), opaque));
  }
  ConvertRow(from, to, width - x);
}

// The canvas's 24-bit pixels as the texture's 32-bit ones, written straight
// into the texture: the renderers take 32-bit pixels as they are, while SDL's
// own conversion from 24 bits goes pixel by pixel through a general path, at
// several times the cost of the shuffle.
bool CopyToTexture(SDL_Texture* texture, const TBromBitmap& canvas) {
  void* target = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture, nullptr, &target, &pitch) != 0) return false;
  static const bool shuffle = __builtin_cpu_supports("ssse3");
  for (int y = 0; y < canvas.Height(); ++y) {
    auto* to = static_cast<std::uint8_t*>(target) + static_cast<std::ptrdiff_t>(y) * pitch;
    if (shuffle) {
      ConvertRowShuffled(canvas.Rows()[y], to, canvas.Width());
    } else {
      ConvertRow(canvas.Rows()[y], to, canvas.Width());
    }
  }
  SDL_UnlockTexture(texture);
  return true;
}

}  // namespace

void TBromForm::TWindow::Present(const TBromBitmap& canvas) {
  if (Renderer == nullptr) {
    PresentOnSurface(canvas);
    return;
  }
  if (canvas.Width() == 0 || canvas.Height() == 0) return;
  // 1. A texture the canvas's size, and the logical size that maps the
  // mouse back.
  if (Texture == nullptr || TextureWidth != canvas.Width() || TextureHeight != canvas.Height()) {
    if (Texture != nullptr) SDL_DestroyTexture(Texture);
    Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                                canvas.Width(), canvas.Height());
    if (Texture == nullptr) return;
    TextureWidth = canvas.Width();
    TextureHeight = canvas.Height();
    SDL_RenderSetLogicalSize(Renderer, TextureWidth, TextureHeight);
    SDL_RenderSetIntegerScale(Renderer, SDL_TRUE);
  }
  // 2. The canvas, enlarged by a whole factor, on black.
  if (!CopyToTexture(Texture, canvas)) return;
  SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
  SDL_RenderClear(Renderer);
  SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
  SDL_RenderPresent(Renderer);
}

TBromForm::TBromForm(std::string_view captionCp932) : window_(std::make_unique<TWindow>()) {
  ConnectToDisplay();
  window_->Scale = displayScale;
  window_->Window = SDL_CreateWindow(Cp932ToUtf8Lenient(captionCp932).c_str(),
                                     SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                     600 * window_->Scale, 450 * window_->Scale, SDL_WINDOW_HIDDEN);
  if (window_->Window == nullptr) {
    const std::string error = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw std::runtime_error("the window cannot be created: " + error);
  }
  window_->Id = SDL_GetWindowID(window_->Window);
  OfferNoMaximise(window_->Window);
  Forms()[window_->Id] = this;
  // Enlarged pixels stay sharp.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  window_->Renderer = SDL_CreateRenderer(window_->Window, -1, 0);
  if (window_->Renderer == nullptr) window_->Scale = 1;
  // The canvas stays the program's 24-bit surface; it is converted for the
  // window on every show.
  TWindow* w = window_.get();
  paintBox_.presenter_ = [w](const TBromBitmap& canvas) { w->Present(canvas); };
  SetClientSize(600, 450);
}

TBromForm::~TBromForm() {
  Forms().erase(window_->Id);
  paintBox_.presenter_ = nullptr;
  if (window_->Texture != nullptr) SDL_DestroyTexture(window_->Texture);
  if (window_->Renderer != nullptr) SDL_DestroyRenderer(window_->Renderer);
  SDL_DestroyWindow(window_->Window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void TBromForm::SetClientSize(int width, int height) {
  int oldWidth = 0;
  int oldHeight = 0;
  SDL_GetWindowSize(window_->Window, &oldWidth, &oldHeight);
  const int scale = window_->Scale;
  SDL_SetWindowSize(window_->Window, width * scale, oldHeight);
  SDL_SetWindowSize(window_->Window, width * scale, height * scale);
  paintBox_.Resize(width, height);
}

void TBromForm::SetDisplayScale(int scale) {
  displayScale = scale < 1 ? 1 : scale > LargestScale ? LargestScale : scale;
}

int TBromForm::FittingScale(int requested, int areaWidth, int areaHeight) {
  const int most = requested <= 0 || requested > LargestScale ? LargestScale : requested;
  int scale = 1;
  for (int k = 2; k <= most; ++k) {
    if (600 * k + FrameWidthAllowance > areaWidth) break;
    if (450 * k + FrameHeightAllowance > areaHeight) break;
    scale = k;
  }
  return scale;
}

void TBromForm::OpenDisplay() {
  if (displayOpened) return;
  ConnectToDisplay();
  displayOpened = true;
}

void TBromForm::CloseDisplay() {
  if (!displayOpened) return;
  displayOpened = false;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool TBromForm::UsableDisplayArea(int& width, int& height) {
  SDL_Rect area;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetDisplayUsableBounds(0, &area) != 0) return false;
  width = area.w;
  height = area.h;
  return true;
}

void TBromForm::SetAcceleratedRenderer(bool on) {
  acceleratedRenderer = on;
}

void TBromForm::SetIcon(const TBromBitmap& picture) {
  if (picture.Width() == 0 || picture.Height() == 0) return;
  SDL_Surface* icon =
      SDL_CreateRGBSurfaceWithFormatFrom(picture.Rows()[0], picture.Width(), picture.Height(), 24,
                                         picture.Width() * 3, SDL_PIXELFORMAT_BGR24);
  if (icon == nullptr) return;
  SDL_SetWindowIcon(window_->Window, icon);
  SDL_FreeSurface(icon);
}

int TBromForm::DisplayScale() {
  return displayScale;
}

void TBromForm::ToggleFullScreen() {
  // A window manager grants full screen; without one the window is laid over
  // the screen by hand, for a request nobody answers would leave the window
  // as it was while the renderer drew for the whole screen.
  const bool on = !window_->FullScreen;
  if (WindowManagerRunning(window_->Window)) {
    if (SDL_SetWindowFullscreen(window_->Window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
      return;
    }
  } else if (!window_->CoverScreen(on)) {
    return;
  }
  window_->FullScreen = on;
  Repaint();
}

void TBromForm::Repaint() {
  // The window system asks for the picture: it is sent even when the game's
  // own presents would find it unchanged.
  paintBox_.shown_ = false;
  if (paintBox_.OnPaint) paintBox_.OnPaint();
  if (!paintBox_.shown_) paintBox_.Refresh();
}

bool TBromForm::FullScreen() const {
  return window_->FullScreen;
}

void TBromForm::CenterOnScreen() {
  SDL_DisplayMode screen;
  int display = SDL_GetWindowDisplayIndex(window_->Window);
  if (display < 0) display = 0;
  if (SDL_GetDesktopDisplayMode(display, &screen) != 0) return;
  // The outer window: the client area and the frame the window manager adds
  // (none is known before the window is shown, and none without a manager).
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window_->Window, &top, &left, &bottom, &right) != 0) {
    top = left = bottom = right = 0;
  }
  int width = 0, height = 0;
  SDL_GetWindowSize(window_->Window, &width, &height);
  const int outerWidth = width + left + right;
  const int outerHeight = height + top + bottom;
  left_ = (screen.w - outerWidth) / 2;
  top_ = (screen.h - outerHeight) / 2;
  SDL_SetWindowPosition(window_->Window, left_ + left, top_ + top);
}

void TBromForm::SetCaption(std::string_view captionCp932) {
  SDL_SetWindowTitle(window_->Window, Cp932ToUtf8Lenient(captionCp932).c_str());
}

std::string TBromForm::Caption() const {
  return SDL_GetWindowTitle(window_->Window);
}

std::uint32_t TBromForm::WindowId() const {
  return window_->Id;
}

void TBromForm::Show() {
  SDL_ShowWindow(window_->Window);
  paintBox_.Refresh();
}

void TBromForm::KeyDown(TKey key, bool repeat) {
  if (key == TKey::F11) {
    if (!repeat) ToggleFullScreen();
    return;
  }
  if (paintBox_.OnKeyDown) paintBox_.OnKeyDown(key, repeat);
}

bool TBromForm::InsidePaintBox(int x, int y) const {
  return x >= 0 && y >= 0 && x < paintBox_.Width() && y < paintBox_.Height();
}

void TBromForm::Dispatch(const void* sdlEvent) {
  const SDL_Event& event = *static_cast<const SDL_Event*>(sdlEvent);
  switch (event.type) {
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        if (OnClose) {
          OnClose();
        } else {
          RequestTerminate();
        }
      } else if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
        if (paintBox_.OnMouseLeave) paintBox_.OnMouseLeave();
      } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                 event.window.event == SDL_WINDOWEVENT_SHOWN ||
                 event.window.event == SDL_WINDOWEVENT_RESTORED ||
                 event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        // Uncovered, mapped again, restored or resized: whatever the window
        // showed is gone.
        Repaint();
      }
      break;
    case SDL_KEYDOWN: {
      TKey key;
      if (KeyOf(event.key.keysym.sym, event.key.keysym.mod, key))
        KeyDown(key, event.key.repeat != 0);
      break;
    }
    case SDL_MOUSEBUTTONDOWN: {
      if (!paintBox_.OnMouseDown) break;
      // The renderer has mapped the position to canvas pixels; the black
      // bars around an enlarged picture are not the game's.
      if (!InsidePaintBox(event.button.x, event.button.y)) break;
      const Uint8 b = event.button.button;
      if (b != SDL_BUTTON_LEFT && b != SDL_BUTTON_RIGHT && b != SDL_BUTTON_MIDDLE) break;
      const TMouseButton button = b == SDL_BUTTON_LEFT    ? TMouseButton::Left
                                  : b == SDL_BUTTON_RIGHT ? TMouseButton::Right
                                                          : TMouseButton::Middle;
      paintBox_.OnMouseDown(button, event.button.x, event.button.y);
      break;
    }
    case SDL_MOUSEMOTION:
      // On the black bars around an enlarged picture (or outside the window
      // while a button is held) the pointer is off the game's screen.
      if (!InsidePaintBox(event.motion.x, event.motion.y)) {
        if (paintBox_.OnMouseLeave) paintBox_.OnMouseLeave();
        break;
      }
      if (paintBox_.OnMouseMove) paintBox_.OnMouseMove(event.motion.x, event.motion.y);
      break;
    default:
      break;
  }
}

bool TBromForm::PumpMessages() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  // Controllers are a second keyboard: their presses go to the window that
  // has the keyboard's focus (or the first, when none has it).
  OpenGamepads();
  SDL_Event event;
  bool any = false;
  while (SDL_PollEvent(&event) != 0) {
    any = true;
    if (event.type == SDL_QUIT) {
      RequestTerminate();
      continue;
    }
    if (TKey padKey; GamepadKey(&event, padKey)) {
      if (TBromForm* form = KeyboardForm()) form->KeyDown(padKey, false);
      continue;
    }
    Uint32 id = 0;
    switch (event.type) {
      case SDL_WINDOWEVENT:
        id = event.window.windowID;
        break;
      case SDL_MOUSEBUTTONDOWN:
        id = event.button.windowID;
        break;
      case SDL_MOUSEMOTION:
        id = event.motion.windowID;
        break;
      case SDL_KEYDOWN:
        id = event.key.windowID;
        break;
      default:
        continue;
    }
    const auto found = Forms().find(id);
    if (found != Forms().end()) found->second->Dispatch(&event);
  }
  return any;
}

void TBromForm::RunMessageLoop(TBromTimer& timer) {
  while (!TerminateRequested() && !timer.Stopping()) {
    if (timer.Started()) {
      timer.Run();
      continue;
    }
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
      SDL_WaitEventTimeout(nullptr, 100);
    } else {
      SDL_Delay(10);
    }
    PumpMessages();
  }
}
