#pragma once
// Fitted pictures compressed for the writer: photos as JPEG, lossless
// pictures with zlib.

#include "app/pictures/Raster.h"
#include "pdf/EncodedImage.h"

namespace orvanta {

inline constexpr int kPhotoQuality = 90;

// A baseline JPEG of the raster (DCTDecode).
EncodedImage EncodeAsJpeg(const Raster& raster, int quality = kPhotoQuality);

// The raster's samples, each row behind PNG's Paeth predictor, compressed
// with zlib (FlateDecode): lossless.
EncodedImage EncodeLossless(const Raster& raster);

}  // namespace orvanta
