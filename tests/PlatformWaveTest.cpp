// Sound cues on the mixer (SDL's dummy audio driver plays in real time
// without a sound card): one sound at a time, a new one cuts off the one
// playing, and missing files, broken files or a missing device are silent.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "present/BromWave.h"
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
  void TearDown() override {
    TBromWave::SetPlayer(nullptr);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  }
};

}  // namespace

TEST_F(PlatformWave, SecondCueCutsOffTheFirst) {
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  TBromWave::SetPlayer(&player);
  TBromWave::Stop();  // as at start: nothing to stop, no harm
  const std::string first = Write("first.wav", MakeWave(3000));
  const std::string second = Write(Sj("ガソ.wav"), MakeWave(3000));

  TBromWave::Play(first);
  EXPECT_EQ(player.Playing(), first);
  TBromWave::Play(second);
  EXPECT_EQ(player.Playing(), second);
  EXPECT_EQ(player.SoundsPlaying(), 1);
  // Played again from the kept copy.
  TBromWave::Play(first);
  EXPECT_EQ(player.Playing(), first);
  TBromWave::Stop();
  EXPECT_EQ(player.Playing(), "");
  EXPECT_EQ(player.SoundsPlaying(), 0);

  // A looped cue keeps playing until stopped.
  TBromWave::Play(Write("short.wav", MakeWave(20)), true);
  SDL_Delay(150);
  EXPECT_EQ(player.SoundsPlaying(), 1);
  TBromWave::Stop();
}

TEST_F(PlatformWave, MissingAndBrokenFilesAreSilent) {
  TMixerWavePlayer player;
  ASSERT_TRUE(player.Open()) << SDL_GetError();
  TBromWave::SetPlayer(&player);
  const std::string good = Write("good.wav", MakeWave(3000));
  const std::string broken = Write("broken.wav", "RIFF....WAVEnonsense");
  TBromWave::Play(good);
  TBromWave::Play(folder + "\\missing.wav");
  EXPECT_EQ(player.Playing(), "");  // the request still ended the sound before
  TBromWave::Play(good);
  TBromWave::Play(broken);
  EXPECT_EQ(player.SoundsPlaying(), 0);
  TBromWave::Play(good);
  EXPECT_EQ(player.Playing(), good);
  player.Close();
  EXPECT_FALSE(player.IsOpen());
  TBromWave::Play(good);  // closed: silent
  EXPECT_EQ(player.Playing(), "");
}

TEST_F(PlatformWave, NoAudioDeviceMeansSilence) {
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "no-such-driver", SDL_HINT_OVERRIDE);
  TMixerWavePlayer player;
  const bool opened = player.Open();
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  ASSERT_FALSE(opened);
  TBromWave::SetPlayer(&player);
  TBromWave::Play(Write("cue.wav", MakeWave(100)));
  TBromWave::Stop();
  EXPECT_EQ(player.Playing(), "");
  EXPECT_EQ(player.SoundsPlaying(), 0);
}
