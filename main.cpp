// Quillmoor: the program's entry. Reads the command line, connects to the
// display, finds the data folder, creates the application and its one window,
// then runs the program's message loop until the window is closed or the
// program is asked to end.
//
// A fault the program cannot go on from (a picture of the screens missing or
// of the wrong size, a case that cannot occur in a sound program) is shown in
// a message box captioned with the program's title, and on standard error,
// and the program ends with a non-zero exit status. So does a broken roster,
// which its loader shows, and data that cannot be found at all. SIGTERM,
// SIGINT and SIGHUP end it promptly in every state, ended by that signal (a
// shell reports 128 + its number).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "data/Roster.h"
#include "flow/FormMain.h"
#include "present/App.h"
#include "present/Bitmap.h"
#include "present/DataLookup.h"
#include "present/Form.h"
#include "present/Gamepad.h"
#include "present/Path.h"
#include "present/Signals.h"
#include "present/Timer.h"
#include "present/Wave.h"
#include "rules/InternalError.h"

namespace {

constexpr int ExitFault = 1;
constexpr int ExitUsage = 2;
// --scale auto: the largest factor that fits.
constexpr int ScaleAuto = 0;

const char* const Usage =
    "usage: quillmoor [--scale N|auto] [--gl] [--mute] [--data DIR]\n"
    "       quillmoor --help | --version\n"
    "\n"
    "A sword tournament: make a hero from ten bonus points and fight through a\n"
    "knockout of 32 entrants. All text in the game is Japanese.\n"
    "\n"
    "Options (a value may also be given as --scale=2):\n"
    "  --scale N     show the 600 x 450 window N times as large (N = 1 to 4), pixels\n"
    "                kept sharp; held to the largest factor that fits the screen\n"
    "  --scale auto  the largest factor that fits the screen\n"
    "  --gl          draw through OpenGL instead of the software renderer\n"
    "  --mute        start with every sound off (M turns them on)\n"
    "  --data DIR    read the data from DIR, the folder that holds dat (or dat itself)\n"
    "  -h, --help    print this and end\n"
    "  --version     print the version and end\n"
    "\n"
    "Mouse, keys and game controllers (each key does what a click or the pointer\n"
    "does on the screen shown, so every rule holds):\n"
    "  left button   everything in the game: choose, place, start, go on\n"
    "  Space, Enter, Right arrow\n"
    "                the screen's main click: start at the title, the next story\n"
    "                page, the battle's next line (held: at the log's pace),\n"
    "                back from an entrant's view, START on the board (while your\n"
    "                hero has points to spend, the build change); in hero making,\n"
    "                the place the focus rests on\n"
    "  arrows, Tab, Shift+Tab\n"
    "                hero making: move the focus (shown as under the pointer)\n"
    "  Esc           close the story, back from an entrant's view, SKIP a battle\n"
    "  S             on a match without your hero: the round's rival matches to\n"
    "                their verdicts, up to your hero's match or the board\n"
    "  H             on the board: your hero's panel\n"
    "  F1            the help page over any screen (any key or click closes it)\n"
    "  M             every sound off and on again (the caption says when off)\n"
    "  F2            a new tournament, once this one is over or your hero is out\n"
    "  F11           full screen on and off (the picture enlarged on black)\n"
    "  controller    d-pad and left stick: arrows; A, Start: Space; B: Esc; X: S;\n"
    "                Y: M; Back: F2; left shoulder: F1; right shoulder: H\n"
    "  Closing the window ends the game.\n"
    "\n"
    "The data (the folder dat, holding at least swordia.txt and title.bmp) is\n"
    "looked for in the folder --data names, else in the working folder, then in\n"
    "the folder QUILLMOOR_DATA names, then in share/quillmoor of the installation.\n"
    "Exit status: 0 fine, 1 a fault was shown, 2 bad usage.\n";

// Bad usage: one line naming the problem, and where the usage is.
void PrintUsageError(const std::string& why) {
  std::fprintf(stderr, "quillmoor: %s (see quillmoor --help)\n", why.c_str());
}

struct TArguments {
  int Scale = 1;
  bool Gl = false;
  bool Help = false;
  bool Version = false;
  bool Mute = false;
  std::string Data;
};

// Reads the command line; false (with a message) when it holds something the
// program does not know. An option's value follows it, or is joined to it by
// '=' ("--scale=2").
bool ParseArguments(int argc, char** argv, TArguments& args) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    std::string value;
    bool joined = false;
    if (const std::size_t eq = a.find('='); a.starts_with("--") && eq != std::string::npos) {
      value = a.substr(eq + 1);
      a.resize(eq);
      joined = true;
    }
    const bool takesValue = a == "--scale" || a == "--data";
    if (joined && !takesValue) {
      PrintUsageError(a + " takes no value");
      return false;
    }
    if (takesValue && !joined) {
      if (i + 1 >= argc) {
        PrintUsageError(a == "--scale" ? "--scale needs a factor: 1 to 4, or auto"
                                       : "--data needs a folder");
        return false;
      }
      value = argv[++i];
    }
    if (a == "--help" || a == "-h") {
      args.Help = true;
    } else if (a == "--version") {
      args.Version = true;
    } else if (a == "--gl") {
      args.Gl = true;
    } else if (a == "--mute") {
      args.Mute = true;
    } else if (a == "--data") {
      if (value.empty()) {
        PrintUsageError("--data needs a folder");
        return false;
      }
      args.Data = value;
    } else if (a == "--scale") {
      if (value == "auto") {
        args.Scale = ScaleAuto;
      } else if (value.size() == 1 && value[0] >= '1' && value[0] <= '4') {
        args.Scale = value[0] - '0';
      } else {
        PrintUsageError("--scale takes 1 to 4, or auto, not '" + value + "'");
        return false;
      }
    } else {
      PrintUsageError("unknown argument '" + a + "'");
      return false;
    }
  }
  return true;
}

// The scale the window is made at: the one asked for, held to what fits the
// screen's usable area (said on standard error when it is held).
int ScaleThatFits(int requested) {
  int width = 0;
  int height = 0;
  if (!TBromForm::UsableDisplayArea(width, height)) return requested == ScaleAuto ? 1 : requested;
  const int fits = TBromForm::FittingScale(requested, width, height);
  if (requested != ScaleAuto && fits < requested) {
    std::fprintf(stderr,
                 "quillmoor: --scale %d does not fit the screen's usable area (%d x %d); "
                 "using %d\n",
                 requested, width, height, fits);
  }
  return fits;
}

// The window's icon, from the data folder; a game without it still plays.
void SetWindowIcon(TBromForm& form) {
  try {
    TBromBitmap icon;
    icon.LoadBmp("dat\\icon.bmp", 256, 256);
    form.SetIcon(icon);
  } catch (const TImageError&) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything starts a thread.
  EndOnSignals();
  // 1. The command line.
  TArguments args;
  if (!ParseArguments(argc, argv, args)) return ExitUsage;
  if (args.Help) {
    std::fputs(Usage, stdout);
    return 0;
  }
  if (args.Version) {
    std::printf("quillmoor %s\n", QUILLMOOR_VERSION);
    return 0;
  }
  // 2. The display: without one there is nothing to play on, and nothing
  // else (not even the sound device) is touched.
  TBromForm::SetAcceleratedRenderer(args.Gl);
  try {
    TBromForm::OpenDisplay();
  } catch (const TNoDisplayError& e) {
    std::fprintf(stderr, "quillmoor: %s\n", e.what());
    return ExitFault;
  }
  TBromForm::SetDisplayScale(ScaleThatFits(args.Scale));
  // 3. Fault messages go to a message box (and standard error), before the
  // window, in it and after it; then the data folder becomes the working
  // folder.
  TMessageSink& messages = WindowMessageSink();
  std::vector<TDataCandidate> lookedIn;
  if (!EnterDataFolder(args.Data, lookedIn)) {
    ShowSystemMessage(NoDataFolderMessage(lookedIn));
    TBromForm::CloseDisplay();
    return ExitFault;
  }
  // 4. Sounds go to the audio device (silent when there is none), through
  // the window, which mutes them when asked to.
  TMixerWavePlayer sound;
  sound.Open();
  sound.Stop();
  int exitCode = 0;
  try {
    TFormMain form({messages, sound, SystemTimerHost()});
    form.SetMuted(args.Mute);
    SetWindowIcon(form.Form());
    form.Form().Show();
    form.Run();
    // A broken roster has been shown; the run did not succeed.
    if (form.Game().LoadFailed) exitCode = ExitFault;
  } catch (const TInternalError& e) {
    messages.Show(ApplicationTitle(), e.what());
    exitCode = ExitFault;
  } catch (const TImageError& e) {
    messages.Show(ApplicationTitle(), e.what());
    exitCode = ExitFault;
  } catch (const TDataFileError& e) {
    // A screen's picture the game cannot do without.
    messages.Show(ApplicationTitle(), e.what());
    exitCode = ExitFault;
  } catch (const std::exception& e) {
    // The window system cannot be used: there is no box to show it in.
    std::fprintf(stderr, "%s: %s\n", ApplicationTitle(), e.what());
    exitCode = ExitFault;
  }
  // No sound outlives the program; the controllers are let go.
  sound.Stop();
  CloseGamepads();
  TBromForm::CloseDisplay();
  // Asked to end by a signal: ended by it, whatever else happened.
  EndBySignal();
  return exitCode;
}
