// Text on the surfaces: the game's font name resolves to an installed
// Japanese gothic, glyphs fill the character cell of the requested height,
// bold widens them, and the soft edge tints exactly the pixels beside fresh
// text, never outside the surface. A sample sheet of every height the screens
// use is compared with its golden checksum (font file pinned).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "present/Bitmap.h"
#include "present/Font.h"
#include "tests/TestSupport.h"

namespace {

const char* const PinnedFont = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// The font as every painter sets it up.
void SetFont(TBromBitmap& b, int height, bool bold, TPixelColor color) {
  b.SetFontName(Sj("ＭＳ ゴシック"));
  b.SetFontHeight(height);
  b.SetFontStyle(bold ? FontBold : 0);
  b.SetFontColor(color);
  b.SetTextTransparent();
  b.SetSoftEdge(true);
}

// Bounding box of the pixels that differ from `background`.
struct TBox {
  int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1;
  int Count = 0;
};
TBox InkBox(const TBromBitmap& b, TPixelColor background) {
  TBox box;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (ColorsEqual(b.Pixel(x, y), background)) continue;
      box.Left = std::min(box.Left, x);
      box.Top = std::min(box.Top, y);
      box.Right = std::max(box.Right, x + 1);
      box.Bottom = std::max(box.Bottom, y + 1);
      ++box.Count;
    }
  }
  return box;
}

// A 24-bit top-down BMP of the surface, for looking at a rendering.
std::string ToBmp(const TBromBitmap& b) {
  const int stride = (b.Width() * 3 + 3) / 4 * 4;
  std::string out(54 + stride * b.Height(), '\0');
  auto put32 = [&](int at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<std::int32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, b.Width());
  put32(22, -b.Height());
  out[26] = 1;
  out[28] = 24;
  for (int y = 0; y < b.Height(); ++y) {
    std::copy(b.Rows()[y], b.Rows()[y] + 3 * b.Width(), out.begin() + 54 + stride * y);
  }
  return out;
}

std::uint64_t Checksum(const TBromBitmap& b) {
  std::uint64_t hash = 1469598103934665603ull;
  for (int y = 0; y < b.Height(); ++y) {
    for (int i = 0; i < 3 * b.Width(); ++i) hash = (hash ^ b.Rows()[y][i]) * 1099511628211ull;
  }
  return hash;
}

// The sample sheet: every height the screens use, normal and bold, white on
// the help box's red and black on a lightened button.
void DrawSample(TBromBitmap& sheet) {
  sheet.SetSize(600, 470);
  sheet.FillRect(0, 0, 600, 235, MakeColor(128, 32, 32));
  sheet.FillRect(0, 235, 600, 470, MakeColor(200, 200, 190));
  const std::string text = Sj("剣師の途心、決勝戦。残り途心：10 SKIP");
  for (int panel = 0; panel < 2; ++panel) {
    int y = panel * 235 + 6;
    for (int height : {10, 14, 16, 20, 24}) {
      for (bool bold : {false, true}) {
        SetFont(sheet, height, bold, panel == 0 ? ColorWhite : ColorBlack);
        sheet.DrawText(12, y, text);
        y += height + 3;
      }
    }
  }
}

class BitmapText : public ::testing::Test {
 protected:
  void SetUp() override { TBromFont::PinFile(PinnedFont); }
  void TearDown() override { TBromFont::PinFile(""); }
};

}  // namespace

TEST(BitmapTextFont, GameFontResolvesToAnInstalledJapaneseGothic) {
  TBromFont::PinFile("");
  const std::string file = TBromFont::ResolveFile(Sj("ＭＳ ゴシック"));
  EXPECT_TRUE(std::filesystem::exists(file)) << file;
  // The stand-in must be able to write the game's text: kanji, kana and the
  // full-width colon all have glyphs (a missing glyph draws an empty box or
  // nothing, the same for every character).
  TBromBitmap a, b;
  for (TBromBitmap* s : {&a, &b}) {
    s->SetSize(40, 30);
    SetFont(*s, 20, false, ColorBlack);
    s->SetSoftEdge(false);
  }
  a.DrawText(0, 0, Sj("剣"));
  b.DrawText(0, 0, Sj("途"));
  EXPECT_GT(InkBox(a, ColorWhite).Count, 20);
  EXPECT_NE(Checksum(a), Checksum(b));
}

TEST(BitmapTextFont, ReleasedFontsAndFontconfigComeBackTheSame) {
  // Everything the fonts hold, fontconfig's configuration too, is released
  // at exit (a leak checker sees nothing left); a use after a release loads
  // it all again.
  TBromFont::PinFile("");
  TBromBitmap surface;
  surface.SetSize(40, 30);
  SetFont(surface, 20, true, ColorBlack);
  surface.DrawText(0, 0, Sj("剣"));
  const std::string file = TBromFont::ResolveFile(Sj("ＭＳ ゴシック"));
  const auto before = Checksum(surface);
  for (int round = 0; round < 2; ++round) {
    TBromFont::Release();
    TBromFont::Release();  // a second release finds nothing to free
    EXPECT_EQ(TBromFont::ResolveFile(Sj("ＭＳ ゴシック")), file);
    surface.Fill(ColorWhite);
    surface.DrawText(0, 0, Sj("剣"));
    EXPECT_EQ(Checksum(surface), before) << round;
  }
}

TEST_F(BitmapText, GlyphsStayInTheirCellAndBoldIsOnePixelWiderPerCharacter) {
  for (int height : {10, 14, 16, 20, 24}) {
    TBromBitmap normal, bold;
    for (TBromBitmap* s : {&normal, &bold}) {
      s->SetSize(200, 60);
      SetFont(*s, height, s == &bold, ColorBlack);
      s->SetSoftEdge(false);
      s->DrawText(10, 20, Sj("剣師A"));
    }
    // Full-width characters advance by the height, half-width by half.
    EXPECT_EQ(normal.TextWidth(Sj("剣師A")), height * 2 + height / 2) << height;
    EXPECT_EQ(bold.TextWidth(Sj("剣師A")), height * 2 + height / 2 + 3) << height;
    const TBox n = InkBox(normal, ColorWhite);
    const TBox b = InkBox(bold, ColorWhite);
    EXPECT_GE(n.Top, 20) << height;
    EXPECT_LE(n.Bottom, 20 + height) << height;
    EXPECT_GE(n.Bottom - n.Top, height * 7 / 10) << height;  // the kanji fill most of the cell
    EXPECT_GE(n.Left, 10) << height;
    EXPECT_LE(b.Right, 10 + bold.TextWidth(Sj("剣師A")) + 1) << height;
    EXPECT_GT(b.Count, n.Count * 5 / 4) << height;
    // One-bit rendering: only the text colour, never a grey.
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 200; ++x) {
        const TPixelColor p = normal.Pixel(x, y);
        EXPECT_TRUE(ColorsEqual(p, ColorBlack) || ColorsEqual(p, ColorWhite)) << x << "," << y;
      }
    }
  }
}

TEST_F(BitmapText, SoftEdgeTintsEachPixelOnceForEveryTouchingNeighbour) {
  // The same text drawn plain gives the coverage; with the soft edge, each
  // pixel beside it is blended once per covered neighbour (of four), from
  // black towards white: 0, 63, 111, 147, 174.
  const int tint[5] = {0, 63, 111, 147, 174};
  for (bool bold : {false, true}) {
    TBromBitmap plain, soft;
    for (TBromBitmap* s : {&plain, &soft}) {
      s->SetSize(120, 40);
      s->Fill(ColorBlack);
      SetFont(*s, 16, bold, ColorWhite);
    }
    plain.SetSoftEdge(false);
    const std::string text = Sj("途心：10");
    plain.DrawText(5, 6, text);
    soft.DrawText(5, 6, text);
    const auto covered = [&](int x, int y) {
      return x >= 0 && y >= 0 && x < 120 && y < 40 && ColorsEqual(plain.Pixel(x, y), ColorWhite);
    };
    int tinted = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 120; ++x) {
        if (covered(x, y)) {
          EXPECT_TRUE(ColorsEqual(soft.Pixel(x, y), ColorWhite)) << x << "," << y;
          continue;
        }
        const int n = covered(x - 1, y) + covered(x + 1, y) + covered(x, y - 1) + covered(x, y + 1);
        EXPECT_EQ(soft.Pixel(x, y).Green, tint[n]) << x << "," << y << " bold " << bold;
        tinted += n > 0;
      }
    }
    EXPECT_GT(tinted, 50);
  }
}

TEST_F(BitmapText, SoftEdgeOfColouredTextBlendsEachChannelOnItsOwn) {
  // Text in (200, 100, 40) on (0, 80, 255): each channel moves a quarter of
  // the way towards its own font channel once per covered neighbour, so red,
  // green and blue each follow their own sequence.
  const TPixelColor ink = MakeColor(200, 100, 40);
  const TPixelColor ground = MakeColor(0, 80, 255);
  const auto tint = [](int from, int to, int times) {
    for (int i = 0; i < times; ++i) from = (3 * from + to) / 4;
    return from;
  };
  TBromBitmap plain, soft;
  for (TBromBitmap* s : {&plain, &soft}) {
    s->SetSize(120, 40);
    s->Fill(ground);
    SetFont(*s, 16, true, ink);
  }
  plain.SetSoftEdge(false);
  plain.DrawText(5, 6, Sj("剣師"));
  soft.DrawText(5, 6, Sj("剣師"));
  const auto covered = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < 120 && y < 40 && ColorsEqual(plain.Pixel(x, y), ink);
  };
  int twice = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      if (covered(x, y)) continue;
      const int n = covered(x - 1, y) + covered(x + 1, y) + covered(x, y - 1) + covered(x, y + 1);
      const TPixelColor p = soft.Pixel(x, y);
      EXPECT_EQ(p.Red, tint(ground.Red, ink.Red, n)) << x << "," << y;
      EXPECT_EQ(p.Green, tint(ground.Green, ink.Green, n)) << x << "," << y;
      EXPECT_EQ(p.Blue, tint(ground.Blue, ink.Blue, n)) << x << "," << y;
      twice += n >= 2;
    }
  }
  EXPECT_GT(twice, 5);
}

TEST_F(BitmapText, TextAtTheTopLeftCornerWritesNothingOutside) {
  // Column -1 of a row is, in memory, the last pixel of the row above: that
  // column must keep its colour.
  TBromBitmap b;
  b.SetSize(60, 30);
  b.Fill(ColorBlack);
  SetFont(b, 20, true, ColorWhite);
  b.DrawText(0, 0, Sj("剣師"));
  b.DrawText(-3, 5, Sj("剣"));
  for (int y = 0; y < 30; ++y) EXPECT_TRUE(ColorsEqual(b.Pixel(59, y), ColorBlack)) << y;
  EXPECT_GT(InkBox(b, ColorBlack).Count, 50);
}

TEST_F(BitmapText, ScratchSurfaceFollowsAResize) {
  // Text drawn after a size change without a new SetSoftEdge still gets its
  // edge, and the pass never reads past the old scratch surface.
  TBromBitmap b;
  b.SetSize(20, 20);
  SetFont(b, 14, false, ColorBlack);
  b.SetSize(200, 50);
  b.DrawText(150, 30, Sj("途心"));
  const TBox box = InkBox(b, ColorWhite);
  EXPECT_GE(box.Left, 149);
  EXPECT_GT(box.Count, 20);
}

TEST_F(BitmapText, SampleSheetMatchesItsGolden) {
  TBromBitmap sheet;
  DrawSample(sheet);
  if (const char* out = std::getenv("QUILLMOOR_TEXT_SAMPLE")) WriteWholeFile(out, ToBmp(sheet));
  const std::string golden = ReadWholeFile(SourcePath("tests/golden/text_sample.txt"));
  const std::string actual = std::to_string(Checksum(sheet));
  if (golden.substr(0, golden.find('\n')) != actual) {
    const std::string saved = MakeTempFolder() + "/text_sample.bmp";
    WriteWholeFile(saved, ToBmp(sheet));
    ADD_FAILURE() << "the sample sheet changed: checksum " << actual << ", picture in " << saved;
  }
}
