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

// WaveFault, and the memory decoding and converting the sound takes.
std::string WaveFaultAndWork(std::string_view bytes, std::uint64_t* workBytes);

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
std::string FormatFault(std::string_view format, std::uint64_t dataBytes,
                        std::uint64_t* workBytes = nullptr) {
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
  // Decoded at its own rate, a sample takes 1 byte (8-bit PCM), 4 (24- and
  // 32-bit PCM, float) or 2 (every other format).
  const std::uint64_t decodedSample = code == FormatPcm && bits <= 8                            ? 1
                                      : (code == FormatPcm && bits > 16) || code == FormatFloat ? 4
                                                                                                : 2;
  const std::uint64_t decoded = frames * channels * decodedSample;
  if (decoded > static_cast<std::uint64_t>(MaxSoundDecodedBytes)) {
    return "decoded it would take " + std::to_string((decoded + (1 << 20) - 1) >> 20) +
           " MB; a cue takes at most " + std::to_string(MaxSoundDecodedBytes >> 20) + " MB";
  }
  const std::uint64_t converted = (frames * SoundDeviceRate / rate + 1) * SoundDeviceFrameBytes;
  if (workBytes != nullptr) *workBytes = decoded + converted;
  if (converted > static_cast<std::uint64_t>(MaxSoundDecodedBytes)) {
    return "played it would take " + std::to_string((converted + (1 << 20) - 1) >> 20) +
           " MB; a cue takes at most " + std::to_string(MaxSoundDecodedBytes >> 20) + " MB";
  }
  return "";
}

// The one channel every cue plays on.
constexpr int CueChannel = 0;

// The format a cue is converted to: the device's as opened.
struct TCueFormat {
  int Rate = SoundDeviceRate;
  SDL_AudioFormat Format = AUDIO_S16SYS;
  int Channels = 2;
};

struct TWavFree {
  void operator()(Uint8* p) const { SDL_FreeWAV(p); }
};
struct TStreamFree {
  void operator()(SDL_AudioStream* p) const { SDL_FreeAudioStream(p); }
};

// Decodes a wave file's bytes and converts its sound to `to` in `out`;
// returns why it cannot be played, or "". The file's bytes are let go once
// decoded, and the sound is converted piece by piece, so at most the decoded
// and the converted sound are held at once.
std::string ConvertCue(std::string& bytes, const TCueFormat& to, std::vector<std::uint8_t>& out) {
  out.clear();
  // 1. The rules, from the headers alone.
  const std::string fault = WaveFault(bytes);
  if (!fault.empty()) return fault;
  CutChunksToFile(bytes);
  // 2. Decoded at its own rate.
  SDL_AudioSpec spec{};
  Uint8* raw = nullptr;
  Uint32 length = 0;
  SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (stream == nullptr || SDL_LoadWAV_RW(stream, 1, &spec, &raw, &length) == nullptr) {
    return std::string("its sound cannot be decoded (") + SDL_GetError() + ")";
  }
  const std::unique_ptr<Uint8, TWavFree> decoded(raw);
  std::string().swap(bytes);
  // 3. Converted a piece at a time.
  const std::unique_ptr<SDL_AudioStream, TStreamFree> converter(
      SDL_NewAudioStream(spec.format, spec.channels, static_cast<int>(spec.freq), to.Format,
                         static_cast<Uint8>(to.Channels), to.Rate));
  if (converter == nullptr) {
    return std::string("its sound cannot be converted (") + SDL_GetError() + ")";
  }
  const Uint32 frame = std::max<Uint32>(1, SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels);
  const Uint32 piece = std::max<Uint32>(frame, 65536 / frame * frame);
  const std::uint64_t expected = static_cast<std::uint64_t>(length / frame) * to.Rate /
                                     std::max(spec.freq, 1) *
                                     (SDL_AUDIO_BITSIZE(to.Format) / 8 * to.Channels) +
                                 65536;
  out.reserve(std::min<std::uint64_t>(expected, MaxSoundDecodedBytes));
  std::vector<std::uint8_t> got(65536);
  const auto drain = [&]() {
    for (;;) {
      const int n = SDL_AudioStreamGet(converter.get(), got.data(), static_cast<int>(got.size()));
      if (n <= 0) return n == 0;
      if (out.size() + static_cast<std::size_t>(n) >
          static_cast<std::size_t>(MaxSoundDecodedBytes)) {
        return false;
      }
      out.insert(out.end(), got.begin(), got.begin() + n);
    }
  };
  const std::string tooLarge =
      "played it would take more than " + std::to_string(MaxSoundDecodedBytes >> 20) + " MB";
  for (Uint32 at = 0; at < length; at += piece) {
    if (SDL_AudioStreamPut(converter.get(), decoded.get() + at,
                           static_cast<int>(std::min(piece, length - at))) != 0 ||
        !drain()) {
      out.clear();
      return tooLarge;
    }
  }
  if (SDL_AudioStreamFlush(converter.get()) != 0 || !drain()) {
    out.clear();
    return tooLarge;
  }
  if (out.empty()) return "it holds no sound";
  return "";
}

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
  return WaveFaultAndWork(bytes, nullptr);
}

std::string WaveFaultAndWork(std::string_view bytes, std::uint64_t* workBytes) {
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
      return FormatFault(format, held, workBytes);
    }
  }
  return "it holds no sound data";
}

std::string SoundFileFault(std::string_view programPath) {
  std::string bytes;
  std::string why;
  if (!ReadProgramFile(programPath, MaxSoundFileBytes, bytes, &why)) return why;
  std::vector<std::uint8_t> sound;
  return ConvertCue(bytes, TCueFormat{}, sound);
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

// A decoded cue: its sound in the device's format (the mixer's chunk points
// into it), the stamp of the file it was read from and when it last played.
struct TCue {
  std::vector<std::uint8_t> Sound;
  Mix_Chunk* Chunk = nullptr;
  TFileStamp Stamp;
  std::uint64_t LastPlayed = 0;
};

struct TMixerWavePlayer::TDevice {
  bool Open = false;
  TCueFormat Format;                          // the device's, as opened
  std::map<std::string, TCue> Sounds;         // decoded, by program path
  std::map<std::string, TFileStamp> Refused;  // files that did not play, as they were
  std::int64_t Held = 0;                      // the bytes of Sounds
  std::uint64_t Plays = 0;                    // the clock of LastPlayed
  std::string Current;                        // what the channel was last given

  void Drop(std::map<std::string, TCue>::iterator cue) {
    Mix_FreeChunk(cue->second.Chunk);
    Held -= static_cast<std::int64_t>(cue->second.Sound.size());
    Sounds.erase(cue);
  }
  // Drops the least recently played cues until `more` bytes fit the budget.
  void MakeRoom(std::int64_t more) {
    while (!Sounds.empty() && Held + more > MaxHeldSoundBytes) {
      auto oldest = Sounds.begin();
      for (auto i = Sounds.begin(); i != Sounds.end(); ++i) {
        if (i->second.LastPlayed < oldest->second.LastPlayed) oldest = i;
      }
      Drop(oldest);
    }
  }
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
  // The device may have been given another rate or channel count.
  int rate = 0;
  Uint16 format = 0;
  int channels = 0;
  if (Mix_QuerySpec(&rate, &format, &channels) != 0) device_->Format = {rate, format, channels};
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
  TDevice& d = *device_;
  const std::string key(programPath);
  // 1. The file as it is now: gone is silent, changed is read again.
  TFileStamp stamp;
  const bool there = ProgramFileStamp(programPath, stamp);
  auto found = d.Sounds.find(key);
  if (found != d.Sounds.end() && (!there || found->second.Stamp != stamp)) {
    d.Drop(found);
    found = d.Sounds.end();
  }
  if (!there) return;
  if (found == d.Sounds.end()) {
    // 2. A file refused as it is now is not read again.
    const auto refused = d.Refused.find(key);
    if (refused != d.Refused.end() && refused->second == stamp) return;
    // 3. Read, judged, decoded and converted; a sound the rules refuse is
    // silent and never reaches the mixer.
    TCue cue;
    std::string bytes;
    std::uint64_t work = 0;
    const bool read = ReadProgramFile(programPath, MaxSoundFileBytes, bytes);
    // Room first for the conversion's work, so that the cues kept and the
    // one being converted stay within the budget together.
    if (read && WaveFaultAndWork(bytes, &work).empty()) {
      d.MakeRoom(static_cast<std::int64_t>(std::min<std::uint64_t>(work, MaxHeldSoundBytes)));
    }
    if (!read || !ConvertCue(bytes, d.Format, cue.Sound).empty()) {
      d.Refused[key] = stamp;
      return;
    }
    d.Refused.erase(key);
    d.MakeRoom(static_cast<std::int64_t>(cue.Sound.size()));
    cue.Chunk = Mix_QuickLoad_RAW(cue.Sound.data(), static_cast<Uint32>(cue.Sound.size()));
    if (cue.Chunk == nullptr) return;
    cue.Stamp = stamp;
    d.Held += static_cast<std::int64_t>(cue.Sound.size());
    // Moving the cue keeps its sound where the chunk points.
    found = d.Sounds.emplace(key, std::move(cue)).first;
  }
  found->second.LastPlayed = ++d.Plays;
  if (Mix_PlayChannel(CueChannel, found->second.Chunk, loop ? -1 : 0) == CueChannel) {
    d.Current = key;
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
  while (!device_->Sounds.empty()) device_->Drop(device_->Sounds.begin());
  device_->Refused.clear();
  device_->Current.clear();
}

std::string TMixerWavePlayer::Playing() const {
  if (!device_->Open || Mix_Playing(CueChannel) == 0) return "";
  return device_->Current;
}

int TMixerWavePlayer::SoundsPlaying() const {
  return device_->Open ? Mix_Playing(-1) : 0;
}

int TMixerWavePlayer::HeldSounds() const {
  return static_cast<int>(device_->Sounds.size());
}

std::int64_t TMixerWavePlayer::HeldBytes() const {
  return device_->Held;
}
