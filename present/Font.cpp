#include "present/Font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <unordered_map>

#include "present/Path.h"

namespace {

// A font file (and the face inside it, for collections).
struct TFontFile {
  std::string Path;
  int Index = 0;
};

// One rendered glyph: one byte per pixel, 1 where the glyph covers it.
struct TGlyph {
  int Left = 0;  // from the pen position to the first column
  int Top = 0;   // from the baseline up to the first row
  int Width = 0;
  int Rows = 0;
  int Advance = 0;
  std::vector<std::uint8_t> Bits;
};

// A face at one cell height and style, with the glyphs rendered so far.
struct TSizedFont {
  FT_Face Face = nullptr;
  FT_F26Dot6 CharSize = 0;  // the em in 1/64 pixels
  int Baseline = 0;         // from the top of the cell
  int Height = 0;
  TFontStyle Style = 0;
  std::unordered_map<char32_t, TGlyph> Glyphs;
};

struct TFontState {
  FT_Library Library = nullptr;
  bool FontconfigLoaded = false;
  std::string PinnedPath;
  std::map<std::string, TFontFile> Resolved;  // by cp932 name
  std::map<std::pair<std::string, int>, FT_Face> Faces;
  std::map<std::tuple<std::string, int, int, int>, std::unique_ptr<TSizedFont>> Sized;

  // Everything is freed at exit, fontconfig's configuration too, so that a
  // leak checker sees nothing left.
  ~TFontState() { Release(); }

  void Release() {
    Sized.clear();
    for (auto& entry : Faces) FT_Done_Face(entry.second);
    Faces.clear();
    if (Library != nullptr) FT_Done_FreeType(Library);
    Library = nullptr;
    Resolved.clear();
    if (FontconfigLoaded) FcFini();
    FontconfigLoaded = false;
  }
};

TFontState& State() {
  static TFontState state;
  return state;
}

// True when the matched font has the kana and kanji the game writes.
bool CoversJapanese(FcPattern* font) {
  FcCharSet* chars = nullptr;
  if (FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) != FcResultMatch) return false;
  return FcCharSetHasChar(chars, 0x3042) && FcCharSetHasChar(chars, 0x5263) &&
         FcCharSetHasChar(chars, 0xFF1A);
}

bool FileOf(FcPattern* font, TFontFile& out) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return false;
  int index = 0;
  FcPatternGetInteger(font, FC_INDEX, 0, &index);
  out.Path = reinterpret_cast<const char*>(file);
  out.Index = index;
  return true;
}

// Asks fontconfig for the best match of a pattern; `accept` decides whether
// the match will do.
template <typename Accept>
bool Match(FcPattern* pattern, TFontFile& out, Accept accept) {
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (font == nullptr) return false;
  const bool ok = accept(font) && FileOf(font, out);
  FcPatternDestroy(font);
  return ok;
}

TFontFile ResolveWithFontconfig(std::string_view nameCp932) {
  if (!FcInit()) throw std::runtime_error("fontconfig cannot be initialised");
  State().FontconfigLoaded = true;
  const std::string name = Cp932ToUtf8Lenient(nameCp932);
  TFontFile file;
  // 1. A font installed under the very name, in any of its languages.
  FcPattern* byName = FcPatternCreate();
  FcPatternAddString(byName, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  const auto hasName = [&](FcPattern* font) {
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
      if (FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(name.c_str())) == 0) {
        return CoversJapanese(font);
      }
    }
    return false;
  };
  if (Match(byName, file, hasName)) return file;
  // 2. A Japanese monospaced gothic stands in: IPAGothic first, otherwise
  // whatever fontconfig offers for Japanese with fixed spacing.
  FcPattern* gothic = FcPatternCreate();
  FcPatternAddString(gothic, FC_FAMILY, reinterpret_cast<const FcChar8*>("IPAGothic"));
  FcPatternAddString(gothic, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddInteger(gothic, FC_SPACING, FC_MONO);
  if (Match(gothic, file, CoversJapanese)) return file;
  // 3. Any font that can write Japanese.
  FcPattern* anyJapanese = FcPatternCreate();
  FcPatternAddString(anyJapanese, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  if (Match(anyJapanese, file, CoversJapanese)) return file;
  throw std::runtime_error("no font for Japanese text is installed (" + name + ")");
}

TFontFile FontFileFor(std::string_view nameCp932) {
  TFontState& state = State();
  if (!state.PinnedPath.empty()) return TFontFile{state.PinnedPath, 0};
  const std::string key(nameCp932);
  auto found = state.Resolved.find(key);
  if (found == state.Resolved.end()) {
    found = state.Resolved.emplace(key, ResolveWithFontconfig(nameCp932)).first;
  }
  return found->second;
}

FT_Face FaceFor(const TFontFile& file) {
  TFontState& state = State();
  if (state.Library == nullptr && FT_Init_FreeType(&state.Library) != 0) {
    throw std::runtime_error("FreeType cannot be initialised");
  }
  const auto key = std::make_pair(file.Path, file.Index);
  auto found = state.Faces.find(key);
  if (found != state.Faces.end()) return found->second;
  FT_Face face = nullptr;
  if (FT_New_Face(state.Library, file.Path.c_str(), file.Index, &face) != 0) {
    throw std::runtime_error("cannot open the font file " + file.Path);
  }
  state.Faces.emplace(key, face);
  return face;
}

// The face sized so that its character cell (ascent plus descent, as the
// system's text output measures it) is `height` pixels.
TSizedFont& SizedFontFor(const TFontRequest& request) {
  TFontState& state = State();
  const TFontFile file = FontFileFor(request.NameCp932);
  const int height = std::max(request.Height, 1);
  const int style = request.Style & (FontBold | FontItalic);
  const auto key = std::make_tuple(file.Path, file.Index, height, style);
  auto found = state.Sized.find(key);
  if (found != state.Sized.end()) return *found->second;
  FT_Face face = FaceFor(file);
  // The cell is the font's ascent plus descent. For the Japanese gothics the
  // game uses these add up to the em square, so a full-width character is as
  // wide as the cell is high and a half-width one half that.
  long ascent = face->ascender;
  long descent = -face->descender;
  if (ascent + descent <= 0) {
    ascent = face->units_per_EM;
    descent = 0;
  }
  auto sized = std::make_unique<TSizedFont>();
  sized->Face = face;
  sized->Height = height;
  sized->Style = static_cast<TFontStyle>(style);
  sized->CharSize = static_cast<FT_F26Dot6>(
      (static_cast<long long>(height) * 64 * face->units_per_EM + (ascent + descent) / 2) /
      (ascent + descent));
  sized->Baseline = static_cast<int>(
      (static_cast<long long>(height) * ascent + (ascent + descent) / 2) / (ascent + descent));
  return *state.Sized.emplace(key, std::move(sized)).first->second;
}

const TGlyph& GlyphFor(TSizedFont& font, char32_t code) {
  auto found = font.Glyphs.find(code);
  if (found != font.Glyphs.end()) return found->second;
  TGlyph glyph;
  FT_Face face = font.Face;
  FT_Set_Char_Size(face, 0, font.CharSize, 72, 72);
  if ((font.Style & FontItalic) != 0) {
    FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
    FT_Set_Transform(face, &shear, nullptr);
  } else {
    FT_Set_Transform(face, nullptr, nullptr);
  }
  const FT_UInt index = FT_Get_Char_Index(face, code);
  // One-bit rendering: every pixel is either text or background. FreeType's
  // own hinter fits the strokes to whole pixels; at 10 and 14 pixels it keeps
  // the kanji more legible than the font's instructions do.
  if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT) == 0 &&
      FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0) {
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.Left = slot->bitmap_left;
    glyph.Top = slot->bitmap_top;
    glyph.Width = static_cast<int>(bitmap.width);
    glyph.Rows = static_cast<int>(bitmap.rows);
    glyph.Advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.Bits.assign(static_cast<std::size_t>(glyph.Width) * glyph.Rows, 0);
    for (int y = 0; y < glyph.Rows; ++y) {
      const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
      for (int x = 0; x < glyph.Width; ++x) {
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
          glyph.Bits[y * glyph.Width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
        } else {
          glyph.Bits[y * glyph.Width + x] = row[x] >= 128 ? 1 : 0;
        }
      }
    }
  }
  if ((font.Style & FontBold) != 0) {
    // Bold is the glyph drawn again one pixel to the right: one pixel wider
    // strokes and one pixel more advance.
    std::vector<std::uint8_t> bold(static_cast<std::size_t>(glyph.Width + 1) * glyph.Rows, 0);
    for (int y = 0; y < glyph.Rows; ++y) {
      for (int x = 0; x < glyph.Width; ++x) {
        if (glyph.Bits[y * glyph.Width + x] != 0) {
          bold[y * (glyph.Width + 1) + x] = 1;
          bold[y * (glyph.Width + 1) + x + 1] = 1;
        }
      }
    }
    glyph.Bits = std::move(bold);
    glyph.Width += 1;
    glyph.Advance += 1;
  }
  return font.Glyphs.emplace(code, std::move(glyph)).first->second;
}

// UTF-8 to code points (the converter's output is valid UTF-8).
std::u32string CodePoints(std::string_view textCp932) {
  const std::string utf8 = Cp932ToUtf8Lenient(textCp932);
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1   ? lead
                    : length == 2 ? lead & 0x1F
                    : length == 3 ? lead & 0x0F
                                  : lead & 0x07;
    for (int k = 1; k < length && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    out.push_back(code);
    i += length;
  }
  return out;
}

void FillSpan(TBromBitmap& target, int left, int right, int y, int thickness, TPixelColor color) {
  target.FillRect(left, y, right, y + thickness, color);
}

}  // namespace

int TBromFont::Draw(TBromBitmap& target, int x, int y, std::string_view textCp932,
                    const TFontRequest& request, TPixelColor color) {
  TSizedFont& font = SizedFontFor(request);
  const int width = target.Width();
  const int height = target.Height();
  const auto& rows = target.Rows();
  const int baseline = y + font.Baseline;
  int pen = x;
  for (char32_t code : CodePoints(textCp932)) {
    const TGlyph& glyph = GlyphFor(font, code);
    const int left = pen + glyph.Left;
    const int top = baseline - glyph.Top;
    for (int gy = 0; gy < glyph.Rows; ++gy) {
      const int py = top + gy;
      if (py < 0 || py >= height) continue;
      const std::uint8_t* bits = glyph.Bits.data() + static_cast<std::size_t>(gy) * glyph.Width;
      for (int gx = 0; gx < glyph.Width; ++gx) {
        const int px = left + gx;
        if (bits[gx] == 0 || px < 0 || px >= width) continue;
        std::uint8_t* p = rows[py] + 3 * px;
        p[0] = color.Blue;
        p[1] = color.Green;
        p[2] = color.Red;
      }
    }
    pen += glyph.Advance;
  }
  const int thickness = std::max(1, request.Height / 16);
  if ((request.Style & FontUnderline) != 0) {
    FillSpan(target, x, pen, baseline + 1, thickness, color);
  }
  if ((request.Style & FontStrikeOut) != 0) {
    FillSpan(target, x, pen, baseline - request.Height * 3 / 10, thickness, color);
  }
  return pen - x;
}

int TBromFont::Measure(std::string_view textCp932, const TFontRequest& request) {
  TSizedFont& font = SizedFontFor(request);
  int advance = 0;
  for (char32_t code : CodePoints(textCp932)) advance += GlyphFor(font, code).Advance;
  return advance;
}

std::string TBromFont::ResolveFile(std::string_view nameCp932) {
  return FontFileFor(nameCp932).Path;
}

void TBromFont::Release() {
  State().Release();
}

void TBromFont::PinFile(std::string diskPath) {
  TFontState& state = State();
  state.PinnedPath = std::move(diskPath);
}
