#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvanta {

// Samples of a bitmap as the image writer takes them.
struct BmpImage {
  std::vector<uint8_t> ImgBuf;    // rows bottom-up, no padding: RGB, grey, or packed indices
  std::vector<uint8_t> ImgColor;  // palette of 2^bpp entries (RGB or grey); empty for 24 bits
  int32_t ImgWidth = 0;
  int32_t ImgHeight = 0;
  uint8_t ImgBPP = 0;
};

// Grey of a colour: 0.33 red + 0.59 green + 0.11 blue, rounded (ties to
// even) and limited to 255.
uint8_t GreyLevel(uint8_t red, uint8_t green, uint8_t blue);

// Reads an uncompressed bottom-up Windows bitmap of 1, 4, 8 or 24 bits per
// pixel; ColorSpace 0 keeps colour, any other value converts to grey. Answers
// false, without creating anything, for a missing file, a file that is not
// such a bitmap, one whose data the file does not hold, one whose header is
// longer than any header version, and one whose pixels lie inside the headers
// or more than a megabyte past the largest palette. Reads only the headers,
// the palette and the pixel rows, each where it lies, and takes no more memory
// than the samples and a piece of 1 MB. Throws PdfError (Io) when reading fails.
[[nodiscard]] bool ReadBMP(const std::string& FileName, int32_t ColorSpace, BmpImage& image);

// Whether ReadBMP would take the file, judged from its headers and its size
// alone (the pixels are not read): a quick check before the real load.
// Throws PdfError (Io) when reading fails.
[[nodiscard]] bool IsUsableBMP(const std::string& FileName);

// The same for a bitmap file already in memory.
[[nodiscard]] bool DecodeBMP(std::span<const uint8_t> file, int32_t ColorSpace, BmpImage& image);

}  // namespace orvanta
