// PNG files of surfaces: the lab writes screens with them and the tests
// compare screens with golden pictures. Only 24-bit pictures written here are
// read back (8-bit RGB, no interlace); the game itself neither reads nor
// writes PNG.
#pragma once

#include <string>

#include "present/Bitmap.h"

// Writes the surface as an RGB PNG to a file system path (UTF-8). Throws
// TImageError when the file cannot be written.
void WritePng(const TBromBitmap& picture, const std::string& diskPath);
// Reads an RGB PNG written by WritePng into the surface. Throws TImageError
// when the file cannot be read or is not such a picture.
void ReadPng(TBromBitmap& picture, const std::string& diskPath);
