#include "tests/PixelTestSupport.h"

#include <jpeglib.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "present/Form.h"

namespace {

std::string Describe(TPixelColor c) {
  std::ostringstream s;
  s << "(r " << int(c.Red) << ", g " << int(c.Green) << ", b " << int(c.Blue) << ")";
  return s.str();
}

}  // namespace

void StartScreens() {
  static TBromPaintBox box;
  InitScreens(box);
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

std::string RepeatedScanJpeg(int width, int height, int scans) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 1;
  info.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  // The DC scan, then the AC scan that is repeated.
  static jpeg_scan_info script[2] = {{1, {0}, 0, 0, 0, 0}, {1, {0}, 1, 63, 0, 0}};
  info.scan_info = script;
  info.num_scans = 2;
  jpeg_start_compress(&info, TRUE);
  // Flat grey: the AC scan is a few bytes however large the picture.
  std::vector<unsigned char> row(width, 128);
  for (JSAMPROW rows[1] = {row.data()}; info.next_scanline < info.image_height;) {
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  const std::string jpeg(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  // The AC scan runs from the last start-of-scan marker to the end marker.
  const std::size_t scan = jpeg.rfind("\xFF\xDA");
  const std::size_t end = jpeg.size() - 2;
  std::string out = jpeg.substr(0, end);
  out.reserve(end + (end - scan) * static_cast<std::size_t>(scans));
  for (int i = 2; i < scans; ++i) out.append(jpeg, scan, end - scan);
  return out + "\xFF\xD9";
}
