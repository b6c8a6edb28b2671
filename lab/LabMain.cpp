// The lab's entry: the data folder found as the game finds it, and the
// platform's answers to what the lab's commands ask of it (pictures, sounds,
// the font), read by the game's own platform units and passed to every
// command.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data/Roster.h"
#include "lab/Lab.h"
#include "lab/LabOptions.h"
#include "lab/LabPlatform.h"
#include "paint/ScreenKit.h"
#include "present/Bitmap.h"
#include "present/DataLookup.h"
#include "present/Path.h"
#include "present/PictureCheck.h"
#include "present/Wave.h"

namespace {

// The story screen's text: 14 pixels high, regular.
constexpr int StoryTextHeight = 14;

TPictureReading ReadPicture(std::string_view programPath, int maxWidth, int maxHeight) {
  TPictureReading reading;
  try {
    TBromBitmap picture;
    picture.LoadImage(programPath, maxWidth, maxHeight);
    reading.Width = picture.Width();
    reading.Height = picture.Height();
  } catch (const TImageSizeError& e) {
    reading = {TPictureReading::TResult::TooLarge, e.Width, e.Height, e.what()};
  } catch (const TImageError& e) {
    reading = {TPictureReading::TResult::Undecodable, 0, 0, e.what()};
  } catch (const TTextConversionError& e) {
    reading = {TPictureReading::TResult::BadName, 0, 0, e.what()};
  }
  return reading;
}

class TPlatformAnswers : public TLabPlatform {
 public:
  TPlatformAnswers() {
    measure_.SetFontHeight(StoryTextHeight);
    measure_.SetFontStyle(0);
  }

  const TImageCheck& Portraits() const override { return PictureCheck(); }

  TPictureReading ReadPortrait(std::string_view programPath) const override {
    return ReadPicture(programPath, PortraitSize, PortraitSize);
  }

  TPictureReading ReadStoryPicture(std::string_view programPath) const override {
    return ReadPicture(programPath, LargestPictureWidth, LargestPictureHeight);
  }

  // The file is read and judged by the game's own rules; a data chunk that
  // claims more than the file holds is named too, although the game plays
  // what is there.
  std::string SoundFault(const std::string& programPath, std::string& note) const override {
    const std::string fault = SoundFileFault(programPath);
    if (!fault.empty()) return fault;
    std::string bytes;
    ReadProgramFile(programPath, MaxSoundFileBytes, bytes);
    for (const TRiffChunk& chunk : RiffChunks(bytes)) {
      if (chunk.Id == "data" && chunk.Claimed > chunk.Held) {
        note = "its data chunk claims " + std::to_string(chunk.Claimed) +
               " bytes but the file holds " + std::to_string(chunk.Held) + "; the game plays the " +
               std::to_string(chunk.Held) + " bytes there";
      }
    }
    return "";
  }

  int StoryLineWidth(std::string_view line) const override { return measure_.TextWidth(line); }

 private:
  TBromBitmap measure_;  // set to the story screen's font
};

// Takes "--data DIR" or "--data=DIR" (before any "--") out of the arguments:
// "" when it is not given, false (with a message) when it has no folder.
bool TakeDataOption(std::vector<char*>& args, std::string& folder) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (std::strcmp(args[i], "--") == 0) break;
    const bool joined = std::strncmp(args[i], "--data=", 7) == 0;
    if (!joined && std::strcmp(args[i], "--data") != 0) continue;
    const bool valued = joined || i + 1 < args.size();
    folder = !valued ? "" : joined ? args[i] + 7 : args[i + 1];
    if (folder.empty()) {
      std::fprintf(stderr, "quillmoor-lab: --data needs a folder (see 'quillmoor-lab help')\n");
      return false;
    }
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
               args.begin() + static_cast<std::ptrdiff_t>(i) + (joined ? 1 : 2));
    return true;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // 1. The data folder: the game's "dat\..." files are read from it, while
  // the files named on the command line are read from the working folder.
  std::vector<char*> args(argv, argv + argc);
  std::string named;
  if (!TakeDataOption(args, named)) return LabExitUsage;
  std::vector<TDataCandidate> lookedIn;
  const std::string found = FindDataFolder(named, lookedIn);
  if (!named.empty() && found.empty()) {
    std::fprintf(stderr, "quillmoor-lab: --data %s: %s\n", named.c_str(),
                 lookedIn.front().PassedOver.c_str());
    return LabExitFault;
  }
  SetDataRoot(found);
  // 2. The command, on the platform's answers.
  const TPlatformAnswers platform;
  args.push_back(nullptr);
  return LabRun(static_cast<int>(args.size()) - 1, args.data(), platform);
}
