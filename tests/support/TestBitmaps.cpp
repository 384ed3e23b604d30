#include "TestBitmaps.h"

namespace orvanta::test {
namespace {

void Put16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}

void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string BuildBmp(const BmpLayout& layout) {
  const uint32_t offset =
      layout.dataOffset >= 0
          ? static_cast<uint32_t>(layout.dataOffset)
          : static_cast<uint32_t>(14 + layout.headerSize + layout.palette.size());
  std::string s = "BM";
  Put32(s, static_cast<uint32_t>(offset + layout.pixels.size()));
  Put32(s, 0);
  Put32(s, offset);
  Put32(s, layout.headerSize);
  Put32(s, static_cast<uint32_t>(layout.width));
  Put32(s, static_cast<uint32_t>(layout.height));
  Put16(s, 1);
  Put16(s, layout.bpp);
  Put32(s, layout.compression);
  Put32(s, static_cast<uint32_t>(layout.pixels.size()));
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, 0);
  Put32(s, 0);
  if (layout.headerSize > 40) s.append(layout.headerSize - 40, '\0');
  s.append(layout.palette.begin(), layout.palette.end());
  if (s.size() < offset) s.append(offset - s.size(), '\0');
  s.append(layout.pixels.begin(), layout.pixels.end());
  return s;
}

std::string Bitmap24(int width, int height) {
  return Bmp24(width, height, [](int32_t, int32_t) { return 0x2080E0u; });
}

}  // namespace orvanta::test
