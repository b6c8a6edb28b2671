// The game's layers point one way. Only present/ may include SDL, libjpeg,
// FreeType or fontconfig, and every folder of the game includes only from the
// folders below it in the table of docs/architecture.md.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "tests/TestSupport.h"

TEST(Layering, LogicUnitsIncludeNoPlatformLibrary) {
  const std::regex platform(
      R"(#\s*include\s*[<"](SDL|jpeglib|jerror|ft2build|freetype|fontconfig))");
  for (const char* folder : {"rules", "battle", "data", "flow", "growth", "script", "paint"}) {
    const std::filesystem::path dir = SourcePath(folder);
    if (!std::filesystem::exists(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      std::ifstream in(entry.path());
      std::string line;
      int n = 0;
      while (std::getline(in, line)) {
        ++n;
        EXPECT_FALSE(std::regex_search(line, platform)) << entry.path() << ":" << n << ": " << line;
      }
    }
  }
}

namespace {

// Which folders each folder of the game may include from (itself included).
const std::map<std::string, std::set<std::string>>& AllowedIncludes() {
  static const std::map<std::string, std::set<std::string>> table = {
      {"rules", {"rules"}},
      {"present", {"present", "rules"}},
      {"script", {"script", "present", "rules"}},
      {"data", {"data", "script", "present", "rules"}},
      {"battle", {"battle", "data", "rules"}},
      {"growth", {"growth", "battle", "data", "rules"}},
      {"paint", {"paint", "growth", "battle", "data", "script", "present", "rules"}},
      {"flow", {"flow", "paint", "growth", "battle", "data", "script", "present", "rules"}},
  };
  return table;
}

// The project folder an include names ("battle/Battle.h" -> "battle"), or ""
// for a system header.
std::string IncludedFolder(const std::string& line) {
  static const std::regex quoted(R"(^\s*#\s*include\s*"([A-Za-z_]+)/)");
  std::smatch m;
  return std::regex_search(line, m, quoted) ? m[1].str() : std::string();
}

}  // namespace

TEST(Layering, EveryIncludeFollowsTheLayerTable) {
  for (const auto& [folder, allowed] : AllowedIncludes()) {
    const std::filesystem::path dir = SourcePath(folder);
    if (!std::filesystem::exists(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      std::ifstream in(entry.path());
      std::string line;
      int n = 0;
      while (std::getline(in, line)) {
        ++n;
        const std::string to = IncludedFolder(line);
        if (to.empty()) continue;
        EXPECT_TRUE(allowed.count(to) == 1) << entry.path() << ":" << n << ": " << folder
                                            << "/ may not include from " << to << "/: " << line;
      }
    }
  }
}

TEST(Layering, TheTableCatchesAnUpwardInclude) {
  // The checker itself: an include from a higher folder is recognised as one.
  EXPECT_EQ(IncludedFolder("#include \"flow/Mode.h\""), "flow");
  EXPECT_EQ(IncludedFolder("  #  include \"paint/Screen.h\"  // x"), "paint");
  EXPECT_EQ(IncludedFolder("#include <SDL.h>"), "");
  EXPECT_EQ(AllowedIncludes().at("battle").count("flow"), 0u);
  EXPECT_EQ(AllowedIncludes().at("present").count("data"), 0u);
}
