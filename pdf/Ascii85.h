#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvanta {

// ASCII85 text of `size` bytes: groups of four as five digits ("z" for a whole
// group of zeros), a short last group as one digit more than its bytes, then
// the end marker "~>"; no line breaks.
std::string ToASCII85(const uint8_t* data, size_t size);

}  // namespace orvanta
