#include "tools/AssetMath.h"

#include <cmath>

namespace asset {

namespace {

// sin(pi * t) for t in [-0.5, 0.5] by its Taylor series; the error is far
// below one part in 2^24.
double SinHalfTurnCore(double t) {
  const double x = kPi * t;
  const double x2 = x * x;
  double term = x;
  double sum = x;
  for (int k = 1; k <= 9; ++k) {
    term *= -x2 / ((2.0 * k) * (2.0 * k + 1.0));
    sum += term;
  }
  return sum;
}

}  // namespace

double SinTurns(double x) {
  // floor is exact in IEEE arithmetic, so the reduction is the same everywhere.
  double p = x - std::floor(x);  // 0 <= p < 1
  // sin(2 pi p) = sin(pi * 2p); fold 2p in [0, 2) onto [-0.5, 0.5].
  double t = 2.0 * p;
  if (t > 1.5) return SinHalfTurnCore(t - 2.0);
  if (t > 0.5) return -SinHalfTurnCore(t - 1.0);
  return SinHalfTurnCore(t);
}

double Sin(double radians) {
  return SinTurns(radians / (2.0 * kPi));
}
double Cos(double radians) {
  return CosTurns(radians / (2.0 * kPi));
}

double Exp(double x) {
  if (x < -700.0) return 0.0;
  if (x > 700.0) x = 700.0;
  // x = k ln2 + r with |r| <= ln2 / 2; ldexp scales exactly.
  const double ln2 = 0.69314718055994530942;
  const double k = std::floor(x / ln2 + 0.5);
  const double r = x - k * ln2;
  double term = 1.0;
  double sum = 1.0;
  for (int n = 1; n <= 14; ++n) {
    term *= r / n;
    sum += term;
  }
  return std::ldexp(sum, static_cast<int>(k));
}

double Log(double x) {
  if (x <= 0.0) return -745.0;
  int e = 0;
  const double m = std::frexp(x, &e);  // x = m 2^e, 0.5 <= m < 1 (exact)
  // ln m = 2 atanh(s), s = (m - 1) / (m + 1), |s| <= 1/3.
  const double s = (m - 1.0) / (m + 1.0);
  const double s2 = s * s;
  double term = s;
  double sum = 0.0;
  for (int k = 0; k < 30; ++k) {
    sum += term / (2.0 * k + 1.0);
    term *= s2;
  }
  return 2.0 * sum + e * 0.69314718055994530942;
}

double Atan2(double y, double x) {
  if (x == 0.0 && y == 0.0) return 0.0;
  const double ax = std::fabs(x);
  const double ay = std::fabs(y);
  // atan of a ratio in [0, 1], reduced twice by the half-angle identity
  // atan(z) = 2 atan(z / (1 + sqrt(1 + z^2))) so the series converges fast.
  double z = ax >= ay ? ay / ax : ax / ay;
  z = z / (1.0 + std::sqrt(1.0 + z * z));
  z = z / (1.0 + std::sqrt(1.0 + z * z));
  const double z2 = z * z;
  double term = z;
  double sum = 0.0;
  for (int k = 0; k < 12; ++k) {
    sum += term / (2.0 * k + 1.0) * (k % 2 == 0 ? 1.0 : -1.0);
    term *= z2;
  }
  double a = 4.0 * sum;
  if (ay > ax) a = kPi / 2.0 - a;
  if (x < 0.0) a = kPi - a;
  return y < 0.0 ? -a : a;
}

double SmoothStep(double e0, double e1, double x) {
  const double t = Clamp((x - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

std::uint64_t HashMix(std::uint64_t h, std::uint64_t salt) {
  std::uint64_t z = h + 0x9E3779B97F4A7C15ull * (salt + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint64_t HashName(std::string_view bytes) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 0x100000001B3ull;
  }
  return HashMix(h, 0);
}

std::uint64_t TAssetRandom::Next() {
  State += 0x9E3779B97F4A7C15ull;
  std::uint64_t z = State;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int TAssetRandom::Below(int n) {
  if (n <= 0) return 0;
  return static_cast<int>(Next() % static_cast<std::uint64_t>(n));
}

double TAssetRandom::Unit() {
  return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

namespace {

double Lattice(long long x, long long y, std::uint64_t seed) {
  const std::uint64_t h =
      HashMix(HashMix(seed, static_cast<std::uint64_t>(x)), static_cast<std::uint64_t>(y) + 77);
  return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace

double ValueNoise(double x, double y, std::uint64_t seed) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const long long ix = static_cast<long long>(fx);
  const long long iy = static_cast<long long>(fy);
  const double tx = SmoothStep(0.0, 1.0, x - fx);
  const double ty = SmoothStep(0.0, 1.0, y - fy);
  const double a = Lattice(ix, iy, seed);
  const double b = Lattice(ix + 1, iy, seed);
  const double c = Lattice(ix, iy + 1, seed);
  const double d = Lattice(ix + 1, iy + 1, seed);
  return Mix(Mix(a, b, tx), Mix(c, d, tx), ty);
}

double FractalNoise(double x, double y, int octaves, std::uint64_t seed) {
  double sum = 0.0;
  double amp = 0.5;
  double norm = 0.0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * ValueNoise(x, y, HashMix(seed, static_cast<std::uint64_t>(o)));
    norm += amp;
    x *= 2.0;
    y *= 2.0;
    amp *= 0.5;
  }
  return sum / norm;
}

double WaveScaleDistance(double x, double y, double r) {
  const double row = std::floor(y / (r * 0.5));
  double best = 1e9;
  for (int dr = 0; dr <= 2; ++dr) {
    const double ry = (row + dr) * r * 0.5;
    const double shift = std::fmod(row + dr, 2.0) == 0.0 ? 0.0 : r;
    const double col = std::floor((x - shift) / (2 * r) + 0.5);
    const double rx = col * 2 * r + shift;
    const double d = std::sqrt((x - rx) * (x - rx) + (y - ry) * (y - ry));
    if (y <= ry && d < r) best = std::min(best, d);
  }
  return best;
}

}  // namespace asset
