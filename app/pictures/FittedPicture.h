#pragma once
// The readers' common answer: a picture fitted to its box.

#include "app/pictures/PictureFitting.h"
#include "app/pictures/Raster.h"

namespace orvanta {

struct FittedPicture {
  Raster raster;           // upright, cut to the box's shape, at most 300 dpi
  bool untouched = false;  // the file's own pixels, unchanged: its bytes can serve as they are
};

}  // namespace orvanta
