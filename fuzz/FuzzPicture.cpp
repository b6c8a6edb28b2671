#include "fuzz/FuzzPicture.h"

#include <cstdio>
#include <string>

#include "fuzz/FuzzInput.h"
#include "present/Path.h"

namespace {

void CheckPicture(TBromBitmap& picture, int maxWidth, int maxHeight) {
  const int width = picture.Width();
  const int height = picture.Height();
  if (width < 0 || height < 0 || width > maxWidth || height > maxHeight) {
    FuzzFailure("a picture of " + std::to_string(width) + " x " + std::to_string(height));
  }
  if (static_cast<int>(picture.Rows().size()) != height) FuzzFailure("a row table too short");
  // Every byte of every row is read.
  unsigned sum = 0;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = picture.Rows()[y];
    for (int i = 0; i < 3 * width; ++i) sum += row[i];
  }
  // The surface works as any other: a thumbnail, a keyed colour.
  TBromBitmap thumbnail;
  thumbnail.SetSize(16, 16);
  thumbnail.StretchDraw(picture, 0, 0, 16, 16);
  picture.SetTransparentColor(ColorWhite);
  picture.DrawTo(thumbnail, -1, -1);
  if (sum == 1u << 31) FuzzFailure("unreachable");  // keeps the reads
}

}  // namespace

void CheckPictureFile(const std::string& path, TPictureLoader load, int maxWidth, int maxHeight) {
  TBromBitmap picture;
  try {
    (picture.*load)(path, maxWidth, maxHeight);
  } catch (const TImageError& error) {
    std::fprintf(stderr, "%s\n", Cp932ToUtf8Lenient(error.what()).c_str());
    return;
  }
  CheckPicture(picture, maxWidth, maxHeight);
  std::fprintf(stderr, "a picture of %d x %d\n", picture.Width(), picture.Height());
}
