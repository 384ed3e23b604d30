#pragma once
// PNG pictures through libpng: palette, grey, 16 bits, interlaced; a
// transparent picture is laid on white paper.

#include <cstdint>
#include <span>

#include "app/pictures/FittedPicture.h"

namespace orvanta {

// Decodes the picture, cuts it around its centre to the box's shape and
// scales it down to 300 dpi. Throws PictureError for a damaged file (a bad
// CRC, missing data) or one declaring more pixels than kMostPicturePixels.
FittedPicture FitPng(std::span<const std::uint8_t> file, PrintBox box);

}  // namespace orvanta
