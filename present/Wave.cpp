#include "present/Wave.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "present/Path.h"

namespace {

class TSilentPlayer : public TWavePlayer {
 public:
  void Play(std::string_view, bool) override {}
  void Stop() override {}
};

TSilentPlayer silentPlayer;

// The mixer's wave reader reserves each chunk's claimed size before it reads
// the chunk: a file of a few dozen bytes that claims a 4 GiB sound would
// reserve 4 GiB. In the copy read, a chunk that claims more than the file
// still holds is cut to what it holds; the sound that is there still plays.
void CutChunksToFile(std::string& bytes) {
  const std::vector<TRiffChunk> chunks = RiffChunks(bytes);
  if (chunks.empty() || chunks.back().Claimed <= chunks.back().Held) return;
  const TRiffChunk& cut = chunks.back();
  for (int i = 0; i < 4; ++i) {
    bytes[cut.DataAt - 4 + i] = static_cast<char>(cut.Held >> (8 * i));
  }
}

std::uint32_t Little(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The format codes of a "fmt " chunk that the mixer decodes.
constexpr std::uint32_t FormatPcm = 0x0001;
constexpr std::uint32_t FormatMsAdpcm = 0x0002;
constexpr std::uint32_t FormatFloat = 0x0003;
constexpr std::uint32_t FormatALaw = 0x0006;
constexpr std::uint32_t FormatMuLaw = 0x0007;
constexpr std::uint32_t FormatImaAdpcm = 0x0011;
// The extensible form: the real code is the first two bytes of its subformat.
constexpr std::uint32_t FormatExtensible = 0xFFFE;

// What a "fmt " chunk says about the sound: its fault, or "" with the size
// of its data once converted for the device.
std::string FormatFault(std::string_view format, std::uint64_t dataBytes) {
  // 1. The fixed part: code, channels, rate, bytes a second, block, bits.
  if (format.size() < 16) return "its format chunk is too short";
  std::uint32_t code = Little(format, 0, 2);
  const std::uint32_t channels = Little(format, 2, 2);
  const std::uint32_t rate = Little(format, 4, 4);
  const std::uint32_t bits = Little(format, 14, 2);
  if (code == FormatExtensible && format.size() >= 26) code = Little(format, 24, 2);
  // 2. A format the mixer reads.
  const bool adpcm = code == FormatMsAdpcm || code == FormatImaAdpcm;
  if (code != FormatPcm && code != FormatFloat && code != FormatALaw && code != FormatMuLaw &&
      !adpcm) {
    char text[80];
    std::snprintf(text, sizeof text, "its format code 0x%04X is not one the game plays", code);
    return text;
  }
  // 3. Channels and rate.
  if (channels != 1 && channels != 2) {
    return "it has " + std::to_string(channels) + " channels; a cue has 1 or 2";
  }
  if (rate < MinSoundRate || rate > MaxSoundRate) {
    return "its sample rate is " + std::to_string(rate) + " Hz; a cue plays at " +
           std::to_string(MinSoundRate) + " to " + std::to_string(MaxSoundRate) + " Hz";
  }
  // 4. The size once converted: ADPCM holds 4 bits a sample, every other
  // format at least 8 (fewer bits claimed count as 8, so the bound holds).
  const std::uint64_t sampleBits = adpcm ? 4 : std::max<std::uint32_t>(bits, 8);
  const std::uint64_t frames = dataBytes * 8 / (sampleBits * channels) + 1;
  const std::uint64_t converted = (frames * SoundDeviceRate / rate + 1) * SoundDeviceFrameBytes;
  if (converted > static_cast<std::uint64_t>(MaxSoundDecodedBytes)) {
    return "played it would take " + std::to_string((converted + (1 << 20) - 1) >> 20) +
           " MB; a cue takes at most " + std::to_string(MaxSoundDecodedBytes >> 20) + " MB";
  }
  return "";
}

// The one channel every cue plays on.
constexpr int CueChannel = 0;

}  // namespace

std::vector<TRiffChunk> RiffChunks(std::string_view bytes) {
  std::vector<TRiffChunk> chunks;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    TRiffChunk chunk;
    chunk.Id = bytes.substr(at, 4);
    for (int i = 3; i >= 0; --i) {
      chunk.Claimed = (chunk.Claimed << 8) | static_cast<unsigned char>(bytes[at + 4 + i]);
    }
    chunk.DataAt = at + 8;
    chunk.Held = bytes.size() - chunk.DataAt;
    chunks.push_back(chunk);
    if (chunk.Claimed > chunk.Held) break;
    at = chunk.DataAt + chunk.Claimed + (chunk.Claimed & 1);  // chunks start on even offsets
  }
  return chunks;
}

std::string WaveFault(std::string_view bytes) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
    return "it is not a wave file (RIFF WAVE)";
  }
  std::string_view format;
  bool hasFormat = false;
  for (const TRiffChunk& chunk : RiffChunks(bytes)) {
    const std::size_t held = std::min<std::size_t>(chunk.Claimed, chunk.Held);
    if (chunk.Id == "fmt " && !hasFormat) {
      format = bytes.substr(chunk.DataAt, held);
      hasFormat = true;
    }
    if (chunk.Id == "data") {
      if (!hasFormat) return "its data comes before its format";
      return FormatFault(format, held);
    }
  }
  return "it holds no sound data";
}

std::string SoundFileFault(std::string_view programPath) {
  std::string bytes;
  std::string why;
  if (!ReadProgramFile(programPath, MaxSoundFileBytes, bytes, &why)) return why;
  return WaveFault(bytes);
}

TWavePlayer& SilentWavePlayer() {
  return silentPlayer;
}

void TBromWave::Play(std::string_view programPath, bool loop) {
  if (muted_) return;
  player_.Play(programPath, loop);
}
void TBromWave::Stop() {
  player_.Stop();
}
void TBromWave::SetMuted(bool on) {
  if (on) player_.Stop();
  muted_ = on;
}

// TMixerWavePlayer ---------------------------------------------------------

namespace {

// ALSA's own error messages: nothing, so a machine without a sound card
// plays on silently without eight lines of ALSA's configuration on the
// terminal. The game does not link ALSA: SDL loads it when it looks for a
// device, and a library loaded twice is loaded once, so the quiet handler set
// here is the one SDL's ALSA reports through.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsaMessages() {
  using TErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
  void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
  if (alsa == nullptr) return;
  const auto setHandler =
      reinterpret_cast<int (*)(TErrorHandler)>(dlsym(alsa, "snd_lib_error_set_handler"));
  if (setHandler != nullptr) setHandler(QuietAlsa);
  // The library stays loaded for SDL, with its handler.
}

}  // namespace

struct TMixerWavePlayer::TDevice {
  bool Open = false;
  std::map<std::string, Mix_Chunk*> Sounds;  // decoded, by program path
  std::string Current;                       // what the channel was last given
};

TMixerWavePlayer::TMixerWavePlayer() : device_(std::make_unique<TDevice>()) {}

TMixerWavePlayer::~TMixerWavePlayer() {
  Close();
}

bool TMixerWavePlayer::Open() {
  if (device_->Open) return true;
  SilenceAlsaMessages();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(SoundDeviceRate, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(1);
  device_->Open = true;
  return true;
}

void TMixerWavePlayer::Close() {
  if (!device_->Open) return;
  Forget();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device_->Open = false;
}

bool TMixerWavePlayer::IsOpen() const {
  return device_->Open;
}

void TMixerWavePlayer::Play(std::string_view programPath, bool loop) {
  if (!device_->Open) return;
  // A new request always ends the sound playing, even when the new file
  // turns out to be silent.
  Stop();
  const std::string key(programPath);
  auto found = device_->Sounds.find(key);
  if (found == device_->Sounds.end()) {
    // A sound the rules refuse is silent and never reaches the mixer.
    std::string bytes;
    if (!ReadProgramFile(programPath, MaxSoundFileBytes, bytes) || !WaveFault(bytes).empty()) {
      return;
    }
    CutChunksToFile(bytes);
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    Mix_Chunk* chunk = stream != nullptr ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    if (chunk == nullptr) return;  // not a wave file the mixer can read
    found = device_->Sounds.emplace(key, chunk).first;
  }
  if (Mix_PlayChannel(CueChannel, found->second, loop ? -1 : 0) == CueChannel) {
    device_->Current = key;
  }
}

void TMixerWavePlayer::Stop() {
  if (!device_->Open) return;
  Mix_HaltChannel(-1);
  device_->Current.clear();
}

void TMixerWavePlayer::Forget() {
  if (!device_->Open) return;
  // A chunk is freed only once no channel plays it.
  Mix_HaltChannel(-1);
  for (auto& entry : device_->Sounds) Mix_FreeChunk(entry.second);
  device_->Sounds.clear();
  device_->Current.clear();
}

std::string TMixerWavePlayer::Playing() const {
  if (!device_->Open || Mix_Playing(CueChannel) == 0) return "";
  return device_->Current;
}

int TMixerWavePlayer::SoundsPlaying() const {
  return device_->Open ? Mix_Playing(-1) : 0;
}
