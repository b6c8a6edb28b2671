// Design unit: FuzzTelling (a story file told through every stage).
// The story harness and the suite's mutation test tell a story file as the
// game tells it: loaded, then for each stage from the prologue to the end the
// jump to its piece and page turns until the piece stops. A script may jump
// back to its text for ever, which a player pages through for as long as
// they like; the telling stops paging a piece after StoryTellingTurns pages
// (the shipped story tells 25 pages over all its stages, and a loop shows all
// it does within its first rounds).
#pragma once

#include <string>
#include <vector>

constexpr int StoryTellingTurns = 50;

// What a telling gave.
struct TStoryTelling {
  bool Loaded = false;  // the file loaded as a script
  int Pages = 0;        // pages shown
  int BadPages = 0;     // pages shown empty or with more lines than the text area
  // Every result that was not a success, in order (cp932).
  std::vector<std::string> Errors;
};

TStoryTelling TellStory(const std::string& path);
