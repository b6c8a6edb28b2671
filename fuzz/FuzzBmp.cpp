// Fuzz harness: BMP pictures, loaded as the roster loads a portrait (at most
// 300 x 300, the claimed size checked before decoding). Every input must end
// in a picture within that size or in TImageError.
#include <cstdio>

#include "data/Roster.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzPicture.h"
#include "present/Bitmap.h"
#include "present/Path.h"

namespace {

void CheckBmp(const std::string& path) {
  TBromBitmap picture;
  try {
    picture.LoadBmp(path, PortraitSize, PortraitSize);
  } catch (const TImageError& error) {
    std::fprintf(stderr, "%s\n", Cp932ToUtf8Lenient(error.what()).c_str());
    return;
  }
  CheckPicture(picture, PortraitSize);
  std::fprintf(stderr, "a picture of %d x %d\n", picture.Width(), picture.Height());
}

}  // namespace

int main(int argc, char** argv) {
  return FuzzEachInput(argc, argv, CheckBmp);
}
