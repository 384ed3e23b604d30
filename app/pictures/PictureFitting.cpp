#include "app/pictures/PictureFitting.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace orvanta {
namespace {

int AtLeastOne(double value) {
  return std::max(1, static_cast<int>(std::lround(value)));
}

// For each destination column (or row), the source span it averages: the
// first source index and the weight of every source index in it, in 1/256.
struct Span {
  int first = 0;
  std::vector<int> weights;
};

std::vector<Span> Spans(int from, int to) {
  std::vector<Span> spans(static_cast<std::size_t>(to));
  const double step = static_cast<double>(from) / to;
  for (int d = 0; d < to; ++d) {
    const double start = d * step;
    const double end = start + step;
    Span& span = spans[static_cast<std::size_t>(d)];
    span.first = static_cast<int>(start);
    const int last = std::min(from - 1, static_cast<int>(std::ceil(end)) - 1);
    for (int s = span.first; s <= last; ++s) {
      const double covered = std::min(end, s + 1.0) - std::max(start, static_cast<double>(s));
      span.weights.push_back(static_cast<int>(std::lround(covered / step * 4096)));
    }
  }
  return spans;
}

}  // namespace

PixelRect CentreCrop(int width, int height, PrintBox box) {
  const double shape = box.width / box.height;
  PixelRect crop{0, 0, width, height};
  if (static_cast<double>(width) / height > shape) {
    crop.width = std::min(width, AtLeastOne(height * shape));
    crop.x = (width - crop.width) / 2;
  } else {
    crop.height = std::min(height, AtLeastOne(width / shape));
    crop.y = (height - crop.height) / 2;
  }
  return crop;
}

PixelRect PrintPixels(const PixelRect& crop, PrintBox box) {
  const int width = AtLeastOne(box.width / 2.54 * kPrintDotsPerInch);
  if (crop.width <= width) return {0, 0, crop.width, crop.height};
  return {0, 0, width, AtLeastOne(static_cast<double>(crop.height) * width / crop.width)};
}

Raster CropRaster(const Raster& source, const PixelRect& rect) {
  Raster out{rect.width, rect.height, source.channels, {}};
  out.pixels.resize(out.RowBytes() * static_cast<std::size_t>(rect.height));
  const std::size_t offset = static_cast<std::size_t>(rect.x) * source.channels;
  for (int y = 0; y < rect.height; ++y) {
    std::memcpy(out.pixels.data() + out.RowBytes() * y,
                source.pixels.data() + source.RowBytes() * (rect.y + y) + offset, out.RowBytes());
  }
  return out;
}

// Separable box filter: rows first into 32-bit sums, then columns.
Raster ScaleDown(Raster source, int width, int height) {
  if (source.width == width && source.height == height) return source;
  const int c = source.channels;
  const std::vector<Span> across = Spans(source.width, width);
  const std::vector<Span> down = Spans(source.height, height);
  Raster out{width, height, c, {}};
  out.pixels.resize(out.RowBytes() * static_cast<std::size_t>(height));
  std::vector<std::uint32_t> row(static_cast<std::size_t>(width) * c);
  std::vector<std::uint32_t> sum(row.size());
  for (int y = 0; y < height; ++y) {
    const Span& v = down[static_cast<std::size_t>(y)];
    std::fill(sum.begin(), sum.end(), 0);
    for (std::size_t k = 0; k < v.weights.size(); ++k) {
      const std::uint8_t* in = source.pixels.data() + source.RowBytes() * (v.first + k);
      for (int x = 0; x < width; ++x) {
        const Span& h = across[static_cast<std::size_t>(x)];
        for (int ch = 0; ch < c; ++ch) {
          std::uint32_t acc = 0;
          for (std::size_t j = 0; j < h.weights.size(); ++j)
            acc += static_cast<std::uint32_t>(h.weights[j]) * in[(h.first + j) * c + ch];
          row[static_cast<std::size_t>(x) * c + ch] = acc;  // value x 4096
        }
      }
      for (std::size_t i = 0; i < sum.size(); ++i)
        sum[i] +=
            static_cast<std::uint32_t>((static_cast<std::uint64_t>(row[i]) * v.weights[k]) >> 12);
    }
    std::uint8_t* o = out.pixels.data() + out.RowBytes() * y;
    for (std::size_t i = 0; i < sum.size(); ++i)
      o[i] = static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (sum[i] + 2048) >> 12));
  }
  return out;
}

}  // namespace orvanta
