// Design unit: FuzzPicture (the picture harnesses' check).
// A picture file is loaded within a size limit (a portrait's 300 x 300, or
// the largest a story shows), the claimed size checked before decoding, and
// must end in TImageError or in a picture within that size, with one row address per row, every
// pixel readable (AddressSanitizer sees any row that is short), and keying out a colour and
// shrinking it must work.
#pragma once

#include <string>
#include <string_view>

#include "present/Bitmap.h"

// One of the surface's loaders, LoadBmp or LoadJpeg.
using TPictureLoader = void (TBromBitmap::*)(std::string_view programPath, int maxWidth,
                                             int maxHeight);

// Loads the file with the loader within maxWidth x maxHeight and checks the
// outcome.
void CheckPictureFile(const std::string& path, TPictureLoader load, int maxWidth, int maxHeight);
