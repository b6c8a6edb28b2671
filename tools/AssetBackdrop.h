// Backgrounds behind the portraits: a vertical gradient in one hue with one of
// ten traditional patterns washed over it (rays, rings, stripes, wave scales,
// a great disc, far mountains, a checkerboard, petals, a vignette, bamboo).
#pragma once

#include <cstdint>

#include "tools/AssetCanvas.h"

namespace asset {

inline constexpr int kBackdropPatterns = 10;

struct TBackdropStyle {
  double Hue = 0.0;  // in turns
  double Sat = 0.5;
  double Val = 0.6;
  int Pattern = 0;  // 0 .. kBackdropPatterns - 1
  std::uint64_t Seed = 0;
};

TBackdropStyle BackdropStyleOf(std::uint64_t hash);
// Paints the whole canvas.
void PaintBackdrop(TCanvas& canvas, const TBackdropStyle& style);

}  // namespace asset
