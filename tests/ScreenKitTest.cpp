// The screen kit, drawn headless: blend, inversion and dimming values, where
// centred text really lands, the computed layout and the bracket's averaging
// rule, the flavour strip's scroll, portraits centred on black, the help box
// and the backdrop's faults.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "data/Tournament.h"
#include "paint/ScreenKit.h"
#include "present/Font.h"
#include "present/Form.h"
#include "present/Path.h"
#include "rules/InternalError.h"
#include "tests/PixelTestSupport.h"
#include "tests/TestSupport.h"
#include "tools/AssetCanvas.h"
#include "tools/AssetFiles.h"

namespace {

const char* const PinnedFont = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// A picture file of one colour: BMP or JPEG by the name's ending.
void WritePicture(const std::string& diskPath, int w, int h, TPixelColor c) {
  asset::TImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = image.At(x, y);
      p[0] = c.Red;
      p[1] = c.Green;
      p[2] = c.Blue;
    }
  }
  const bool jpeg = diskPath.size() > 4 && diskPath.substr(diskPath.size() - 4) == ".jpg";
  WriteWholeFile(diskPath, jpeg ? asset::EncodeJpeg(image, 95) : asset::EncodeBmp(image));
}

// Runs the test's code in another working folder, so that "dat\\..." names
// reach files the test wrote.
class TWorkingFolder {
 public:
  explicit TWorkingFolder(const std::string& folder) : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~TWorkingFolder() { std::filesystem::current_path(saved_); }

 private:
  std::filesystem::path saved_;
};

bool SameLayers(const TBromBitmap& a, const TBromBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    if (!std::equal(a.Rows()[y], a.Rows()[y] + 3 * a.Width(), b.Rows()[y])) return false;
  }
  return true;
}

// The leftmost column holding a pixel of exactly `color`, and the leftmost
// holding any pixel other than `background`.
struct TInk {
  int Solid = 1 << 30;
  int Any = 1 << 30;
  int Top = 1 << 30;
};
TInk InkOf(const TBromBitmap& b, TPixelColor color, TPixelColor background) {
  TInk ink;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const TPixelColor p = b.Pixel(x, y);
      if (ColorsEqual(p, color)) {
        ink.Solid = std::min(ink.Solid, x);
        ink.Top = std::min(ink.Top, y);
      }
      if (!ColorsEqual(p, background)) ink.Any = std::min(ink.Any, x);
    }
  }
  return ink;
}

// A layer of one colour everywhere.
void Paint(TBromBitmap& layer, TPixelColor c) {
  layer.SetSize(ScreenWidth, ScreenHeight);
  layer.Fill(c);
}

class ScreenKit : public ScreenTest {
 protected:
  void SetUp() override { TBromFont::PinFile(PinnedFont); }
  void TearDown() override { TBromFont::PinFile(""); }
};

}  // namespace

TEST_F(ScreenKit, BlendInvertHighlightDimAndRestoreValues) {
  const TPixelColor start = MakeColor(201, 100, 7);
  Paint(screens_.BaseLayer, start);
  Paint(screens_.ScreenLayer, start);
  const TRect r{100, 50, 140, 80};
  // (pixel + colour) div 2 per channel, right and bottom edges excluded.
  BlendRect(screens_.BaseLayer, r, MakeColor(50, 255, 0));
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(100, 50), MakeColor(125, 177, 3)));
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(139, 79), MakeColor(125, 177, 3)));
  const std::pair<int, int> outside[] = {{140, 60}, {120, 80}, {99, 60}, {120, 49}};
  for (auto [x, y] : outside) {
    EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(x, y), start)) << x << "," << y;
  }
  // The hover highlight blends with red, dimming with black, both on the
  // screen only; inversion is 255 - byte.
  HighlightRect(screens_, r);
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(110, 60), MakeColor(228, 50, 3)));
  const TRect dims[2] = {{0, 0, 10, 10}, {590, 440, 600, 450}};
  DimRects(screens_, dims);
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(9, 9), MakeColor(100, 50, 3)));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(599, 449), MakeColor(100, 50, 3)));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(10, 9), start));
  InvertRect(screens_, {0, 0, 5, 5});
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(4, 4), MakeColor(155, 205, 252)));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(5, 4), MakeColor(100, 50, 3)));
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(4, 4), start));
  // Restoring brings back the base exactly inside the rectangles only.
  const TRect back[2] = {{0, 0, 5, 10}, {100, 50, 120, 80}};
  RestoreRects(screens_, back);
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(4, 9), start));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(110, 60), MakeColor(125, 177, 3)));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(120, 60), MakeColor(228, 50, 3)));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(5, 9), MakeColor(100, 50, 3)));
  // Rectangles reaching beyond the layer are clipped.
  BlendRect(screens_.ScreenLayer, {-20, -20, 2, 2}, ColorWhite);
  InvertRect(screens_, {595, 445, 700, 700});
  FillRectSolid(screens_.ScreenLayer, {598, -5, 650, 1}, ColorRed);
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(598, 0), ColorRed));
}

TEST_F(ScreenKit, CentredLinesStartWhereTheByteEstimatePutsThem) {
  // Four full-width characters (8 bytes) at height 20 in a 140-pixel button:
  // w = 8 x 10 = 80 starts 30 pixels in, bold w = 84 starts 28 pixels in.
  const TRect button{100, 50, 240, 80};
  const std::string caption = Sj("剣師途心");
  for (bool bold : {false, true}) {
    const int x = button.Left + (bold ? 28 : 30);
    const int y = button.Top + (30 - 22 + 2) / 2;
    TBromBitmap expected;
    Paint(screens_.BaseLayer, ColorBlack);
    Paint(expected, ColorBlack);
    DrawCentredLines(screens_.BaseLayer, button, 20, {caption}, bold, ColorWhite);
    DrawTextAt(expected, x, y, 20, bold, ColorWhite, caption);
    EXPECT_TRUE(SameLayers(screens_.BaseLayer, expected)) << "bold " << bold;
    // With the pinned font the glyphs' own pixels start one column inside
    // the cell (131, or 129 bold) and two rows below its top; their soft
    // edge reaches one column further left, to the estimate itself.
    const TInk ink = InkOf(screens_.BaseLayer, ColorWhite, ColorBlack);
    EXPECT_EQ(ink.Solid, x + 1) << "bold " << bold;
    EXPECT_EQ(ink.Any, x) << "bold " << bold;
    EXPECT_EQ(ink.Top, y + 2) << "bold " << bold;
    Paint(expected, ColorBlack);
    DrawTextAt(expected, x + 1, y, 20, bold, ColorWhite, caption);
    EXPECT_FALSE(SameLayers(screens_.BaseLayer, expected)) << "bold " << bold;
  }
}

TEST_F(ScreenKit, CentredBlocksTruncateTowardZero) {
  TBromBitmap expected;
  // Two lines of one character at height 14 in the bracket: a block of 32
  // rows whose top is 50 + (220 - 32 + 2) div 2 = 145, at x 30 + (540 - 14)
  // div 2 = 293.
  Paint(screens_.BaseLayer, ColorBlack);
  Paint(expected, ColorBlack);
  DrawCentredLines(screens_.BaseLayer, BracketRect, 14, {Sj("優"), Sj("勝")}, false, ColorRed);
  DrawTextAt(expected, 293, 145, 14, false, ColorRed, Sj("優"));
  DrawTextAt(expected, 293, 161, 14, false, ColorRed, Sj("勝"));
  EXPECT_TRUE(SameLayers(screens_.BaseLayer, expected));
  // A line wider than its rectangle starts left of it: (11 - 30) div 2 = -9,
  // truncated toward zero (not -10); a block taller than its rectangle starts
  // above it: (5 - 22 + 2) div 2 = -7.
  Paint(screens_.BaseLayer, ColorBlack);
  Paint(expected, ColorBlack);
  DrawCentredLines(screens_.BaseLayer, {200, 200, 211, 205}, 20, {"ABC"}, false, ColorWhite);
  DrawTextAt(expected, 191, 193, 20, false, ColorWhite, "ABC");
  EXPECT_TRUE(SameLayers(screens_.BaseLayer, expected));
}

TEST_F(ScreenKit, ButtonLightensTheBaseAndRegistersItsHandlers) {
  Paint(screens_.BaseLayer, MakeColor(0, 64, 128));
  // Two handlers with different bodies, so they do not share an address.
  static int called = 0;
  const auto leave = [](TScreens&, const TGame&, std::int32_t) { called = 2; };
  const auto enter = [](TScreens&, const TGame&, std::int32_t) { called = 3; };
  InstallRegions(screens_.Sensors, {DrawButton(screens_, StartButton, 20, "START", 9,
                                               TCommandKind::StartRound, leave, enter)});
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(430, 285), MakeColor(127, 159, 191)));
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(570, 300), MakeColor(0, 64, 128)));
  EXPECT_LT(InkOf(screens_.BaseLayer, ColorBlack, ColorWhite).Solid, 570);
  ASSERT_EQ(screens_.Sensors.SensorCount, 1);
  const TSensor& s = screens_.Sensors.Sensors[0];
  EXPECT_EQ(s.Rect, StartButton);
  EXPECT_FALSE(s.Repeat);
  EXPECT_EQ(s.OnEnter, static_cast<TSensorHandler>(enter));
  EXPECT_EQ(s.OnLeave, static_cast<TSensorHandler>(leave));
  EXPECT_EQ(s.OnClick, TCommandKind::StartRound);
  EXPECT_EQ(s.Tag, 9);
  EXPECT_EQ(called, 0);  // drawing a button calls none of them
}

TEST_F(ScreenKit, SwordButtonsAndOrderSlots) {
  EXPECT_EQ(SwordButtons[1], (TRect{306, 68, 338, 100}));
  EXPECT_EQ(SwordButtons[9], (TRect{562, 68, 594, 100}));
  EXPECT_EQ(SwordButtons[10], (TRect{306, 100, 338, 132}));
  EXPECT_EQ(SwordButtons[35], (TRect{530, 164, 562, 196}));
  EXPECT_EQ(SlotRects[0], (TRect{306, 220, 324, 238}));
  EXPECT_EQ(SlotRects[19], (TRect{468, 238, 486, 256}));
  EXPECT_EQ(SlotBlockRect, (TRect{306, 220, 486, 256}));
  // The backdrop saved under the slots has the block's size from the start.
  InitScreens(screens_, paintBox_);
  EXPECT_EQ(screens_.SlotBackdrop.Width(), 180);
  EXPECT_EQ(screens_.SlotBackdrop.Height(), 36);
  EXPECT_EQ(screens_.ScreenLayer.Width(), 600);
  EXPECT_EQ(screens_.ScreenLayer.Height(), 450);
  for (const TBromBitmap& p : screens_.Portraits) {
    EXPECT_EQ(p.Width(), 300);
    EXPECT_EQ(p.Height(), 300);
  }
}

namespace {

TRect Average(const TRect& a, const TRect& b) {
  return {(a.Left + b.Left) / 2, (a.Top + b.Top) / 2, (a.Right + b.Right) / 2,
          (a.Bottom + b.Bottom) / 2};
}
TRect Union(const TRect& a, const TRect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

// The bar (a, b) as first made, before its pair joined it: a stub for level
// 1, the average of its two children's first shapes above that.
TRect FirstShape(int a, int b) {
  if (a == 1) {
    const TRect& cell = BracketRects[0][b];
    const int mid = cell.Top + 20;
    return b % 2 == 0 ? TRect{cell.Right, mid - 2, cell.Right + 4, mid + 2}
                      : TRect{cell.Left - 4, mid - 2, cell.Left, mid + 2};
  }
  return Average(FirstShape(a - 1, 2 * b), FirstShape(a - 1, 2 * b + 1));
}

}  // namespace

TEST_F(ScreenKit, BracketBarsFollowTheAveragingRule) {
  // The portrait cells: two 4 x 4 grids of 40-pixel cells, pairs side by side.
  for (int k = 0; k < 32; ++k) {
    const int left = 30 + 320 * (k / 16) + 120 * ((k / 4) % 2) + 60 * (k % 2);
    const int top = 50 + 120 * ((k / 8) % 2) + 60 * ((k / 2) % 2);
    EXPECT_EQ(BracketRects[0][k], (TRect{left, top, left + 40, top + 40})) << k;
  }
  // Every bar is its first shape stretched to reach the average of its pair.
  for (int a = 1; a <= 5; ++a) {
    const int count = 64 >> a;
    for (int b = 0; b < 32; ++b) {
      if (b >= count) {
        EXPECT_EQ(BracketRects[a][b], TRect{}) << a << "," << b;
        continue;
      }
      const int pair = b - b % 2;
      const TRect meet = Average(FirstShape(a, pair), FirstShape(a, pair + 1));
      EXPECT_EQ(BracketRects[a][b], Union(FirstShape(a, b), meet)) << a << "," << b;
      // 4 pixels thick: odd levels horizontal, even levels vertical.
      const TRect& r = BracketRects[a][b];
      EXPECT_EQ(a % 2 == 1 ? HeightOf(r) : WidthOf(r), 4) << a << "," << b;
    }
  }
  // The values drawn on the board for slots 0 and 1 and up to the centre.
  const TRect expected[5][2] = {{{70, 68, 82, 72}, {78, 68, 90, 72}},
                                {{78, 68, 82, 102}, {78, 98, 82, 132}},
                                {{78, 98, 142, 102}, {138, 98, 202, 102}},
                                {{138, 98, 142, 162}, {138, 158, 142, 222}},
                                {{138, 158, 302, 162}, {298, 158, 462, 162}}};
  for (int a = 1; a <= 5; ++a) {
    EXPECT_EQ(BracketRects[a][0], expected[a - 1][0]) << a;
    EXPECT_EQ(BracketRects[a][1], expected[a - 1][1]) << a;
  }
  // The final meets at the centre of the bracket's area.
  EXPECT_EQ(Average(FirstShape(5, 0), FirstShape(5, 1)), (TRect{298, 158, 302, 162}));
}

namespace {

// A swordsman whose flavour text has n lines.
TSwordia WithFlavour(int n) {
  TSwordia s;
  for (int i = 0; i < n; ++i) s.Flavor.push_back("line " + std::to_string(i));
  return s;
}

// Marks every row of the text layer with its number, so the row shown at the
// strip's top tells the offset.
void NumberRows(TScreens& s) {
  for (int y = 0; y < s.TextScrollLayer.Height(); ++y) {
    s.TextScrollLayer.FillRect(0, y, 600, y + 1, MakeColor(y % 256, y / 256, 77));
  }
}
int ShownOffset(const TScreens& s) {
  const TPixelColor c = s.ScreenLayer.Pixel(300, 312);
  return c.Red + 256 * c.Green;
}

}  // namespace

TEST_F(ScreenKit, FlavourStripScrollsWithThePointerAndClampsAtBothEnds) {
  Paint(screens_.BaseLayer, ColorRed);
  const TCommandKind close = TCommandKind::CloseView;
  InstallRegions(screens_.Sensors, {PrepareScrollText(screens_, WithFlavour(40), close)});
  EXPECT_EQ(screens_.TextScrollLayer.Height(), 720);
  // The strip starts black with the text's top on the base layer.
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(5, 300), ColorBlack));
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(5, 449), ColorBlack));
  EXPECT_TRUE(ColorsEqual(screens_.BaseLayer.Pixel(5, 299), ColorRed));
  EXPECT_GT(InkOf(screens_.BaseLayer, ColorWhite, ColorBlack).Top, 312);
  ASSERT_EQ(screens_.Sensors.SensorCount, 1);
  EXPECT_TRUE(screens_.Sensors.Sensors[0].Repeat);
  EXPECT_EQ(screens_.Sensors.Sensors[0].Rect, HelpRect);
  EXPECT_EQ(screens_.Sensors.Sensors[0].OnClick, close);
  NumberRows(screens_);
  // b = y - 320 clamped to 0..110; offset = b x (720 - 126) div 110.
  const struct {
    int Y, Offset;
  } moves[] = {{300, 0}, {320, 0}, {321, 5}, {375, 297}, {430, 594}, {449, 594}, {310, 0}};
  for (const auto& m : moves) {
    Hover(300, m.Y);
    EXPECT_EQ(ShownOffset(screens_), m.Offset) << m.Y;
    EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(0, 437),
                            screens_.TextScrollLayer.Pixel(0, m.Offset + 125)));
  }
  // Leaving the strip restores it from the base.
  Paint(screens_.ScreenLayer, ColorWhite);
  Hover(300, 200);
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(300, 300), ColorBlack));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(300, 299), ColorWhite));

  // At most 7 lines fill the strip's height: always offset 0.
  for (int n : {0, 3, 7}) {
    ClearSensors(screens_.Sensors);
    InstallRegions(screens_.Sensors, {PrepareScrollText(screens_, WithFlavour(n), close)});
    EXPECT_EQ(screens_.TextScrollLayer.Height(), 126) << n;
    NumberRows(screens_);
    for (int y : {300, 340, 449}) {
      Hover(300, y);
      EXPECT_EQ(ShownOffset(screens_), 0) << n << " lines at " << y;
    }
  }
  ClearSensors(screens_.Sensors);
  InstallRegions(screens_.Sensors, {PrepareScrollText(screens_, WithFlavour(8), close)});
  NumberRows(screens_);
  Hover(300, 449);
  EXPECT_EQ(ShownOffset(screens_), 18);
}

TEST_F(ScreenKit, HelpBoxHoldsSevenLinesAtMost) {
  Paint(screens_.BaseLayer, ColorBlack);
  Paint(screens_.ScreenLayer, ColorBlack);
  const TStringDynArray seven(7, Sj("剣"));
  ShowHelpBox(screens_, seven);
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(0, 300), HelpBoxColor));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(599, 449), HelpBoxColor));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(599, 299), ColorBlack));
  // Line i at (12, 313 + 18 i): the same pixels as text drawn there.
  TBromBitmap expected;
  Paint(expected, ColorBlack);
  expected.FillRect(0, 300, 600, 450, HelpBoxColor);
  for (int i = 0; i < 7; ++i)
    DrawTextAt(expected, 12, 313 + 18 * i, 14, false, ColorWhite, seven[i]);
  EXPECT_TRUE(SameLayers(screens_.ScreenLayer, expected));
  RestoreHelpBox(screens_);
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(12, 320), ColorBlack));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(599, 449), ColorBlack));
  try {
    ShowHelpBox(screens_, TStringDynArray(8, "x"));
    ADD_FAILURE() << "no error";
  } catch (const TInternalError& e) {
    EXPECT_NE(std::string(e.what()).find("UnitPaint"), std::string::npos) << e.what();
  }
}

TEST_F(ScreenKit, PortraitsAreCentredOnBlackWithTheOddPixelRightAndBottom) {
  const std::string folder = MakeTempFolder();
  WritePicture(folder + "/dat/odd.bmp", 297, 299, ColorRed);
  WritePicture(folder + "/dat/wide.bmp", 300, 300, ColorWhite);
  auto tournament = std::make_unique<TTournament>();
  for (TSwordia& s : tournament->Slots) s.ImageFile = "wide.bmp";
  tournament->Slots[3].ImageFile = "odd.bmp";
  tournament->Slots[4].ImageFile = "gone.bmp";  // the file went away after the roster check
  screens_.Portraits[4].Fill(ColorWhite);
  {
    TWorkingFolder inside(folder);
    LoadPortraits(screens_, *tournament);
  }
  // Slot k's portrait is surface k; the hero's working copy shows the hero's;
  // a swordsman of no slot has none.
  for (int i = 0; i < PortraitCount; ++i) {
    EXPECT_EQ(PortraitOf(screens_, *tournament, tournament->Slots[i]), &screens_.Portraits[i]);
  }
  tournament->Hero = &tournament->Slots[3];
  EXPECT_EQ(PortraitOf(screens_, *tournament, tournament->HeroEdit), &screens_.Portraits[3]);
  EXPECT_EQ(PortraitOf(screens_, *tournament, TSwordia()), nullptr);
  // 297 x 299 at ((300 - 297) div 2, (300 - 299) div 2) = (1, 0): one black
  // column left, two right, one black row at the bottom.
  const TBromBitmap& odd = screens_.Portraits[3];
  EXPECT_TRUE(ColorsEqual(odd.Pixel(0, 100), ColorBlack));
  EXPECT_TRUE(ColorsEqual(odd.Pixel(1, 0), ColorRed));
  EXPECT_TRUE(ColorsEqual(odd.Pixel(297, 298), ColorRed));
  EXPECT_TRUE(ColorsEqual(odd.Pixel(298, 100), ColorBlack));
  EXPECT_TRUE(ColorsEqual(odd.Pixel(299, 100), ColorBlack));
  EXPECT_TRUE(ColorsEqual(odd.Pixel(100, 299), ColorBlack));
  // A missing file leaves its portrait black; the next slot loads as usual.
  for (int y = 0; y < 300; y += 7) {
    for (int x = 0; x < 300; x += 7)
      EXPECT_TRUE(ColorsEqual(screens_.Portraits[4].Pixel(x, y), ColorBlack));
  }
  EXPECT_TRUE(ColorsEqual(screens_.Portraits[5].Pixel(0, 0), ColorWhite));
  EXPECT_TRUE(ColorsEqual(screens_.Portraits[5].Pixel(299, 299), ColorWhite));
}

TEST_F(ScreenKit, BackdropIsHeldOnceAndAWrongOrMissingOneNamesItsRealPath) {
  const std::string folder = MakeTempFolder();
  TWorkingFolder inside(folder);
  TBromPaintBox box;
  TScreens s;
  InitScreens(s, box);
  const std::string path = folder + "/dat/back.jpg";
  for (const auto& [write, why] : std::vector<std::pair<std::function<void()>, std::string>>{
           {[] {}, "cannot be shown: there is no such file"},
           {[&] { WritePicture(path, 600, 449, ColorWhite); }, "is 600 x 449 pixels; it must be"},
           {[&] { WriteWholeFile(path, "text"); }, "cannot be shown: not a readable JPEG"}}) {
    write();
    EXPECT_THROW(
        try { LoadBackdrop(s); } catch (const TDataFileError& e) {
          EXPECT_TRUE(std::string(e.what()).starts_with("the backdrop " + path + " " + why))
              << e.what();
          throw;
        },
        TDataFileError);
  }
  // Held once loaded: a changed or deleted file changes nothing.
  WritePicture(path, 600, 450, ColorRed);
  LoadBackdrop(s);
  std::filesystem::remove(path);
  LoadBackdrop(s);
  EXPECT_GT(s.BaseLayer.Pixel(599, 449).Red, 200);
  EXPECT_LT(s.BaseLayer.Pixel(599, 449).Green, 50);
}

TEST_F(ScreenKit, EntrantPanelShowsHistoryOnlyInTheOpponentView) {
  TSwordia s;
  s.Name = Sj("剣師");
  s.Bonus = 12;
  s.History = {Sj("第一回戦　勝利"), Sj("第二回戦　勝利")};
  const TRect panel = OpponentPanelRect;
  TBromBitmap plain;
  Paint(screens_.BaseLayer, ColorWhite);
  DrawEntrantPanel(screens_, panel, s, false);
  plain = std::move(screens_.BaseLayer);
  Paint(screens_.BaseLayer, ColorWhite);
  DrawEntrantPanel(screens_, panel, s, true);
  // Dimmed to half outside the text; the same above the history lines.
  EXPECT_TRUE(ColorsEqual(plain.Pixel(599, 299), MakeColor(127, 127, 127)));
  EXPECT_TRUE(ColorsEqual(plain.Pixel(299, 299), ColorWhite));
  bool historyDrawn = false;
  for (int y = 0; y < 450; ++y) {
    for (int x = 0; x < 600; ++x) {
      const bool same = ColorsEqual(plain.Pixel(x, y), screens_.BaseLayer.Pixel(x, y));
      if (y < panel.Top + 121) {
        EXPECT_TRUE(same) << x << "," << y;
      }
      historyDrawn |= !same && y >= panel.Top + 122 && y < panel.Top + 122 + 36;
    }
  }
  EXPECT_TRUE(historyDrawn);
}

TEST_F(ScreenKit, ClearScreenBlacksTheScreenForItsCallerToPresent) {
  const std::int64_t before = PresentCount(screens_);
  ClearScreen(screens_);
  EXPECT_EQ(PresentCount(screens_), before);
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(0, 0), ColorBlack));
  EXPECT_TRUE(ColorsEqual(screens_.ScreenLayer.Pixel(599, 449), ColorBlack));
}
