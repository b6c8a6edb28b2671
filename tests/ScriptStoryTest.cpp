// The story's four commands, its pages, and the lab's story command.
#include <gtest/gtest.h>

#include "script/Story.h"
#include "tests/ScriptTestSupport.h"

namespace {

// Records what the story shows, as UTF-8.
class TRecordingView : public TStoryView {
 public:
  std::vector<std::string> Events;
  void ClearPicture() override { Events.push_back("clear"); }
  void ShowPicture(std::string_view path) override { Events.push_back("picture " + U8(path)); }
  void SetCaption(std::string_view text) override { Events.push_back("caption " + U8(text)); }
  void ShowText(const TStringDynArray& lines) override {
    std::string page = "page";
    for (const std::string& line : lines) page += "|" + U8(line);
    Events.push_back(page);
  }
  void PlaySound(std::string_view path) override { Events.push_back("sound " + U8(path)); }
};

// A story on a script written from UTF-8 lines, told to a recording view.
struct TStoryFixture {
  TStory Story;
  TRecordingView View;
  std::string Path;
  std::string LoadResult;

  explicit TStoryFixture(const std::vector<std::string>& lines) {
    Path = WriteScriptFile(lines);
    Story.View = &View;
    LoadResult = U8(InitStory(Story, Path));
  }
  std::string Turn() { return U8(TurnStoryPage(Story)); }
};

std::vector<std::string> Lines(int from, int to) {
  std::vector<std::string> lines;
  for (int i = from; i <= to; ++i) lines.push_back("line" + std::to_string(i));
  return lines;
}

}  // namespace

TEST(StoryCommands, FourCommandsInOrderWithTheirParameterCounts) {
  TStory story;
  RegisterStoryCommands(story);
  ASSERT_EQ(story.Script.CommandCount(), 4);
  const char* names[] = {"#Image", "#Wave", "#Title", "#Line"};
  const int mins[] = {0, 1, 0, 1};
  const int maxs[] = {1, 1, 1, 1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(story.Script.Command(i).Name(), names[i]);
    EXPECT_EQ(story.Script.Command(i).MinParams(), mins[i]) << names[i];
    EXPECT_EQ(story.Script.Command(i).MaxParams(), maxs[i]) << names[i];
  }
}

TEST(StoryPages, NineLinesMakeAPageOfSevenAndOneOfTwo) {
  std::vector<std::string> lines = Lines(1, 9);
  lines.push_back("#stop");
  TStoryFixture f(lines);
  EXPECT_EQ(f.LoadResult, "【成功】");
  EXPECT_EQ(f.Turn(), "【成功】");
  EXPECT_EQ(f.Turn(), "【成功】");
  EXPECT_EQ(f.View.Events,
            (std::vector<std::string>{"page|line1|line2|line3|line4|line5|line6|line7",
                                      "page|line8|line9"}));
}

TEST(StoryPages, LineSetsThisPagesSizeAndTheNextTurnRestoresSeven) {
  std::vector<std::string> lines = {"#Line 3"};
  for (const std::string& l : Lines(1, 5)) lines.push_back(l);
  lines.push_back("");
  for (const std::string& l : Lines(6, 14)) lines.push_back(l);
  TStoryFixture f(lines);
  f.Turn();
  f.Turn();
  f.Turn();
  EXPECT_EQ(f.View.Events,
            (std::vector<std::string>{"page|line1|line2|line3", "page|line4|line5",
                                      "page|line6|line7|line8|line9|line10|line11|line12"}));
}

TEST(StoryPages, ALineSizeAboveSevenIsHeldToWhatTheTextAreaShows) {
  std::vector<std::string> lines = {"#Line 12"};
  for (const std::string& l : Lines(1, 9)) lines.push_back(l);
  TStoryFixture f(lines);
  f.Turn();
  ASSERT_EQ(f.View.Events.size(), 1u);
  EXPECT_EQ(f.View.Events[0], "page|line1|line2|line3|line4|line5|line6|line7");
}

TEST(StoryPages, ALineSizeThatIsNoNumberStopsThePiece) {
  TStoryFixture f({"text", "#Line three", "more"});
  EXPECT_TRUE(f.Turn().starts_with("【エラー】"));
  EXPECT_TRUE(f.View.Events.empty());
  EXPECT_TRUE(f.Story.Script.Stopped());
}

TEST(StoryCommands, ImageTitleAndWaveReachTheView) {
  TStoryFixture f({"#Image 絵.bmp", "#image", "#TITLE 第一章", "#Title", "#Wave ガソ.wav", "x"});
  f.Turn();
  EXPECT_EQ(f.View.Events,
            (std::vector<std::string>{"picture dat\\絵.bmp", "clear", "caption 第一章",
                                      "caption Quillmoor", "sound dat\\ガソ.wav", "page|x"}));
}

TEST(StoryCommands, AWaveWithTwoFilesStopsThePieceUnshown) {
  TStoryFixture f({"before", "#Wave a.wav b.wav", "after"});
  const std::string result = f.Turn();
  EXPECT_EQ(result, "【エラー】パラメータ過多：#Wave a.wav b.wav\r\nin " + f.Path);
  EXPECT_TRUE(f.View.Events.empty());
  EXPECT_EQ(f.Turn(), "【成功】");  // stopped: further turns change nothing
  EXPECT_TRUE(f.View.Events.empty());
}

TEST(StoryStages, EachStageStartsAtItsLabelAndAMissingOneStaysPut) {
  TStoryFixture f({"start", "", "#stop", "@Stage1", "one", "#stop", "@Stage2", "", "two", "#stop"});
  EXPECT_EQ(U8(GotoStoryStage(f.Story, 3)),
            "【エラー】@Stage3が見つかりませんでした。\r\nin " + f.Path);
  f.Turn();  // no @Stage3: the script goes on from its first line
  f.Story.Script.ClearStop();
  GotoStoryStage(f.Story, 2);
  f.Turn();
  EXPECT_EQ(f.View.Events, (std::vector<std::string>{"page|start", "page|two"}));
}

TEST(StoryStages, APieceStoppedRightAfterTextOpensTheNextWithAnEmptyPage) {
  // The page count survives the stop: the next piece's label closes the page
  // that "one" began, so its first turn shows nothing new.
  TStoryFixture f({"@Stage1", "one", "#stop", "@Stage2", "two", "#stop"});
  GotoStoryStage(f.Story, 1);
  f.Turn();
  f.Story.Script.ClearStop();
  GotoStoryStage(f.Story, 2);
  f.Turn();
  EXPECT_EQ(f.View.Events, (std::vector<std::string>{"page|one"}));
  f.Turn();
  EXPECT_EQ(f.View.Events, (std::vector<std::string>{"page|one", "page|two"}));
}

TEST(StoryStages, AMissingStoryFileLeavesAnEmptyScript) {
  TStory story;
  TRecordingView view;
  story.View = &view;
  EXPECT_EQ(U8(InitStory(story, "/nonexistent/story.txt")),
            "【エラー】存在しないファイル：/nonexistent/story.txt");
  EXPECT_EQ(story.Script.CommandCount(), 4);
  GotoStoryStage(story, 0);
  EXPECT_EQ(U8(TurnStoryPage(story)), "【成功】");
  EXPECT_TRUE(view.Events.empty());
  EXPECT_TRUE(story.Script.Stopped());
}

TEST(LabStory, TellsAPiecePageByPageWithCommandsAndErrors) {
  const std::string path = WriteScriptFile({
      "@Stage0",
      "#Title 序章 // caption",
      "first",
      "second",
      "",
      "#Line 1",
      "third",
      "fourth",
      "#Wave a.wav b.wav",
      "@Stage1",
      "one",
      "#stop",
  });
  int status = -1;
  EXPECT_EQ(RunLab("story --file " + path + " 0", status),
            "== page 1\n"
            "-- #Title 序章 \n"
            "first\n"
            "second\n"
            "== page 2\n"
            "-- #Line 1\n"
            "third\n"
            "== page 3\n"  // "fourth" is dropped with the page the error stops
            "-- #Wave a.wav b.wav\n"
            "!! 【エラー】パラメータ過多：#Wave a.wav b.wav\n"
            "!! in " +
                path + "\n");
  EXPECT_EQ(status, 1) << "a step reported an error";
}

TEST(LabStory, AMissingStageStartsAtTheTopAndIsAFault) {
  const std::string path = WriteScriptFile({"@Stage1", "one", "#stop", "@Stage2", "two", "#stop"});
  int status = -1;
  EXPECT_EQ(RunLab("story --file " + path + " 1", status), "== page 1\none\n");
  EXPECT_EQ(status, 0);
  // No @Stage3: the game tells the file from where the script stands.
  EXPECT_EQ(RunLab("story --file " + path + " 3", status), "== page 1\none\n");
  EXPECT_EQ(status, 1);
  EXPECT_NE(RunLabStderr("story --file " + path + " 3", status).find("has no @Stage3"),
            std::string::npos);
}

TEST(LabStory, OnlyTheGamesStagesAreTold) {
  const std::string path = WriteScriptFile({"@Stage0", "zero", "#stop"});
  int status = -1;
  for (const char* stage : {"x", "6", "-1", "2147483648", ""}) {
    EXPECT_EQ(RunLab("story --file " + path + " " + stage, status), "") << stage;
    EXPECT_EQ(status, 2) << stage;
  }
  EXPECT_NE(RunLabStderr("story --file " + path + " 9", status)
                .find("STAGE must be one number "
                      "from 0 to 5"),
            std::string::npos);
}

TEST(LabStory, ABrokenByteBeforeAnErrorsLineBreakDoesNotSwallowIt) {
  // A lone lead byte ends the quoted line; it must not swallow the line
  // break written after it.
  const std::string path = MakeTempFolder() + "/story.txt";
  WriteWholeFile(path, "@Stage0\r\n#Line \x81\r\n");
  int status = -1;
  EXPECT_EQ(RunLab("story --file " + path + " 0", status),
            "== page 1\n-- #Line ?\n!! 【エラー】#Lineの行数が不正です：?\n!! in " + path + "\n");
  EXPECT_EQ(status, 1);
}
