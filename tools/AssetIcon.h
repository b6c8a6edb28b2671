// The game's icon: two crossed swords before a full moon on the night blue of
// the game's screens, one drawing at any size. The window shows it (the data
// folder's icon.bmp) and the desktop shows it (the hicolor icons an
// installation carries, one PNG per size).
#pragma once

#include <string>
#include <vector>

#include "tools/AssetCanvas.h"

namespace asset {

// The id the desktop knows the game by: the desktop entry's, the metainfo's
// and the icons' file name.
inline constexpr const char* kDesktopId = "org.quillmoor.Quillmoor";
// The sizes of the hicolor icons, in pixels.
inline const std::vector<int> kIconSizes = {16, 24, 32, 48, 64, 128, 256};
// The size of the window's icon in the data folder.
inline constexpr int kWindowIconSize = 64;

// The icon drawn at size x size pixels.
TImage PaintIcon(int size);
// Writes folder/NxN/apps/<id>.png for every size; returns the paths written.
// Throws std::runtime_error when a file cannot be written.
std::vector<std::string> WriteHicolorIcons(const std::string& folder);

}  // namespace asset
