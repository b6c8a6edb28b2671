// The 24-bit surfaces: sizes and fills, colour-key masks, drawing between
// surfaces, stretching, lines, and loading BMP and JPEG files by their name.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "present/Bitmap.h"
#include "tests/PixelTestSupport.h"
#include "tests/TestSupport.h"

namespace {

using TPixelFn = std::function<TPixelColor(int x, int y)>;

// A 24-bit bottom-up BMP, rows padded to 4 bytes.
std::string MakeBmp(int w, int h, const TPixelFn& pixel) {
  const int stride = (w * 3 + 3) / 4 * 4;
  const int size = 54 + stride * h;
  std::string out(size, '\0');
  auto put32 = [&](int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, w);
  put32(22, h);
  out[26] = 1;   // planes
  out[28] = 24;  // bits per pixel
  put32(34, stride * h);
  for (int y = 0; y < h; ++y) {
    char* row = out.data() + 54 + stride * (h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const TPixelColor c = pixel(x, y);
      row[3 * x] = static_cast<char>(c.Blue);
      row[3 * x + 1] = static_cast<char>(c.Green);
      row[3 * x + 2] = static_cast<char>(c.Red);
    }
  }
  return out;
}

// A baseline JPEG of the given pixels at top quality.
std::string MakeJpeg(int w, int h, const TPixelFn& pixel) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = w;
  info.image_height = h;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(w * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const TPixelColor c = pixel(x, y);
      row[3 * x] = c.Red;
      row[3 * x + 1] = c.Green;
      row[3 * x + 2] = c.Blue;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string out(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return out;
}

// Large flat areas survive JPEG compression nearly exactly.
TPixelColor Quadrants(int x, int y) {
  if (y < 8) return x < 8 ? MakeColor(255, 0, 0) : MakeColor(0, 255, 0);
  return x < 8 ? MakeColor(0, 0, 255) : MakeColor(255, 255, 255);
}

TPixelColor Gradient(int x, int y) {
  return MakeColor(x * 7 % 256, y * 11 % 256, (x + y) % 256);
}

// Busy pixels compress poorly, so most of a JPEG of them is image data.
TPixelColor Noise(int x, int y) {
  return MakeColor((x * 37 + y * 91) % 256, (x * x + y * 13) % 256, (x * y * 7) % 256);
}

void ExpectNear(TPixelColor actual, TPixelColor expected, int tolerance, const char* where) {
  EXPECT_NEAR(actual.Red, expected.Red, tolerance) << where;
  EXPECT_NEAR(actual.Green, expected.Green, tolerance) << where;
  EXPECT_NEAR(actual.Blue, expected.Blue, tolerance) << where;
}

// Writes the 32-bit little-endian value at `at`.
void Put32(std::string& bytes, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// An 8-bit run-length BMP of any claimed size whose data ends at once: a few
// hundred bytes on disk, however large the picture it claims.
std::string MakeRleBmp(int w, int h) {
  std::string out = MakeBmp(1, 1, Gradient);
  out.resize(54);
  out[28] = 8;        // bits per pixel
  Put32(out, 30, 1);  // run-length, 8 bits
  Put32(out, 18, w);
  Put32(out, 22, h);
  out += std::string(256 * 4, '\0');  // palette
  Put32(out, 10, static_cast<std::uint32_t>(out.size()));
  out += std::string("\0\1", 2);  // end of bitmap
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  return out;
}

// A BMP with the 12-byte header of the oldest variant (16-bit sizes).
std::string MakeCoreBmp(int w, int h) {
  const int stride = (w * 3 + 3) / 4 * 4;
  std::string out(26 + stride * h, '\0');
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, 26);
  Put32(out, 14, 12);
  out[18] = static_cast<char>(w & 0xFF);
  out[19] = static_cast<char>(w >> 8);
  out[20] = static_cast<char>(h & 0xFF);
  out[21] = static_cast<char>(h >> 8);
  out[22] = 1;   // planes
  out[24] = 24;  // bits per pixel
  return out;
}

// The JPEG with its frame header changed to claim another size.
std::string ClaimJpegSize(std::string jpeg, int w, int h) {
  for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
    const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
    if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
      jpeg[i + 5] = static_cast<char>(h >> 8);
      jpeg[i + 6] = static_cast<char>(h & 0xFF);
      jpeg[i + 7] = static_cast<char>(w >> 8);
      jpeg[i + 8] = static_cast<char>(w & 0xFF);
      return jpeg;
    }
  }
  ADD_FAILURE() << "no frame header";
  return jpeg;
}

bool Same(TPixelColor a, TPixelColor b) {
  return ColorsEqual(a, b);
}

class BitmapFiles : public ::testing::Test {
 protected:
  std::string folder = MakeTempFolder();
  // A program path into the temporary folder, written the game's way.
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteWholeFile(folder + "/" + name, bytes);
    return folder + "\\" + name;
  }
};

}  // namespace

TEST(Bitmap, ColoursAndSystemValue) {
  EXPECT_EQ(ToSystemColor(MakeColor(1, 2, 3)), 1u + 2u * 256 + 3u * 65536);
  const TPixelColor c = MakeColor(10, 20, 30);
  EXPECT_EQ(c.Red, 10);
  EXPECT_EQ(c.Blue, 30);
  EXPECT_TRUE(ColorsEqual(ColorRed, MakeColor(255, 0, 0)));
  EXPECT_FALSE(ColorsEqual(ColorWhite, MakeColor(255, 255, 254)));
}

TEST(Bitmap, SetSizeWhitensEveryPixelAndRowsAddressThem) {
  TBromBitmap b;
  b.SetSize(5, 4);
  b.Fill(ColorRed);
  b.SetSize(7, 3);
  ASSERT_EQ(b.Width(), 7);
  ASSERT_EQ(b.Height(), 3);
  ASSERT_EQ(b.Rows().size(), 3u);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_TRUE(Same(b.Pixel(x, y), ColorWhite)) << x << "," << y;
  }
  // Rows are blue, green, red byte triples, three bytes per pixel.
  b.SetPixel(2, 1, MakeColor(1, 2, 3));
  EXPECT_EQ(b.Rows()[1][6], 3);
  EXPECT_EQ(b.Rows()[1][7], 2);
  EXPECT_EQ(b.Rows()[1][8], 1);
  b.SetSize(-3, 4);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_TRUE(b.Rows().empty());
}

TEST(Bitmap, KeyColourLeavesDestinationUnchangedAndBlackStillCovers) {
  // Source: key colour (magenta) in the top-left and a ring, black and blue
  // pixels elsewhere.
  const TPixelColor key = MakeColor(255, 0, 255);
  TBromBitmap source;
  source.SetSize(6, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool keyed = x == 0 || y == 0 || (x + y) % 3 == 0;
      source.SetPixel(x, y, keyed ? key : ((x + y) % 2 == 0 ? ColorBlack : MakeColor(0, 0, 200)));
    }
  }
  TBromBitmap original;
  original.SetSize(6, 5);
  original.CopyRect(source, 0, 0, 6, 5, 0, 0);
  source.SetTransparentColor(source.Pixel(0, 0));
  ASSERT_NE(source.Mask(), nullptr);

  TBromBitmap dest;
  dest.SetSize(10, 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) dest.SetPixel(x, y, Gradient(x, y));
  }
  source.DrawTo(dest, 3, 2);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) {
      const int sx = x - 3, sy = y - 2;
      const bool inside = sx >= 0 && sy >= 0 && sx < 6 && sy < 5;
      const TPixelColor expected =
          inside && !Same(original.Pixel(sx, sy), key) ? original.Pixel(sx, sy) : Gradient(x, y);
      EXPECT_TRUE(Same(dest.Pixel(x, y), expected)) << x << "," << y;
    }
  }
}

TEST(Bitmap, DrawToClipsAtEveryEdgeAndCopiesPlainWithoutMask) {
  TBromBitmap source;
  source.SetSize(4, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) source.SetPixel(x, y, Gradient(x, y));
  }
  TBromBitmap dest;
  dest.SetSize(5, 5);
  dest.Fill(ColorBlack);
  source.DrawTo(dest, -2, 3);  // only source (2..3, 0..1) lands, at (0..1, 3..4)
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      const bool landed = x < 2 && y >= 3;
      const TPixelColor expected = landed ? Gradient(x + 2, y - 3) : ColorBlack;
      EXPECT_TRUE(Same(dest.Pixel(x, y), expected)) << x << "," << y;
    }
  }
  source.DrawTo(dest, 5, 0);  // entirely outside: nothing happens
  source.DrawTo(dest, -4, -4);
  EXPECT_TRUE(Same(dest.Pixel(4, 0), ColorBlack));
}

TEST(Bitmap, CopyRectWithinOneSurfaceOverlapping) {
  TBromBitmap b;
  b.SetSize(3, 6);
  for (int y = 0; y < 6; ++y) b.FillRect(0, y, 3, y + 1, MakeColor(y * 10, 0, 0));
  b.CopyRect(b, 0, 0, 3, 4, 0, 2);  // rows 0..3 move down to 2..5
  for (int y = 2; y < 6; ++y) EXPECT_EQ(b.Pixel(1, y).Red, (y - 2) * 10) << y;
}

TEST(Bitmap, StretchDrawAveragesWhenShrinking) {
  // A one-pixel checkerboard of black and white: a nearest-pixel shrink
  // would give pure black or white; averaging gives grey everywhere.
  TBromBitmap portrait;
  portrait.SetSize(300, 300);
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 300; ++x) portrait.SetPixel(x, y, (x + y) % 2 ? ColorWhite : ColorBlack);
  }
  TBromBitmap board;
  board.SetSize(100, 100);
  board.Fill(ColorRed);
  board.StretchDraw(portrait, 10, 20, 50, 60);  // 40 x 40
  for (int y = 20; y < 60; ++y) {
    for (int x = 10; x < 50; ++x) ExpectNear(board.Pixel(x, y), MakeColor(128, 128, 128), 2, "");
  }
  EXPECT_TRUE(Same(board.Pixel(9, 20), ColorRed));
  EXPECT_TRUE(Same(board.Pixel(50, 59), ColorRed));
  EXPECT_TRUE(Same(board.Pixel(10, 60), ColorRed));

  // Left half red, right half blue into 60 x 60: the halves keep their
  // colours; only the seam column may mix.
  for (int y = 0; y < 300; ++y) {
    portrait.FillRect(0, y, 150, y + 1, ColorRed);
    portrait.FillRect(150, y, 300, y + 1, MakeColor(0, 0, 255));
  }
  board.StretchDraw(portrait, 0, 0, 60, 60);
  EXPECT_TRUE(Same(board.Pixel(29, 30), ColorRed));
  EXPECT_TRUE(Same(board.Pixel(30, 30), MakeColor(0, 0, 255)));

  // Exact averages: 3 x 1 into 2 x 1 weighs the middle pixel half each way.
  TBromBitmap three;
  three.SetSize(3, 1);
  three.SetPixel(0, 0, MakeColor(0, 0, 0));
  three.SetPixel(1, 0, MakeColor(90, 0, 0));
  three.SetPixel(2, 0, MakeColor(180, 0, 0));
  TBromBitmap two;
  two.SetSize(2, 1);
  two.StretchDraw(three, 0, 0, 2, 1);
  EXPECT_EQ(two.Pixel(0, 0).Red, 30);   // (0 * 2 + 90 * 1) / 3
  EXPECT_EQ(two.Pixel(1, 0).Red, 150);  // (90 * 1 + 180 * 2) / 3
}

TEST(Bitmap, StretchDrawRoundsToTheNearestValue) {
  // Black and white shrunk into one pixel average to 127.5, which rounds to
  // 128, across a row and down a column alike; a third of 255 rounds down.
  TBromBitmap pair, column, triple, one;
  pair.SetSize(2, 1);
  pair.SetPixel(0, 0, ColorBlack);
  column.SetSize(1, 2);
  column.SetPixel(0, 1, ColorBlack);
  one.SetSize(1, 1);
  one.StretchDraw(pair, 0, 0, 1, 1);
  EXPECT_TRUE(Same(one.Pixel(0, 0), MakeColor(128, 128, 128)));
  one.StretchDraw(column, 0, 0, 1, 1);
  EXPECT_TRUE(Same(one.Pixel(0, 0), MakeColor(128, 128, 128)));
  triple.SetSize(3, 1);
  triple.Fill(ColorBlack);
  triple.SetPixel(1, 0, MakeColor(255, 2, 0));
  one.StretchDraw(triple, 0, 0, 1, 1);
  EXPECT_TRUE(Same(one.Pixel(0, 0), MakeColor(85, 1, 0)));  // 255 / 3 = 85, 2 / 3 rounds up
}

TEST(Bitmap, LinesWithThinAndWidePens) {
  TBromBitmap b;
  b.SetSize(30, 30);
  b.DrawLine(2, 5, 12, 5, ColorBlack, 1);
  EXPECT_TRUE(Same(b.Pixel(2, 5), ColorBlack));
  EXPECT_TRUE(Same(b.Pixel(11, 5), ColorBlack));
  EXPECT_TRUE(Same(b.Pixel(12, 5), ColorWhite));  // the end point is left out
  EXPECT_TRUE(Same(b.Pixel(7, 4), ColorWhite));

  // A six-pixel pen: a band six pixels thick across the middle of the line.
  b.DrawLine(5, 20, 25, 20, ColorRed, 6);
  int thick = 0;
  for (int y = 0; y < 30; ++y) thick += Same(b.Pixel(15, y), ColorRed) ? 1 : 0;
  EXPECT_EQ(thick, 6);
  // A diagonal line reaches both corners and stays inside the surface when it
  // runs off it.
  b.DrawLine(0, 0, 29, 29, ColorBlack, 6);
  EXPECT_TRUE(Same(b.Pixel(0, 0), ColorBlack));
  EXPECT_TRUE(Same(b.Pixel(29, 29), ColorBlack));
  EXPECT_TRUE(Same(b.Pixel(29, 0), ColorWhite));
}

TEST_F(BitmapFiles, BmpAndJpegLoadByTheirExactEnding) {
  const std::string bmp = Write("gradient.bmp", MakeBmp(13, 7, Gradient));
  TBromBitmap b;
  b.LoadImage(bmp);
  ASSERT_EQ(b.Width(), 13);
  ASSERT_EQ(b.Height(), 7);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 13; ++x) EXPECT_TRUE(Same(b.Pixel(x, y), Gradient(x, y))) << x << "," << y;
  }

  const std::string jpegBytes = MakeJpeg(16, 16, Quadrants);
  for (const char* name : {"back.jpg", "story.jpeg"}) {
    TBromBitmap j;
    j.LoadImage(Write(name, jpegBytes));
    ASSERT_EQ(j.Width(), 16) << name;
    ASSERT_EQ(j.Height(), 16) << name;
    ExpectNear(j.Pixel(2, 2), MakeColor(255, 0, 0), 8, name);
    ExpectNear(j.Pixel(13, 2), MakeColor(0, 255, 0), 8, name);
    ExpectNear(j.Pixel(2, 13), MakeColor(0, 0, 255), 8, name);
    ExpectNear(j.Pixel(13, 13), MakeColor(255, 255, 255), 8, name);
  }

  // Upper case is not JPEG: a JPEG named "X.JPG" is refused by the BMP
  // loader, while a BMP under that name loads.
  TBromBitmap upper;
  EXPECT_THROW(upper.LoadImage(Write("X.JPG", jpegBytes)), TImageError);
  upper.LoadImage(Write("Y.JPG", MakeBmp(3, 2, Gradient)));
  EXPECT_EQ(upper.Width(), 3);
  // And a BMP named ".jpg" is refused by the JPEG decoder.
  EXPECT_THROW(upper.LoadImage(Write("z.jpg", MakeBmp(3, 2, Gradient))), TImageError);
}

TEST_F(BitmapFiles, BrokenFilesRaiseAndLeaveTheSurfaceAlone) {
  TBromBitmap b;
  b.SetSize(4, 3);
  b.Fill(ColorRed);
  const std::string jpeg = MakeJpeg(64, 64, Noise);
  const std::string bmp = MakeBmp(20, 20, Gradient);
  const std::vector<std::pair<std::string, std::string>> broken = {
      {"missing.bmp", ""},                                        // not written at all
      {"header.jpg", jpeg.substr(0, 2) + std::string(200, 'x')},  // garbage after the start
      {"empty.jpg", std::string()},
      {"cut.bmp", bmp.substr(0, bmp.size() - 100)},  // pixel rows missing
      {"text.bmp", "BM this is not a bitmap"},
  };
  for (const auto& [name, bytes] : broken) {
    const std::string path = name == "missing.bmp" ? folder + "\\" + name : Write(name, bytes);
    try {
      b.LoadImage(path);
      ADD_FAILURE() << name << " loaded";
    } catch (const std::runtime_error& e) {  // TImageError is one
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
    ASSERT_EQ(b.Width(), 4) << name;
    EXPECT_TRUE(Same(b.Pixel(3, 2), ColorRed)) << name;
  }
}

TEST(BitmapSoftEdge, OneStrokeGivesSixtyThreeBesideAndHundredElevenBetween) {
  // Coverage: two one-pixel vertical strokes at columns 3 and 5 of rows 2..6.
  TBromBitmap coverage;
  coverage.SetSize(10, 10);
  coverage.Fill(ColorBlack);
  TBromBitmap surface;
  surface.SetSize(10, 10);
  surface.Fill(ColorBlack);
  for (int y = 2; y <= 6; ++y) {
    for (int x : {3, 5}) {
      coverage.SetPixel(x, y, ColorWhite);
      surface.SetPixel(x, y, ColorWhite);  // the text as drawn
    }
  }
  surface.SetFontColor(ColorWhite);
  surface.ApplySoftEdge(coverage, 0, 0, 10, 10);
  for (int y = 2; y <= 6; ++y) {
    EXPECT_EQ(surface.Pixel(2, y).Red, 63) << y;  // one neighbour
    EXPECT_EQ(surface.Pixel(6, y).Green, 63) << y;
    EXPECT_EQ(surface.Pixel(4, y).Blue, 111) << y;  // enclosed on both sides
    EXPECT_EQ(surface.Pixel(3, y).Red, 255) << y;   // the stroke stays as drawn
  }
  EXPECT_EQ(surface.Pixel(3, 1).Red, 63);  // above the stroke's end
  EXPECT_EQ(surface.Pixel(3, 7).Red, 63);  // below it
  EXPECT_EQ(surface.Pixel(2, 1).Red, 0);   // diagonal neighbours do not count
  EXPECT_EQ(surface.Pixel(7, 4).Red, 0);

  // Only the given box is tinted.
  surface.Fill(ColorBlack);
  surface.ApplySoftEdge(coverage, 4, 0, 10, 10);
  EXPECT_EQ(surface.Pixel(2, 4).Red, 0);
  EXPECT_EQ(surface.Pixel(4, 4).Red, 111);
}

TEST(BitmapSoftEdge, StrokeAtTheSurfaceEdgeTouchesNothingOutside) {
  // A stroke in column 0 and row 0: the pass must neither wrap into the
  // previous row's last pixel nor read above the first row.
  TBromBitmap coverage;
  coverage.SetSize(6, 6);
  coverage.Fill(ColorBlack);
  TBromBitmap surface;
  surface.SetSize(6, 6);
  surface.Fill(ColorBlack);
  for (int i = 0; i < 6; ++i) coverage.SetPixel(0, i, ColorWhite);
  for (int i = 0; i < 4; ++i) coverage.SetPixel(i, 0, ColorWhite);
  surface.SetFontColor(ColorWhite);
  surface.ApplySoftEdge(coverage, -1, -1, 7, 7);
  for (int y = 1; y < 6; ++y) EXPECT_EQ(surface.Pixel(5, y).Red, 0) << y;
  EXPECT_EQ(surface.Pixel(1, 1).Red, 111);
  EXPECT_EQ(surface.Pixel(1, 3).Red, 63);
}

TEST_F(BitmapFiles, OversizedPicturesAreRefusedBeforeTheirPixelsAreMade) {
  TBromBitmap b;
  b.SetSize(4, 3);
  b.Fill(ColorRed);
  // Just past each limit. A header claiming a picture of 2^25 + 1 pixels or
  // more in a file of a few hundred bytes would otherwise take gigabytes.
  const int tall = static_cast<int>(MaxImagePixels / 8192 + 1);  // 8192 x tall > the limit
  const std::vector<std::pair<std::string, std::string>> oversized = {
      {"wide.bmp", MakeBmp(MaxImageSide + 1, 1, Gradient)},
      {"old.bmp", MakeCoreBmp(MaxImageSide + 1, 1)},
      {"rle.bmp", MakeRleBmp(8192, tall)},
      {"upside.bmp", MakeRleBmp(8192, -tall)},  // top-down rows
      {"tall.jpg", MakeJpeg(8, MaxImageSide + 1, Gradient)},
      {"claims.jpg", ClaimJpegSize(MakeJpeg(64, 64, Noise), 8192, tall)},
  };
  for (const auto& [name, bytes] : oversized) {
    try {
      b.LoadImage(Write(name, bytes));
      ADD_FAILURE() << name << " loaded as " << b.Width() << " x " << b.Height();
    } catch (const TImageError& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
    ASSERT_EQ(b.Width(), 4) << name;
    EXPECT_TRUE(Same(b.Pixel(3, 2), ColorRed)) << name;
  }
  // The limits themselves are pictures like any other.
  b.LoadImage(Write("widest.bmp", MakeBmp(MaxImageSide, 2, Gradient)));
  EXPECT_EQ(b.Width(), MaxImageSide);
  EXPECT_TRUE(Same(b.Pixel(MaxImageSide - 1, 1), Gradient(MaxImageSide - 1, 1)));
  b.LoadImage(Write("oldest.bmp", MakeCoreBmp(300, 2)));
  EXPECT_EQ(b.Width(), 300);
  b.LoadImage(Write("tallest.jpg", MakeJpeg(8, MaxImageSide, Gradient)));
  EXPECT_EQ(b.Height(), MaxImageSide);
  b.LoadImage(Write("rle-ok.bmp", MakeRleBmp(300, 200)));
  EXPECT_EQ(b.Height(), 200);
}

TEST_F(BitmapFiles, FileLargerThanAnyPictureIsNotRead) {
  // A sound picture followed by junk up to just past the limit (a sparse
  // file: it takes no room on disk).
  const std::string path = Write("padded.bmp", MakeBmp(8, 8, Gradient));
  std::filesystem::resize_file(folder + "/padded.bmp", MaxImageFileBytes + 1);
  TBromBitmap b;
  EXPECT_THROW(b.LoadImage(path), TImageError);
  EXPECT_EQ(b.Width(), 0);
  std::filesystem::remove(folder + "/padded.bmp");
}

TEST_F(BitmapFiles, JpegLoadsAsLibjpegDecodesItWithinItsWorkBudget) {
  const std::string jpeg = MakeJpeg(64, 64, Noise);
  const std::string body = jpeg.substr(0, jpeg.size() - 2);
  TBromBitmap whole;
  whole.LoadImage(Write("whole.jpg", jpeg));
  // Damaged data loads as libjpeg decodes it, the rows it cannot read filled.
  for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
           {"half.jpg", jpeg.substr(0, jpeg.size() / 2) + "\xFF\xD9"},
           {"cut.jpg", jpeg.substr(0, jpeg.size() - 200)},
           {"stray.jpg", body + "junk" + "\xFF\xD9"},
           {"trailer.jpg", jpeg + "trailing words"}}) {
    TBromBitmap b;
    b.LoadImage(Write(name, bytes));
    EXPECT_EQ(b.Width(), 64) << name;
    EXPECT_TRUE(Same(b.Pixel(5, 3), whole.Pixel(5, 3))) << name;
  }
  // Scans beyond the budget are refused, the surface left as it was; a
  // larger picture (its size claimed) has fewer to spend.
  TBromBitmap b;
  for (const auto& [w, h, scans, loads] :
       std::vector<std::tuple<int, int, int, bool>>{{64, 64, 256, true},
                                                    {64, 64, 257, false},
                                                    {64, 64, 200000, false},
                                                    {2400, 1800, 31, true},
                                                    {2400, 1800, 32, false}}) {
    b.SetSize(4, 3);
    const std::string path = Write("scans.jpg", ClaimJpegSize(RepeatedScanJpeg(scans), w, h));
    try {
      b.LoadImage(path);
      EXPECT_TRUE(loads && b.Width() == w) << scans;
    } catch (const TImageError& e) {
      EXPECT_FALSE(loads) << e.what();
      EXPECT_NE(std::string(e.what()).find("scans.jpg: the picture has more scans"),
                std::string::npos)
          << e.what();
      EXPECT_EQ(b.Width(), 4);
    }
  }
}

TEST_F(BitmapFiles, CallersSizeLimitIsCheckedBeforeAnyPixelIsDecoded) {
  TBromBitmap b;
  b.SetSize(4, 3);
  // A 1,080-byte run-length BMP claiming 8192 x 4096 is within the loaders'
  // limits, but no portrait: refused from its header alone.
  const std::string bomb = MakeRleBmp(8192, 4096);
  ASSERT_EQ(bomb.size(), 1080u);
  const std::string bombPath = Write("bomb.bmp", bomb);
  try {
    b.LoadImage(bombPath, 300, 300);
    ADD_FAILURE() << "the bomb loaded";
  } catch (const TImageError& e) {
    EXPECT_NE(std::string(e.what()).find("bomb.bmp: the picture is too large (8192 x 4096)"),
              std::string::npos)
        << e.what();
  }
  EXPECT_EQ(b.Width(), 4);
  // Files whose pixels cannot be decoded at all: the size is refused first,
  // so no decoder ever ran on them.
  std::string headerOnly = MakeBmp(301, 2, Gradient);
  headerOnly.resize(54);
  const std::string claimedJpeg = ClaimJpegSize(MakeJpeg(16, 16, Noise), 16, 301);
  const std::vector<std::tuple<std::string, std::string, std::string>> claims = {
      {"header.bmp", headerOnly, "(301 x 2)"},
      {"claims.jpg", claimedJpeg, "(16 x 301)"},
  };
  for (const auto& [name, bytes, size] : claims) {
    const std::string path = Write(name, bytes);
    try {
      b.LoadImage(path, 300, 300);
      ADD_FAILURE() << name << " loaded";
    } catch (const TImageError& e) {
      EXPECT_NE(std::string(e.what()).find("the picture is too large " + size), std::string::npos)
          << e.what();
    }
    // Without the limit the decoder gets to them: the BMP fails on its data,
    // the JPEG's missing rows are filled.
    try {
      b.LoadImage(path);
      EXPECT_EQ(b.Height(), 301) << name;
    } catch (const TImageError& e) {
      EXPECT_EQ(name, "header.bmp") << e.what();
    }
  }
  // The limit itself is a picture like any other, in either direction.
  b.LoadImage(Write("square.bmp", MakeBmp(300, 300, Gradient)), 300, 300);
  EXPECT_EQ(b.Width(), 300);
  EXPECT_THROW(b.LoadImage(Write("tall.jpg", MakeJpeg(8, 301, Noise)), 300, 300), TImageError);
  b.LoadImage(Write("wide.jpg", MakeJpeg(301, 8, Noise)), 400, 8);
  EXPECT_EQ(b.Width(), 301);
  // A limit beyond the loaders' own does not lift theirs.
  EXPECT_THROW(b.LoadImage(Write("huge.bmp", MakeCoreBmp(MaxImageSide + 1, 1)), 1 << 20, 1 << 20),
               TImageError);
  EXPECT_EQ(b.Width(), 301);
}
