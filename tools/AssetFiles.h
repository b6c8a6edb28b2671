// The file formats the game reads, written byte by byte: Windows bitmaps
// (24-bit, uncompressed, bottom-up rows, BITMAPINFOHEADER), baseline JPEG
// through libjpeg, and RIFF wave files (16-bit PCM, mono). Every encoder is
// deterministic: the same picture or samples give the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/AssetCanvas.h"

namespace asset {

// The bytes of a 24-bit bottom-up Windows bitmap of the picture (each row
// padded to a multiple of 4 bytes, pixels stored blue, green, red).
std::string EncodeBmp(const TImage& image);
// The bytes of a baseline JPEG of the picture (4:2:0, integer DCT, standard
// Huffman tables). Throws std::runtime_error when libjpeg fails.
std::string EncodeJpeg(const TImage& image, int quality);
// Samples -1..1 as 16-bit PCM mono at the rate; values beyond the range clip.
std::string EncodeWav(const std::vector<double>& samples, int rate);

// Writes the bytes to the file, creating its folder; throws std::runtime_error
// when the file cannot be written.
void WriteFileBytes(const std::string& diskPath, std::string_view bytes);

}  // namespace asset
