#include "tools/AssetCanvas.h"

#include <algorithm>
#include <cmath>

#include "tools/AssetMath.h"

namespace asset {

TColor Rgb255(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0};
}

TColor Hsv(double hue, double sat, double val) {
  double h = hue - std::floor(hue);
  h *= 6.0;
  const int i = static_cast<int>(h) % 6;
  const double f = h - std::floor(h);
  const double p = val * (1.0 - sat);
  const double q = val * (1.0 - sat * f);
  const double t = val * (1.0 - sat * (1.0 - f));
  switch (i) {
    case 0:
      return {val, t, p};
    case 1:
      return {q, val, p};
    case 2:
      return {p, val, t};
    case 3:
      return {p, q, val};
    case 4:
      return {t, p, val};
    default:
      return {val, p, q};
  }
}

TColor MixColor(TColor a, TColor b, double t) {
  return {Mix(a.R, b.R, t), Mix(a.G, b.G, t), Mix(a.B, b.B, t)};
}

TColor ScaleColor(TColor a, double k) {
  return {Clamp(a.R * k, 0, 1), Clamp(a.G * k, 0, 1), Clamp(a.B * k, 0, 1)};
}

double Luma(TColor c) {
  return 0.299 * c.R + 0.587 * c.G + 0.114 * c.B;
}

TShape Circle(double cx, double cy, double r) {
  return {
      [=](double x, double y) { return std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) - r; },
      {cx - r, cy - r, cx + r, cy + r}};
}

TShape Ellipse(double cx, double cy, double rx, double ry) {
  // Distance of the scaled circle, corrected by the gradient length: close to
  // the true distance near the edge, which is all that edges and rims need.
  return {[=](double x, double y) {
            const double dx = (x - cx) / rx;
            const double dy = (y - cy) / ry;
            const double k0 = std::sqrt(dx * dx + dy * dy);
            const double gx = dx / rx;
            const double gy = dy / ry;
            const double g = std::sqrt(gx * gx + gy * gy);
            if (g < 1e-12) return -std::min(rx, ry);
            return k0 * (k0 - 1.0) / g;
          },
          {cx - rx, cy - ry, cx + rx, cy + ry}};
}

TShape RoundBox(double l, double t, double r, double b, double radius) {
  const double cx = (l + r) / 2, cy = (t + b) / 2;
  const double hx = (r - l) / 2 - radius, hy = (b - t) / 2 - radius;
  return {[=](double x, double y) {
            const double qx = std::fabs(x - cx) - hx;
            const double qy = std::fabs(y - cy) - hy;
            const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
            return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - radius;
          },
          {l, t, r, b}};
}

TShape Taper(double x0, double y0, double x1, double y1, double r0, double r1) {
  return {[=](double x, double y) {
            const double vx = x1 - x0, vy = y1 - y0;
            const double len2 = vx * vx + vy * vy;
            double t = len2 > 0 ? ((x - x0) * vx + (y - y0) * vy) / len2 : 0.0;
            t = Clamp(t, 0.0, 1.0);
            const double px = x0 + vx * t - x, py = y0 + vy * t - y;
            return std::sqrt(px * px + py * py) - Mix(r0, r1, t);
          },
          {std::min(x0, x1) - std::max(r0, r1), std::min(y0, y1) - std::max(r0, r1),
           std::max(x0, x1) + std::max(r0, r1), std::max(y0, y1) + std::max(r0, r1)}};
}

TShape Capsule(double x0, double y0, double x1, double y1, double r) {
  return Taper(x0, y0, x1, y1, r, r);
}

TShape Polygon(std::vector<double> xy) {
  TBox box{1e9, 1e9, -1e9, -1e9};
  for (std::size_t i = 0; i + 1 < xy.size(); i += 2) {
    box.L = std::min(box.L, xy[i]);
    box.R = std::max(box.R, xy[i]);
    box.T = std::min(box.T, xy[i + 1]);
    box.B = std::max(box.B, xy[i + 1]);
  }
  return {[xy = std::move(xy)](double x, double y) {
            const std::size_t n = xy.size() / 2;
            double best = 1e18;
            bool inside = false;
            for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
              const double ax = xy[2 * j], ay = xy[2 * j + 1];
              const double bx = xy[2 * i], by = xy[2 * i + 1];
              const double ex = bx - ax, ey = by - ay;
              const double wx = x - ax, wy = y - ay;
              const double len2 = ex * ex + ey * ey;
              const double t = len2 > 0 ? Clamp((wx * ex + wy * ey) / len2, 0.0, 1.0) : 0.0;
              const double dx = wx - ex * t, dy = wy - ey * t;
              best = std::min(best, dx * dx + dy * dy);
              if ((ay > y) != (by > y) && x < ax + (y - ay) * ex / ey) inside = !inside;
            }
            const double d = std::sqrt(best);
            return inside ? -d : d;
          },
          box};
}

TShape Union(TShape a, TShape b) {
  TBox box{std::min(a.Bounds.L, b.Bounds.L), std::min(a.Bounds.T, b.Bounds.T),
           std::max(a.Bounds.R, b.Bounds.R), std::max(a.Bounds.B, b.Bounds.B)};
  return {[da = std::move(a.Distance), db = std::move(b.Distance)](double x, double y) {
            return std::min(da(x, y), db(x, y));
          },
          box};
}

TShape Subtract(TShape a, TShape b) {
  TBox box = a.Bounds;
  return {[da = std::move(a.Distance), db = std::move(b.Distance)](double x, double y) {
            return std::max(da(x, y), -db(x, y));
          },
          box};
}

TShape Intersect(TShape a, TShape b) {
  TBox box{std::max(a.Bounds.L, b.Bounds.L), std::max(a.Bounds.T, b.Bounds.T),
           std::min(a.Bounds.R, b.Bounds.R), std::min(a.Bounds.B, b.Bounds.B)};
  return {[da = std::move(a.Distance), db = std::move(b.Distance)](double x, double y) {
            return std::max(da(x, y), db(x, y));
          },
          box};
}

TShape Rotate(TShape s, double cx, double cy, double radians) {
  const double c = Cos(radians), sn = Sin(radians);
  // Bounds: rotate the four corners of the old box.
  const double xs[4] = {s.Bounds.L, s.Bounds.R, s.Bounds.L, s.Bounds.R};
  const double ys[4] = {s.Bounds.T, s.Bounds.T, s.Bounds.B, s.Bounds.B};
  TBox box{1e9, 1e9, -1e9, -1e9};
  for (int i = 0; i < 4; ++i) {
    const double x = cx + (xs[i] - cx) * c - (ys[i] - cy) * sn;
    const double y = cy + (xs[i] - cx) * sn + (ys[i] - cy) * c;
    box.L = std::min(box.L, x);
    box.R = std::max(box.R, x);
    box.T = std::min(box.T, y);
    box.B = std::max(box.B, y);
  }
  return {[d = std::move(s.Distance), cx, cy, c, sn](double x, double y) {
            // Turn the point back by the angle and ask the unrotated shape.
            const double ux = cx + (x - cx) * c + (y - cy) * sn;
            const double uy = cy - (x - cx) * sn + (y - cy) * c;
            return d(ux, uy);
          },
          box};
}

TShape Outline(TShape s, double width) {
  const double h = width / 2;
  TBox box{s.Bounds.L - h, s.Bounds.T - h, s.Bounds.R + h, s.Bounds.B + h};
  return {[d = std::move(s.Distance), h](double x, double y) { return std::fabs(d(x, y)) - h; },
          box};
}

TCanvas::TCanvas(int width, int height, int factor, TColor fill)
    : W(width),
      H(height),
      K(factor),
      Px(static_cast<std::size_t>(width) * factor * height * factor,
         TSub{static_cast<float>(fill.R), static_cast<float>(fill.G), static_cast<float>(fill.B),
              0.0f}) {}

template <typename F>
void TCanvas::ForEachIn(const TBox& box, F&& visit) {
  const int sw = W * K, sh = H * K;
  const int x0 = std::max(0, static_cast<int>(std::floor(box.L * K)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(box.T * K)) - 1);
  const int x1 = std::min(sw, static_cast<int>(std::ceil(box.R * K)) + 1);
  const int y1 = std::min(sh, static_cast<int>(std::ceil(box.B * K)) + 1);
  for (int sy = y0; sy < y1; ++sy) {
    const double y = (sy + 0.5) / K;
    for (int sx = x0; sx < x1; ++sx) {
      const double x = (sx + 0.5) / K;
      visit(Px[static_cast<std::size_t>(sy) * sw + sx], x, y);
    }
  }
}

void TCanvas::Shade(const std::function<TColor(double, double)>& colorAt) {
  ForEachIn({0, 0, static_cast<double>(W), static_cast<double>(H)},
            [&](TSub& p, double x, double y) {
              const TColor c = colorAt(x, y);
              p = {static_cast<float>(c.R), static_cast<float>(c.G), static_cast<float>(c.B), 1.0f};
            });
}

void TCanvas::Fill(const TShape& shape, TColor color, double opacity) {
  Fill(
      shape, [color](double, double) { return color; }, opacity);
}

void TCanvas::Fill(const TShape& shape, const std::function<TColor(double, double)>& colorAt,
                   double opacity) {
  const float a = static_cast<float>(opacity);
  ForEachIn(shape.Bounds, [&](TSub& p, double x, double y) {
    if (shape.Distance(x, y) >= 0) return;
    const TColor c = colorAt(x, y);
    p.R += (static_cast<float>(c.R) - p.R) * a;
    p.G += (static_cast<float>(c.G) - p.G) * a;
    p.B += (static_cast<float>(c.B) - p.B) * a;
    p.A += (1.0f - p.A) * a;
  });
}

void TCanvas::Wash(const std::function<double(double, double)>& opacityAt, TColor color) {
  ForEachIn({0, 0, static_cast<double>(W), static_cast<double>(H)},
            [&](TSub& p, double x, double y) {
              const float a = static_cast<float>(Clamp(opacityAt(x, y), 0.0, 1.0));
              if (a <= 0.0f) return;
              p.R += (static_cast<float>(color.R) - p.R) * a;
              p.G += (static_cast<float>(color.G) - p.G) * a;
              p.B += (static_cast<float>(color.B) - p.B) * a;
            });
}

void TCanvas::Glow(const TShape& shape, TColor color, double radius, double peak) {
  TBox box{shape.Bounds.L - radius, shape.Bounds.T - radius, shape.Bounds.R + radius,
           shape.Bounds.B + radius};
  ForEachIn(box, [&](TSub& p, double x, double y) {
    const double d = shape.Distance(x, y);
    if (d >= radius) return;
    const double t = d <= 0 ? 1.0 : 1.0 - d / radius;
    const float a = static_cast<float>(peak * t * t);
    p.R += (static_cast<float>(color.R) - p.R) * a;
    p.G += (static_cast<float>(color.G) - p.G) * a;
    p.B += (static_cast<float>(color.B) - p.B) * a;
  });
}

namespace {

std::uint8_t ToByte(double v) {
  const double c = Clamp(v, 0.0, 1.0) * 255.0 + 0.5;
  return static_cast<std::uint8_t>(c >= 255.0 ? 255 : static_cast<int>(c));
}

}  // namespace

TImage TCanvas::Resolve() const {
  TImage out(W, H);
  const int sw = W * K;
  const double n = static_cast<double>(K) * K;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      double r = 0, g = 0, b = 0;
      for (int j = 0; j < K; ++j) {
        const TSub* row = &Px[static_cast<std::size_t>(y * K + j) * sw + x * K];
        for (int i = 0; i < K; ++i) {
          r += row[i].R;
          g += row[i].G;
          b += row[i].B;
        }
      }
      std::uint8_t* p = out.At(x, y);
      p[0] = ToByte(r / n);
      p[1] = ToByte(g / n);
      p[2] = ToByte(b / n);
    }
  }
  return out;
}

TImage TCanvas::ResolveKeyed(TColor key) const {
  TImage out(W, H);
  const int sw = W * K;
  const std::uint8_t kr = ToByte(key.R), kg = ToByte(key.G), kb = ToByte(key.B);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      double r = 0, g = 0, b = 0;
      int painted = 0;
      for (int j = 0; j < K; ++j) {
        const TSub* row = &Px[static_cast<std::size_t>(y * K + j) * sw + x * K];
        for (int i = 0; i < K; ++i) {
          if (row[i].A < 0.5f) continue;
          ++painted;
          r += row[i].R;
          g += row[i].G;
          b += row[i].B;
        }
      }
      std::uint8_t* p = out.At(x, y);
      if (painted * 2 <= K * K) {
        p[0] = kr;
        p[1] = kg;
        p[2] = kb;
        continue;
      }
      p[0] = ToByte(r / painted);
      p[1] = ToByte(g / painted);
      p[2] = ToByte(b / painted);
      // A drawn pixel must never equal the key, or it would turn transparent.
      if (p[0] == kr && p[1] == kg && p[2] == kb) p[1] = static_cast<std::uint8_t>(kg ^ 1);
    }
  }
  return out;
}

TImage Downscale(const TImage& image, int width, int height) {
  TImage out(width, height);
  for (int y = 0; y < height; ++y) {
    const int y0 = y * image.Height / height;
    const int y1 = std::max(y0 + 1, (y + 1) * image.Height / height);
    for (int x = 0; x < width; ++x) {
      const int x0 = x * image.Width / width;
      const int x1 = std::max(x0 + 1, (x + 1) * image.Width / width);
      long sum[3] = {0, 0, 0};
      for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx)
          for (int c = 0; c < 3; ++c) sum[c] += image.At(xx, yy)[c];
      const long n = static_cast<long>(y1 - y0) * (x1 - x0);
      for (int c = 0; c < 3; ++c) out.At(x, y)[c] = static_cast<std::uint8_t>((sum[c] + n / 2) / n);
    }
  }
  return out;
}

}  // namespace asset
