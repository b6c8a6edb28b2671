// Design unit: BromBmp (the picture check).
// The platform's answer to whether a picture can be shown: the file is read
// as the bitmaps read it, its claimed size checked before any pixel is
// decoded.
#pragma once

#include <string_view>

#include "rules/ImageCheck.h"

// True when the program path names a regular file that loads as a picture of
// at most maxWidth x maxHeight pixels. Never raises: a missing, unreadable or
// oversized file is false.
bool PictureFits(std::string_view programPath, int maxWidth, int maxHeight);

// The same, as the image check the roster reader takes.
const TImageCheck& PictureCheck();
