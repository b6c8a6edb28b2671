// The game's layers point one way. Only present/ may include SDL, libjpeg,
// FreeType or fontconfig, and every folder of the game includes only from the
// folders below it in the table of docs/architecture.md.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "tests/TestSupport.h"

namespace {

// An include line taken apart: what it names, and whether it names it in
// quotes (a header of the project) or in angle brackets (a system header).
struct TInclude {
  std::string Name;
  bool Quoted = false;
};

// The header an "#include" line names; an empty name for any other line.
TInclude ParseInclude(std::string_view line) {
  auto skipBlanks = [&line] {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  };
  skipBlanks();
  if (!line.starts_with('#')) return {};
  line.remove_prefix(1);
  skipBlanks();
  if (!line.starts_with("include")) return {};
  line.remove_prefix(7);
  skipBlanks();
  if (line.empty() || (line.front() != '"' && line.front() != '<')) return {};
  const char close = line.front() == '"' ? '"' : '>';
  line.remove_prefix(1);
  const std::size_t end = line.find(close);
  if (end == std::string_view::npos) return {};
  return TInclude{std::string(line.substr(0, end)), close == '"'};
}

// True when the line includes a header of a platform library.
bool IncludesPlatform(std::string_view line) {
  const std::string name = ParseInclude(line).Name;
  for (const char* prefix : {"SDL", "jpeglib", "jerror", "ft2build", "freetype", "fontconfig"}) {
    if (name.starts_with(prefix)) return true;
  }
  return false;
}

// The project folder an include names ("battle/Battle.h" -> "battle"), or ""
// for a system header.
std::string IncludedFolder(std::string_view line) {
  const TInclude include = ParseInclude(line);
  const std::size_t slash = include.Name.find('/');
  if (!include.Quoted || slash == std::string::npos || slash == 0) return "";
  const std::string folder = include.Name.substr(0, slash);
  for (char c : folder) {
    if (!std::isalpha(static_cast<unsigned char>(c)) && c != '_') return "";
  }
  return folder;
}

// Which folders each folder of the game may include from (itself included).
const std::map<std::string, std::set<std::string>>& AllowedIncludes() {
  static const std::map<std::string, std::set<std::string>> table = {
      {"rules", {"rules"}},
      {"present", {"present", "rules"}},
      {"script", {"script", "present", "rules"}},
      {"data", {"data", "script", "rules"}},
      {"battle", {"battle", "data", "rules"}},
      {"growth", {"growth", "battle", "data", "rules"}},
      {"game", {"game", "growth", "battle", "data", "script", "rules"}},
      {"paint", {"paint", "game", "growth", "battle", "data", "script", "present", "rules"}},
      // The window reaches the game only through its steps, its view and its
      // state; the battle, the growth and the script are the game's business.
      {"flow", {"flow", "paint", "game", "data", "present", "rules"}},
  };
  return table;
}

// Calls `check` with every line of every file of the folder, and its number.
template <typename F>
void ForEachLine(const std::string& folder, F check) {
  const std::filesystem::path dir = SourcePath(folder);
  if (!std::filesystem::exists(dir)) return;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path());
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) check(entry.path().string(), n, line);
  }
}

}  // namespace

TEST(Layering, LogicUnitsIncludeNoPlatformLibrary) {
  for (const auto& [folder, allowed] : AllowedIncludes()) {
    if (folder == "present") continue;
    ForEachLine(folder, [](const std::string& file, int n, const std::string& line) {
      EXPECT_FALSE(IncludesPlatform(line)) << file << ":" << n << ": " << line;
    });
  }
}

TEST(Layering, EveryIncludeFollowsTheLayerTable) {
  for (const auto& [folder, allowed] : AllowedIncludes()) {
    ForEachLine(folder, [&](const std::string& file, int n, const std::string& line) {
      const std::string to = IncludedFolder(line);
      if (to.empty()) return;
      EXPECT_TRUE(allowed.count(to) == 1)
          << file << ":" << n << ": " << folder << "/ may not include from " << to << "/: " << line;
    });
  }
}

TEST(Layering, TheCheckerReadsIncludeLinesAsTheCompilerDoes) {
  EXPECT_EQ(IncludedFolder("#include \"flow/Mode.h\""), "flow");
  EXPECT_EQ(IncludedFolder("  #  include \"paint/Screen.h\"  // x"), "paint");
  EXPECT_EQ(IncludedFolder("#include <SDL.h>"), "");
  EXPECT_EQ(IncludedFolder("#include <gtest/gtest.h>"), "");
  EXPECT_EQ(IncludedFolder("// #include \"flow/Mode.h\""), "");
  EXPECT_TRUE(IncludesPlatform("#include <SDL_mixer.h>"));
  EXPECT_TRUE(IncludesPlatform(" # include <fontconfig/fontconfig.h>"));
  EXPECT_TRUE(IncludesPlatform("#include \"jpeglib.h\""));
  EXPECT_FALSE(IncludesPlatform("#include \"present/Bitmap.h\""));
  EXPECT_FALSE(IncludesPlatform("// SDL.h is not included here"));
  EXPECT_EQ(AllowedIncludes().at("battle").count("flow"), 0u);
  EXPECT_EQ(AllowedIncludes().at("present").count("data"), 0u);
}
