// Portraits of the swordsmen, painted from the image's file name alone: the
// name's hash picks the palette, the background pattern, the clothing, the
// hair, the headwear, the face and the sword, so every name gets its own
// recognisable figure, even as a 40 x 40 cell of the tournament board.
#pragma once

#include <string_view>

#include "tools/AssetCanvas.h"

namespace asset {

// The size of the portrait of a file name: 300 x 300, or 240 x 280 when the
// name holds "_s" (a smaller picture, which the game centres on black).
void PortraitSize(std::string_view fileName, int& width, int& height);
// The portrait of a file name.
TImage PaintPortrait(std::string_view fileName);
// The stand-in for a swordsman without a picture: a grey shadow figure.
TImage PaintNoImage();

}  // namespace asset
