#pragma once
// Decoded pixels on their way from a photo file to the page.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvanta {

// 8-bit samples, rows top-down, no padding: one per pixel (grey) or three
// (red, green, blue).
struct Raster {
  int width = 0;
  int height = 0;
  int channels = 3;
  std::vector<std::uint8_t> pixels;

  [[nodiscard]] std::size_t RowBytes() const {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
  }
};

// Why a picture cannot be used, in Italian words that follow the file's name
// ("è un JPEG troncato ...").
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The most pixels a picture may declare: a phone's 200-megapixel photo passes,
// a small file claiming 60000 x 60000 pixels (a decompression bomb) does not.
inline constexpr std::uint64_t kMostPicturePixels = 250'000'000;

// Throws PictureError when a picture declares more pixels than we decode.
void CheckPictureSize(std::uint64_t width, std::uint64_t height);

}  // namespace orvanta
