// Quillmoor: the program's entry. Creates the application and its one window,
// then runs the program's message loop until the window is closed.
#include <cstdio>
#include <exception>

#include "present/App.h"
#include "present/Form.h"
#include "present/Timer.h"
#include "present/Wave.h"

int main() {
  // Fault messages go to a message box, sounds to the audio device (silent
  // when there is none).
  SetMessageSink(&WindowMessageSink());
  TMixerWavePlayer sound;
  sound.Open();
  TBromWave::SetPlayer(&sound);
  TBromWave::Stop();
  int exitCode = 0;
  try {
    TBromForm form(ApplicationTitle());
    form.SetClientSize(600, 450);
    form.CenterOnScreen();
    TBromTimer::Start();
    form.Show();
    TBromForm::RunMessageLoop();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Quillmoor: %s\n", e.what());
    exitCode = 1;
  }
  // No sound outlives the program.
  TBromWave::Stop();
  TBromWave::SetPlayer(nullptr);
  TBromTimer::Clear();
  return exitCode;
}
