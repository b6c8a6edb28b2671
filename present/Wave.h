// Design unit: BromWave.
// Sound cues: short wave files played one at a time and never waited for.
// Starting a sound cuts off the one playing. Playback goes through a player
// given to the cues once, when they are made: the game's entry gives the
// sound device's; tests and the lab give a silent one or a recorder. A
// missing or unreadable file is silent.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Cues are short: a file larger than this is not read (it plays nothing).
inline constexpr std::int64_t MaxSoundFileBytes = std::int64_t{16} << 20;

// The sound device plays 16-bit stereo at this rate; every cue is converted
// to that before it plays.
inline constexpr int SoundDeviceRate = 44100;
inline constexpr int SoundDeviceFrameBytes = 4;
// The sample rates a cue may have. Far below, the mixer's conversion to the
// device's rate multiplies the sound (a 64 KB file at 1 Hz became 1.7 GB);
// far above, nothing is heard that the device could play.
inline constexpr int MinSoundRate = 4000;
inline constexpr int MaxSoundRate = 192000;
// A cue decoded at its own rate, and again converted to the device's format,
// is at most this large: 16 MB, about 95 seconds of sound on the device, far
// beyond any cue. A larger one is refused from its header, before it is
// decoded.
inline constexpr std::int64_t MaxSoundDecodedBytes = std::int64_t{16} << 20;
// The sound budget: the decoded cues kept for their next play take at most
// this much together, the least recently played dropped first. Converting
// one cue holds at most its decoded and its converted sound at once, within
// the same amount.
inline constexpr std::int64_t MaxHeldSoundBytes = std::int64_t{32} << 20;

// One chunk of a RIFF file: its four-letter id, where its data begins, the
// size its header claims and how many bytes after the header the file holds.
struct TRiffChunk {
  std::string_view Id;
  std::size_t DataAt = 0;
  std::uint32_t Claimed = 0;
  std::size_t Held = 0;
};
// The chunks after the 12-byte header ("RIFF", a size, the form type), in
// order, each starting on an even offset; the last may claim more than the
// file holds.
std::vector<TRiffChunk> RiffChunks(std::string_view bytes);

// Why the bytes of a file cannot be played as a cue, in English (the lab
// shows it); "" when they can. A cue is a RIFF WAVE file whose "fmt " chunk
// comes before its "data" chunk and names a format the mixer reads (PCM,
// IEEE float, A-law, mu-law, MS or IMA ADPCM, plain or in the extensible
// form), 1 or 2 channels and a rate within MinSoundRate..MaxSoundRate, and
// whose sound, decoded and converted for the device, is at most
// MaxSoundDecodedBytes.
// The sound is what the data chunk holds: one that claims more than the file
// holds plays the part that is there.
std::string WaveFault(std::string_view bytes);
// Why the file behind a program path plays as silence, or "" when it plays:
// read as the player reads it (at most MaxSoundFileBytes, only a regular
// file), judged by WaveFault, then decoded and converted for the device by
// the same code as the player's, so that a file the decoder refuses (16-bit
// float, 64-bit float, a broken ADPCM header) is named too.
std::string SoundFileFault(std::string_view programPath);

class TWavePlayer {
 public:
  virtual ~TWavePlayer() = default;
  // Starts the wave file at the program path ("dat\\ガソ.wav"), cutting off
  // any sound that is playing.
  virtual void Play(std::string_view programPath, bool loop) = 0;
  // Stops any sound.
  virtual void Stop() = 0;
};

// A player that plays nothing.
TWavePlayer& SilentWavePlayer();

// The game's sounds, played by the player given at creation (which outlives
// them), and whether they are muted.
class TBromWave {
 public:
  explicit TBromWave(TWavePlayer& player) : player_(player) {}
  void Play(std::string_view programPath, bool loop = false);
  void Stop();
  TWavePlayer& Player() { return player_; }
  // Every sound off (the game's cues and the story's waves alike) or on
  // again. Muting stops the sound playing; while muted, Play does nothing
  // and the player is not asked. Starts unmuted.
  void SetMuted(bool muted);
  bool Muted() const { return muted_; }

 private:
  TWavePlayer& player_;
  bool muted_ = false;
};

// The sound device's player (SDL2_mixer). It has one channel, so a new sound
// cuts off the one playing. Until it is opened, and whenever no audio device
// can be opened at all, it stays silent; a file that is missing, not a
// regular file, or that SoundFileFault's checks refuse is silent too, and
// is never given to the mixer. Each play looks at the file's size and time
// of change: decoded cues are kept for their next play within
// MaxHeldSoundBytes, the least recently played dropped first; a cue whose
// file changed is read again; a refused file is not read again while its
// size and time of change stay the same.
class TMixerWavePlayer : public TWavePlayer {
 public:
  TMixerWavePlayer();
  ~TMixerWavePlayer() override;  // stops any sound and closes the device
  TMixerWavePlayer(const TMixerWavePlayer&) = delete;
  TMixerWavePlayer& operator=(const TMixerWavePlayer&) = delete;

  // Opens the audio device; false (and silence) when there is none.
  bool Open();
  void Close();
  bool IsOpen() const;
  void Play(std::string_view programPath, bool loop) override;
  void Stop() override;
  // Stops any sound and frees the decoded sounds kept: the next Play of each
  // file reads it again, as it is now on disk.
  void Forget();
  // The program path of the sound playing now; "" when none is.
  std::string Playing() const;
  // How many sounds are playing now (never more than one).
  int SoundsPlaying() const;
  // The decoded cues kept, and the bytes they take.
  int HeldSounds() const;
  std::int64_t HeldBytes() const;

 private:
  struct TDevice;
  std::unique_ptr<TDevice> device_;
};
