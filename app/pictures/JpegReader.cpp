#include "app/pictures/JpegReader.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "app/pictures/ExifOrientation.h"

namespace orvanta {
namespace {

constexpr int kMostScans = 1000;  // a progressive file may not make us loop forever
constexpr long kMostDecoderMemory = 1L << 30;

// libjpeg reports through these callbacks; an error jumps back to the decoder
// (no C++ object lives in the frames it jumps over).
struct JpegErrors {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  bool truncated = false;
  bool damaged = false;
  bool tooManyScans = false;
};

void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// Warnings (level -1) that mean the pixels are not the photo's.
void OnMessage(j_common_ptr info, int level) {
  if (level >= 0) return;
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  const int code = info->err->msg_code;
  if (code == JWRN_JPEG_EOF) errors->truncated = true;
  if (code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE || code == JWRN_BOGUS_PROGRESSION ||
      code == JWRN_MUST_RESYNC || code == JWRN_NOT_SEQUENTIAL)
    errors->damaged = true;
}

void OnProgress(j_common_ptr info) {
  auto* decoder = reinterpret_cast<j_decompress_ptr>(info);
  if (decoder->input_scan_number > kMostScans) {
    reinterpret_cast<JpegErrors*>(info->err)->tooManyScans = true;
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
  }
}

// What the decoding step found and made: the stored pixels of `region` (in
// the scaled picture), 1 or 3 channels.
struct Decoded {
  int orientation = 1;
  int storedWidth = 0;  // the scaled picture, as stored
  int storedHeight = 0;
  PixelRect crop;      // upright, in the scaled picture
  PixelRect print;     // the size it is printed at
  PixelRect region;    // stored pixels decoded (columns widened to whole blocks)
  Raster raster;       // the region's pixels
  bool plain = false;  // grey or YCbCr, whole, unscaled: the file could serve as it is
  std::uint64_t declaredWidth = 0;
  std::uint64_t declaredHeight = 0;
};

int OrientationOf(j_decompress_ptr info) {
  for (jpeg_saved_marker_ptr m = info->marker_list; m != nullptr; m = m->next) {
    if (m->marker == JPEG_APP0 + 1)
      return ExifOrientation(std::span<const std::uint8_t>(m->data, m->data_length));
  }
  return 1;
}

// The denominator of the smallest size that still holds `print` pixels.
unsigned ScaleDenominator(const PixelRect& crop, const PixelRect& print) {
  for (unsigned d : {8U, 4U, 2U}) {
    if (crop.width / static_cast<int>(d) >= print.width &&
        crop.height / static_cast<int>(d) >= print.height)
      return d;
  }
  return 1;
}

// The stored rectangle that holds the upright `crop`.
PixelRect StoredRegion(const Decoded& d) {
  const StoredPoint a =
      StoredPointOf(d.orientation, d.storedWidth, d.storedHeight, d.crop.x, d.crop.y);
  const StoredPoint b = StoredPointOf(d.orientation, d.storedWidth, d.storedHeight,
                                      d.crop.x + d.crop.width - 1, d.crop.y + d.crop.height - 1);
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(a.x - b.x) + 1, std::abs(a.y - b.y) + 1};
}

// Four inks to red, green, blue; Adobe's files store the inks inverted.
void CmykRowToRgb(const JSAMPLE* in, std::uint8_t* out, int width, bool inverted) {
  for (int x = 0; x < width; ++x, in += 4, out += 3) {
    const int k = inverted ? in[3] : 255 - in[3];
    for (int c = 0; c < 3; ++c) {
      const int ink = inverted ? in[c] : 255 - in[c];
      out[c] = static_cast<std::uint8_t>((ink * k + 127) / 255);
    }
  }
}

// Reads the rows of d.region; every row of the file is still read through
// (skipped) so that a truncated or damaged end is noticed.
void ReadRegion(j_decompress_ptr info, Decoded& d, std::vector<JSAMPLE>& row) {
  const bool cmyk = info->out_color_space == JCS_CMYK;
  d.raster.width = static_cast<int>(info->output_width);
  d.raster.height = d.region.height;
  d.raster.channels = info->out_color_space == JCS_GRAYSCALE ? 1 : 3;
  d.raster.pixels.resize(d.raster.RowBytes() * static_cast<std::size_t>(d.region.height));
  row.resize(static_cast<std::size_t>(info->output_width) * info->output_components);
  if (d.region.y > 0) jpeg_skip_scanlines(info, static_cast<JDIMENSION>(d.region.y));
  for (int y = 0; y < d.region.height; ++y) {
    std::uint8_t* out = d.raster.pixels.data() + d.raster.RowBytes() * y;
    JSAMPROW target = cmyk ? row.data() : out;
    if (jpeg_read_scanlines(info, &target, 1) != 1) break;
    if (cmyk) CmykRowToRgb(row.data(), out, d.raster.width, info->saw_Adobe_marker != 0);
  }
  const JDIMENSION rest = info->output_height - info->output_scanline;
  if (rest > 0) jpeg_skip_scanlines(info, rest);
}

// The libjpeg part: no C++ object with a destructor is made in this frame
// after setjmp, nor in the frames the error jumps over.
bool Decode(std::span<const std::uint8_t> file, PrintBox box, jpeg_decompress_struct& info,
            JpegErrors& errors, Decoded& d, std::vector<JSAMPLE>& row) {
  if (setjmp(errors.jump) != 0) return false;
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kMostDecoderMemory;
  jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&info, TRUE);
  d.declaredWidth = info.image_width;
  d.declaredHeight = info.image_height;
  if (d.declaredWidth * d.declaredHeight > kMostPicturePixels || d.declaredWidth == 0) return true;

  d.orientation = OrientationOf(&info);
  const bool quarter = TurnsQuarter(d.orientation);
  const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
  const bool inks = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = grey ? JCS_GRAYSCALE : inks ? JCS_CMYK : JCS_RGB;
  const int uprightWidth = static_cast<int>(quarter ? info.image_height : info.image_width);
  const int uprightHeight = static_cast<int>(quarter ? info.image_width : info.image_height);
  const PixelRect fullCrop = CentreCrop(uprightWidth, uprightHeight, box);
  info.scale_num = 1;
  info.scale_denom = ScaleDenominator(fullCrop, PrintPixels(fullCrop, box));
  jpeg_start_decompress(&info);

  d.storedWidth = static_cast<int>(info.output_width);
  d.storedHeight = static_cast<int>(info.output_height);
  d.crop = quarter ? CentreCrop(d.storedHeight, d.storedWidth, box)
                   : CentreCrop(d.storedWidth, d.storedHeight, box);
  d.print = PrintPixels(d.crop, box);
  d.region = StoredRegion(d);
  // A PDF reader takes Huffman-coded 8-bit JPEG only.
  d.plain = !inks && !info.arith_code && info.data_precision == 8 && d.orientation == 1 &&
            info.scale_denom == 1 && d.region.width == d.storedWidth &&
            d.region.height == d.storedHeight && d.print.width == d.crop.width;
  if (d.region.width < d.storedWidth) {
    auto x = static_cast<JDIMENSION>(d.region.x);
    auto width = static_cast<JDIMENSION>(d.region.width);
    jpeg_crop_scanline(&info, &x, &width);  // widened to whole blocks
    d.region.x = static_cast<int>(x);
    d.region.width = static_cast<int>(width);
  }
  ReadRegion(&info, d, row);
  jpeg_finish_decompress(&info);
  return true;
}

// The upright crop out of the decoded stored region.
Raster Upright(const Decoded& d) {
  const int c = d.raster.channels;
  Raster out{d.crop.width, d.crop.height, c, {}};
  out.pixels.resize(out.RowBytes() * static_cast<std::size_t>(out.height));
  for (int uy = 0; uy < out.height; ++uy) {
    std::uint8_t* o = out.pixels.data() + out.RowBytes() * uy;
    for (int ux = 0; ux < out.width; ++ux, o += c) {
      const StoredPoint s =
          StoredPointOf(d.orientation, d.storedWidth, d.storedHeight, d.crop.x + ux, d.crop.y + uy);
      const std::uint8_t* in = d.raster.pixels.data() + d.raster.RowBytes() * (s.y - d.region.y) +
                               static_cast<std::size_t>(s.x - d.region.x) * c;
      std::memcpy(o, in, static_cast<std::size_t>(c));
    }
  }
  return out;
}

}  // namespace

FittedPicture FitJpeg(std::span<const std::uint8_t> file, PrintBox box) {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = OnError;
  errors.pub.emit_message = OnMessage;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = OnProgress;
  info.progress = &progress;
  Decoded d;
  std::vector<JSAMPLE> row;
  const bool decoded = Decode(file, box, info, errors, d, row);
  jpeg_destroy_decompress(&info);

  if (d.declaredWidth != 0) CheckPictureSize(d.declaredWidth, d.declaredHeight);
  if (errors.truncated)
    throw PictureError("è un JPEG troncato: il file finisce prima dell'ultima riga dell'immagine");
  if (errors.tooManyScans) throw PictureError("è un JPEG progressivo con troppe scansioni");
  if (!decoded || errors.damaged || d.declaredWidth == 0)
    throw PictureError("è un JPEG danneggiato: i dati dell'immagine non sono validi");

  FittedPicture fitted;
  fitted.untouched = d.plain;
  fitted.raster =
      ScaleDown(d.orientation == 1 && d.region.x == d.crop.x && d.region.width == d.crop.width
                    ? std::move(d.raster)
                    : Upright(d),
                d.print.width, d.print.height);
  return fitted;
}

}  // namespace orvanta
