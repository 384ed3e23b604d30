#pragma once
// The orientation a camera writes into a JPEG's EXIF block: how the stored
// pixels must be turned to stand upright.

#include <cstdint>
#include <span>

namespace orvanta {

// EXIF orientation 1 to 8 from the payload of an APP1 marker ("Exif\0\0" and
// a TIFF structure); 1 (as stored) when there is none or it cannot be read.
int ExifOrientation(std::span<const std::uint8_t> app1);

// Whether an orientation swaps width and height (5 to 8: turned a quarter).
inline bool TurnsQuarter(int orientation) {
  return orientation >= 5 && orientation <= 8;
}

// The stored pixel (x, y) of a width x height stored picture that shows at
// upright position (ux, uy).
struct StoredPoint {
  int x;
  int y;
};
StoredPoint StoredPointOf(int orientation, int width, int height, int ux, int uy);

}  // namespace orvanta
