// Screens written as PNG read back pixel for pixel; damaged files are refused.
#include <gtest/gtest.h>

#include "present/PngFile.h"
#include "tests/TestSupport.h"

TEST(PngFile, APictureReadsBackPixelForPixelAndTheBytesAreRepeatable) {
  TBromBitmap picture;
  picture.SetSize(7, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) picture.SetPixel(x, y, MakeColor(x * 30, y * 80, 255 - x));
  }
  const std::string folder = MakeTempFolder();
  WritePng(picture, folder + "/a.png");
  WritePng(picture, folder + "/b.png");
  EXPECT_EQ(ReadWholeFile(folder + "/a.png"), ReadWholeFile(folder + "/b.png"));
  TBromBitmap back;
  ReadPng(back, folder + "/a.png");
  ASSERT_EQ(back.Width(), 7);
  ASSERT_EQ(back.Height(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) {
      EXPECT_TRUE(ColorsEqual(back.Pixel(x, y), picture.Pixel(x, y))) << x << "," << y;
    }
  }
}

TEST(PngFile, MissingCutAndForeignFilesAreRefused) {
  const std::string folder = MakeTempFolder();
  TBromBitmap picture;
  EXPECT_THROW(ReadPng(picture, folder + "/none.png"), TImageError);
  TBromBitmap small;
  small.SetSize(4, 4);
  WritePng(small, folder + "/ok.png");
  const std::string whole = ReadWholeFile(folder + "/ok.png");
  WriteWholeFile(folder + "/cut.png", whole.substr(0, whole.size() / 2));
  EXPECT_THROW(ReadPng(picture, folder + "/cut.png"), TImageError);
  WriteWholeFile(folder + "/bmp.png", ReadWholeFile(SourcePath("dat/top.bmp")));
  EXPECT_THROW(ReadPng(picture, folder + "/bmp.png"), TImageError);
}
