#include "script/Story.h"

#include <algorithm>

#include "rules/DataFolder.h"
#include "rules/Product.h"
#include "script/TextFile.h"

const char* const StoryFileName = "dat\\story.txt";
const char* const StoryLabelPrefix = "@Stage";

TStoryView& TStory::ViewOrSilent() {
  return View != nullptr ? *View : silent_;
}

void RegisterStoryCommands(TStory& story) {
  TBromScript& script = story.Script;
  // "#Image" blanks the picture area or shows a picture in it.
  script.AddCommand(
      "#Image",
      [&story](const TStringDynArray& tokens, std::string& result) {
        if (tokens.size() < 2) {
          story.ViewOrSilent().ClearPicture();
        } else {
          story.ViewOrSilent().ShowPicture(DataPath(tokens[1]));
        }
        result = BromSuccess;
      },
      0, 1);
  // "#Wave" plays a sound once, without waiting.
  script.AddCommand(
      "#Wave",
      [&story](const TStringDynArray& tokens, std::string& result) {
        story.ViewOrSilent().PlaySound(DataPath(tokens[1]));
        result = BromSuccess;
      },
      1);
  // "#Title" sets the caption; without a text the program's title returns.
  script.AddCommand(
      "#Title",
      [&story](const TStringDynArray& tokens, std::string& result) {
        story.ViewOrSilent().SetCaption(tokens.size() < 2 ? std::string(ProgramTitle) : tokens[1]);
        result = BromSuccess;
      },
      0, 1);
  // "#Line" sets the size of the page being collected. The text area holds
  // seven lines, so a larger size is held to seven; a size of 0 or below
  // still lets one line through per page.
  script.AddCommand(
      "#Line",
      [&story](const TStringDynArray& tokens, std::string& result) {
        std::int32_t n = 0;
        if (!TBromString::ParseDecimal(tokens[1], n)) {
          result = std::string("【エラー】#Lineの行数が不正です：") + tokens[1];
          return;
        }
        story.Script.SetParagraphLimit(std::min<std::int32_t>(n, StoryPageSize));
        result = BromSuccess;
      },
      1);
}

std::string InitStory(TStory& story, std::string_view fileName) {
  std::string result;
  story.Script.LoadFromFile(fileName, result);
  story.Script.SetParagraphLimit(StoryPageSize);
  story.Script.SetParagraphHandler([&story](const TStringDynArray& lines, std::string& r) {
    r = BromSuccess;
    story.ViewOrSilent().ShowText(lines);
  });
  RegisterStoryCommands(story);
  return result;
}

std::string GotoStoryStage(TStory& story, int stage) {
  std::string result;
  story.Script.GotoLabel(StoryLabelPrefix + std::to_string(stage), result);
  return result;
}

std::string TurnStoryPage(TStory& story) {
  std::string result;
  story.Script.SetParagraphLimit(StoryPageSize);
  story.Script.Step(result);
  return result;
}
