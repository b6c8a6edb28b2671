#include "tools/AssetLettering.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <vector>

#include "tools/AssetMath.h"

namespace asset {

namespace {

// A two-valued picture of the text at sub-pixel resolution.
struct TMask {
  int Width = 0, Height = 0;
  int OriginX = 0, OriginY = 0;  // where the pen started, in mask samples
  std::vector<std::uint8_t> In;
};

class TFace {
 public:
  TFace(const std::string& file, int pixels) {
    if (FT_Init_FreeType(&Library) != 0) throw std::runtime_error("FreeType cannot start");
    if (FT_New_Face(Library, file.c_str(), 0, &Face) != 0) {
      FT_Done_FreeType(Library);
      throw std::runtime_error("cannot read font " + file);
    }
    FT_Set_Pixel_Sizes(Face, 0, static_cast<FT_UInt>(pixels));
  }
  ~TFace() {
    FT_Done_Face(Face);
    FT_Done_FreeType(Library);
  }
  FT_Face Get() const { return Face; }

 private:
  FT_Library Library = nullptr;
  FT_Face Face = nullptr;
};

// Walks the text, calling visit(glyph slot, pen x) for each rendered glyph,
// and returns the total advance in samples.
template <typename F>
double WalkText(TFace& face, std::u32string_view text, double tracking, bool render, F&& visit) {
  double pen = 0.0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const FT_UInt index = FT_Get_Char_Index(face.Get(), text[i]);
    if (FT_Load_Glyph(face.Get(), index, render ? FT_LOAD_RENDER : FT_LOAD_DEFAULT) != 0) continue;
    visit(face.Get()->glyph, pen);
    pen += face.Get()->glyph->advance.x / 64.0;
    if (i + 1 < text.size()) pen += tracking;
  }
  return pen;
}

// One dimension of the exact squared Euclidean distance transform
// (lower envelope of parabolas).
void Transform1D(const std::vector<double>& f, std::vector<double>& d, int n) {
  std::vector<int> v(n);
  std::vector<double> z(n + 1);
  int k = 0;
  v[0] = 0;
  z[0] = -1e30;
  z[1] = 1e30;
  for (int q = 1; q < n; ++q) {
    auto meet = [&](int p) {
      return ((f[q] + 1.0 * q * q) - (f[p] + 1.0 * p * p)) / (2.0 * q - 2.0 * p);
    };
    double s = meet(v[k]);
    // z[0] is below every meeting point, so k never drops below 0.
    while (s <= z[k]) s = meet(v[--k]);
    ++k;
    v[k] = q;
    z[k] = s;
    z[k + 1] = 1e30;
  }
  k = 0;
  for (int q = 0; q < n; ++q) {
    while (z[k + 1] < q) ++k;
    const double dq = q - v[k];
    d[q] = dq * dq + f[v[k]];
  }
}

// Distance in samples from each sample to the nearest sample where In equals
// target.
std::vector<double> DistanceTo(const TMask& m, std::uint8_t target) {
  const double inf = 1e20;
  std::vector<double> grid(static_cast<std::size_t>(m.Width) * m.Height);
  for (std::size_t i = 0; i < grid.size(); ++i) grid[i] = m.In[i] == target ? 0.0 : inf;
  std::vector<double> f(std::max(m.Width, m.Height)), d(std::max(m.Width, m.Height));
  for (int x = 0; x < m.Width; ++x) {
    for (int y = 0; y < m.Height; ++y) f[y] = grid[static_cast<std::size_t>(y) * m.Width + x];
    Transform1D(f, d, m.Height);
    for (int y = 0; y < m.Height; ++y) grid[static_cast<std::size_t>(y) * m.Width + x] = d[y];
  }
  for (int y = 0; y < m.Height; ++y) {
    for (int x = 0; x < m.Width; ++x) f[x] = grid[static_cast<std::size_t>(y) * m.Width + x];
    Transform1D(f, d, m.Width);
    for (int x = 0; x < m.Width; ++x)
      grid[static_cast<std::size_t>(y) * m.Width + x] = std::sqrt(d[x]);
  }
  return grid;
}

}  // namespace

double LetteringWidth(std::u32string_view text, const std::string& fontFile, double pixelHeight,
                      double tracking) {
  TFace face(fontFile, static_cast<int>(std::lround(pixelHeight)));
  return WalkText(face, text, tracking, false, [](FT_GlyphSlot, double) {});
}

TShape LetteringShape(std::u32string_view text, const std::string& fontFile, double pixelHeight,
                      double x, double baseline, double tracking, int factor) {
  const int px = static_cast<int>(std::lround(pixelHeight * factor));
  TFace face(fontFile, px);
  // 1. Measure, with a margin wide enough for outlines and glows.
  const int margin = 24 * factor;
  const double advance =
      WalkText(face, text, tracking * factor, false, [](FT_GlyphSlot, double) {});
  TMask m;
  m.Width = static_cast<int>(advance) + px + 2 * margin;
  m.Height = 2 * px + 2 * margin;
  m.OriginX = margin;
  m.OriginY = margin + px + px / 4;
  m.In.assign(static_cast<std::size_t>(m.Width) * m.Height, 0);
  // 2. Render every glyph into the mask (coverage of at least half counts).
  WalkText(face, text, tracking * factor, true, [&](FT_GlyphSlot g, double pen) {
    const FT_Bitmap& bmp = g->bitmap;
    const int left = m.OriginX + static_cast<int>(std::lround(pen)) + g->bitmap_left;
    const int top = m.OriginY - g->bitmap_top;
    for (unsigned r = 0; r < bmp.rows; ++r) {
      for (unsigned c = 0; c < bmp.width; ++c) {
        const int mx = left + static_cast<int>(c), my = top + static_cast<int>(r);
        if (mx < 0 || my < 0 || mx >= m.Width || my >= m.Height) continue;
        if (bmp.buffer[r * bmp.pitch + c] >= 128)
          m.In[static_cast<std::size_t>(my) * m.Width + mx] = 1;
      }
    }
  });
  // 3. The signed distance: outside, the way to the nearest letter; inside,
  // minus the way to the nearest gap.
  const std::vector<double> out = DistanceTo(m, 1);
  const std::vector<double> in = DistanceTo(m, 0);
  auto field = std::make_shared<std::vector<float>>(out.size());
  for (std::size_t i = 0; i < out.size(); ++i)
    (*field)[i] = static_cast<float>(m.In[i] ? -(in[i] - 0.5) : out[i] - 0.5);
  // The mask's sample (0, 0) sits at this place in final pixels.
  const double ox = x - static_cast<double>(m.OriginX) / factor;
  const double oy = baseline - static_cast<double>(m.OriginY) / factor;
  const int w = m.Width, h = m.Height;
  TBox bounds{ox, oy, ox + static_cast<double>(w) / factor, oy + static_cast<double>(h) / factor};
  return {[field, ox, oy, w, h, factor](double px2, double py2) {
            const int sx = static_cast<int>(std::floor((px2 - ox) * factor));
            const int sy = static_cast<int>(std::floor((py2 - oy) * factor));
            if (sx < 0 || sy < 0 || sx >= w || sy >= h) return 1e6;
            return static_cast<double>((*field)[static_cast<std::size_t>(sy) * w + sx]) / factor;
          },
          bounds};
}

unsigned long long FontChecksum(const std::string& fontFile) {
  std::ifstream in(fontFile, std::ios::binary);
  if (!in) return 0;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return HashName(bytes);
}

}  // namespace asset
