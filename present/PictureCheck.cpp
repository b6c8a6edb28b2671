#include "present/PictureCheck.h"

#include <exception>

#include "present/Bitmap.h"
#include "present/Path.h"

namespace {

class TPictureCheck : public TImageCheck {
 public:
  bool Fits(std::string_view programPath, int maxWidth, int maxHeight) const override {
    return PictureFits(programPath, maxWidth, maxHeight);
  }
};

const TPictureCheck pictureCheck;

}  // namespace

bool PictureFits(std::string_view programPath, int maxWidth, int maxHeight) {
  // Only a regular file is opened: a folder or a device named by mistake
  // must not be read as an image.
  if (!ProgramFileExists(programPath)) return false;
  try {
    TBromBitmap image;  // freed on every way out
    // The size a file claims is checked before its pixels are decoded: a
    // small file can claim a huge picture.
    image.LoadImage(programPath, maxWidth, maxHeight);
    return image.Width() <= maxWidth && image.Height() <= maxHeight;
  } catch (const std::exception&) {
    return false;
  }
}

const TImageCheck& PictureCheck() {
  return pictureCheck;
}
