// Design unit: FuzzPicture (the picture harnesses' check).
// What a loaded picture must be: within the size asked for, with one row
// address per row, every pixel readable (AddressSanitizer sees any row that
// is short), and keying out a colour and shrinking it work.
#pragma once

#include "present/Bitmap.h"

void CheckPicture(TBromBitmap& picture, int maxSide);
