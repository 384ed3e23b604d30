#pragma once
// A picture already compressed by the layer that decodes photos: the writer
// puts its bytes into an image object as they are, behind the filter named.

#include <cstdint>
#include <vector>

namespace orvanta {

enum class ImageFilter {
  Dct,    // JPEG bytes (baseline or progressive)
  Flate,  // zlib stream of 8-bit samples
};

struct EncodedImage {
  ImageFilter filter = ImageFilter::Flate;
  int32_t width = 0;          // pixels
  int32_t height = 0;         // pixels
  bool grey = false;          // one 8-bit sample per pixel (DeviceGray), else red, green, blue
  bool predictors = false;    // Flate: each row starts with its PNG predictor byte
  std::vector<uint8_t> data;  // rows top-down, as the filter decodes them
};

}  // namespace orvanta
