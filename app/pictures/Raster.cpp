#include "app/pictures/Raster.h"

namespace orvanta {

void CheckPictureSize(std::uint64_t width, std::uint64_t height) {
  if (width == 0 || height == 0) throw PictureError("dichiara un'immagine senza pixel");
  if (width * height > kMostPicturePixels) {
    throw PictureError("dichiara " + std::to_string(width) + " × " + std::to_string(height) +
                       " pixel, troppi per un'immagine da stampare (al massimo " +
                       std::to_string(kMostPicturePixels / 1'000'000) + " milioni di pixel)");
  }
}

}  // namespace orvanta
