// tools/setup.sh, run in a copy of the tree with stand-ins for the package
// query and for CMake that note what they are asked: playing builds only the
// game, building and testing build everything.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/TestSupport.h"

namespace {

// A copy of the script in a fresh folder with a configured build (an empty
// build.ninja), a stand-in game, and stand-ins for dpkg-query and cmake.
std::string SetUpTree() {
  const std::string top = MakeTempFolder();
  WriteWholeFile(top + "/tools/setup.sh", ReadWholeFile(SourcePath("tools/setup.sh")));
  WriteWholeFile(top + "/build/build.ninja", "");
  WriteWholeFile(top + "/build/quillmoor", "#!/bin/sh\necho the game started\n");
  WriteWholeFile(top + "/bin/dpkg-query", "#!/bin/sh\nprintf 'install ok installed'\n");
  WriteWholeFile(top + "/bin/cmake", "#!/bin/sh\necho \"cmake $*\" >> \"$CMAKE_LOG\"\n");
  for (const char* file : {"/tools/setup.sh", "/build/quillmoor", "/bin/dpkg-query", "/bin/cmake"})
    std::filesystem::permissions(top + file, std::filesystem::perms::owner_all);
  return top;
}

// Runs the script with the mode; returns its output, the CMake calls in `cmake`.
std::string RunSetup(const std::string& top, const std::string& mode, std::string& cmake,
                     int& status) {
  const std::string command = "cd '" + top + "' && CMAKE_LOG='" + top + "/cmake.log' PATH='" + top +
                              "/bin':\"$PATH\" tools/setup.sh " + mode + " 2>&1";
  const std::string out = RunCommand(command, status);
  cmake = std::filesystem::exists(top + "/cmake.log") ? ReadWholeFile(top + "/cmake.log") : "";
  std::filesystem::remove(top + "/cmake.log");
  return out;
}

}  // namespace

TEST(SetupScript, PlayBuildsOnlyTheGameAndBuildBuildsEverything) {
  const std::string top = SetUpTree();
  std::string cmake;
  int status = -1;
  EXPECT_EQ(RunSetup(top, "play", cmake, status), "the game started\n");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(cmake, "cmake --build build --target quillmoor\n");
  RunSetup(top, "build", cmake, status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(cmake, "cmake --build build\n");
  RunSetup(top, "fly", cmake, status);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(cmake, "");
  std::filesystem::remove_all(top);
}
