// Fuzz harness: BMP pictures, loaded as the roster loads a portrait.
#include "data/Roster.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzPicture.h"

int main(int argc, char** argv) {
  return FuzzEachInput(argc, argv, [](const std::string& path) {
    CheckPictureFile(path, &TBromBitmap::LoadBmp, PortraitSize, PortraitSize);
  });
}
