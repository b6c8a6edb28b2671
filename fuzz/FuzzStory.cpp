// Fuzz harness: the story script. The input is loaded as the story file and
// told stage by stage, as the game tells it (fuzz/FuzzTelling). Every result
// must be a success or one of the script's error texts, and no page may be
// empty or hold more lines than the text area shows.
#include <cstdio>
#include <string>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzOutcomes.h"
#include "fuzz/FuzzTelling.h"
#include "present/Path.h"

namespace {

void CheckStory(const std::string& path) {
  const TStoryTelling telling = TellStory(path);
  for (const std::string& error : telling.Errors) {
    if (!KnownScriptResult(error)) FuzzFailure("an unknown script result: " + error);
    std::fprintf(stderr, "%s\n", Cp932ToUtf8Lenient(error).c_str());
  }
  if (telling.BadPages > 0)
    FuzzFailure(std::to_string(telling.BadPages) + " pages empty or over-full");
  std::fprintf(stderr, "%d pages told\n", telling.Pages);
}

}  // namespace

int main(int argc, char** argv) {
  return FuzzEachInput(argc, argv, CheckStory);
}
