// A whole game as the autoplayer plays it headless (`quillmoor-lab play
// --seed 1 --auto` on SDL's dummy drivers, run from the source tree): hero
// making, every match shown click by click, every growth between rounds and
// the champion's board. The game runs as its own process; the time reported
// is that process's processor time (user and system), not the wall clock,
// so other work on the machine does not count.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

namespace {

double ProcessorSeconds(const rusage& u) {
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the lab's autoplayed game once, its output thrown away; the
// processor time it took, or a negative number when it did not end well.
double PlayOneGame() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  char lab[] = QUILLMOOR_LAB_PATH;
  char play[] = "play", seed[] = "--seed", one[] = "1", autoplay[] = "--auto";
  char* argv[] = {lab, play, seed, one, autoplay, nullptr};
  pid_t child = 0;
  const int failed = posix_spawn(&child, lab, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return -1;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return -1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return ProcessorSeconds(usage);
}

void BM_AutoplayedGame(benchmark::State& state) {
  for (auto _ : state) {
    const double seconds = PlayOneGame();
    if (seconds < 0) {
      state.SkipWithError("quillmoor-lab play failed: run from the source tree");
      return;
    }
    state.SetIterationTime(seconds);
  }
}
BENCHMARK(BM_AutoplayedGame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
