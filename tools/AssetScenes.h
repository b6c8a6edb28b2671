// The game's fixed pictures and the story's pictures: the title screen with
// the game's name, the calm background every other screen is built on, the
// emblem at the centre of the tournament bracket (keyed by its top-left
// pixel), and story scenes painted from their file names.
#pragma once

#include <string_view>

#include "tools/AssetCanvas.h"

namespace asset {

// The colour the bracket emblem is keyed by (its top-left pixel).
TColor EmblemKeyColor();

TImage PaintTitle();
TImage PaintBack();
TImage PaintEmblem();
// A 600 x 300 story scene. Words in the name choose the time of day and what
// stands in the scene (see docs/assets.md); the rest comes from its hash.
TImage PaintStoryScene(std::string_view fileName);

}  // namespace asset
