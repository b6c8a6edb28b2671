// Portraits of the swordsmen, painted from the image's file name: the name's
// hash picks the palette, the background pattern, the clothing, the hair, the
// headwear, the face and the sword, so every name gets its own recognisable
// figure, even as a 40 x 40 cell of the tournament board. Words of the
// swordsman's own name and description can settle a few traits, so that an
// old master looks old and a courier girl looks like one.
#pragma once

#include <string_view>

#include "tools/AssetCanvas.h"

namespace asset {

// The size of the portrait of a file name: 300 x 300, or 240 x 280 when the
// name holds "_s" (a smaller picture, which the game centres on black).
void PortraitSize(std::string_view fileName, int& width, int& height);
// The portrait of a file name. The hints, the swordsman's name and description
// (cp932), may settle some traits: age, a woman's or a boy's looks, armour, a
// monk, black clothes, mask, eye patch, hat, helmet, two swords, colours.
TImage PaintPortrait(std::string_view fileName, std::string_view hints = {});
// The stand-in for a swordsman without a picture: a grey shadow figure.
TImage PaintNoImage();

}  // namespace asset
