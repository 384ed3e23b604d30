#include "pdf/BmpReader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "base/FileReading.h"
#include "pdf/PdfConstants.h"
#include "pdf/PdfError.h"

namespace orvanta {
namespace {

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint64_t kHeadBytes = kFileHeaderSize + kInfoHeaderSize;
// The longest information header Windows defines (BITMAPV5HEADER); a longer
// one is not a bitmap header at all.
constexpr uint32_t kMaxInfoHeaderSize = 124;
// Room between the headers and the pixel data beyond a full 256-entry palette:
// bit masks, an unused colour table, an embedded colour profile. A file that
// puts its pixels further away is refused rather than trusted.
constexpr uint64_t kMaxDataGap = 1024 * 1024;
// A picture drawn on a calendar page needs nothing near this (a whole A4 page
// at 300 dpi is under 9 million pixels); a file claiming more is refused
// before any memory is taken for it.
constexpr uint64_t kMaxPixels = uint64_t{1} << 24;
// Pixel data is taken from a file in pieces of at most this many bytes.
constexpr uint64_t kReadBytes = 1024 * 1024;

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

// Where the parts of a bitmap lie, from its first 54 bytes and its size.
struct Layout {
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bpp = 0;
  uint64_t paletteStart = 0;
  uint64_t paletteBytes = 0;  // whole entries the file holds, at most 2^bpp of them
  uint64_t dataOffset = 0;
  uint64_t stride = 0;    // a stored row, padding included
  uint64_t rowBytes = 0;  // the bytes of a row that hold pixels
};

std::optional<Layout> ReadLayout(std::span<const uint8_t> head, uint64_t size) {
  if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') return std::nullopt;
  if (head.size() < kHeadBytes || size < kHeadBytes) return std::nullopt;
  Layout l;
  l.dataOffset = U32(head, 10);
  const uint32_t headerSize = U32(head, 14);
  l.width = I32(head, 18);
  l.height = I32(head, 22);
  l.bpp = U16(head, 28);
  const uint32_t compression = U32(head, 30);
  if (headerSize < kInfoHeaderSize || headerSize > kMaxInfoHeaderSize) return std::nullopt;
  if (l.bpp != 1 && l.bpp != 4 && l.bpp != 8 && l.bpp != 24) return std::nullopt;
  if (compression != 0 || l.width <= 0 || l.height <= 0) return std::nullopt;
  const auto w = static_cast<uint64_t>(l.width);
  const auto h = static_cast<uint64_t>(l.height);
  if (w * h > kMaxPixels) return std::nullopt;

  // The pixels lie after the headers, not inside them, and not far beyond
  // the largest palette.
  l.paletteStart = kFileHeaderSize + headerSize;
  if (l.dataOffset < l.paletteStart) return std::nullopt;
  if (l.dataOffset - l.paletteStart > (uint64_t{4} << 8) + kMaxDataGap) return std::nullopt;
  l.rowBytes = (uint64_t{l.bpp} * w + 7) / 8;
  l.stride = (uint64_t{l.bpp} * w + 31) / 32 * 4;
  // The last row's padding may be missing; its pixels may not.
  const uint64_t needed = l.stride * (h - 1) + l.rowBytes;
  if (l.dataOffset > size || needed > size - l.dataOffset) return std::nullopt;
  if (l.bpp <= 8) {
    // Entries the file does not hold stay black.
    const uint64_t held = size > l.paletteStart ? (size - l.paletteStart) / 4 * 4 : 0;
    l.paletteBytes = std::min(uint64_t{4} << l.bpp, held);
  }
  return l;
}

// Turns `count` stored bytes of one row (whole pixels) into samples at `out`;
// returns the end of what it wrote.
uint8_t* ConvertRowPart(const uint8_t* in, uint64_t count, uint16_t bpp, bool grey, uint8_t* out) {
  if (bpp <= 8) return std::copy_n(in, count, out);
  const GreyWeights& weights = Weights();
  for (const uint8_t* end = in + count; in < end; in += 3) {
    if (grey) {
      *out++ = weights(in[2], in[1], in[0]);
    } else {
      *out++ = in[2];
      *out++ = in[1];
      *out++ = in[0];
    }
  }
  return out;
}

// Decodes the bitmap laid out as `l`. `at(offset, count)` gives `count` bytes
// of the file from `offset`, or nullptr when the file does not hold them; it
// is never asked for more than kReadBytes at a time.
template <typename BytesAt>
bool Decode(const Layout& l, int32_t ColorSpace, BytesAt&& at, BmpImage& image) {
  const bool grey = ColorSpace != kColorSpaceRgb;
  BmpImage result;
  if (l.bpp <= 8) {
    // The full table of 2^bpp entries (blue, green, red, reserved).
    const size_t entries = size_t{1} << l.bpp;
    result.ImgColor.assign(entries * (grey ? 1 : 3), 0);
    const uint8_t* table = l.paletteBytes > 0 ? at(l.paletteStart, l.paletteBytes) : nullptr;
    if (l.paletteBytes > 0 && table == nullptr) return false;
    uint8_t* out = result.ImgColor.data();
    for (uint64_t e = 0; e < l.paletteBytes; e += 4)
      out = ConvertRowPart(table + e, 3, 24, grey, out);
  }

  const auto w = static_cast<uint64_t>(l.width);
  const auto h = static_cast<uint64_t>(l.height);
  result.ImgBuf.resize(static_cast<size_t>(l.bpp <= 8 ? l.rowBytes * h : w * h * (grey ? 1 : 3)));
  uint8_t* out = result.ImgBuf.data();
  // Several short rows a piece, or a long row in several pieces of whole pixels.
  const uint64_t rowsPerPiece = std::max<uint64_t>(1, kReadBytes / l.stride);
  const uint64_t rowPiece = l.bpp == 24 ? kReadBytes / 3 * 3 : kReadBytes;
  for (uint64_t y = 0; y < h;) {
    const uint64_t rows = std::min(rowsPerPiece, h - y);
    const uint64_t start = l.dataOffset + y * l.stride;
    if (rows == 1) {
      for (uint64_t done = 0; done < l.rowBytes;) {
        const uint64_t count = std::min(rowPiece, l.rowBytes - done);
        const uint8_t* in = at(start + done, count);
        if (in == nullptr) return false;
        out = ConvertRowPart(in, count, l.bpp, grey, out);
        done += count;
      }
    } else {
      const uint8_t* in = at(start, (rows - 1) * l.stride + l.rowBytes);
      if (in == nullptr) return false;
      for (uint64_t r = 0; r < rows; ++r, in += l.stride) {
        out = ConvertRowPart(in, l.rowBytes, l.bpp, grey, out);
      }
    }
    y += rows;
  }
  result.ImgWidth = l.width;
  result.ImgHeight = l.height;
  result.ImgBPP = static_cast<uint8_t>(l.bpp);
  image = std::move(result);
  return true;
}

// Reads `count` bytes at `offset` into `into`; answers how many the file held.
uint64_t ReadAt(int fd, uint64_t offset, uint64_t count, uint8_t* into,
                const std::string& FileName) {
  std::size_t got = 0;
  const FileResult read =
      ReadPieceAt(fd, offset, static_cast<std::size_t>(count), into, FileName, got);
  if (!read) {
    throw PdfError(PdfErrorCode::Io,
                   "impossibile leggere l'immagine " + FileName + ": " + std::strerror(read.error));
  }
  return got;
}

}  // namespace

uint8_t GreyLevel(uint8_t red, uint8_t green, uint8_t blue) {
  return Weights()(red, green, blue);
}

bool DecodeBMP(std::span<const uint8_t> file, int32_t ColorSpace, BmpImage& image) {
  const std::optional<Layout> layout = ReadLayout(file, file.size());
  if (!layout) return false;
  // The layout lies within the file, so every piece is there.
  const auto at = [&](uint64_t offset, uint64_t) { return file.data() + offset; };
  return Decode(*layout, ColorSpace, at, image);
}

namespace {

// Opens a bitmap file and reads the layout its headers describe; nothing
// when it is not a plain file or not a bitmap the reader takes.
std::optional<Layout> OpenLayout(const std::string& FileName, FileDescriptor& file) {
  // Only plain files: a missing path is not created, a pipe is not waited on.
  FileResult opened;
  file = OpenForReading(FileName, opened);
  if (!file.IsOpen()) return std::nullopt;
  const std::optional<uint64_t> size = OpenFileSize(file.Get());
  if (!size) return std::nullopt;
  std::array<uint8_t, kHeadBytes> head{};
  const uint64_t got = ReadAt(file.Get(), 0, head.size(), head.data(), FileName);
  return ReadLayout({head.data(), got}, *size);
}

}  // namespace

bool IsUsableBMP(const std::string& FileName) {
  FileDescriptor file;
  return OpenLayout(FileName, file).has_value();
}

bool ReadBMP(const std::string& FileName, int32_t ColorSpace, BmpImage& image) {
  // The headers, then only the palette and the pixel rows, each read where it
  // lies: whatever the file holds around them is never read.
  FileDescriptor file;
  const std::optional<Layout> layout = OpenLayout(FileName, file);
  if (!layout) return false;
  const int in = file.Get();
  std::vector<uint8_t> piece;
  const auto at = [&](uint64_t offset, uint64_t count) -> const uint8_t* {
    piece.resize(static_cast<size_t>(count));
    // A file that shrank meanwhile is judged by what it still holds.
    return ReadAt(in, offset, count, piece.data(), FileName) == count ? piece.data() : nullptr;
  };
  return Decode(*layout, ColorSpace, at, image);
}

}  // namespace orvanta
