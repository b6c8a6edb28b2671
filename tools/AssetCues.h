// The game's sounds: the twenty cue files the battle, the hero setup and the
// screen changes play, each a short synthesised sound of its own, and the
// sounds a story may name, made from the name (a word in it chooses the kind
// of sound, the rest of the name varies it).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/AssetSound.h"

namespace asset {

// The cue file names (cp932, without the folder), in a fixed order.
const std::vector<std::string>& CueFileNames();
bool IsCueFile(std::string_view fileName);
// The finished sound of a cue file or of any other wave name.
TSoundBuffer MakeSound(std::string_view fileName);

}  // namespace asset
