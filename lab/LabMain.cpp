// The lab's entry: the platform's answers to what the lab's commands ask of
// it (pictures, sounds, the font), read by the game's own platform units and
// passed to every command.
#include <string>
#include <vector>

#include "data/Roster.h"
#include "lab/Lab.h"
#include "lab/LabPlatform.h"
#include "paint/ScreenKit.h"
#include "present/Bitmap.h"
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

}  // namespace

int main(int argc, char** argv) {
  const TPlatformAnswers platform;
  return LabRun(argc, argv, platform);
}
