// The lab's commands that need no window, linked here without the screens
// and run in this process on a platform whose answers the test gives: the
// roster's and the story's checks ask it about every picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lab/Lab.h"
#include "lab/LabPlatform.h"
#include "tests/TestSupport.h"

namespace {

class TAnswers : public TLabPlatform, public TImageCheck {
 public:
  explicit TAnswers(bool picturesShow) : picturesShow_(picturesShow) {}
  const TImageCheck& Portraits() const override { return *this; }
  bool Fits(std::string_view, int, int) const override { return picturesShow_; }
  TPictureReading ReadPortrait(std::string_view) const override { return Reading(); }
  TPictureReading ReadStoryPicture(std::string_view) const override { return Reading(); }
  std::string SoundFault(const std::string&, std::string&) const override { return ""; }
  int StoryLineWidth(std::string_view) const override { return 0; }

 private:
  TPictureReading Reading() const {
    if (picturesShow_) return {TPictureReading::TResult::Shown, 1, 1, ""};
    return {TPictureReading::TResult::Undecodable, 0, 0, "unreadable"};
  }
  bool picturesShow_;
};

}  // namespace

TEST(LabWithoutWindow, RunsItsCommandsOnThePlatformItIsGiven) {
  const struct {
    std::vector<std::string> Args;
    bool PicturesShow;
    int Exit;
    const char* Printed;  // the start of standard output
  } cases[] = {
      {{"well-formed", "斬"}, true, 0, "yes"},
      {{"check-roster"}, true, 0, "OK: 45 entries"},
      {{"check-roster"}, false, 1, "画像"},
      {{"check-story"}, true, 0, "OK: dat/story.txt"},
      {{"check-story"}, false, 1, "dat/story.txt:8: the picture dat/gate.jpg cannot be shown"},
      // The commands that play or draw the screens are the other part's.
      {{"play", "--auto"}, true, 2, ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"quillmoor-lab"};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    const TAnswers platform(c.PicturesShow);
    testing::internal::CaptureStdout();
    const int exit = LabRun(static_cast<int>(argv.size()), argv.data(), platform);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(exit, c.Exit) << c.Args[0] << " " << c.PicturesShow;
    EXPECT_TRUE(printed.starts_with(c.Printed)) << c.Args[0] << ": " << printed;
  }
}
