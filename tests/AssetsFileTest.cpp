// The asset generator's writers and arithmetic: bitmap, JPEG and wave bytes as
// the game's loaders expect them, and the home-made maths that keeps the
// generated files identical from machine to machine.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/AssetsTestSupport.h"
#include "tools/AssetCanvas.h"
#include "tools/AssetFiles.h"
#include "tools/AssetMath.h"
#include "tools/AssetSound.h"

using namespace asset;

namespace {}  // namespace

TEST(AssetFiles, BitmapHeaderRowsAndPadding) {
  TImage img(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      img.At(x, y)[0] = static_cast<std::uint8_t>(10 * x + 100 * y);  // red
      img.At(x, y)[1] = static_cast<std::uint8_t>(1 + x);             // green
      img.At(x, y)[2] = static_cast<std::uint8_t>(200 + y);           // blue
    }
  const std::string b = EncodeBmp(img);
  // 3 pixels of 3 bytes are 9 bytes, padded to 12 per row.
  ASSERT_EQ(b.size(), 54u + 24u);
  EXPECT_EQ(b.substr(0, 2), "BM");
  EXPECT_EQ(U32(b, 2), b.size());
  EXPECT_EQ(U32(b, 10), 54u);
  EXPECT_EQ(U32(b, 14), 40u);
  EXPECT_EQ(U32(b, 18), 3u);
  EXPECT_EQ(U32(b, 22), 2u);  // positive: bottom row first
  EXPECT_EQ(U16(b, 26), 1u);
  EXPECT_EQ(U16(b, 28), 24u);
  EXPECT_EQ(U32(b, 30), 0u);
  EXPECT_EQ(U32(b, 34), 24u);
  // The first stored row is the picture's bottom row (y = 1), blue first.
  EXPECT_EQ(static_cast<std::uint8_t>(b[54]), 201);
  EXPECT_EQ(static_cast<std::uint8_t>(b[55]), 1);
  EXPECT_EQ(static_cast<std::uint8_t>(b[56]), 100);
  EXPECT_EQ(static_cast<std::uint8_t>(b[54 + 6 + 2]), 120);  // x = 2, red
  EXPECT_EQ(b.substr(54 + 9, 3), std::string(3, '\0'));      // padding
  EXPECT_EQ(static_cast<std::uint8_t>(b[54 + 12]), 200);     // top row, blue
  EXPECT_EQ(static_cast<std::uint8_t>(b[54 + 12 + 2]), 0);   // top row, x = 0, red
}

TEST(AssetFiles, JpegDecodesToTheSamePicture) {
  TImage img(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      std::uint8_t* p = img.At(x, y);
      p[0] = static_cast<std::uint8_t>(x * 4);
      p[1] = static_cast<std::uint8_t>(y * 5);
      p[2] = static_cast<std::uint8_t>(128);
    }
  const std::string jpeg = EncodeJpeg(img, 90);
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(static_cast<std::uint8_t>(jpeg[0]), 0xFF);
  EXPECT_EQ(static_cast<std::uint8_t>(jpeg[1]), 0xD8);
  const TImage back = DecodeJpeg(jpeg);
  ASSERT_EQ(back.Width, 64);
  ASSERT_EQ(back.Height, 48);
  double err = 0;
  for (std::size_t i = 0; i < img.Rgb.size(); ++i) err += std::abs(img.Rgb[i] - back.Rgb[i]);
  EXPECT_LT(err / img.Rgb.size(), 3.0);
  EXPECT_EQ(EncodeJpeg(img, 90), jpeg);
}

TEST(AssetFiles, WaveHeaderAndSamples) {
  const std::string w = EncodeWav({0.0, 0.5, -0.5, 1.5, -1.5}, 22050);
  ASSERT_EQ(w.size(), 44u + 10u);
  EXPECT_EQ(w.substr(0, 4), "RIFF");
  EXPECT_EQ(U32(w, 4), w.size() - 8);
  EXPECT_EQ(w.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(U32(w, 16), 16u);
  EXPECT_EQ(U16(w, 20), 1u);  // PCM
  EXPECT_EQ(U16(w, 22), 1u);  // mono
  EXPECT_EQ(U32(w, 24), 22050u);
  EXPECT_EQ(U32(w, 28), 44100u);
  EXPECT_EQ(U16(w, 32), 2u);
  EXPECT_EQ(U16(w, 34), 16u);
  EXPECT_EQ(w.substr(36, 4), "data");
  EXPECT_EQ(U32(w, 40), 10u);
  EXPECT_EQ(S16(w, 44), 0);
  EXPECT_EQ(S16(w, 46), 16384);
  EXPECT_EQ(S16(w, 48), -16383);
  EXPECT_EQ(S16(w, 50), 32767);  // clipped
  EXPECT_EQ(S16(w, 52), -32768);
}

TEST(AssetFiles, FinishedSoundIsFadedAndLevelled) {
  TSoundBuffer s(0.2);
  s.Tone(0.0, 0.2, 440, 440, 3.0, {0.0, 0.0, 0.0});  // starts and stops at full level
  s.Finish(0.5, 0.003, 0.02);
  const std::vector<double>& d = s.Samples();
  double peak = 0;
  for (double v : d) peak = std::max(peak, std::fabs(v));
  EXPECT_NEAR(peak, 0.5, 1e-9);
  EXPECT_LT(std::fabs(d.front()), 1e-9);
  EXPECT_LT(std::fabs(d.back()), 0.01);
}

TEST(AssetMath, OwnFunctionsMatchTheLibrary) {
  for (double x = -7.3; x < 7.3; x += 0.137) {
    EXPECT_NEAR(Sin(x), std::sin(x), 1e-9) << x;
    EXPECT_NEAR(Cos(x), std::cos(x), 1e-9) << x;
    EXPECT_NEAR(Exp(x), std::exp(x), 1e-12 * std::exp(x)) << x;
    EXPECT_NEAR(Atan2(x, 1.3), std::atan2(x, 1.3), 1e-9) << x;
    EXPECT_NEAR(Atan2(-1.1, x), std::atan2(-1.1, x), 1e-9) << x;
    const double a = std::fabs(x) + 0.01;
    EXPECT_NEAR(Log(a), std::log(a), 1e-12) << a;
  }
  EXPECT_EQ(Exp(-800.0), 0.0);
}

TEST(AssetMath, HashesSpreadAndRandomIsSeeded) {
  EXPECT_NE(HashName("akane.bmp"), HashName("akane.bmq"));
  EXPECT_NE(HashName("ab"), HashName("ba"));
  TAssetRandom a(5), b(5), c(6);
  const std::uint64_t first = a.Next();
  EXPECT_EQ(first, b.Next());
  EXPECT_NE(first, c.Next());
  for (int i = 0; i < 1000; ++i) {
    const int v = a.Below(7);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 7);
    const double u = a.Unit();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
  }
}

TEST(AssetCanvas, KeyedPicturesKeepTheKeyOutOfDrawnPixels) {
  const TColor key = Rgb255(255, 0, 255);
  TCanvas c(20, 20, 4);
  c.Fill(Circle(10, 10, 6), key);  // drawn in the key colour itself
  const TImage img = c.ResolveKeyed(key);
  auto isKey = [&](int x, int y) {
    const std::uint8_t* p = img.At(x, y);
    return p[0] == 255 && p[1] == 0 && p[2] == 255;
  };
  EXPECT_TRUE(isKey(0, 0));
  EXPECT_TRUE(isKey(19, 19));
  EXPECT_FALSE(isKey(10, 10));  // drawn, so nudged off the key
  // No pixel in the key's neighbourhood is tinted half way.
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const std::uint8_t* p = img.At(x, y);
      EXPECT_TRUE(isKey(x, y) || (p[0] == 255 && p[1] == 1 && p[2] == 255)) << x << "," << y;
    }
}

TEST(AssetCanvas, ShapesCoverWhatTheySay) {
  TCanvas c(40, 40, 2, Rgb255(0, 0, 0));
  c.Fill(RoundBox(10, 10, 30, 20, 0), Rgb255(255, 255, 255));
  c.Fill(Subtract(Circle(20, 30, 8), Circle(20, 30, 4)), Rgb255(255, 0, 0));
  const TImage img = c.Resolve();
  EXPECT_EQ(img.At(15, 15)[0], 255);
  EXPECT_EQ(img.At(5, 5)[0], 0);
  EXPECT_EQ(img.At(20, 24)[0], 255);  // in the ring
  EXPECT_EQ(img.At(20, 24)[1], 0);
  EXPECT_EQ(img.At(20, 30)[0], 0);  // the hole
  const TImage small = Downscale(img, 20, 20);
  EXPECT_EQ(small.At(7, 7)[1], 255);
}
