// Helpers for the asset tests: little-endian fields of the written files and a
// plain JPEG decoder to read generated pictures back.
#pragma once

#include <cstdint>
#include <string>

#include "tools/AssetCanvas.h"

std::uint32_t U32(const std::string& b, std::size_t at);
unsigned U16(const std::string& b, std::size_t at);
int S16(const std::string& b, std::size_t at);
// Decodes JPEG bytes to RGB through libjpeg.
asset::TImage DecodeJpeg(const std::string& jpeg);
