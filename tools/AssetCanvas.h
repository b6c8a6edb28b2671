// Raster drawing of the asset generator. A picture is painted on a canvas of
// floating-point pixels at a few times the final resolution, with shapes given
// as signed distance functions (negative inside), and then reduced to 8-bit
// pixels: the reduction averages each block of sub-pixels, which smooths every
// edge. Coordinates are always in final pixels, whatever the sub-pixel factor.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace asset {

// A colour with channels 0..1.
struct TColor {
  double R = 0, G = 0, B = 0;
};

TColor Rgb255(int r, int g, int b);
// Hue in turns (0..1), saturation and value 0..1.
TColor Hsv(double hue, double sat, double val);
TColor MixColor(TColor a, TColor b, double t);
TColor ScaleColor(TColor a, double k);
// Relative brightness 0..1 (Rec. 601 weights).
double Luma(TColor c);

// An 8-bit picture, rows top first, 3 bytes per pixel in the order R, G, B.
struct TImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Rgb;

  TImage() = default;
  TImage(int width, int height) : Width(width), Height(height), Rgb(3u * width * height, 0) {}
  std::uint8_t* At(int x, int y) { return &Rgb[3u * (static_cast<unsigned>(y) * Width + x)]; }
  const std::uint8_t* At(int x, int y) const {
    return &Rgb[3u * (static_cast<unsigned>(y) * Width + x)];
  }
};

// An area in final pixels: left, top, right, bottom.
struct TBox {
  double L, T, R, B;
};

// A shape: the signed distance at (x, y) in final pixels (negative inside) and
// a box that holds every inside point.
struct TShape {
  std::function<double(double, double)> Distance;
  TBox Bounds;
};

TShape Circle(double cx, double cy, double r);
TShape Ellipse(double cx, double cy, double rx, double ry);
// A box with rounded corners of radius r.
TShape RoundBox(double l, double t, double r, double b, double radius);
// A segment from (x0, y0) to (x1, y1) thickened by radius r at each point.
TShape Capsule(double x0, double y0, double x1, double y1, double r);
// A tapered segment: radius r0 at the first end, r1 at the second.
TShape Taper(double x0, double y0, double x1, double y1, double r0, double r1);
// A polygon by its corners, in order.
TShape Polygon(std::vector<double> xy);
TShape Union(TShape a, TShape b);
// What is in a but not in b.
TShape Subtract(TShape a, TShape b);
TShape Intersect(TShape a, TShape b);
// The shape rotated by the angle (radians) about (cx, cy).
TShape Rotate(TShape s, double cx, double cy, double radians);
// The shape's rim: points within width / 2 of its edge.
TShape Outline(TShape s, double width);

class TCanvas {
 public:
  // A canvas for a width x height picture with factor x factor sub-pixels per
  // pixel, filled with the colour and fully transparent (alpha 0).
  TCanvas(int width, int height, int factor, TColor fill = {});

  int Width() const { return W; }
  int Height() const { return H; }

  // Every sub-pixel from a function of its position in final pixels; alpha 1.
  void Shade(const std::function<TColor(double, double)>& colorAt);
  // Paints the shape with a colour, blended by opacity.
  void Fill(const TShape& shape, TColor color, double opacity = 1.0);
  // Paints the shape with a colour that depends on the position.
  void Fill(const TShape& shape, const std::function<TColor(double, double)>& colorAt,
            double opacity = 1.0);
  // Blends the colour over every sub-pixel with an opacity that depends on
  // the position (0 leaves it, 1 replaces it); alpha is left unchanged.
  void Wash(const std::function<double(double, double)>& opacityAt, TColor color);
  // Blends a soft glow: opacity peak at distance 0 falling to 0 at radius.
  void Glow(const TShape& shape, TColor color, double radius, double peak);

  // The picture: each pixel the mean of its sub-pixels.
  TImage Resolve() const;
  // The picture for colour-key transparency: a pixel where at most half of the
  // sub-pixels were painted becomes the key colour; any other pixel is the
  // mean of its painted sub-pixels only, so no edge is tinted by the key.
  TImage ResolveKeyed(TColor key) const;

 private:
  struct TSub {
    float R, G, B, A;
  };
  template <typename F>
  void ForEachIn(const TBox& box, F&& visit);

  int W, H, K;
  std::vector<TSub> Px;
};

// Reduces a picture by averaging (area sampling) to the new size; used for
// looking at portraits as the board shows them.
TImage Downscale(const TImage& image, int width, int height);

}  // namespace asset
