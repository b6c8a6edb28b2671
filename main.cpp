// Quillmoor: the program's entry. Creates the application and its one window,
// then runs the program's message loop until the window is closed.
#include <cstdio>
#include <exception>

#include "present/BromApp.h"
#include "present/BromForm.h"
#include "present/BromTimer.h"

int main() {
  try {
    TBromForm form(ApplicationTitle());
    form.SetClientSize(600, 450);
    form.CenterOnScreen();
    TBromTimer::Start();
    form.Show();
    TBromForm::RunMessageLoop();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Quillmoor: %s\n", e.what());
    return 1;
  }
  return 0;
}
