// Arithmetic of the asset generator that must give the same bits on every
// machine: sine, exponential and arc tangent computed here from + - * / only
// (the C library's versions may differ between releases in the last bit, and
// one flipped bit changes a JPEG), a 64-bit name hash and a small seeded
// generator for noise and picks. Nothing here touches the game's own random
// generator.
#pragma once

#include <cstdint>
#include <string_view>

namespace asset {

inline constexpr double kPi = 3.14159265358979323846;

// sin(2 pi x): x is a phase in turns.
double SinTurns(double x);
inline double CosTurns(double x) {
  return SinTurns(x + 0.25);
}
// sin and cos of an angle in radians.
double Sin(double radians);
double Cos(double radians);
// e^x; x below -700 gives 0.
double Exp(double x);
// Angle of (x, y) in radians, -pi..pi, as atan2(y, x).
double Atan2(double y, double x);
// a^b for a > 0 through Exp and a logarithm of our own.
double Log(double x);
inline double Pow(double a, double b) {
  return Exp(b * Log(a));
}

inline double Clamp(double v, double lo, double hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}
inline double Mix(double a, double b, double t) {
  return a + (b - a) * t;
}
// Smooth step from 0 at e0 to 1 at e1.
double SmoothStep(double e0, double e1, double x);

// FNV-1a over the bytes, then a final avalanche, so that names differing in one
// letter get unrelated hashes.
std::uint64_t HashName(std::string_view bytes);
// Mixes a hash with a salt (for independent traits of one name).
std::uint64_t HashMix(std::uint64_t h, std::uint64_t salt);

// A seeded generator (splitmix64).
class TAssetRandom {
 public:
  explicit TAssetRandom(std::uint64_t seed) : State(seed) {}
  std::uint64_t Next();
  // Uniform in 0..n-1 (0 when n <= 0).
  int Below(int n);
  // Uniform in [0, 1).
  double Unit();
  // Uniform in [lo, hi).
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

 private:
  std::uint64_t State;
};

// Smooth value noise in 2-D, about 0..1, with the lattice hashed from the seed.
double ValueNoise(double x, double y, std::uint64_t seed);

// Distance from (x, y) to the centre of the nearest overlapping wave scale
// (rows of half-circles of radius r, alternate rows shifted by r), or a value
// above 1e8 where no scale covers the point.
double WaveScaleDistance(double x, double y, double r);
// Several octaves of value noise, about 0..1.
double FractalNoise(double x, double y, int octaves, std::uint64_t seed);

}  // namespace asset
