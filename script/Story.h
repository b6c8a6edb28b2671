// Design unit: UnitStory.
// The story: "dat\\story.txt", told a piece at a time, one piece per
// tournament stage. The piece of stage N starts at the label "@Stage" + N
// ("@Stage0" is the prologue) and shows pages of at most seven text lines, a
// page per click, until its "#stop".
//
// This unit sets the story script up and offers its four commands:
//   #Image [file]  shows "dat\\" + file in the picture area, or blanks it;
//   #Wave file     plays "dat\\" + file once, without waiting;
//   #Title [text]  sets the window caption, or restores the program's title;
//   #Line n        sets the size of the page being collected (at most 7); the
//                  next page turn sets it back to 7.
// What the picture area, the caption and the text area look like is the story
// screen's business, and the sound is the platform's: the commands and the
// paragraph handler talk to the story view the teller passes in, silent by
// default.
#pragma once

#include <string>
#include <string_view>

#include "script/Script.h"

// Text lines per page, and the most the text area shows.
constexpr int StoryPageSize = 7;
// "dat\\story.txt"
extern const char* const StoryFileName;
// "@Stage"
extern const char* const StoryLabelPrefix;

// Where the story shows itself. Paths are program paths ("dat\\a.bmp").
class TStoryView {
 public:
  virtual ~TStoryView() = default;
  // The picture area becomes black, with the "close" button.
  virtual void ClearPicture() {}
  // The picture is drawn at the top-left of the picture area, over what it
  // held, and the "close" button over it.
  virtual void ShowPicture(std::string_view programPath) { (void)programPath; }
  // The window caption becomes the text.
  virtual void SetCaption(std::string_view text) { (void)text; }
  // The page replaces the previous one in the text area.
  virtual void ShowText(const TStringDynArray& lines) { (void)lines; }
  // Plays the wave file once, without waiting.
  virtual void PlaySound(std::string_view programPath) { (void)programPath; }
};

// The story script and the view it tells itself to. Commands and the
// paragraph handler refer to the story, so it stays where it was made.
struct TStory {
  TBromScript Script;
  TStoryView* View = nullptr;  // nullptr: a silent view

  TStory() = default;
  TStory(const TStory&) = delete;
  TStory& operator=(const TStory&) = delete;

  TStoryView& ViewOrSilent();

 private:
  TStoryView silent_;  // shows and plays nothing
};

// Registers "#Image", "#Wave", "#Title" and "#Line", in this order, with the
// story's script.
void RegisterStoryCommands(TStory& story);

// Sets the story up: loads the file (its result is returned, and the game
// ignores it: a missing or faulty file leaves an empty script whose every
// piece is an empty page), page size 7, the paragraph handler that shows each
// page on the view, and the four commands.
std::string InitStory(TStory& story, std::string_view fileName = StoryFileName);

// Jumps to the piece of the stage ("@Stage" + stage). A missing label leaves
// the script where it stands; the result is returned for tracing tools.
std::string GotoStoryStage(TStory& story, int stage);

// Turns the page: the page size goes back to 7 and the script steps once. The
// result is returned for tracing tools; the game ignores it.
std::string TurnStoryPage(TStory& story);
