#pragma once
// JPEG photos through libjpeg-turbo: baseline and progressive, grey, colour
// and CMYK (Adobe's inverted CMYK too), turned upright as their EXIF
// orientation says.

#include <cstdint>
#include <span>

#include "app/pictures/FittedPicture.h"

namespace orvanta {

// Decodes only the part of the photo that `box` shows (cut around its centre)
// and at the smallest of 1, 1/2, 1/4 or 1/8 of its size that still gives 300
// dpi, then scales it down to 300 dpi. Throws PictureError for a truncated or
// damaged file, or one declaring more pixels than kMostPicturePixels.
FittedPicture FitJpeg(std::span<const std::uint8_t> file, PrintBox box);

}  // namespace orvanta
