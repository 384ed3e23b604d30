#include "pdf/Ascii85.h"

namespace orvanta {

std::string ToASCII85(const uint8_t* data, size_t size) {
  std::string out;
  out.reserve(size / 4 * 5 + 7);
  size_t i = 0;
  char digits[5];
  auto encode = [&](uint32_t group, size_t count) {
    for (int d = 4; d >= 0; --d) {
      digits[d] = static_cast<char>(group % 85 + 33);
      group /= 85;
    }
    out.append(digits, count);
  };
  for (; i + 4 <= size; i += 4) {
    uint32_t group = (uint32_t{data[i]} << 24) | (uint32_t{data[i + 1]} << 16) |
                     (uint32_t{data[i + 2]} << 8) | uint32_t{data[i + 3]};
    if (group == 0) {
      out += 'z';
    } else {
      encode(group, 5);
    }
  }
  if (size_t rest = size - i; rest > 0) {
    uint32_t group = 0;
    for (size_t k = 0; k < 4; ++k) {
      group = (group << 8) | (k < rest ? uint32_t{data[i + k]} : 0u);
    }
    encode(group, rest + 1);
  }
  out += "~>";
  return out;
}

}  // namespace orvanta
