#include "present/Signals.h"

#include <SDL.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <ctime>

#include "present/App.h"

namespace {

// How long the game has to come back to its loop and end there before the
// signal ends it where it stands: well within half a second.
constexpr int GraceMilliseconds = 300;

std::atomic<int> endingSignal{0};
pid_t programId = 0;

sigset_t EndingSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  return set;
}

// Ends the process by `signal` with its default action.
[[noreturn]] void Reraise(int signal) {
  std::signal(signal, SIG_DFL);
  sigset_t one;
  sigemptyset(&one);
  sigaddset(&one, signal);
  pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
  raise(signal);
  _exit(128 + signal);  // only if the signal could not end it
}

// In every child process: it ends when the program does. The window
// system's message box is shown by a child that would otherwise stay on
// screen after the program was killed.
void EndWithProgram() {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != programId) _exit(1);  // the program ended while forking
}

void* Watch(void*) {
  // 1. Wait for one of the signals.
  const sigset_t set = EndingSet();
  int signal = 0;
  while (sigwait(&set, &signal) != 0) {
  }
  // 2. Ask the loop to end and wake it, should it wait for an event.
  endingSignal = signal;
  RequestTerminate();
  SDL_Event wake{};
  wake.type = SDL_USEREVENT;
  SDL_PushEvent(&wake);
  // 3. A state that keeps the program away from its loop ends here.
  const timespec grace{0, GraceMilliseconds * 1000000L};
  nanosleep(&grace, nullptr);
  Reraise(signal);
}

}  // namespace

void EndOnSignals() {
  programId = getpid();
  // SDL would turn SIGINT and SIGTERM into a quit event, which ends the game
  // like closing its window (status 0).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  const sigset_t set = EndingSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  pthread_atfork(nullptr, nullptr, EndWithProgram);
  pthread_t watcher;
  if (pthread_create(&watcher, nullptr, Watch, nullptr) == 0) pthread_detach(watcher);
}

int EndingSignal() {
  return endingSignal;
}

void EndBySignal() {
  if (endingSignal != 0) Reraise(endingSignal);
}
