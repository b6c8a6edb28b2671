// The real program on a real X server: Xvfb runs without a screen, xdotool
// finds and clicks the window and types as a person would, ImageMagick reads
// the window's pixels back, and the window is closed as a window manager's
// close button closes it. The program must show the title, go to hero making
// on a click, bring hero making's panel back when the pointer leaves the
// window over the hero's portrait, turn a story page and step a battle with
// Space, silence every sound with M, and end cleanly when its window is
// closed. The sound device is SDL's disk driver, which writes what it plays to
// a file: a cue heard is bytes other than zero there.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

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

// Ends a spawned process's group when the test leaves its scope, however it
// leaves it: a failed assertion must not leave a server or a game behind, for
// CTest waits for their output to close.
struct TSpawnedGroup {
  pid_t Pid;
  ~TSpawnedGroup() {
    int raw = 0;
    if (Pid > 0 && waitpid(Pid, &raw, WNOHANG) == 0) {
      kill(-Pid, SIGKILL);
      waitpid(Pid, &raw, 0);
    }
  }
};

// Starts an Xvfb on a display it picks itself (the first whose socket and lock
// it can take, so a lock left behind by a killed server is passed over);
// returns ":N" once the server is ready, or "" when none came up in thirty
// seconds (a cold, loaded machine can take several). `server` is its pid.
std::string StartXvfb(pid_t& server) {
  const std::string ready = MakeTempFolder() + "/display";
  server = Spawn("exec Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3> " + ready +
                 " > /dev/null 2>&1");
  for (int i = 0; i < 600; ++i) {
    const std::string number = std::filesystem::exists(ready) ? ReadWholeFile(ready) : "";
    if (!number.empty() && number.back() == '\n') return ":" + number.substr(0, number.size() - 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return "";
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

TEST(RealWindow, TitleMakingThePointerLeavingKeysMuteAndACleanCloseUnderXvfb) {
  int status = -1;
  ASSERT_FALSE(Shell("command -v Xvfb", status).empty()) << "Xvfb is not installed";
  ASSERT_FALSE(Shell("command -v xdotool", status).empty()) << "xdotool is not installed";
  // 1. A display of our own.
  pid_t server = 0;
  const std::string display = StartXvfb(server);
  const TSpawnedGroup serverGroup{server};
  ASSERT_FALSE(display.empty()) << "Xvfb did not start";
  // 2. The game, from the source folder that holds dat/.
  const std::string sound = MakeTempFolder() + "/sound.raw";
  const pid_t game =
      Spawn("cd " + SourcePath("") + " && DISPLAY=" + display +
            " SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=" + sound +
            // Under the sanitizers: the X11 stack (D-Bus, the GL
            // loader) keeps memory to the end; the game's own leaks
            // are checked by every other test.
            " ASAN_OPTIONS=detect_leaks=0:halt_on_error=1 exec " + QUILLMOOR_GAME_PATH);
  const TSpawnedGroup gameGroup{game};
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
    // Each step below is given time to be drawn and heard; whether it was
    // heard is whether the sound written meanwhile holds more than silence.
    const std::string x = "DISPLAY=" + display + " xdotool ", to = " --window " + window;
    const auto act = [&](const std::string& what) {
      const std::size_t from = ReadWholeFile(sound).size();
      Shell(x + what + " && sleep 0.8", status);
      return ReadWholeFile(sound).substr(from).find_first_not_of('\0') != std::string::npos;
    };
    // 6. Out of the window (the window is centred on the screen), over the
    // portrait, and out again to the left: the panel comes back.
    act("mousemove 20 225");
    const std::string panel = Capture(display, window);
    act("mousemove" + to + " 5 150");
    EXPECT_TRUE(Capture(display, window) != panel) << "the portrait shows out of the window";
    act("mousemove 20 225");
    EXPECT_TRUE(Capture(display, window) == panel) << "the panel did not come back";
    // 7. A hero (the golden game's clicks), its prologue, a page turned.
    std::string clicks;
    for (const char* at : {"322 84", "450 84", "340 48", "340 48", "340 48", "340 48", "340 48",
                           "486 48", "486 48", "486 48", "523 280"}) {
      clicks += "mousemove" + to + " " + at + " click" + to + " 1 ";
    }
    act(clicks + "mousemove 20 225");
    const std::string page = Capture(display, window);
    act("key" + to + " space");
    EXPECT_TRUE(Capture(display, window) != page) << "Space turned no page";
    // 8. Esc closes the story with the transition cue; once M has muted every
    // sound, START's cue is silent, and Space steps the battle's log.
    EXPECT_TRUE(act("key" + to + " Escape")) << "no cue was heard";
    act("key" + to + " m");
    EXPECT_FALSE(act("key" + to + " space")) << "a muted cue was heard";
    const std::string battle = Capture(display, window);
    EXPECT_FALSE(act("key" + to + " space"));
    EXPECT_TRUE(Capture(display, window) != battle) << "Space stepped no line";
    // 9. Closed as a window manager would: the program ends cleanly.
    Shell("DISPLAY=" + display + " python3 " + SourcePath("tools/x11-close.py") + " " + window,
          status);
    EXPECT_EQ(WaitFor(game, 20), 0) << "the program did not end cleanly";
  }
  kill(-game, SIGKILL);
  WaitFor(game, 1);
  kill(-server, SIGTERM);
  WaitFor(server, 5);
}

// Ending by a signal ------------------------------------------------------------
// SIGTERM ends the real game at once whatever it is doing: waiting at the
// title, playing a battle's log on its timer, or waiting for the OK of a fault
// message box (a process of its own, the game's child), which goes with it.
// A shell reports 143 (128 + 15).

TEST(RealWindowSignals, SigtermAtTheTitleInABattleDuringGrowthAndUnderAMessageBox) {
  int status = -1;
  pid_t server = 0;
  const std::string display = StartXvfb(server);
  const TSpawnedGroup serverGroup{server};
  ASSERT_FALSE(display.empty()) << "Xvfb did not start";
  const std::string x = "DISPLAY=" + display + " ";
  const std::string windows = x + "xdotool search --onlyvisible --name Quillmoor 2> /dev/null";
  // A working folder whose title picture is a folder: a fault message box.
  const std::string broken = MakeTempFolder();
  std::filesystem::create_directories(broken + "/dat/title.bmp");
  // The clicks of the golden game, from the title to its first battle.
  const std::vector<std::pair<int, int>> toBattle = {
      {300, 225}, {322, 84}, {450, 84}, {340, 48}, {340, 48},  {340, 48}, {340, 48},
      {340, 48},  {486, 48}, {486, 48}, {486, 48}, {523, 280}, {555, 20}, {500, 300}};
  for (const char* state : {"the title", "a battle", "the growth", "a message box"}) {
    SCOPED_TRACE(state);
    const bool box = state[2] == 'm';
    const bool growth = state[4] == 'g';
    const pid_t game = Spawn("cd " + (box ? broken : SourcePath("")) + " && " + x +
                             "SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "
                             "ASAN_OPTIONS=detect_leaks=0 exec " +
                             QUILLMOOR_GAME_PATH);
    const TSpawnedGroup gameGroup{game};
    std::string child;
    if (box) {
      // Past the start, when the window system's helpers have come and gone.
      for (int i = 0; i < 400 && child.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(i == 0 ? 1500 : 50));
        child = Shell("pgrep -P " + std::to_string(game), status);
      }
      ASSERT_FALSE(child.empty()) << "no message box";
    } else {
      const std::string window = Shell(x + "timeout 30 xdotool search --sync --onlyvisible "
                                           "--name Quillmoor",
                                       status);
      ASSERT_FALSE(window.empty()) << "no window appeared";
      for (const auto& [cx, cy] : state[2] == 'b' || growth ? toBattle : decltype(toBattle){}) {
        Shell(x + "xdotool mousemove --window " + window + " " + std::to_string(cx) + " " +
                  std::to_string(cy) + " click --window " + window + " 1 && sleep 0.15",
              status);
        // After the title's click, hero making once the roster has loaded
        // (its HP button lightened), however busy the machine.
        for (int i = 0; cx == 300 && i < 300; ++i) {
          const std::string rgb = Capture(display, window);
          if (rgb.size() == 600u * 450 * 3 && At(rgb, 310, 38).R >= 128 &&
              At(rgb, 310, 38).B >= 128) {
            break;
          }
          std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
      }
      // The first round played out: SKIP and the next line in the battles,
      // the next page and the close button in the story, and on the board
      // only empty ground (below START, above the bracket), until the board's
      // footer shows the rivals growing: its bar, near white at the right edge,
      // where no other screen is white at its foot.
      bool growing = false;
      const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(150);
      while (growth && !growing && std::chrono::steady_clock::now() < giveUp) {
        Shell(x + "xdotool mousemove --window " + window +
                  " 560 320 click --repeat 3 --delay 40 1 mousemove --window " + window +
                  " 555 20 click 1 && sleep 0.05",
              status);
        const std::string rgb = Capture(display, window);
        const TRgb foot = rgb.size() == 600u * 450 * 3 ? At(rgb, 596, 440) : TRgb{0, 0, 0};
        growing = foot.R > 224 && foot.G > 224 && foot.B > 224;
      }
      EXPECT_TRUE(growing || !growth) << "the board of the second round never showed its growth";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(growth ? 0 : 500));
    // A five-second watchdog: the game ends in well under half a second.
    const auto start = std::chrono::steady_clock::now();
    kill(game, SIGTERM);
    int raw = 0;
    while (waitpid(game, &raw, WNOHANG) != game &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::printf("[ signal   ] SIGTERM under %s: ended in %lld ms\n", state,
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - start)
                                           .count()));
    EXPECT_TRUE(WIFSIGNALED(raw) && WTERMSIG(raw) == SIGTERM) << "status " << raw;
    EXPECT_EQ(Shell(windows, status), "") << "left on screen";
    if (!child.empty()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      const std::string left = Shell("ps -o stat= -p " + child, status);
      EXPECT_TRUE(left.empty() || left[0] == 'Z') << "the message box lives on: " << left;
    }
    kill(-game, SIGKILL);
  }
  kill(-server, SIGTERM);
  WaitFor(server, 5);
}

// Repainting for the window system --------------------------------------------
// Without a window manager nothing keeps a window's pixels: a window laid over
// the game and taken away, or the game's window unmapped and mapped again (what
// a manager does to minimise and restore), leaves the game to draw its picture
// again, on the title, a story page and a battle waiting for its next click.
// F11 there lays the window over the screen by hand, and F11 again puts it back
// exactly as it was, clicks landing where they did.
TEST(RealWindow, RepaintsWhenUncoveredAndMappedAgainAndF11TwiceWithoutAWindowManager) {
  int status = -1;
  pid_t server = 0;
  const std::string display = StartXvfb(server);
  const TSpawnedGroup serverGroup{server};
  ASSERT_FALSE(display.empty()) << "Xvfb did not start";
  const std::string x = "DISPLAY=" + display + " ";
  const pid_t game = Spawn("cd " + SourcePath("") + " && " + x +
                           "SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "
                           "ASAN_OPTIONS=detect_leaks=0 exec " +
                           QUILLMOOR_GAME_PATH);
  const TSpawnedGroup gameGroup{game};
  const std::string window =
      Shell(x + "timeout 30 xdotool search --sync --onlyvisible --name Quillmoor", status);
  ASSERT_FALSE(window.empty()) << "no window appeared";
  const std::string to = " --window " + window + " ";
  // The window's pixels once two captures a quarter of a second apart agree
  // (the log's glide and the roster's loading over), or "" after ten seconds.
  const auto settled = [&](const std::string& want = "") {
    std::string last;
    for (int i = 0; i < 40; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(250));
      const std::string now = Capture(display, window);
      if (now.size() == 600u * 450 * 3 && (want.empty() ? now == last : now == want)) return now;
      last = now;
    }
    return std::string();
  };
  const std::vector<std::string> clicks = {"300 225", "322 84",  "450 84", "340 48", "340 48",
                                           "340 48",  "340 48",  "340 48", "486 48", "486 48",
                                           "486 48",  "523 280", "555 20", "500 300"};
  std::size_t done = 0;
  for (const std::size_t upTo : {std::size_t{0}, std::size_t{12}, clicks.size()}) {
    for (; done < upTo; ++done) {
      Shell(x + "xdotool mousemove" + to + clicks[done] + " click" + to + "1 && sleep 0.2", status);
      if (done == 0) settled();  // hero making once the roster has loaded
    }
    Shell(x + "xdotool mousemove 5 5", status);  // off the window: no hover
    const std::string want = settled();
    ASSERT_FALSE(want.empty()) << "the screen never settled after click " << upTo;
    Shell(x + "timeout 1 xmessage -geometry 500x400+150+100 covering", status);
    EXPECT_EQ(settled(want), want) << "not repainted when uncovered, after click " << upTo;
    // Unmapped, the window loses the keyboard, which no manager gives back.
    Shell(x + "xdotool windowunmap --sync " + window + " windowmap --sync " + window +
              " windowfocus " + window,
          status);
    EXPECT_EQ(settled(want), want) << "not repainted when mapped again, after click " << upTo;
    if (upTo != 0) continue;
    // F11 (the keys go where the pointer is): the whole 800 x 600 screen, the
    // title centred; F11 again: as before.
    Shell(x + "xdotool mousemove" + to + "300 225 key" + to + "F11 sleep 0.5", status);
    EXPECT_NE(Shell(x + "xdotool getwindowgeometry " + window, status).find("800x600"),
              std::string::npos);
    Shell(x + "xdotool key" + to + "F11 sleep 0.5", status);
    EXPECT_EQ(settled(want), want) << "F11 twice changed the title";
  }
  // The battle's next click still lands: the log moves on.
  const std::string battle = Capture(display, window);
  Shell(x + "xdotool mousemove" + to + "560 320 click" + to + "1 mousemove 5 5", status);
  EXPECT_NE(settled(), battle) << "the click on the battle did nothing";
  kill(-server, SIGTERM);
  WaitFor(server, 5);
}
