// Design unit: BromFont.
// The game's text rendering: a font name (cp932, as the game writes it) is
// resolved to a font file through fontconfig, and cp932 text is rendered with
// FreeType as one-bit glyphs (no anti-aliasing), so every pixel of a string is
// either the text colour or untouched; the soft edge of the surfaces relies on
// that. Bold is the glyph drawn twice, one pixel apart, one pixel wider per
// character. Rendered glyphs are cached per font, size and style.
//
// "ＭＳ ゴシック", the game's font, is asked for by name first; when no font of
// that name is installed, a Japanese monospaced gothic (IPAGothic, or any
// font fontconfig offers for Japanese with fixed spacing) stands in.
#pragma once

#include <string>
#include <string_view>

#include "present/Bitmap.h"

struct TFontRequest {
  std::string_view NameCp932;
  int Height = 20;  // the character cell's height in pixels
  TFontStyle Style = 0;
};

class TBromFont {
 public:
  TBromFont() = delete;
  // Draws the text's glyphs onto `target` in `color`, the character cell's
  // top-left corner at (x, y), clipped to the surface. Returns the advance.
  static int Draw(TBromBitmap& target, int x, int y, std::string_view textCp932,
                  const TFontRequest& font, TPixelColor color);
  // The advance of the text in pixels.
  static int Measure(std::string_view textCp932, const TFontRequest& font);
  // The font file a name resolves to (a disk path). Throws std::runtime_error
  // when no usable font is installed at all.
  static std::string ResolveFile(std::string_view nameCp932);
  // Uses this font file for every name (golden images pin the font so that
  // they do not depend on what the machine has installed); "" resolves names
  // through fontconfig again.
  static void PinFile(std::string diskPath);
  // Frees every font resource: the rendered glyphs, the faces, FreeType and
  // fontconfig's configuration; the next use loads what it needs again. Done
  // at exit on its own. The pinned file stays pinned.
  static void Release();
};
