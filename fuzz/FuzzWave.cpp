// Fuzz harness: sound cues. Each input is played as a cue on the mixer (SDL's
// dummy audio driver, unless another is asked for): it must play or stay
// silent, one sound at most.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzInput.h"
#include "present/Wave.h"

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  TMixerWavePlayer player;
  if (!player.Open()) FuzzFailure("the mixer cannot be opened");
  FuzzEachInput(argc, argv, [&player](const std::string& path) {
    // The player keeps what it decoded by path, and each input comes under
    // the same path: it must read the file again.
    player.Forget();
    player.Play(path, false);
    if (player.SoundsPlaying() > 1) FuzzFailure("more than one sound");
    if (!player.Playing().empty() && player.Playing() != path) FuzzFailure("another sound plays");
    std::fprintf(stderr, "%s\n", player.Playing().empty() ? "silent" : "playing");
  });
  // Closing the device waits for the mixer's next block (tens of
  // milliseconds): the process ends without it.
  FuzzQuickExit();
}
