// Sound cues on the mixer (SDL's dummy audio driver plays in real time
// without a sound card): one sound at a time, a new one cuts off the one
// playing, and missing files, broken files or a missing device are silent.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include "present/Wave.h"
#include "tests/TestSupport.h"

namespace {

// A mono 16-bit PCM wave file of `ms` milliseconds of a square tone.
std::string MakeWave(int ms) {
  const int rate = 22050;
  const int samples = rate * ms / 1000;
  const int dataSize = samples * 2;
  std::string out(44 + dataSize, '\0');
  auto put = [&](int at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  out.replace(0, 4, "RIFF");
  put(4, 36 + dataSize, 4);
  out.replace(8, 8, "WAVEfmt ");
  put(16, 16, 4);
  put(20, 1, 2);  // PCM
  put(22, 1, 2);  // mono
  put(24, rate, 4);
  put(28, rate * 2, 4);
  put(32, 2, 2);
  put(34, 16, 2);
  out.replace(36, 4, "data");
  put(40, dataSize, 4);
  for (int i = 0; i < samples; ++i) put(44 + 2 * i, (i / 50) % 2 ? 0x2000 : 0xE000, 2);
  return out;
}

// Makes a wave unplayable (format code 0xFFFF) keeping its size and time of
// change; returns that time (of the last file spoiled, for "").
std::filesystem::file_time_type Spoil(const std::string& disk) {
  static std::filesystem::file_time_type changed;
  if (disk.empty()) return changed;
  changed = std::filesystem::last_write_time(disk);
  std::fstream(disk, std::ios::in | std::ios::out | std::ios::binary)
      .seekp(20)
      .write("\xFF\xFF", 2);
  std::filesystem::last_write_time(disk, changed);
  return changed;
}

// The same length of silence.
std::string MakeSilence(int ms) {
  std::string out = MakeWave(ms);
  std::fill(out.begin() + 44, out.end(), '\0');
  return out;
}

// Listens to what the device is given: how many blocks were mixed and how
// many of them were not silent.
struct TListener {
  std::atomic<int> Blocks{0};
  std::atomic<int> Loud{0};
  static void Hear(void* self, Uint8* stream, int length) {
    auto* listener = static_cast<TListener*>(self);
    bool loud = false;
    for (int i = 0; i < length && !loud; ++i) loud = stream[i] != 0;
    listener->Loud += loud ? 1 : 0;
    ++listener->Blocks;
  }
  void Reset() {
    Blocks = 0;
    Loud = 0;
  }
  // Waits (at most five seconds of real time) until `blocks` blocks were mixed.
  bool WaitFor(int blocks) {
    for (int waited = 0; Blocks < blocks; waited += 5) {
      if (waited > 5000) return false;
      SDL_Delay(5);
    }
    return true;
  }
};

// Watches SDL's allocations while it lives, through SDL's memory functions,
// which pass every call on to the ones in place before.
class TSdlAllocations {
 public:
  TSdlAllocations() {
    SDL_GetMemoryFunctions(&malloc_, &calloc_, &realloc_, &free_);
    largest_ = 0;
    SDL_SetMemoryFunctions(Malloc, Calloc, Realloc, free_);
  }
  ~TSdlAllocations() { SDL_SetMemoryFunctions(malloc_, calloc_, realloc_, free_); }
  TSdlAllocations(const TSdlAllocations&) = delete;
  TSdlAllocations& operator=(const TSdlAllocations&) = delete;
  // The largest size asked for.
  std::size_t Largest() const { return largest_; }

 private:
  static void Note(std::size_t size) {
    std::size_t seen = largest_;
    while (size > seen && !largest_.compare_exchange_weak(seen, size)) {
    }
  }
  static void* Malloc(std::size_t size) {
    Note(size);
    return malloc_(size);
  }
  static void* Calloc(std::size_t count, std::size_t size) {
    Note(count * size);
    return calloc_(count, size);
  }
  static void* Realloc(void* memory, std::size_t size) {
    Note(size);
    return realloc_(memory, size);
  }
  static inline SDL_malloc_func malloc_;
  static inline SDL_calloc_func calloc_;
  static inline SDL_realloc_func realloc_;
  static inline SDL_free_func free_;
  static inline std::atomic<std::size_t> largest_{0};
};

class PlatformWave : public ::testing::Test {
 protected:
  std::string folder = MakeTempFolder();
  // Writes the file under its UTF-8 name; returns the cp932 program path.
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteWholeFile(folder + "/" + U8(name), bytes);
    return folder + "\\" + name;
  }
  // Played on the dummy device unless the environment names another.
  void SetUp() override { SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy"); }
  void TearDown() override { SDL_ResetHint(SDL_HINT_AUDIODRIVER); }
};

}  // namespace

TEST_F(PlatformWave, SecondCueCutsOffTheFirst) {
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  TBromWave wave(player);
  wave.Stop();  // as at start: nothing to stop, no harm
  const std::string first = Write("first.wav", MakeWave(3000));
  const std::string second = Write(Sj("ガソ.wav"), MakeWave(3000));

  wave.Play(first);
  EXPECT_EQ(player.Playing(), first);
  wave.Play(second);
  EXPECT_EQ(player.Playing(), second);
  EXPECT_EQ(player.SoundsPlaying(), 1);
  // Played again from the kept copy.
  wave.Play(first);
  EXPECT_EQ(player.Playing(), first);
  wave.Stop();
  EXPECT_EQ(player.Playing(), "");
  EXPECT_EQ(player.SoundsPlaying(), 0);

  // A looped cue keeps playing until stopped.
  wave.Play(Write("short.wav", MakeWave(20)), true);
  SDL_Delay(150);
  EXPECT_EQ(player.SoundsPlaying(), 1);
  wave.Stop();
}

TEST_F(PlatformWave, WhatTheDeviceHearsIsOnlyTheNewestCue) {
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  TBromWave wave(player);
  TListener listener;
  Mix_SetPostMix(&TListener::Hear, &listener);
  const std::string tone = Write("tone.wav", MakeWave(3000));
  const std::string hush = Write("hush.wav", MakeSilence(3000));

  // A long tone is heard ... (blocks mixed while the files were written, before
  // the tone started, do not count).
  wave.Play(tone);
  listener.Reset();
  ASSERT_TRUE(listener.WaitFor(3));
  EXPECT_GT(listener.Loud, 0);
  // ... until a silent cue replaces it: from then on nothing is heard.
  wave.Play(hush);
  listener.Reset();
  ASSERT_TRUE(listener.WaitFor(3));
  EXPECT_EQ(listener.Loud, 0);
  // A missing file ends the tone just the same, and so does Stop.
  for (int way = 0; way < 2; ++way) {
    wave.Play(tone);
    listener.Reset();
    ASSERT_TRUE(listener.WaitFor(2));
    ASSERT_GT(listener.Loud, 0) << way;
    if (way == 0) wave.Play(folder + "\\gone.wav");
    if (way == 1) wave.Stop();
    listener.Reset();
    ASSERT_TRUE(listener.WaitFor(3));
    EXPECT_EQ(listener.Loud, 0) << way;
  }
  Mix_SetPostMix(nullptr, nullptr);
}

TEST_F(PlatformWave, MissingAndBrokenFilesAreSilent) {
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  TBromWave wave(player);
  const std::string good = Write("good.wav", MakeWave(3000));
  const std::string broken = Write("broken.wav", "RIFF....WAVEnonsense");
  wave.Play(good);
  wave.Play(folder + "\\missing.wav");
  EXPECT_EQ(player.Playing(), "");  // the request still ended the sound before
  wave.Play(good);
  wave.Play(broken);
  EXPECT_EQ(player.SoundsPlaying(), 0);
  wave.Play(good);
  EXPECT_EQ(player.Playing(), good);
  player.Close();
  EXPECT_FALSE(player.IsOpen());
  wave.Play(good);  // closed: silent
  EXPECT_EQ(player.Playing(), "");
}

TEST_F(PlatformWave, FileLargerThanAnyCueIsNotRead) {
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  TBromWave wave(player);
  // A sound wave followed by junk up to just past the limit (sparse: it takes
  // no room on disk). Read whole, it would be held in memory for good.
  const std::string path = Write("padded.wav", MakeWave(3000));
  std::filesystem::resize_file(folder + "/padded.wav", MaxSoundFileBytes + 1);
  wave.Play(path);
  EXPECT_EQ(player.Playing(), "");
  EXPECT_EQ(player.SoundsPlaying(), 0);
  std::filesystem::remove(folder + "/padded.wav");
}

TEST_F(PlatformWave, AChunkClaimingMoreThanTheFileHoldsReservesNoMore) {
  // A second of sound whose data chunk claims nearly 4 GiB: the mixer's
  // reader would reserve the claim. What is there plays.
  std::string claiming = MakeWave(1000);
  claiming.replace(40, 4, "\xF0\xFF\xFF\xEF");
  const std::string path = Write("claiming.wav", claiming);
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  TSdlAllocations allocations;
  player.Play(path, false);
  EXPECT_EQ(player.Playing(), path);
  EXPECT_LT(allocations.Largest(), std::size_t{16} << 20);
}

TEST_F(PlatformWave, NoAudioDeviceMeansSilence) {
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "no-such-driver", SDL_HINT_OVERRIDE);
  TMixerWavePlayer player;
  const bool opened = player.Open();
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  ASSERT_FALSE(opened);
  TBromWave wave(player);
  wave.Play(Write("cue.wav", MakeWave(100)));
  wave.Stop();
  EXPECT_EQ(player.Playing(), "");
  EXPECT_EQ(player.SoundsPlaying(), 0);
}

TEST_F(PlatformWave, OnlyWaveFilesPlayAndForgetReadsFilesAgain) {
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  // An AIFF file: "FORM", its size, "AIFF", the format chunk (stereo, four
  // 16-bit frames at 22050 Hz, the rate an 80-bit float) and the sound.
  std::string aiff = "FORM";
  aiff += std::string("\0\0\0\x3A", 4) + "AIFF";
  aiff += "COMM" + std::string("\0\0\0\x12\0\x02\0\0\0\x04\0\x10", 12);
  aiff += std::string("\x40\x0D\xAC\x44\0\0\0\0\0\0", 10);
  aiff += "SSND" + std::string("\0\0\0\x18", 4) + std::string(8, '\0');
  aiff += std::string(16, '\x30');
  // The mixer itself would decode it; as a cue it is silent.
  Mix_Chunk* decoded = Mix_LoadWAV_RW(SDL_RWFromConstMem(aiff.data(), aiff.size()), 1);
  ASSERT_NE(decoded, nullptr) << Mix_GetError();
  Mix_FreeChunk(decoded);
  player.Play(Write("cue.wav", aiff), false);
  EXPECT_EQ(player.SoundsPlaying(), 0);

  // A cue plays its file as it is now: changed, it is read again; deleted,
  // it is silent.
  const std::string path = Write("kept.wav", MakeWave(3000));
  player.Play(path, false);
  EXPECT_EQ(player.Playing(), path);
  Write("kept.wav", "RIFF....WAVE but no longer a sound");
  player.Play(path, false);
  EXPECT_EQ(player.SoundsPlaying(), 0);
  Write("kept.wav", MakeWave(3000));
  player.Play(path, false);
  EXPECT_EQ(player.Playing(), path);
  std::filesystem::remove(folder + "/kept.wav");
  player.Play(path, false);
  EXPECT_EQ(player.SoundsPlaying(), 0);
  // A refused file is not read again while its size and time of change
  // stay: mended behind the player's back, it stays silent until Forget.
  Write("kept.wav", MakeWave(1000));
  Spoil(folder + "/kept.wav");
  player.Play(path, false);
  Write("kept.wav", MakeWave(1000));  // mended, its time set back
  std::filesystem::last_write_time(folder + "/kept.wav", Spoil(""));
  player.Play(path, false);
  EXPECT_EQ(player.SoundsPlaying(), 0);
  player.Forget();
  player.Play(path, false);
  EXPECT_EQ(player.Playing(), path);
}

TEST_F(PlatformWave, DecodedCuesShareABudgetTheLeastRecentlyPlayedDroppedFirst) {
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  // Each 60 seconds at 22,050 Hz mono is about 10.6 MB on the device, and
  // converting one takes 13 MB: two fit the budget.
  std::vector<std::string> paths;
  for (int i = 0; i < 5; ++i) {
    paths.push_back(Write("long" + std::to_string(i) + ".wav", MakeWave(60000)));
  }
  for (const std::string& p : paths) {
    player.Play(p, false);
    EXPECT_EQ(player.Playing(), p);
    EXPECT_LE(player.HeldBytes(), MaxHeldSoundBytes);
  }
  EXPECT_EQ(player.HeldSounds(), 2);  // the last two
  // Playing 3 again makes 4 the next to go.
  player.Play(paths[3], false);
  player.Play(paths[0], false);
  // Spoiled behind the player's back, size and time kept: a kept cue still
  // plays as it was read, a dropped one is read again and is silent.
  for (const int i : {3, 4}) Spoil(folder + "/long" + std::to_string(i) + ".wav");
  player.Play(paths[3], false);
  EXPECT_EQ(player.Playing(), paths[3]);
  player.Play(paths[4], false);
  EXPECT_EQ(player.SoundsPlaying(), 0);
}

TEST(SoundFileFault, NamesWhatTheDecoderRefuses) {
  // MakeWave's "fmt " fields patched: code at 20, bits at 34. PCM of 0 or 12
  // bits, 64-bit float, IMA and MS ADPCM with a PCM header's block and bits.
  const std::vector<std::vector<std::pair<int, char>>> refused = {
      {{34, 0}}, {{34, 12}}, {{20, 3}, {34, 64}}, {{20, 0x11}}, {{20, 0x02}}};
  const std::string path = MakeTempFolder() + "/odd.wav";
  for (const auto& patches : refused) {
    std::string bytes = MakeWave(200);
    for (const auto& [at, value] : patches) bytes[at] = value;
    WriteWholeFile(path, bytes);
    EXPECT_NE(SoundFileFault(path), "") << int(patches.back().second);
  }
  WriteWholeFile(path, MakeWave(200));
  EXPECT_EQ(SoundFileFault(path), "");
}

TEST_F(PlatformWave, ASoundBeyondTheLimitsIsSilentBeforeTheMixerTakesMemory) {
  // MakeWave's "fmt " fields: code at 20, channels 22, rate 24, bits 34.
  struct TCase {
    int Ms;
    int At;
    std::uint32_t Value;
    const char* Why;  // "" when it plays
  };
  const TCase cases[] = {
      {1500, 24, 1, "its sample rate is 1 Hz"},  // 1.7 GB once converted
      {1500, 24, 8, "its sample rate is 8 Hz"},
      {1500, 24, 3999, "its sample rate is 3999 Hz"},
      {1500, 24, 192001, "its sample rate is 192001 Hz"},
      {1500, 22, 0, "it has 0 channels"},
      {1500, 22, 8, "it has 8 channels"},
      {1500, 20, 0xFFFF, "its format code 0xFFFF"},
      {9000, 34, 8, "played it would take 17 MB"},  // 8-bit at 4000 Hz
      {1500, 24, 4000, ""},
      {1500, 24, 192000, ""},
  };
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  TSdlAllocations allocations;
  for (const TCase& c : cases) {
    std::string bytes = MakeWave(c.Ms);
    for (int i = 0; i < (c.At == 24 ? 4 : 2); ++i) bytes[c.At + i] = char(c.Value >> (8 * i));
    if (c.At == 34) bytes.replace(24, 4, std::string("\xA0\x0F\0\0", 4));  // 4000 Hz
    const std::string path = Write("cue.wav", bytes);
    SCOPED_TRACE(c.Why);
    const std::string fault = WaveFault(bytes);
    EXPECT_TRUE(*c.Why ? fault.starts_with(c.Why) : fault.empty()) << fault;
    player.Forget();
    player.Play(path, false);
    EXPECT_EQ(player.Playing(), *c.Why ? "" : path);
  }
  EXPECT_LT(allocations.Largest(), std::size_t{16} << 20);
}
