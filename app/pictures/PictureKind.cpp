#include "app/pictures/PictureKind.h"

#include <algorithm>
#include <string_view>

namespace orvanta {
namespace {

bool StartsWith(std::span<const std::uint8_t> head, std::string_view magic, std::size_t at = 0) {
  return head.size() >= at + magic.size() &&
         std::equal(magic.begin(), magic.end(), head.begin() + static_cast<std::ptrdiff_t>(at),
                    [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; });
}

// An ISO media file ("....ftyp") whose brand is one of HEIF's.
bool IsHeif(std::span<const std::uint8_t> head) {
  if (!StartsWith(head, "ftyp", 4)) return false;
  for (const std::string_view brand :
       {"heic", "heix", "hevc", "heim", "heis", "mif1", "msf1", "avif"})
    if (StartsWith(head, brand, 8)) return true;
  return false;
}

// An SVG drawing: XML text whose first element (within the head) is <svg.
bool IsSvg(std::span<const std::uint8_t> head) {
  const std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
  const std::size_t start = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
  if (start == std::string_view::npos || text[start] != '<') return false;
  return text.find("<svg") != std::string_view::npos;
}

}  // namespace

PictureKind KindOfPicture(std::span<const std::uint8_t> head) {
  if (StartsWith(head, "BM")) return PictureKind::Bitmap;
  if (StartsWith(head, "\xFF\xD8\xFF")) return PictureKind::Jpeg;
  if (StartsWith(head, "\x89PNG\r\n\x1A\n")) return PictureKind::Png;
  if (IsHeif(head)) return PictureKind::Heic;
  if (StartsWith(head, "RIFF") && StartsWith(head, "WEBP", 8)) return PictureKind::WebP;
  if (StartsWith(head, std::string_view("II*\0", 4)) ||
      StartsWith(head, std::string_view("MM\0*", 4)))
    return PictureKind::Tiff;
  if (StartsWith(head, "GIF8")) return PictureKind::Gif;
  if (IsSvg(head)) return PictureKind::Svg;
  return PictureKind::Unknown;
}

std::string UnsupportedKindProblem(PictureKind kind) {
  const std::string convert = ", che il programma non sa leggere: convertirla in JPEG o PNG";
  switch (kind) {
    case PictureKind::Bitmap:
    case PictureKind::Jpeg:
    case PictureKind::Png:
      return {};
    case PictureKind::Heic:
      return "è un'immagine HEIC/HEIF" + convert;
    case PictureKind::WebP:
      return "è un'immagine WebP" + convert;
    case PictureKind::Tiff:
      return "è un'immagine TIFF" + convert;
    case PictureKind::Gif:
      return "è un'immagine GIF" + convert;
    case PictureKind::Svg:
      return "è un disegno SVG" + convert;
    case PictureKind::Unknown:
      break;
  }
  return "non è un'immagine JPEG, PNG o bitmap";
}

}  // namespace orvanta
