#include "app/pictures/ExifOrientation.h"

#include <cstddef>

namespace orvanta {
namespace {

// Reads the TIFF structure's numbers in its own byte order, within bounds.
struct TiffReader {
  std::span<const std::uint8_t> data;
  bool bigEndian = false;

  bool Fits(std::size_t at, std::size_t n) const {
    return at <= data.size() && n <= data.size() - at;
  }
  std::uint32_t Read(std::size_t at, int n) const {
    std::uint32_t value = 0;
    for (int i = 0; i < n; ++i) {
      const std::uint32_t byte = data[at + static_cast<std::size_t>(bigEndian ? i : n - 1 - i)];
      value = (value << 8) | byte;
    }
    return value;
  }
};

constexpr std::uint32_t kOrientationTag = 0x0112;

}  // namespace

int ExifOrientation(std::span<const std::uint8_t> app1) {
  constexpr std::size_t kHeader = 6;  // "Exif\0\0"
  if (app1.size() < kHeader + 8 || app1[0] != 'E' || app1[1] != 'x' || app1[2] != 'i' ||
      app1[3] != 'f' || app1[4] != 0 || app1[5] != 0)
    return 1;
  TiffReader tiff{app1.subspan(kHeader)};
  if (tiff.data[0] == 'M' && tiff.data[1] == 'M') {
    tiff.bigEndian = true;
  } else if (tiff.data[0] != 'I' || tiff.data[1] != 'I') {
    return 1;
  }
  const std::size_t ifd = tiff.Read(4, 4);
  if (!tiff.Fits(ifd, 2)) return 1;
  const std::uint32_t entries = tiff.Read(ifd, 2);
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::size_t entry = ifd + 2 + std::size_t{12} * i;
    if (!tiff.Fits(entry, 12)) return 1;
    if (tiff.Read(entry, 2) != kOrientationTag) continue;
    const std::uint32_t value = tiff.Read(entry + 8, 2);  // a SHORT, first in its slot
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
  }
  return 1;
}

StoredPoint StoredPointOf(int orientation, int width, int height, int ux, int uy) {
  switch (orientation) {
    case 2:  // mirrored left to right
      return {width - 1 - ux, uy};
    case 3:  // turned half round
      return {width - 1 - ux, height - 1 - uy};
    case 4:  // mirrored top to bottom
      return {ux, height - 1 - uy};
    case 5:  // stored rows are the upright columns
      return {uy, ux};
    case 6:  // upright by a quarter turn clockwise
      return {uy, height - 1 - ux};
    case 7:
      return {width - 1 - uy, height - 1 - ux};
    case 8:  // upright by a quarter turn anticlockwise
      return {width - 1 - uy, ux};
    default:
      return {ux, uy};
  }
}

}  // namespace orvanta
