#pragma once
// What kind of picture a file holds, told by its first bytes (not its name).

#include <cstdint>
#include <span>
#include <string>

namespace orvanta {

enum class PictureKind { Bitmap, Jpeg, Png, Heic, WebP, Tiff, Gif, Svg, Unknown };

PictureKind KindOfPicture(std::span<const std::uint8_t> head);

// Why a kind is refused, in words that follow the file's name; empty for
// the kinds the calendar prints (bitmap, JPEG, PNG).
std::string UnsupportedKindProblem(PictureKind kind);

}  // namespace orvanta
