#include "present/Wave.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>
#include <sys/stat.h>

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
TWavePlayer* player = &silentPlayer;

// The whole file behind a program path; empty when it cannot be read or is
// larger than any cue.
std::vector<std::uint8_t> ReadSoundFile(std::string_view programPath) {
  std::vector<std::uint8_t> bytes;
  std::FILE* file = OpenProgramFile(programPath);
  if (file == nullptr) return bytes;
  struct stat info;
  if (fstat(fileno(file), &info) == 0 && info.st_size > MaxSoundFileBytes) {
    std::fclose(file);
    return bytes;
  }
  std::uint8_t buffer[65536];
  std::size_t got;
  bool tooLarge = false;
  while (!tooLarge && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    // A file that grows while it is read is cut off at the same limit.
    tooLarge = static_cast<std::int64_t>(bytes.size() + got) > MaxSoundFileBytes;
    if (!tooLarge) bytes.insert(bytes.end(), buffer, buffer + got);
  }
  if (tooLarge || std::ferror(file) != 0) bytes.clear();
  std::fclose(file);
  return bytes;
}

// True when the bytes begin as a wave file does ("RIFF", a size, "WAVE").
// The mixer would also decode other formats it recognises (AIFF, VOC, Ogg,
// MIDI, ...); a cue is a wave file, and anything else is silent.
bool IsWaveFile(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
         std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
}

// The mixer's wave reader reserves each chunk's claimed size before it reads
// the chunk: a file of a few dozen bytes that claims a 4 GiB sound would
// reserve 4 GiB. In the copy read, a chunk that claims more than the file
// still holds is cut to what it holds; the sound that is there still plays.
void CutChunksToFile(std::vector<std::uint8_t>& bytes) {
  const std::vector<TRiffChunk> chunks =
      RiffChunks({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  if (chunks.empty() || chunks.back().Claimed <= chunks.back().Held) return;
  const TRiffChunk& cut = chunks.back();
  for (int i = 0; i < 4; ++i) {
    bytes[cut.DataAt - 4 + i] = static_cast<std::uint8_t>(cut.Held >> (8 * i));
  }
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

void TBromWave::Play(std::string_view programPath, bool loop) {
  player->Play(programPath, loop);
}
void TBromWave::Stop() {
  player->Stop();
}
void TBromWave::SetPlayer(TWavePlayer* newPlayer) {
  player = newPlayer != nullptr ? newPlayer : &silentPlayer;
}
TWavePlayer& TBromWave::Player() {
  return *player;
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
  if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
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
    std::vector<std::uint8_t> bytes = ReadSoundFile(programPath);
    if (!IsWaveFile(bytes)) return;
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
