#include "app/pictures/PictureEncoding.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
// clang-format on
#include <zlib.h>

#include <csetjmp>
#include <cstdlib>
#include <new>
#include <vector>

namespace orvanta {
namespace {

struct Compressor {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  std::jmp_buf jump;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  ~Compressor() {
    jpeg_destroy_compress(&info);
    std::free(buffer);
  }
};

std::uint8_t Paeth(int left, int up, int upLeft) {
  const int p = left + up - upLeft;
  const int pa = std::abs(p - left);
  const int pb = std::abs(p - up);
  const int pc = std::abs(p - upLeft);
  return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft);
}

// Compression of our own well-formed raster cannot fail but for memory; an
// error jumps back to Compress, over libjpeg's frames only.
void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<Compressor*>(info->client_data)->jump, 1);
}

bool Compress(Compressor& c, const Raster& raster, int quality) {
  if (setjmp(c.jump) != 0) return false;
  jpeg_create_compress(&c.info);
  jpeg_mem_dest(&c.info, &c.buffer, &c.size);
  c.info.image_width = static_cast<JDIMENSION>(raster.width);
  c.info.image_height = static_cast<JDIMENSION>(raster.height);
  c.info.input_components = raster.channels;
  c.info.in_color_space = raster.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c.info);
  jpeg_set_quality(&c.info, quality, TRUE);
  c.info.optimize_coding = TRUE;
  jpeg_start_compress(&c.info, TRUE);
  while (c.info.next_scanline < c.info.image_height) {
    auto* row =
        const_cast<JSAMPLE*>(raster.pixels.data() + raster.RowBytes() * c.info.next_scanline);
    jpeg_write_scanlines(&c.info, &row, 1);
  }
  jpeg_finish_compress(&c.info);
  return true;
}

// Runs of equal predictor differences are what a photo leaves after Paeth:
// zlib's run-length strategy finds them as well as its full search, ten
// times faster.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
    throw std::bad_alloc();
  std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(data.size())));
  stream.next_in = const_cast<Bytef*>(data.data());
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::bad_alloc();
  return out;
}

}  // namespace

EncodedImage EncodeAsJpeg(const Raster& raster, int quality) {
  Compressor c;
  c.info.err = jpeg_std_error(&c.errors);
  c.errors.error_exit = OnError;
  c.info.client_data = &c;
  if (!Compress(c, raster, quality)) throw std::bad_alloc();
  EncodedImage image;
  image.filter = ImageFilter::Dct;
  image.width = raster.width;
  image.height = raster.height;
  image.grey = raster.channels == 1;
  image.data.assign(c.buffer, c.buffer + c.size);
  return image;
}

EncodedImage EncodeLossless(const Raster& raster) {
  const std::size_t rowBytes = raster.RowBytes();
  const int c = raster.channels;
  std::vector<std::uint8_t> filtered((rowBytes + 1) * static_cast<std::size_t>(raster.height));
  for (int y = 0; y < raster.height; ++y) {
    const std::uint8_t* row = raster.pixels.data() + rowBytes * y;
    const std::uint8_t* above = y > 0 ? row - rowBytes : nullptr;
    std::uint8_t* out = filtered.data() + (rowBytes + 1) * y;
    *out++ = 4;  // PNG filter type: Paeth
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const int left = i >= static_cast<std::size_t>(c) ? row[i - c] : 0;
      const int up = above != nullptr ? above[i] : 0;
      const int upLeft = above != nullptr && i >= static_cast<std::size_t>(c) ? above[i - c] : 0;
      out[i] = static_cast<std::uint8_t>(row[i] - Paeth(left, up, upLeft));
    }
  }
  EncodedImage image;
  image.data = Deflate(filtered);
  image.filter = ImageFilter::Flate;
  image.predictors = true;
  image.width = raster.width;
  image.height = raster.height;
  image.grey = c == 1;
  return image;
}

}  // namespace orvanta
