// Fuzz harness: JPEG pictures, loaded as the roster loads a portrait and as
// the story loads its largest picture.
#include "data/Roster.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzPicture.h"
#include "paint/ScreenKit.h"

int main(int argc, char** argv) {
  return FuzzEachInput(argc, argv, [](const std::string& path) {
    CheckPictureFile(path, &TBromBitmap::LoadJpeg, PortraitSize, PortraitSize);
    CheckPictureFile(path, &TBromBitmap::LoadJpeg, LargestPictureWidth, LargestPictureHeight);
  });
}
