// The real program on a real X server: Xvfb runs without a screen, xdotool
// finds and clicks the window as a person would, ImageMagick reads the
// window's pixels back, and the window is closed as a window manager's close
// button closes it. The program must show the title, go to hero making on a
// click and end cleanly when its window is closed.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "present/Bitmap.h"
#include "tests/TestSupport.h"

namespace {

// A command's output without its trailing line break and spaces.
std::string Shell(const std::string& command, int& status) {
  std::string out = RunCommand(command, status);
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

// Starts a program in the background with its own process group; returns its
// process id.
pid_t Spawn(const std::string& command) {
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

// Waits up to `seconds` for the process to end; its exit status, or -1.
int WaitFor(pid_t pid, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) == pid) return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return -2;
}

// The window's pixels as RGB bytes (width x height x 3).
std::string Capture(const std::string& display, const std::string& window) {
  int status = -1;
  const std::string file = MakeTempFolder() + "/shot.rgb";
  Shell("DISPLAY=" + display + " import -window " + window + " -depth 8 rgb:" + file, status);
  return status == 0 ? ReadWholeFile(file) : std::string();
}

struct TRgb {
  int R, G, B;
};
TRgb At(const std::string& rgb, int x, int y) {
  const std::size_t i = 3 * (static_cast<std::size_t>(y) * 600 + x);
  return TRgb{static_cast<unsigned char>(rgb[i]), static_cast<unsigned char>(rgb[i + 1]),
              static_cast<unsigned char>(rgb[i + 2])};
}

}  // namespace

TEST(RealWindow, TitleClickHeroMakingAndACleanCloseUnderXvfb) {
  int status = -1;
  ASSERT_FALSE(Shell("command -v Xvfb", status).empty()) << "Xvfb is not installed";
  ASSERT_FALSE(Shell("command -v xdotool", status).empty()) << "xdotool is not installed";
  // 1. A display of our own.
  int number = 90;
  while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
         std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock")) {
    ++number;
  }
  const std::string display = ":" + std::to_string(number);
  const pid_t server = Spawn("exec Xvfb " + display + " -screen 0 800x600x24 -nolisten tcp");
  for (int i = 0; i < 200 && !std::filesystem::exists("/tmp/.X11-unix/X" + display.substr(1));
       ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  // 2. The game, from the source folder that holds dat/.
  const pid_t game =
      Spawn("cd " + SourcePath("") + " && DISPLAY=" + display +
            " SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy" +
            // Under the sanitizers: the X11 stack (D-Bus, the GL
            // loader) keeps memory to the end; the game's own leaks
            // are checked by every other test.
            " ASAN_OPTIONS=detect_leaks=0:halt_on_error=1 exec " + QUILLMOOR_GAME_PATH);
  const std::string window = Shell(
      "DISPLAY=" + display + " timeout 30 xdotool search --sync --onlyvisible --name Quillmoor",
      status);
  EXPECT_FALSE(window.empty()) << "no window appeared";
  if (!window.empty()) {
    // 3. Its size and caption.
    const std::string geometry =
        Shell("DISPLAY=" + display + " xdotool getwindowgeometry " + window, status);
    EXPECT_NE(geometry.find("Geometry: 600x450"), std::string::npos) << geometry;
    EXPECT_EQ(Shell("DISPLAY=" + display + " xdotool getwindowname " + window, status),
              "Quillmoor");
    // 4. The title picture, exactly as the file holds it.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::string title = Capture(display, window);
    ASSERT_EQ(title.size(), 600u * 450u * 3u);
    TBromBitmap picture;
    picture.LoadImage("dat\\title.bmp");
    for (const auto& [x, y] : {std::pair{10, 10}, std::pair{300, 225}, std::pair{590, 440}}) {
      const TPixelColor want = picture.Pixel(x, y);
      const TRgb got = At(title, x, y);
      EXPECT_EQ(got.R, want.Red) << x << "," << y;
      EXPECT_EQ(got.G, want.Green) << x << "," << y;
      EXPECT_EQ(got.B, want.Blue) << x << "," << y;
    }
    // 5. A click on the title: hero making, whose stat buttons are lightened.
    Shell("DISPLAY=" + display + " xdotool mousemove --window " + window +
              " 300 200 click --window " + window + " 1",
          status);
    // The screen goes black while the roster loads, then shows hero making.
    std::string making;
    TRgb corner{0, 0, 0};
    for (int i = 0; i < 100; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      making = Capture(display, window);
      if (making.size() != title.size()) continue;
      corner = At(making, 310, 38);  // inside the HP button, off its caption
      if (corner.R >= 128 && corner.G >= 128 && corner.B >= 128) break;
    }
    ASSERT_EQ(making.size(), title.size());
    EXPECT_NE(making, title) << "the screen did not change after the click";
    EXPECT_GE(corner.R, 128);
    EXPECT_GE(corner.G, 128);
    EXPECT_GE(corner.B, 128);
    // 6. Closed as a window manager would: the program ends cleanly.
    Shell("DISPLAY=" + display + " python3 " + SourcePath("tools/x11-close.py") + " " + window,
          status);
    EXPECT_EQ(WaitFor(game, 20), 0) << "the program did not end cleanly";
  }
  kill(-game, SIGKILL);
  WaitFor(game, 1);
  kill(-server, SIGTERM);
  WaitFor(server, 5);
}
