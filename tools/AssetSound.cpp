#include "tools/AssetSound.h"

#include <algorithm>
#include <cmath>

#include "tools/AssetMath.h"

namespace asset {

TSoundBuffer::TSoundBuffer(double seconds)
    : Data(static_cast<std::size_t>(std::floor(seconds * kSoundRate + 0.5)), 0.0) {}

double EnvelopeAt(const TEnvelope& env, double t, double dur) {
  if (t < 0 || t >= dur) return 0.0;
  double level = 1.0;
  if (env.Attack > 0 && t < env.Attack) level = t / env.Attack;
  if (env.Decay > 0 && t > env.Attack) level *= Exp(-(t - env.Attack) / env.Decay);
  const double left = dur - t;
  if (env.Release > 0 && left < env.Release) level *= left / env.Release;
  return level;
}

void TSoundBuffer::Tone(double at, double dur, double f0, double f1, double gain, TEnvelope env,
                        const std::vector<TPartial>& partials, double vibratoHz,
                        double vibratoDepth) {
  const std::size_t start = static_cast<std::size_t>(std::max(0.0, at) * kSoundRate);
  const std::size_t count = static_cast<std::size_t>(dur * kSoundRate);
  const double ratio = f1 / f0;
  const double logRatio = Log(ratio);
  // One phase per partial, in turns, kept in 0..1 so that precision does not
  // wear away over a long note.
  std::vector<double> phases(partials.size(), 0.0);
  for (std::size_t i = 0; i < count && start + i < Data.size(); ++i) {
    const double t = static_cast<double>(i) / kSoundRate;
    double f = f0 * Exp(logRatio * t / dur);
    if (vibratoHz > 0) f *= 1.0 + vibratoDepth * SinTurns(vibratoHz * t);
    const double base = EnvelopeAt(env, t, dur);
    double v = 0.0;
    for (std::size_t k = 0; k < partials.size(); ++k) {
      const TPartial& p = partials[k];
      const double pf = f * p.Ratio;
      // Partials near the Nyquist frequency would fold back as noise.
      if (pf < kSoundRate * 0.45) {
        double level = p.Gain;
        if (env.Decay > 0 && p.DecayScale != 1.0 && t > env.Attack)
          level *= Exp(-(t - env.Attack) * (p.DecayScale - 1.0) / env.Decay);
        v += level * SinTurns(phases[k]);
      }
      phases[k] += pf / kSoundRate;
      phases[k] -= std::floor(phases[k]);
    }
    Data[start + i] += gain * base * v;
  }
}

void TSoundBuffer::Noise(double at, double dur, double c0, double c1, double q, double gain,
                         TEnvelope env, std::uint64_t seed) {
  TAssetRandom rnd(seed);
  const std::size_t start = static_cast<std::size_t>(std::max(0.0, at) * kSoundRate);
  const std::size_t count = static_cast<std::size_t>(dur * kSoundRate);
  const double logRatio = Log(c1 / c0);
  // A state-variable filter in its trapezoidal form, stable at any centre
  // frequency; the band-pass output is taken.
  double ic1 = 0.0, ic2 = 0.0;
  const double k = 1.0 / q;
  for (std::size_t i = 0; i < count && start + i < Data.size(); ++i) {
    const double t = static_cast<double>(i) / kSoundRate;
    const double c = std::min(c0 * Exp(logRatio * t / dur), kSoundRate * 0.45);
    const double turns = c / (2.0 * kSoundRate);
    const double g = SinTurns(turns) / CosTurns(turns);  // tan(pi c / rate)
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double in = rnd.Unit() * 2.0 - 1.0;
    const double v3 = in - ic2;
    const double v1 = a1 * ic1 + a2 * v3;
    const double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    Data[start + i] += gain * EnvelopeAt(env, t, dur) * v1 * k;
  }
}

void TSoundBuffer::Pluck(double at, double dur, double freq, double gain, double damping,
                         std::uint64_t seed) {
  TAssetRandom rnd(seed);
  const int period = std::max(2, static_cast<int>(kSoundRate / freq + 0.5));
  std::vector<double> line(static_cast<std::size_t>(period));
  // A softened noise burst as the string's first shape.
  double prev = 0.0;
  for (double& v : line) {
    prev = 0.5 * prev + 0.5 * (rnd.Unit() * 2.0 - 1.0);
    v = prev;
  }
  const std::size_t start = static_cast<std::size_t>(std::max(0.0, at) * kSoundRate);
  const std::size_t count = static_cast<std::size_t>(dur * kSoundRate);
  const double keep = 0.5 * (1.0 - 0.02 * damping);
  std::size_t pos = 0;
  for (std::size_t i = 0; i < count && start + i < Data.size(); ++i) {
    const double t = static_cast<double>(i) / kSoundRate;
    const std::size_t next = (pos + 1) % line.size();
    const double out = line[pos];
    line[pos] = keep * (line[pos] + line[next]);
    pos = next;
    const double left = dur - t;
    const double tail = left < 0.03 ? left / 0.03 : 1.0;
    Data[start + i] += gain * out * tail;
  }
}

void TSoundBuffer::Finish(double peak, double fadeIn, double fadeOut) {
  if (Data.empty()) return;
  // 1. Remove any slow offset with a gentle high-pass (about 20 Hz).
  const double a = 1.0 - 2.0 * kPi * 20.0 / kSoundRate;
  double prevIn = 0.0, prevOut = 0.0;
  for (double& s : Data) {
    const double out = s - prevIn + a * prevOut;
    prevIn = s;
    prevOut = out;
    s = out;
  }
  // 2. Fade both ends.
  const std::size_t n = Data.size();
  const std::size_t in = std::min(n, static_cast<std::size_t>(fadeIn * kSoundRate));
  const std::size_t out = std::min(n, static_cast<std::size_t>(fadeOut * kSoundRate));
  for (std::size_t i = 0; i < in; ++i) Data[i] *= static_cast<double>(i) / in;
  for (std::size_t i = 0; i < out; ++i) Data[n - 1 - i] *= static_cast<double>(i) / out;
  // 3. Scale the loudest sample to the peak.
  double loudest = 0.0;
  for (double s : Data) loudest = std::max(loudest, std::fabs(s));
  if (loudest > 0.0)
    for (double& s : Data) s *= peak / loudest;
}

}  // namespace asset
