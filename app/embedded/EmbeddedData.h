#pragma once
// The files of resources/ compiled into the program: the guide as it is and
// the pictures as samples decoded at build time (the generated sources
// EmbeddedData.cpp and EmbeddedPictures.cpp in the build tree define them).
// Use EmbeddedFiles.h.

#include <cstdint>
#include <span>
#include <string_view>

namespace orvanta::embedded {

struct EmbeddedBlob {
  std::string_view name;  // file name in resources/, e.g. "13OV.bmp"
  std::span<const std::uint8_t> bytes;
};

// Every embedded file, in a fixed order.
std::span<const EmbeddedBlob> AllBlobs();

// A bitmap of resources/ as the writer's reader decoded it: rows bottom-up,
// no padding. Both spans are empty for a bitmap the reader refused; `grey` is
// empty for the pictures that stay in colour on a monochrome page.
struct EmbeddedPicture {
  std::string_view name;  // e.g. "13OV.bmp"
  std::span<const std::uint8_t> rgb;
  std::span<const std::uint8_t> grey;
  std::int32_t width;
  std::int32_t height;
};

// Every embedded picture, in a fixed order.
std::span<const EmbeddedPicture> AllPictures();

}  // namespace orvanta::embedded
