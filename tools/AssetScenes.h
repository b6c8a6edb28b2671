// The game's fixed pictures: the title screen with the game's name, the calm
// background every other screen is built on, and the emblem at the centre of
// the tournament bracket (keyed by its top-left pixel).
#pragma once

#include "tools/AssetCanvas.h"

namespace asset {

// The colour the bracket emblem is keyed by (its top-left pixel).
TColor EmblemKeyColor();

TImage PaintTitle();
TImage PaintBack();
TImage PaintEmblem();

}  // namespace asset
