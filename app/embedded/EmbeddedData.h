#pragma once
// The files of resources/ compiled into the program (the generated source
// EmbeddedData.cpp in the build tree defines them). Use EmbeddedFiles.h.

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

}  // namespace orvanta::embedded
