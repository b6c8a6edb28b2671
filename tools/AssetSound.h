// Sound synthesis of the asset generator: a mono buffer of samples (-1..1) at
// one fixed rate, into which tones, bells, plucked strings and filtered noise
// are mixed, and a finishing pass that removes any offset, sets the peak level
// and fades both ends so that no cue starts or stops with a click.
#pragma once

#include <cstdint>
#include <vector>

namespace asset {

inline constexpr int kSoundRate = 22050;

// One partial of a tone: its frequency as a multiple of the fundamental, its
// gain, and how much faster than the fundamental it dies away (1 = as fast).
struct TPartial {
  double Ratio;
  double Gain;
  double DecayScale = 1.0;
};

// The loudness over a note: a rise of Attack seconds, then an exponential fall
// with time constant Decay seconds (0: hold), then a release of Release
// seconds at the note's end.
struct TEnvelope {
  double Attack = 0.005;
  double Decay = 0.0;
  double Release = 0.02;
};

class TSoundBuffer {
 public:
  explicit TSoundBuffer(double seconds);

  std::vector<double>& Samples() { return Data; }
  const std::vector<double>& Samples() const { return Data; }
  double Seconds() const { return static_cast<double>(Data.size()) / kSoundRate; }

  // Mixes a note: from time at, lasting dur seconds, its pitch gliding
  // exponentially from f0 to f1 Hz, built of the partials, at the gain.
  void Tone(double at, double dur, double f0, double f1, double gain, TEnvelope env,
            const std::vector<TPartial>& partials = {{1.0, 1.0}}, double vibratoHz = 0.0,
            double vibratoDepth = 0.0);
  // Mixes a burst of noise through a band-pass filter whose centre glides
  // exponentially from c0 to c1 Hz; q sets the width (higher is narrower).
  void Noise(double at, double dur, double c0, double c1, double q, double gain, TEnvelope env,
             std::uint64_t seed);
  // Mixes a plucked string (a delay line fed with noise and smoothed on each
  // pass) at the frequency; damping 0..1 shortens it.
  void Pluck(double at, double dur, double freq, double gain, double damping, std::uint64_t seed);

  // Removes a constant offset, scales the loudest sample to peak, and fades
  // in over fadeIn and out over fadeOut seconds.
  void Finish(double peak, double fadeIn = 0.003, double fadeOut = 0.02);

 private:
  std::vector<double> Data;
};

// The envelope's level at t seconds into a note of dur seconds.
double EnvelopeAt(const TEnvelope& env, double t, double dur);

}  // namespace asset
