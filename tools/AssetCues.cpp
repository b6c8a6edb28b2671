#include "tools/AssetCues.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "rules/Cues.h"
#include "rules/SjisText.h"
#include "tools/AssetMath.h"

namespace asset {

namespace {

using TMaker = std::function<TSoundBuffer()>;

// Equal-tempered pitch of a MIDI note number (69 = A 440 Hz), by halving and
// doubling so no power function is needed for whole octaves.
double Note(int midi) {
  static const double kSemitone[12] = {1.0,         1.059463094, 1.122462048, 1.189207115,
                                       1.259921050, 1.334839854, 1.414213562, 1.498307077,
                                       1.587401052, 1.681792831, 1.781797436, 1.887748625};
  const int d = midi - 69;
  int octave = d >= 0 ? d / 12 : -((11 - d) / 12);
  const int step = d - 12 * octave;
  double f = 440.0 * kSemitone[step];
  for (; octave > 0; --octave) f *= 2.0;
  for (; octave < 0; ++octave) f /= 2.0;
  return f;
}

const std::vector<TPartial> kBell = {
    {1.0, 1.0, 1.0}, {2.0, 0.35, 1.6}, {3.01, 0.18, 2.4}, {4.2, 0.08, 3.2}};
const std::vector<TPartial> kWood = {{1.0, 1.0, 1.0}, {2.41, 0.45, 2.0}, {4.12, 0.18, 3.0}};
const std::vector<TPartial> kSoftSquare = {{1.0, 1.0}, {3.0, 0.28}, {5.0, 0.12}, {7.0, 0.05}};
const std::vector<TPartial> kBrass = {{1.0, 1.0},  {2.0, 0.6},  {3.0, 0.38},
                                      {4.0, 0.22}, {5.0, 0.12}, {6.0, 0.06}};

TEnvelope Env(double attack, double decay, double release) {
  return {attack, decay, release};
}

// A bubble: a short sine whose pitch rises as it closes.
void Bubble(TSoundBuffer& s, double at, double freq, double gain) {
  s.Tone(at, 0.06, freq, freq * 1.9, gain, Env(0.002, 0.022, 0.01));
}

TSoundBuffer Transition() {  // a soft whoosh between screens
  TSoundBuffer s(0.34);
  s.Noise(0.0, 0.34, 450, 2600, 1.8, 1.0, Env(0.15, 0.09, 0.12), 11);
  s.Noise(0.02, 0.3, 1400, 4200, 2.5, 0.35, Env(0.13, 0.08, 0.1), 12);
  s.Finish(0.42, 0.003, 0.04);
  return s;
}

TSoundBuffer Popon() {  // "po-pon": two round pops, the second higher
  TSoundBuffer s(0.24);
  s.Tone(0.0, 0.08, 720, 560, 0.8, Env(0.002, 0.028, 0.015), {{1, 1}, {2, 0.12}});
  s.Tone(0.07, 0.17, 1080, 940, 1.0, Env(0.002, 0.05, 0.03), {{1, 1}, {2, 0.15}});
  s.Finish(0.5);
  return s;
}

TSoundBuffer Suka() {  // an airy miss: a falling hiss
  TSoundBuffer s(0.24);
  s.Noise(0.0, 0.24, 3200, 900, 1.4, 1.0, Env(0.025, 0.06, 0.06), 31);
  s.Tone(0.0, 0.2, 340, 210, 0.12, Env(0.02, 0.06, 0.05));
  s.Finish(0.38);
  return s;
}

TSoundBuffer Tick() {  // a light woodblock tap for every sword announced
  TSoundBuffer s(0.08);
  s.Tone(0.0, 0.08, 1520, 1480, 1.0, Env(0.0008, 0.011, 0.02), kWood);
  s.Noise(0.0, 0.015, 4500, 4500, 3.0, 0.5, Env(0.0005, 0.003, 0.005), 41);
  s.Finish(0.32, 0.0008, 0.02);
  return s;
}

TSoundBuffer Weak() {  // a drowsy falling sigh
  TSoundBuffer s(0.62);
  s.Tone(0.0, 0.62, 560, 250, 0.8, Env(0.05, 0.32, 0.12), {{1, 1}, {2, 0.18}, {3, 0.05}}, 5.0,
         0.012);
  s.Tone(0.03, 0.58, 420, 188, 0.35, Env(0.06, 0.3, 0.12), {{1, 1}}, 4.3, 0.01);
  s.Finish(0.38);
  return s;
}

TSoundBuffer Drip() {  // poison: two thick drips
  TSoundBuffer s(0.3);
  s.Tone(0.0, 0.09, 480, 1350, 1.0, Env(0.002, 0.03, 0.02), {{1, 1}, {1.01, 0.5}});
  s.Tone(0.13, 0.1, 360, 1000, 0.8, Env(0.002, 0.035, 0.03), {{1, 1}, {1.012, 0.5}});
  s.Tone(0.0, 0.28, 150, 120, 0.18, Env(0.01, 0.09, 0.05));
  s.Finish(0.45);
  return s;
}

TSoundBuffer Sting() {  // an effect takes hold: a sour sting and a drip
  TSoundBuffer s(0.24);
  s.Tone(0.0, 0.2, 880, 820, 0.6, Env(0.002, 0.055, 0.04), {{1, 1}, {1.059, 0.8}, {2, 0.15}});
  s.Tone(0.06, 0.09, 650, 1700, 0.7, Env(0.002, 0.03, 0.02));
  s.Finish(0.42);
  return s;
}

TSoundBuffer Crash() {  // a knock-out: a heavy thump, a burst and flying shards
  TSoundBuffer s(0.95);
  s.Tone(0.0, 0.5, 130, 42, 1.0, Env(0.002, 0.14, 0.1), {{1, 1}, {2, 0.3}});
  s.Noise(0.0, 0.9, 3200, 500, 0.7, 1.3, Env(0.002, 0.22, 0.2), 81);
  TAssetRandom rnd(82);
  for (int i = 0; i < 7; ++i) {
    const double at = 0.01 + rnd.Range(0.0, 0.32);
    const double f = rnd.Range(1900, 4600);
    s.Tone(at, 0.3, f, f * 0.98, 0.16, Env(0.001, 0.05, 0.05), {{1, 1}, {1.47, 0.5, 1.5}});
  }
  s.Finish(0.6, 0.002, 0.08);
  return s;
}

TSoundBuffer Revival() {  // a rising chime of four bells
  TSoundBuffer s(1.25);
  const int notes[4] = {76, 79, 84, 88};  // E G C E
  for (int i = 0; i < 4; ++i) {
    const double at = 0.09 * i;
    s.Tone(at, 1.25 - at, Note(notes[i]), Note(notes[i]), i == 3 ? 0.9 : 0.7, Env(0.002, 0.32, 0.2),
           kBell);
  }
  s.Finish(0.48, 0.002, 0.1);
  return s;
}

TSoundBuffer Gong() {  // the battle is over: a low gong
  TSoundBuffer s(1.5);
  const std::vector<TPartial> gong = {{1.0, 1.0, 1.0},  {1.48, 0.7, 1.2}, {1.93, 0.55, 1.4},
                                      {2.47, 0.4, 1.7}, {2.94, 0.3, 2.0}, {3.6, 0.22, 2.4},
                                      {4.3, 0.15, 2.9}, {5.21, 0.08, 3.4}};
  s.Tone(0.0, 1.5, 102, 97, 1.0, Env(0.004, 0.55, 0.3), gong, 1.3, 0.002);
  s.Noise(0.0, 0.4, 1800, 1200, 3.0, 0.25, Env(0.002, 0.08, 0.1), 101);
  s.Finish(0.55, 0.002, 0.2);
  return s;
}

TSoundBuffer Fanfare() {  // the judgement: a short brass call
  TSoundBuffer s(1.3);
  s.Tone(0.0, 0.13, Note(67), Note(67), 0.8, Env(0.015, 0.0, 0.03), kBrass);
  s.Tone(0.15, 0.13, Note(67), Note(67), 0.8, Env(0.015, 0.0, 0.03), kBrass);
  for (int n : {72, 76, 79}) {
    s.Tone(0.3, 1.0, Note(n), Note(n), n == 72 ? 0.8 : 0.55, Env(0.02, 0.6, 0.25), kBrass, 5.5,
           0.004);
  }
  s.Finish(0.48, 0.003, 0.12);
  return s;
}

TSoundBuffer Shimmer() {  // "hi-in": a rising shimmer
  TSoundBuffer s(0.62);
  s.Tone(0.0, 0.62, 1150, 2300, 0.7, Env(0.06, 0.26, 0.16), {{1, 1}, {2, 0.18}}, 7.0, 0.006);
  s.Tone(0.0, 0.62, 1157, 2314, 0.5, Env(0.07, 0.26, 0.16), {{1, 1}}, 6.1, 0.006);
  s.Noise(0.0, 0.5, 5000, 7000, 4.0, 0.08, Env(0.05, 0.15, 0.1), 121);
  s.Finish(0.36);
  return s;
}

TSoundBuffer Knock() {  // "kon": a hollow knock as a strike rebounds
  TSoundBuffer s(0.18);
  s.Tone(0.0, 0.18, 820, 800, 1.0, Env(0.001, 0.032, 0.03), kWood);
  s.Tone(0.0, 0.12, 410, 400, 0.35, Env(0.001, 0.03, 0.03));
  s.Noise(0.0, 0.02, 2200, 2200, 2.0, 0.5, Env(0.0005, 0.005, 0.01), 131);
  s.Finish(0.5, 0.001, 0.03);
  return s;
}

TSoundBuffer Clink() {  // "kin": steel on steel, no harm done
  TSoundBuffer s(0.42);
  const std::vector<TPartial> metal = {
      {1.0, 1.0, 1.0}, {1.51, 0.6, 1.3}, {2.17, 0.35, 1.8}, {2.83, 0.15, 2.4}};
  s.Tone(0.0, 0.42, 2350, 2340, 1.0, Env(0.001, 0.11, 0.08), metal);
  s.Noise(0.0, 0.012, 6000, 6000, 2.0, 0.4, Env(0.0005, 0.003, 0.005), 141);
  s.Finish(0.36, 0.001, 0.06);
  return s;
}

TSoundBuffer Thud() {  // "dun": a blow lands
  TSoundBuffer s(0.3);
  s.Tone(0.0, 0.3, 115, 48, 1.0, Env(0.002, 0.075, 0.06), {{1, 1}, {2, 0.28}, {3, 0.08}});
  s.Noise(0.0, 0.08, 420, 160, 1.0, 0.9, Env(0.001, 0.025, 0.03), 151);
  s.Finish(0.6, 0.001, 0.05);
  return s;
}

TSoundBuffer Gulp() {  // "eat": a gulp as a sword is stolen
  TSoundBuffer s(0.32);
  s.Tone(0.0, 0.13, 430, 170, 1.0, Env(0.004, 0.05, 0.03), {{1, 1}, {2, 0.45}, {3, 0.2}});
  s.Tone(0.15, 0.15, 320, 120, 0.8, Env(0.004, 0.05, 0.04), {{1, 1}, {2, 0.4}, {3, 0.15}});
  s.Finish(0.5);
  return s;
}

TSoundBuffer RiseUp() {  // "up": a quick rising arpeggio
  TSoundBuffer s(0.42);
  const int notes[4] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i) {
    const double at = 0.065 * i;
    const double dur = i == 3 ? 0.42 - at : 0.13;
    s.Tone(at, dur, Note(notes[i]), Note(notes[i]), 0.8, Env(0.003, i == 3 ? 0.09 : 0.05, 0.04),
           kSoftSquare);
  }
  s.Finish(0.36);
  return s;
}

TSoundBuffer Bubbles() {  // "bub": bubbles, nothing to take hold of
  TSoundBuffer s(0.42);
  Bubble(s, 0.0, 520, 1.0);
  Bubble(s, 0.08, 700, 0.8);
  Bubble(s, 0.17, 610, 0.75);
  Bubble(s, 0.27, 860, 0.6);
  s.Finish(0.44);
  return s;
}

TSoundBuffer Splash() {  // "water": a splash as a grant is made
  TSoundBuffer s(0.56);
  s.Tone(0.0, 0.07, 300, 650, 0.8, Env(0.002, 0.025, 0.02));
  s.Noise(0.005, 0.5, 2600, 700, 0.8, 1.6, Env(0.006, 0.12, 0.12), 191);
  Bubble(s, 0.2, 900, 0.35);
  Bubble(s, 0.28, 1150, 0.3);
  Bubble(s, 0.36, 1000, 0.25);
  s.Finish(0.48, 0.002, 0.06);
  return s;
}

TSoundBuffer ClockTick() {  // the turn moves on: a clock's tick and tock
  TSoundBuffer s(0.36);
  const std::vector<TPartial> tick = {{1.0, 1.0, 1.0}, {1.73, 0.45, 1.5}, {2.9, 0.12, 2.0}};
  s.Tone(0.0, 0.1, 2300, 2300, 1.0, Env(0.0005, 0.009, 0.03), tick);
  s.Noise(0.0, 0.01, 5000, 5000, 3.0, 0.4, Env(0.0003, 0.002, 0.004), 201);
  s.Tone(0.17, 0.12, 1650, 1650, 0.9, Env(0.0005, 0.011, 0.04), tick);
  s.Noise(0.17, 0.01, 4000, 4000, 3.0, 0.35, Env(0.0003, 0.002, 0.004), 202);
  s.Finish(0.42, 0.0005, 0.03);
  return s;
}

// A cue's file name in the data folder: its program path ("dat\\ガソ.wav")
// without the folder. The path is split double-byte aware: "ソ" ends in the
// byte of '\\'.
std::string CueFileName(const char* programPath) {
  const TStringDynArray parts = TBromString::Split(programPath, "\\");
  if (parts.size() != 2 || parts[0] != "dat") {
    throw std::logic_error("a cue outside the data folder: " + std::string(programPath));
  }
  return parts[1];
}

// Each of the game's cues (rules/Cues.h), in the order of AllCues, with the
// sound made for it.
const std::vector<std::pair<std::string, TMaker>>& CueTable() {
  static const std::vector<std::pair<std::string, TMaker>> table = [] {
    const std::pair<const char*, TMaker> makers[] = {
        {CueTransition, Transition},
        {CuePopon, Popon},
        {CueSuka, Suka},
        {CueTick, Tick},
        {CueWeak, Weak},
        {CuePoison, Drip},
        {CueKnockOut, Crash},
        {CueRevival, Revival},
        {CueBattleOver, Gong},
        {CueJudgement, Fanfare},
        {CueShimmer, Shimmer},
        {CueReflect, Knock},
        {CueNoDamage, Clink},
        {CueDamage, Thud},
        {CueOnHit, Sting},
        {CueSteal, Gulp},
        {CueRaise, RiseUp},
        {CueNotAttack, Bubbles},
        {CueGrant, Splash},
        {CueTurnRaised, ClockTick},
    };
    static_assert(std::size(makers) == CueCount, "one sound for every cue");
    std::vector<std::pair<std::string, TMaker>> out;
    for (const auto& [cue, make] : makers) out.emplace_back(CueFileName(cue), make);
    return out;
  }();
  return table;
}

// ---- Story sounds ----------------------------------------------------------

TSoundBuffer TempleBell(std::uint64_t h) {
  TSoundBuffer s(1.5);
  const double f = 70.0 + static_cast<double>(h % 20);
  const std::vector<TPartial> bell = {
      {1.0, 1.0, 1.0}, {2.0, 0.6, 1.3}, {2.76, 0.45, 1.6}, {5.4, 0.2, 2.5}, {8.9, 0.08, 3.5}};
  s.Tone(0.0, 1.5, f, f * 0.995, 1.0, Env(0.006, 0.7, 0.35), bell, 0.8, 0.003);
  s.Noise(0.0, 0.06, 600, 400, 1.5, 0.4, Env(0.001, 0.015, 0.02), h);
  s.Finish(0.55, 0.002, 0.3);
  return s;
}

TSoundBuffer Wind(std::uint64_t h) {
  TSoundBuffer s(1.5);
  s.Noise(0.0, 1.5, 380, 900, 3.0, 1.0, Env(0.5, 0.0, 0.7), h);
  s.Noise(0.2, 1.2, 900, 500, 4.0, 0.6, Env(0.4, 0.0, 0.5), h + 1);
  s.Finish(0.4, 0.05, 0.2);
  return s;
}

TSoundBuffer Drums(std::uint64_t h) {
  TSoundBuffer s(1.3);
  const double times[3] = {0.0, 0.32, 0.48};
  for (int i = 0; i < 3; ++i) {
    const double f = 78.0 - 6.0 * i + static_cast<double>((h >> (4 * i)) % 8);
    s.Tone(times[i], 0.8, f * 1.3, f, 1.0 - 0.15 * i, Env(0.002, 0.16, 0.1),
           {{1, 1}, {1.6, 0.3, 2.0}, {2.3, 0.12, 3.0}});
    s.Noise(times[i], 0.06, 900, 300, 1.0, 0.5, Env(0.001, 0.012, 0.02), h + i);
  }
  s.Finish(0.62, 0.002, 0.1);
  return s;
}

TSoundBuffer Thunder(std::uint64_t h) {
  TSoundBuffer s(1.5);
  s.Noise(0.0, 0.2, 4000, 1500, 0.8, 0.8, Env(0.001, 0.05, 0.05), h);
  s.Noise(0.05, 1.45, 300, 60, 0.9, 2.5, Env(0.08, 0.45, 0.4), h + 1);
  s.Tone(0.05, 1.2, 55, 38, 0.5, Env(0.1, 0.4, 0.4));
  s.Finish(0.6, 0.001, 0.3);
  return s;
}

TSoundBuffer SwordDraw(std::uint64_t h) {
  TSoundBuffer s(0.9);
  s.Noise(0.0, 0.28, 1800, 5200, 2.0, 0.9, Env(0.1, 0.06, 0.06), h);
  const double f = 3000.0 + static_cast<double>(h % 600);
  s.Tone(0.2, 0.7, f, f * 0.995, 0.6, Env(0.001, 0.2, 0.15),
         {{1.0, 1.0, 1.0}, {1.34, 0.5, 1.4}, {1.92, 0.25, 2.0}}, 5.0, 0.002);
  s.Finish(0.42, 0.005, 0.1);
  return s;
}

TSoundBuffer Crowd(std::uint64_t h) {
  TSoundBuffer s(1.5);
  for (int i = 0; i < 6; ++i) {
    const double c = 500.0 + 260.0 * i;
    s.Noise(0.02 * i, 1.45 - 0.02 * i, c, c * 1.2, 5.0, 0.5, Env(0.25, 0.0, 0.6), h + i);
  }
  s.Finish(0.45, 0.05, 0.3);
  return s;
}

TSoundBuffer Rain(std::uint64_t h) {
  TSoundBuffer s(1.5);
  s.Noise(0.0, 1.5, 3000, 3000, 0.6, 0.35, Env(0.3, 0.0, 0.5), h);
  TAssetRandom rnd(h + 1);
  for (int i = 0; i < 14; ++i) {
    const double at = rnd.Range(0.0, 1.35);
    const double f = rnd.Range(900, 2200);
    s.Tone(at, 0.05, f, f * 1.6, 0.2, Env(0.001, 0.012, 0.01));
  }
  s.Finish(0.4, 0.05, 0.3);
  return s;
}

TSoundBuffer Birds(std::uint64_t h) {
  TSoundBuffer s(1.2);
  TAssetRandom rnd(h);
  double at = 0.0;
  for (int i = 0; i < 5; ++i) {
    const double f = rnd.Range(2600, 3800);
    s.Tone(at, 0.09, f, f * rnd.Range(1.15, 1.4), 0.8, Env(0.008, 0.04, 0.02), {{1, 1}, {2, 0.1}});
    at += rnd.Range(0.12, 0.25);
  }
  s.Finish(0.36);
  return s;
}

TSoundBuffer Surf(std::uint64_t h) {
  TSoundBuffer s(1.5);
  s.Noise(0.0, 1.5, 500, 2500, 0.7, 1.0, Env(0.55, 0.5, 0.4), h);
  s.Noise(0.3, 1.2, 3000, 1200, 1.0, 0.4, Env(0.4, 0.3, 0.4), h + 1);
  s.Finish(0.42, 0.05, 0.3);
  return s;
}

TSoundBuffer Steps(std::uint64_t h) {
  TSoundBuffer s(1.1);
  for (int i = 0; i < 4; ++i) {
    const double at = 0.26 * i;
    s.Tone(at, 0.1, 140, 90, 0.7, Env(0.002, 0.025, 0.03));
    s.Noise(at, 0.06, 900, 500, 1.2, 0.6, Env(0.002, 0.015, 0.02), h + i);
  }
  s.Finish(0.5);
  return s;
}

TSoundBuffer Fire(std::uint64_t h) {
  TSoundBuffer s(1.4);
  s.Noise(0.0, 1.4, 250, 350, 1.0, 0.6, Env(0.2, 0.0, 0.4), h);
  TAssetRandom rnd(h + 1);
  for (int i = 0; i < 18; ++i) {
    const double at = rnd.Range(0.0, 1.3);
    s.Noise(at, 0.012, 3000, 2000, 1.5, rnd.Range(0.4, 1.0), Env(0.0005, 0.003, 0.004), h + 2 + i);
  }
  s.Finish(0.45, 0.05, 0.25);
  return s;
}

// A short koto phrase on the pentatonic scale, drawn from the name.
TSoundBuffer KotoPhrase(std::uint64_t h) {
  TSoundBuffer s(1.4);
  static const int kScale[8] = {62, 64, 65, 69, 70, 74, 76, 77};  // in-sen on D
  TAssetRandom rnd(h);
  int idx = 2 + rnd.Below(4);
  const int count = 3 + rnd.Below(3);
  double at = 0.0;
  for (int i = 0; i < count; ++i) {
    s.Pluck(at, 1.4 - at, Note(kScale[idx]), 0.9, 0.5, h + i);
    at += i + 1 == count ? 0.0 : rnd.Range(0.12, 0.24);
    idx = std::clamp(idx + rnd.Below(5) - 2, 0, 7);
  }
  s.Finish(0.45, 0.002, 0.2);
  return s;
}

std::string AsciiLower(std::string_view name) {
  std::string out(name);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

}  // namespace

const std::vector<std::string>& CueFileNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const auto& cue : CueTable()) out.push_back(cue.first);
    return out;
  }();
  return names;
}

bool IsCueFile(std::string_view fileName) {
  for (const auto& cue : CueTable())
    if (cue.first == fileName) return true;
  return false;
}

TSoundBuffer MakeSound(std::string_view fileName) {
  for (const auto& cue : CueTable())
    if (cue.first == fileName) return cue.second();
  const std::uint64_t h = HashName(fileName);
  const std::string lower = AsciiLower(fileName);
  static const std::vector<std::pair<std::vector<const char*>, TSoundBuffer (*)(std::uint64_t)>>
      kinds = {{{"bell", "kane", "gong"}, TempleBell},
               {{"wind", "kaze"}, Wind},
               {{"drum", "taiko"}, Drums},
               {{"thunder", "kaminari", "storm"}, Thunder},
               {{"sword", "katana", "blade", "slash"}, SwordDraw},
               {{"cheer", "crowd", "kansei"}, Crowd},
               {{"rain", "ame"}, Rain},
               {{"bird", "tori"}, Birds},
               {{"surf", "nami", "sea", "umi"}, Surf},
               {{"step", "foot", "ashi"}, Steps},
               {{"fire", "flame", "hono"}, Fire}};
  for (const auto& [words, make] : kinds)
    for (const char* word : words)
      if (lower.find(word) != std::string::npos) return make(h);
  return KotoPhrase(h);
}

}  // namespace asset
