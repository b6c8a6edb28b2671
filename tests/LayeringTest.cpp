// The game's logic never touches the platform libraries: only present/ may
// include SDL, libjpeg, FreeType or fontconfig.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "tests/TestSupport.h"

TEST(Layering, LogicUnitsIncludeNoPlatformLibrary) {
  const std::regex platform(
      R"(#\s*include\s*[<"](SDL|jpeglib|jerror|ft2build|freetype|fontconfig))");
  for (const char* folder : {"rules", "battle", "data", "flow", "growth", "script"}) {
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
