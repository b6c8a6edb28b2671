// Sound cues: short wave files played one at a time and never waited for.
// Starting a sound cuts off the one playing. Playback goes through a pluggable
// player: the game plugs in the sound device's; by default (tests, the lab)
// nothing is heard. A missing or unreadable file is silent.
#pragma once

#include <string>
#include <string_view>

class TWavePlayer {
 public:
  virtual ~TWavePlayer() = default;
  // Starts the wave file at the program path ("dat\\ガソ.wav"), cutting off
  // any sound that is playing.
  virtual void Play(std::string_view programPath, bool loop) = 0;
  // Stops any sound.
  virtual void Stop() = 0;
};

class TBromWave {
 public:
  TBromWave() = delete;
  static void Play(std::string_view programPath, bool loop = false);
  static void Stop();
  // Plugs in a player; nullptr goes back to the silent one.
  static void SetPlayer(TWavePlayer* player);
  static TWavePlayer& Player();
};
