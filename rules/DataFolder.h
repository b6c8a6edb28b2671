// The folder of the game's data: the roster, the story, the pictures and the
// sounds all live under "dat\\" in the working folder, written the game's way
// (the platform maps the separator). Every file the game names by a bare file
// name (a roster's portrait, a story's picture or sound) is looked up here.
#pragma once

#include <string>
#include <string_view>

// "dat\\"
inline constexpr std::string_view DataFolder = "dat\\";

// The program path of a file in the data folder: "dat\\" + name.
inline std::string DataPath(std::string_view name) {
  std::string path(DataFolder);
  path += name;
  return path;
}
