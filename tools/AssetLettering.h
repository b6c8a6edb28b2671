// Lettering for the title picture: text rasterised once with FreeType from an
// installed font file and turned into a shape (a signed distance field), so
// that it can be filled, outlined and made to glow like any drawn shape. The
// font file is named explicitly, never looked up, so the same file always
// gives the same letters.
#pragma once

#include <string>
#include <string_view>

#include "tools/AssetCanvas.h"

namespace asset {

// The font files the lettering uses (IPA Gothic, proportional and fixed).
inline constexpr const char* kLetteringFont = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
// The checksum (FontChecksum) of the font file the shipped title picture was
// made with: ipagp.ttf of Debian's fonts-ipafont-gothic 00303-23.
inline constexpr unsigned long long kLetteringFontChecksum = 9227139594542873355ull;

// The text as a shape: its baseline starts at (x, baseline), letters are
// pixelHeight pixels high (em size), tracking adds pixels between letters, and
// factor is the canvas's sub-pixel factor (the field is sampled that finely).
// Throws std::runtime_error when the font cannot be read.
TShape LetteringShape(std::u32string_view text, const std::string& fontFile, double pixelHeight,
                      double x, double baseline, double tracking, int factor);
// The width in pixels the text would take.
double LetteringWidth(std::u32string_view text, const std::string& fontFile, double pixelHeight,
                      double tracking);
// A checksum of the font file's bytes (0 when it cannot be read), to warn when
// the installed font is not the one the committed pictures were made with.
unsigned long long FontChecksum(const std::string& fontFile);

}  // namespace asset
