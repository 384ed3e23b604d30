#pragma once
// Little-endian bitmap files built field by field, as inputs for the tests.

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta::test {

struct BmpLayout {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bpp = 24;
  uint32_t compression = 0;
  uint32_t headerSize = 40;
  std::vector<uint8_t> palette;  // 4 bytes per entry (blue, green, red, 0)
  std::vector<uint8_t> pixels;   // stored rows, padding included
  int64_t dataOffset = -1;       // -1: right after header and palette
};

std::string BuildBmp(const BmpLayout& layout);

// A 24-bit bitmap whose pixel (x, y) from the bottom is colour(x, y) as
// 0x00BBGGRR; rows padded to four bytes.
template <typename ColourOf>
std::string Bmp24(int32_t width, int32_t height, ColourOf colour) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  const int32_t stride = (width * 24 + 31) / 32 * 4;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t c = colour(x, y);
      layout.pixels.push_back(static_cast<uint8_t>(c >> 16));
      layout.pixels.push_back(static_cast<uint8_t>(c >> 8));
      layout.pixels.push_back(static_cast<uint8_t>(c));
    }
    layout.pixels.resize(static_cast<size_t>(stride) * static_cast<size_t>(y + 1), 0);
  }
  return BuildBmp(layout);
}

// An uncompressed 24-bit bitmap of width x height pixels in one colour.
std::string Bitmap24(int width, int height);

}  // namespace orvanta::test
