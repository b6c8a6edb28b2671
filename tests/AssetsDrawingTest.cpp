// The asset generator's drawing and synthesis pieces: shapes measure true
// distances, the title lettering lands where it is asked to, scenes follow the
// words of their names, and tones and filtered noise sound at the pitches
// they are given.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "rules/Cues.h"
#include "tests/TestSupport.h"
#include "tools/AssetBackdrop.h"
#include "tools/AssetCanvas.h"
#include "tools/AssetCues.h"
#include "tools/AssetLettering.h"
#include "tools/AssetMath.h"
#include "tools/AssetPaint.h"
#include "tools/AssetSound.h"
#include "tools/AssetStoryScenes.h"

using namespace asset;

namespace {

// Zero crossings per second halved: the frequency of a pure tone.
double CrossingRate(const std::vector<double>& s, std::size_t from, std::size_t to) {
  int n = 0;
  for (std::size_t i = from + 1; i < to; ++i)
    if ((s[i - 1] < 0) != (s[i] < 0)) ++n;
  return n / 2.0 / (static_cast<double>(to - from) / kSoundRate);
}

double MeanLuma(const TImage& img, int top, int bottom) {
  double sum = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < img.Width; ++x) {
      const std::uint8_t* p = img.At(x, y);
      sum += 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2];
    }
  return sum / ((bottom - top) * img.Width);
}

}  // namespace

TEST(AssetShapes, DistancesAreSignedAndTransformsMoveThem) {
  const TShape c = Circle(10, 10, 5);
  EXPECT_NEAR(c.Distance(10, 10), -5, 1e-12);
  EXPECT_NEAR(c.Distance(20, 10), 5, 1e-12);
  const TShape e = Ellipse(0, 0, 20, 10);
  EXPECT_NEAR(e.Distance(25, 0), 5, 0.5);
  EXPECT_NEAR(e.Distance(0, 13), 3, 0.5);
  EXPECT_LT(e.Distance(19, 0), 0);
  const TShape box = RoundBox(0, 0, 10, 10, 2);
  EXPECT_LT(box.Distance(5, 5), 0);
  EXPECT_GT(box.Distance(0.2, 0.2), 0);  // the rounded corner is cut away
  EXPECT_NEAR(box.Distance(15, 5), 5, 1e-12);
  const TShape tri = Polygon({0, 0, 10, 0, 0, 10});
  EXPECT_LT(tri.Distance(2, 2), 0);
  EXPECT_GT(tri.Distance(8, 8), 0);
  EXPECT_NEAR(tri.Distance(5, -3), 3, 1e-12);
  // A quarter turn about the origin takes (10, 10) to (-10, 10).
  const TShape turned = Rotate(Circle(10, 10, 1), 0, 0, kPi / 2);
  EXPECT_NEAR(turned.Distance(-10, 10), -1, 1e-9);
  EXPECT_GT(turned.Distance(10, 10), 10);
  EXPECT_LE(turned.Bounds.L, -11 + 1e-9);
  EXPECT_NEAR(Grow(c, 2).Distance(10, 18), 1, 1e-12);
  EXPECT_NEAR(Outline(c, 2).Distance(15, 10), -1, 1e-12);
  EXPECT_GT(Subtract(c, Circle(10, 10, 3)).Distance(10, 10), 0);
}

TEST(AssetLettering, LettersSitOnTheBaselineAndWidthGrowsWithText) {
  const double one = LetteringWidth(U"Q", kLetteringFont, 40, 0);
  const double two = LetteringWidth(U"QQ", kLetteringFont, 40, 0);
  EXPECT_GT(one, 10);
  EXPECT_NEAR(two, 2 * one, 1.0);
  EXPECT_NEAR(LetteringWidth(U"QQ", kLetteringFont, 40, 5), two + 5, 1e-9);
  // An "I" of 40 pixels with its baseline at y = 60 from x = 100.
  const TShape i = LetteringShape(U"I", kLetteringFont, 40, 100, 60, 0, 2);
  const double w = LetteringWidth(U"I", kLetteringFont, 40, 0);
  EXPECT_LT(i.Distance(100 + w / 2, 45), 0);                 // inside the stroke
  EXPECT_GT(i.Distance(100 + w / 2, 75), 0);                 // below the baseline
  EXPECT_GT(i.Distance(100 + w / 2, 10), 0);                 // above the cap height
  EXPECT_NEAR(i.Distance(100 + w / 2 + 40, 45), 40 - 3, 3);  // true distance from the stroke
  EXPECT_EQ(FontChecksum("/no/such/font.ttf"), 0u);
}

TEST(AssetBackdrops, EveryPatternLeavesItsOwnMark) {
  std::vector<TImage> seen;
  TBackdropStyle style = BackdropStyleOf(1);
  for (int p = 0; p < kBackdropPatterns; ++p) {
    style.Pattern = p;
    TCanvas c(60, 60, 1);
    PaintBackdrop(c, style);
    const TImage img = c.Resolve();
    for (const TImage& other : seen) EXPECT_NE(other.Rgb, img.Rgb) << p;
    seen.push_back(img);
  }
}

TEST(AssetStoryScenes, WordsChooseTheSceneAndTheTimeOfDay) {
  const TImage night = PaintStoryScene("river_night.bmp");
  const TImage day = PaintStoryScene("river_day.bmp");
  EXPECT_EQ(night.Width, kStoryWidth);
  EXPECT_EQ(night.Height, kStoryHeight);
  EXPECT_LT(MeanLuma(night, 0, 60), MeanLuma(day, 0, 60) - 40);
  // Different scene words make different pictures; the same name the same one.
  EXPECT_NE(PaintStoryScene("tower.jpg").Rgb, PaintStoryScene("library.jpg").Rgb);
  EXPECT_EQ(PaintStoryScene("tower.jpg").Rgb, PaintStoryScene("tower.jpg").Rgb);
  // Upper-case words count too.
  EXPECT_LT(MeanLuma(PaintStoryScene("NIGHT.bmp"), 0, 60), MeanLuma(day, 0, 60) - 40);
}

TEST(AssetSound, EnvelopeRisesFallsAndReleases) {
  const TEnvelope env{0.01, 0.1, 0.02};
  EXPECT_NEAR(EnvelopeAt(env, 0.005, 1.0), 0.5, 1e-12);
  EXPECT_NEAR(EnvelopeAt(env, 0.01, 1.0), 1.0, 1e-12);
  EXPECT_NEAR(EnvelopeAt(env, 0.11, 1.0), std::exp(-1.0), 1e-9);
  EXPECT_NEAR(EnvelopeAt({0.0, 0.0, 0.02}, 0.99, 1.0), 0.5, 1e-9);
  EXPECT_EQ(EnvelopeAt(env, -0.1, 1.0), 0.0);
  EXPECT_EQ(EnvelopeAt(env, 1.0, 1.0), 0.0);
}

TEST(AssetSound, TonesAndNoiseSoundWhereTheyAreTold) {
  TSoundBuffer tone(0.5);
  tone.Tone(0.0, 0.5, 440, 440, 0.5, {0.001, 0.0, 0.001});
  EXPECT_NEAR(CrossingRate(tone.Samples(), 0, tone.Samples().size()), 440, 5);
  TSoundBuffer glide(0.5);
  glide.Tone(0.0, 0.5, 200, 800, 0.5, {0.001, 0.0, 0.001});
  const std::size_t n = glide.Samples().size();
  EXPECT_LT(CrossingRate(glide.Samples(), 0, n / 5), 300);
  EXPECT_GT(CrossingRate(glide.Samples(), 4 * n / 5, n), 650);
  // A partial above the Nyquist frequency is left out instead of folding back.
  TSoundBuffer high(0.1);
  high.Tone(0.0, 0.1, 6000, 6000, 0.5, {0.001, 0.0, 0.001}, {{2.0, 1.0}});
  double loudest = 0;
  for (double v : high.Samples()) loudest = std::max(loudest, std::fabs(v));
  EXPECT_EQ(loudest, 0.0);
  TSoundBuffer low(0.5), bright(0.5);
  low.Noise(0.0, 0.5, 300, 300, 4.0, 1.0, {0.001, 0.0, 0.001}, 3);
  bright.Noise(0.0, 0.5, 4000, 4000, 4.0, 1.0, {0.001, 0.0, 0.001}, 3);
  const double lowRate = CrossingRate(low.Samples(), 0, low.Samples().size());
  const double brightRate = CrossingRate(bright.Samples(), 0, bright.Samples().size());
  // A two-pole band-pass lets some of the highs through, so crossings run
  // above the centre for low bands; still the bands stand well apart.
  EXPECT_GT(lowRate, 250);
  EXPECT_LT(lowRate, 800);
  EXPECT_NEAR(brightRate, 4000, 800);
  for (double v : bright.Samples()) ASSERT_TRUE(std::isfinite(v));
}

TEST(AssetSound, StoryWordsPickTheKindOfSound) {
  // Names that share a word sound alike in kind but not in detail; unknown
  // names still give a sound.
  const TSoundBuffer bell = MakeSound("bell.wav");
  const TSoundBuffer bell2 = MakeSound("BELL2.wav");
  const TSoundBuffer wind = MakeSound("wind.wav");
  EXPECT_EQ(bell.Samples().size(), bell2.Samples().size());
  EXPECT_NE(bell.Samples(), bell2.Samples());
  EXPECT_NE(bell.Samples(), wind.Samples());
  EXPECT_GT(MakeSound("zzz.wav").Seconds(), 0.5);
  EXPECT_EQ(MakeSound("zzz.wav").Samples(), MakeSound("zzz.wav").Samples());
  // A cue name in a story is the cue itself.
  EXPECT_TRUE(IsCueFile("water.wav"));
  EXPECT_EQ(MakeSound("water.wav").Samples(), MakeSound("water.wav").Samples());
  EXPECT_FALSE(IsCueFile("Water.wav"));
  EXPECT_EQ(CueFileNames().size(), static_cast<std::size_t>(CueCount));
}
