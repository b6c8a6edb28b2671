#include "tools/AssetPaint.h"

#include <algorithm>

#include "tools/AssetMath.h"

namespace asset {

TShape Grow(TShape s, double w) {
  TBox box{s.Bounds.L - w, s.Bounds.T - w, s.Bounds.R + w, s.Bounds.B + w};
  return {[d = std::move(s.Distance), w](double x, double y) { return d(x, y) - w; }, box};
}

void Ink(TCanvas& canvas, const TShape& shape, TColor fill, TColor ink, double rim, double light) {
  if (rim > 0) canvas.Fill(Grow(shape, rim), ink);
  const double top = shape.Bounds.T, height = std::max(1.0, shape.Bounds.B - shape.Bounds.T);
  canvas.Fill(shape, [=](double, double y) {
    const double t = Clamp((y - top) / height, 0.0, 1.0);
    return ScaleColor(fill, 1.0 + light * (0.6 - 1.4 * t));
  });
}

TFrame::TFrame(int width, int height, double zoom) {
  S = std::min(width, height) / 300.0 * zoom;
  Cx = width / 2.0;
  Bottom = height;
}

}  // namespace asset
