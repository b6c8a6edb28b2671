// Quillmoor: the program's entry. Creates the application and its one window,
// then runs the program's message loop until the window is closed or the
// program is asked to end.
//
// Usage: quillmoor [--scale N]   (N = 1 to 4: the 600 x 450 screen shown N
// times as large, with sharp pixels). F11 toggles full screen.
//
// A fault the program cannot go on from (a picture of the screens missing or
// of the wrong size, a case that cannot occur in a sound program) is shown in
// a message box captioned with the program's title, and the program ends with
// a non-zero exit status. So does a broken roster, which its loader shows.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "data/Roster.h"
#include "flow/FormMain.h"
#include "flow/TournamentFlow.h"
#include "present/App.h"
#include "present/Bitmap.h"
#include "present/Form.h"
#include "present/Timer.h"
#include "present/Wave.h"
#include "rules/InternalError.h"

namespace {

constexpr int ExitFault = 1;
constexpr int ExitUsage = 2;

void PrintUsage() {
  std::fputs("usage: quillmoor [--scale N]   (N = 1 to 4)\n", stderr);
}

// Reads the command line; false when it holds something the program does not
// know.
bool ParseArguments(int argc, char** argv, int& scale) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) {
      const std::string value = argv[++i];
      if (value.size() != 1 || value[0] < '1' || value[0] > '4') return false;
      scale = value[0] - '0';
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int scale = 1;
  if (!ParseArguments(argc, argv, scale)) {
    PrintUsage();
    return ExitUsage;
  }
  TBromForm::SetDisplayScale(scale);
  // Fault messages go to a message box, sounds to the audio device (silent
  // when there is none).
  SetMessageSink(&WindowMessageSink());
  TMixerWavePlayer sound;
  sound.Open();
  TBromWave::SetPlayer(&sound);
  TBromWave::Stop();
  int exitCode = 0;
  try {
    TFormMain form;
    form.Show();
    TBromForm::RunMessageLoop();
    // A broken roster has been shown; the run did not succeed.
    if (LoadFailed()) exitCode = ExitFault;
  } catch (const TInternalError& e) {
    ShowMessageBox(ApplicationTitle(), e.what());
    exitCode = ExitFault;
  } catch (const TImageError& e) {
    ShowMessageBox(ApplicationTitle(), e.what());
    exitCode = ExitFault;
  } catch (const std::exception& e) {
    // The window system cannot be used: there is no box to show it in.
    std::fprintf(stderr, "%s: %s\n", ApplicationTitle(), e.what());
    exitCode = ExitFault;
  }
  // No sound outlives the program.
  TBromWave::Stop();
  TBromWave::SetPlayer(nullptr);
  TBromTimer::Clear();
  return exitCode;
}
