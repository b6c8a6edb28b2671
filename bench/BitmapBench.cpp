// The drawing the screens do most: a line of soft-edged text, a portrait
// shrunk to a thumbnail, a keyed picture drawn over a screen, a screen fill.
#include <benchmark/benchmark.h>

#include "present/Bitmap.h"

namespace {

void SetFont(TBromBitmap& b, int height, bool bold) {
  b.SetFontName("ＭＳ ゴシック");
  b.SetFontHeight(height);
  b.SetFontStyle(bold ? FontBold : 0);
  b.SetFontColor(ColorWhite);
  b.SetTextTransparent();
  b.SetSoftEdge(true);
}

void BM_SoftEdgedLogLine(benchmark::State& state) {
  TBromBitmap screen;
  screen.SetSize(600, 450);
  screen.Fill(ColorBlack);
  SetFont(screen, 14, false);
  const char* line = "第一回戦：剣師の攻撃！　相手に１２のダメージを与えた。";
  for (auto _ : state) screen.DrawText(21, 321, line);
}
BENCHMARK(BM_SoftEdgedLogLine);

void BM_PortraitThumbnail(benchmark::State& state) {
  TBromBitmap portrait;
  portrait.SetSize(300, 300);
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 300; ++x) portrait.SetPixel(x, y, MakeColor(x, y, x ^ y));
  }
  TBromBitmap board;
  board.SetSize(600, 450);
  const int size = static_cast<int>(state.range(0));
  for (auto _ : state) board.StretchDraw(portrait, 10, 340, 10 + size, 340 + size);
}
BENCHMARK(BM_PortraitThumbnail)->Arg(40)->Arg(60);

void BM_KeyedScreenDraw(benchmark::State& state) {
  TBromBitmap picture;
  picture.SetSize(600, 450);
  picture.FillRect(100, 100, 500, 350, ColorRed);
  picture.SetTransparentColor(ColorWhite);
  TBromBitmap screen;
  screen.SetSize(600, 450);
  for (auto _ : state) picture.DrawTo(screen, 0, 0);
}
BENCHMARK(BM_KeyedScreenDraw);

void BM_ScreenFill(benchmark::State& state) {
  TBromBitmap screen;
  screen.SetSize(600, 450);
  for (auto _ : state) screen.Fill(ColorBlack);
}
BENCHMARK(BM_ScreenFill);

}  // namespace
