#include "pdf/BmpReader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "pdf/PdfError.h"

namespace orvanta {
namespace {

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
// A picture drawn on a calendar page needs nothing near this (a whole A4 page
// at 300 dpi is under 9 million pixels); a file claiming more is refused
// before any memory is taken for it.
constexpr uint64_t kMaxPixels = uint64_t{1} << 24;

bool TooLarge(int32_t width, int32_t height) {
  return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxPixels;
}

uint32_t U32(std::span<const uint8_t> d, size_t at) {
  return uint32_t{d[at]} | uint32_t{d[at + 1]} << 8 | uint32_t{d[at + 2]} << 16 |
         uint32_t{d[at + 3]} << 24;
}
uint16_t U16(std::span<const uint8_t> d, size_t at) {
  return static_cast<uint16_t>(d[at] | d[at + 1] << 8);
}
int32_t I32(std::span<const uint8_t> d, size_t at) {
  return static_cast<int32_t>(U32(d, at));
}

// The three weighted channels, precomputed so a grey pixel costs two additions.
struct GreyWeights {
  std::array<double, 256> red, green, blue;
  GreyWeights() {
    for (int v = 0; v < 256; ++v) {
      red[v] = 0.33 * v;
      green[v] = 0.59 * v;
      blue[v] = 0.11 * v;
    }
  }
  uint8_t operator()(uint8_t r, uint8_t g, uint8_t b) const {
    long grey = std::lrint(red[r] + green[g] + blue[b]);
    return static_cast<uint8_t>(grey > 255 ? 255 : grey);
  }
};

const GreyWeights& Weights() {
  static const GreyWeights weights;
  return weights;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// How many bytes of the file a bitmap needs (headers, palette, pixels), read
// from its first 54 bytes; 0 when the header already rules it out.
uint64_t RequiredBytes(std::span<const uint8_t> head) {
  if (head.size() < kFileHeaderSize + kInfoHeaderSize || head[0] != 'B' || head[1] != 'M') {
    return 0;
  }
  const uint64_t bpp = U16(head, 28);
  const int32_t width = I32(head, 18);
  const int32_t height = I32(head, 22);
  if ((bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) || width <= 0 || height <= 0) return 0;
  if (TooLarge(width, height)) return 0;
  const uint64_t bits = bpp * static_cast<uint64_t>(width);
  const uint64_t pixels = (bits + 31) / 32 * 4 * static_cast<uint64_t>(height - 1) + (bits + 7) / 8;
  const uint64_t palette = kFileHeaderSize + U32(head, 14) + (bpp <= 8 ? uint64_t{4} << bpp : 0);
  return std::max(palette, U32(head, 10) + pixels);
}

}  // namespace

uint8_t GreyLevel(uint8_t red, uint8_t green, uint8_t blue) {
  return Weights()(red, green, blue);
}

bool DecodeBMP(std::span<const uint8_t> file, int32_t ColorSpace, BmpImage& image) {
  const uint64_t size = file.size();
  if (size < 2 || file[0] != 'B' || file[1] != 'M') return false;
  if (size < kFileHeaderSize + kInfoHeaderSize) return false;
  const uint64_t dataOffset = U32(file, 10);
  const uint32_t headerSize = U32(file, 14);
  const int32_t width = I32(file, 18);
  const int32_t height = I32(file, 22);
  const uint16_t bpp = U16(file, 28);
  const uint32_t compression = U32(file, 30);
  if (headerSize < kInfoHeaderSize || kFileHeaderSize + headerSize > size) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) return false;
  if (compression != 0 || width <= 0 || height <= 0 || TooLarge(width, height)) return false;
  if (dataOffset > size) return false;

  const uint64_t rowBytes = (uint64_t{bpp} * static_cast<uint64_t>(width) + 7) / 8;
  const uint64_t stride = (uint64_t{bpp} * static_cast<uint64_t>(width) + 31) / 32 * 4;
  // The last row's padding may be missing; its pixels may not.
  const uint64_t needed = stride * static_cast<uint64_t>(height - 1) + rowBytes;
  if (needed > size - dataOffset) return false;

  const bool grey = ColorSpace != 0;
  const GreyWeights& weights = Weights();
  image.ImgColor.clear();
  if (bpp <= 8) {
    // The full table of 2^bpp entries (blue, green, red, reserved) after the
    // information header; entries the file does not hold stay black.
    const size_t entries = size_t{1} << bpp;
    const uint64_t paletteStart = kFileHeaderSize + headerSize;
    image.ImgColor.assign(entries * (grey ? 1 : 3), 0);
    for (size_t e = 0; e < entries && paletteStart + e * 4 + 3 < size; ++e) {
      const size_t at = static_cast<size_t>(paletteStart + e * 4);
      uint8_t b = file[at], g = file[at + 1], r = file[at + 2];
      if (grey) {
        image.ImgColor[e] = weights(r, g, b);
      } else {
        image.ImgColor[e * 3] = r;
        image.ImgColor[e * 3 + 1] = g;
        image.ImgColor[e * 3 + 2] = b;
      }
    }
  }

  const auto w = static_cast<size_t>(width);
  const auto h = static_cast<size_t>(height);
  const uint8_t* row = file.data() + dataOffset;
  if (bpp <= 8) {
    const auto bytes = static_cast<size_t>(rowBytes);
    image.ImgBuf.resize(bytes * h);
    for (size_t y = 0; y < h; ++y, row += stride) {
      std::memcpy(image.ImgBuf.data() + y * bytes, row, bytes);
    }
  } else if (grey) {
    image.ImgBuf.resize(w * h);
    uint8_t* out = image.ImgBuf.data();
    for (size_t y = 0; y < h; ++y, row += stride) {
      for (size_t x = 0; x < w; ++x) *out++ = weights(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    }
  } else {
    image.ImgBuf.resize(w * h * 3);
    uint8_t* out = image.ImgBuf.data();
    for (size_t y = 0; y < h; ++y, row += stride) {
      for (size_t x = 0; x < w; ++x, out += 3) {
        out[0] = row[x * 3 + 2];
        out[1] = row[x * 3 + 1];
        out[2] = row[x * 3];
      }
    }
  }
  image.ImgWidth = width;
  image.ImgHeight = height;
  image.ImgBPP = static_cast<uint8_t>(bpp);
  return true;
}

bool ReadBMP(const std::string& FileName, int32_t ColorSpace, BmpImage& image) {
  // Only plain files: a missing path is not created, a pipe is not waited on.
  std::error_code error;
  if (!std::filesystem::is_regular_file(FileName, error)) return false;
  std::unique_ptr<std::FILE, FileCloser> in(std::fopen(FileName.c_str(), "rb"));
  if (!in) return false;
  const uintmax_t fileSize = std::filesystem::file_size(FileName, error);
  if (error || fileSize == 0) return false;
  // The header first, then only what it declares: a small header in front of
  // a huge file does not make the reader take all of it.
  std::vector<uint8_t> bytes(static_cast<size_t>(std::min<uintmax_t>(fileSize, 54)));
  size_t got = std::fread(bytes.data(), 1, bytes.size(), in.get());
  const uint64_t wanted = std::min<uint64_t>(RequiredBytes({bytes.data(), got}), fileSize);
  if (wanted > got) {
    bytes.resize(static_cast<size_t>(wanted));
    got += std::fread(bytes.data() + got, 1, bytes.size() - got, in.get());
  }
  if (std::ferror(in.get())) {
    throw PdfError(PdfErrorCode::Io,
                   "impossibile leggere l'immagine " + FileName + ": " + std::strerror(errno));
  }
  bytes.resize(got);  // a file that shrank meanwhile is judged by what it holds
  return DecodeBMP(bytes, ColorSpace, image);
}

}  // namespace orvanta
