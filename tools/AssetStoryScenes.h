// The story's pictures: 600 x 300 scenes painted from their file names. A word
// in the name picks the scene (a city gate, the white tower, a teahouse, the
// arena, a night market, a library, an open ledger, a ceremony, a ferry) and
// may set the time of day or the weather; a name without such a word gets a
// landscape with one or two swordsmen drawn from its hash.
#pragma once

#include <string_view>

#include "tools/AssetCanvas.h"

namespace asset {

inline constexpr int kStoryWidth = 600;
inline constexpr int kStoryHeight = 300;

TImage PaintStoryScene(std::string_view fileName);

}  // namespace asset
