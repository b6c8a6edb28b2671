// The help page, drawn headless: every line fits the page in the game's
// font, and the page is shown in place of the screen and taken away again
// without a trace.
#include <gtest/gtest.h>

#include <cstring>

#include "paint/HelpScreen.h"
#include "paint/ScreenKit.h"
#include "present/Font.h"
#include "present/Form.h"

namespace {

const char* const PinnedFont = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

bool Same(const TBromBitmap& a, const TBromBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    if (std::memcmp(a.Rows()[y], b.Rows()[y], 3 * static_cast<std::size_t>(a.Width())) != 0) {
      return false;
    }
  }
  return true;
}

TEST(HelpPage, EveryLineFitsAndClosingShowsTheScreenAsItWas) {
  TBromFont::PinFile(PinnedFont);
  TBromForm form("help");
  TScreens s;
  InitScreens(s, form.PaintBox());
  // 1. The body fits its panel and the keys the red box, line by line.
  SetScreenFont(s.ScreenLayer, 14, false, ColorWhite);
  EXPECT_LE(HelpPageBody().size(), 14u);
  EXPECT_LE(HelpPageKeys().size(), 7u);
  for (const auto* lines : {&HelpPageBody(), &HelpPageKeys()}) {
    for (const std::string& line : *lines) {
      EXPECT_LE(s.ScreenLayer.TextWidth(line), ScreenWidth - 24) << line;
    }
  }
  // 2. Over a screen: the page is shown; closed, the screen is shown as it was.
  for (int y = 0; y < ScreenHeight; ++y) {
    for (int x = 0; x < ScreenWidth; ++x) {
      s.ScreenLayer.SetPixel(x, y, MakeColor(x % 256, y % 256, (x * y) % 256));
    }
  }
  Present(s);
  TBromBitmap before;
  before.SetSize(ScreenWidth, ScreenHeight);
  before.CopyRect(form.PaintBox().Canvas(), 0, 0, ScreenWidth, ScreenHeight, 0, 0);
  OpenHelpPage(s);
  Present(s);
  EXPECT_TRUE(HelpPageOpen(s));
  EXPECT_TRUE(Same(form.PaintBox().Canvas(), s.HelpLayer));
  EXPECT_FALSE(Same(form.PaintBox().Canvas(), before));
  CloseHelpPage(s);
  Present(s);
  EXPECT_TRUE(Same(form.PaintBox().Canvas(), before));
  FreeScreens(s);
  TBromFont::PinFile("");
}

}  // namespace
