#pragma once
// How a photo meets its place on the page: cut around its centre to the
// place's shape (never stretched), then scaled down to 300 dots per inch at
// the size it is printed.

#include "app/pictures/Raster.h"

namespace orvanta {

// The place a picture is printed in, centimetres.
struct PrintBox {
  double width;
  double height;
};

inline constexpr double kPrintDotsPerInch = 300;

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The largest part of a width x height picture, around its centre, that has
// the box's shape.
PixelRect CentreCrop(int width, int height, PrintBox box);

// The pixel size `crop` is printed at: 300 dpi over the box, or the crop's
// own size when it holds fewer pixels (a picture is never enlarged).
PixelRect PrintPixels(const PixelRect& crop, PrintBox box);

// The part `rect` of `source`.
Raster CropRaster(const Raster& source, const PixelRect& rect);

// `source` scaled down to width x height, each new pixel the average of the
// source pixels it covers; a raster already that size comes back as it is.
Raster ScaleDown(Raster source, int width, int height);

}  // namespace orvanta
