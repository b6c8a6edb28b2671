// Pieces of landscapes shared by the title and the story scenes: skies for the
// times of day, ridges of mountains, drifting petals, a swordsman in
// silhouette, and the name-word tests that let a file name pick a scene.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "tools/AssetCanvas.h"

namespace asset {

// The time of day of a landscape: sky from top to horizon, the light disc,
// and the colour of the nearest ground.
struct TSky {
  TColor Top, Horizon, Disc, Ground;
  bool Moon = false;
  bool Stars = false;
};

enum TTimeOfDay { kNight = 0, kDawn = 1, kSunset = 2, kDay = 3 };

TSky SkyOf(int timeOfDay);
// Fills the canvas with the sky's gradient down to the horizon (and stars).
void PaintSky(TCanvas& c, const TSky& sky, double horizon, std::uint64_t seed);
// A ridge of mountains: everything below a noisy line around base.
void PaintRidge(TCanvas& c, double base, double height, double scale, TColor color,
                std::uint64_t seed);
void PaintPetals(TCanvas& c, int count, TColor color, std::uint64_t seed);
// A standing swordsman, feet at (x, y), size pixels high, the sword raised to
// the side of facing (1 right, -1 left), with or without a wide hat.
void PaintSilhouette(TCanvas& c, double x, double y, double size, double facing, TColor color,
                     bool hat);

// The name with ASCII letters in lower case.
std::string AsciiLower(std::string_view name);
// True when the (lower-case) name holds any of the words.
bool HasAny(const std::string& name, std::initializer_list<const char*> words);

}  // namespace asset
