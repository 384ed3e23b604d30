#include "app/pictures/PngReader.h"

#include <png.h>

#include <memory>
#include <string_view>

namespace orvanta {
namespace {

// libpng's reason in the user's words.
std::string Problem(std::string_view message) {
  if (message.find("CRC") != std::string_view::npos)
    return "è un PNG danneggiato: un controllo CRC non torna";
  if (message.find("Not enough image data") != std::string_view::npos ||
      message.find("Read Error") != std::string_view::npos ||
      message.find("end of") != std::string_view::npos ||
      message.find("EOF") != std::string_view::npos)
    return "è un PNG troncato: il file finisce prima dell'ultima riga dell'immagine";
  return "è un PNG danneggiato: i dati dell'immagine non sono validi";
}

struct ImageGuard {
  png_image* image;
  ~ImageGuard() { png_image_free(image); }
};

}  // namespace

FittedPicture FitPng(std::span<const std::uint8_t> file, PrintBox box) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  const ImageGuard guard{&image};
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
    throw PictureError(Problem(image.message));
  CheckPictureSize(image.width, image.height);

  // Colour or grey as the file is; 16 bits and palettes become 8-bit samples.
  const bool grey = (image.format & PNG_FORMAT_FLAG_COLOR) == 0;
  image.format = grey ? PNG_FORMAT_GRAY : PNG_FORMAT_RGB;
  Raster raster{static_cast<int>(image.width), static_cast<int>(image.height), grey ? 1 : 3, {}};
  raster.pixels.resize(PNG_IMAGE_SIZE(image));
  const png_color white{255, 255, 255};
  if (!png_image_finish_read(&image, &white, raster.pixels.data(), 0, nullptr))
    throw PictureError(Problem(image.message));
  // libpng only warns about a damaged ancillary chunk; the file is still damaged.
  if ((image.warning_or_error & PNG_IMAGE_WARNING) != 0 &&
      std::string_view(image.message).find("CRC") != std::string_view::npos)
    throw PictureError(Problem(image.message));

  const PixelRect crop = CentreCrop(raster.width, raster.height, box);
  const PixelRect print = PrintPixels(crop, box);
  FittedPicture fitted;
  fitted.untouched =
      crop.width == raster.width && crop.height == raster.height && print.width == crop.width;
  fitted.raster = ScaleDown(fitted.untouched ? std::move(raster) : CropRaster(raster, crop),
                            print.width, print.height);
  return fitted;
}

}  // namespace orvanta
