// Small painting helpers shared by the portrait and scene painters: inked
// shapes (a dark rim under a lit fill), grown shapes, and a frame that maps a
// 300 x 300 design onto a picture of another size.
#pragma once

#include "tools/AssetCanvas.h"

namespace asset {

// The shape made larger (positive) or smaller (negative) by w pixels.
TShape Grow(TShape s, double w);
// Paints the shape with a dark rim of the given width around it: the rim is
// the ink colour, the inside is lit from the top (a little lighter at the top
// edge, a little darker at the bottom).
void Ink(TCanvas& canvas, const TShape& shape, TColor fill, TColor ink, double rim,
         double light = 0.18);

// A 300 x 300 design placed on a width x height picture: scaled by the
// smaller side (and the zoom), centred across, standing on the bottom edge.
struct TFrame {
  double S = 1.0;
  double Cx = 150.0;
  double Bottom = 300.0;
  TFrame(int width, int height, double zoom = 1.0);
  double X(double x) const { return Cx + (x - 150.0) * S; }
  double Y(double y) const { return Bottom - (300.0 - y) * S; }
  double L(double length) const { return length * S; }
};

}  // namespace asset
