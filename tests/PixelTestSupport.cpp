#include "tests/PixelTestSupport.h"

#include <sstream>

#include "paint/Sensor.h"
#include "tests/TestSupport.h"

namespace {

std::string Describe(TPixelColor c) {
  std::ostringstream s;
  s << "(r " << int(c.Red) << ", g " << int(c.Green) << ", b " << int(c.Blue) << ")";
  return s.str();
}

}  // namespace

void TScreensShell::Apply(const TEffect& e) {
  if (e.Kind == TEffect::Cue) sound_.Play(e.Text);
  if (e.Kind == TEffect::Present) Present(screens_);
}

void ScreenTest::Hover(std::int32_t x, std::int32_t y) {
  if (SensorHover(screens_, game_, x, y)) Present(screens_);
}

void CopyLayer(const TBromBitmap& from, TBromBitmap& to) {
  to.SetSize(from.Width(), from.Height());
  to.CopyRect(from, 0, 0, from.Width(), from.Height(), 0, 0);
}

TPixelColor Blend(TPixelColor a, TPixelColor b) {
  return MakeColor((a.Red + b.Red) / 2, (a.Green + b.Green) / 2, (a.Blue + b.Blue) / 2);
}

::testing::AssertionResult RectMatches(
    const TBromBitmap& actual, const TBromBitmap& expected, const TRect& r,
    const std::function<TPixelColor(int x, int y, TPixelColor expected)>& want) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) {
      const TPixelColor w = want(x, y, expected.Pixel(x, y));
      const TPixelColor a = actual.Pixel(x, y);
      if (!ColorsEqual(a, w)) {
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << Describe(a) << ", not " << Describe(w);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult SameRect(const TBromBitmap& actual, const TBromBitmap& expected,
                                    const TRect& r) {
  return RectMatches(actual, expected, r, [](int, int, TPixelColor e) { return e; });
}

::testing::AssertionResult FilledWith(const TBromBitmap& actual, const TRect& r, TPixelColor color,
                                      const TRect& except) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) {
      if (RectContains(except, x, y)) continue;
      const TPixelColor a = actual.Pixel(x, y);
      if (!ColorsEqual(a, color)) {
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is "
                                             << Describe(a) << ", not " << Describe(color);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

bool HasInk(const TBromBitmap& layer, const TRect& r) {
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) {
      if (!ColorsEqual(layer.Pixel(x, y), ColorBlack)) return true;
    }
  }
  return false;
}

std::string RepeatedScanJpeg(int scans) {
  const std::string seed = ReadWholeFile(SourcePath("fuzz/jpeg/seeds/repeated-scans.jpg"));
  const std::size_t last = seed.rfind("\xFF\xDA");
  const std::size_t end = seed.size() - 2;
  std::string out = seed.substr(0, seed.find("\xFF\xDA", seed.find("\xFF\xDA") + 2));
  out.reserve(out.size() + (end - last) * static_cast<std::size_t>(scans));
  for (int i = 1; i < scans; ++i) out.append(seed, last, end - last);
  return out + "\xFF\xD9";
}
