// Images: bitmap files and sample arrays as image objects, and their placement.
#include <algorithm>

#include "pdf/Ascii85.h"
#include "pdf/BmpReader.h"
#include "pdf/NumberFormat.h"
#include "pdf/ResourceEntry.h"
#include "pdf/TextEncoding.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

// Bytes of samples and palette that the layout of an image needs.
void CheckLayout(std::span<const uint8_t> ImgBuf, std::span<const uint8_t> ImgColor, int32_t width,
                 int32_t height, uint8_t bpp, bool grey) {
  auto fail = [](const std::string& what) {
    throw PdfError(PdfErrorCode::InvalidArgument, "image data unusable: " + what);
  };
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) {
    fail(std::to_string(bpp) + " bits per pixel (1, 4, 8 or 24)");
  }
  if (width <= 0 || height <= 0) fail("width and height must be positive");
  const auto w = static_cast<uint64_t>(width);
  const auto h = static_cast<uint64_t>(height);
  const uint64_t samples = bpp == 24 ? w * h * (grey ? 1 : 3) : (w * bpp + 7) / 8 * h;
  if (ImgBuf.size() != samples) {
    fail(std::to_string(ImgBuf.size()) + " sample bytes, " + std::to_string(samples) + " needed");
  }
  const uint64_t palette = bpp == 24 ? 0 : (uint64_t{1} << bpp) * (grey ? 1 : 3);
  if (ImgColor.size() != palette) {
    fail(std::to_string(ImgColor.size()) + " palette bytes, " + std::to_string(palette) +
         " needed");
  }
}

}  // namespace

bool clsPDFCreator::LoadImgFromBMPFile(const std::string& Name, const std::string& FileName,
                                       int32_t ColorSpace) {
  RequireNoStream("LoadImgFromBMPFile");
  BmpImage image;
  if (!ReadBMP(FileName, ColorSpace, image)) return false;
  LoadImgFromArray(Name, image.ImgBuf, image.ImgColor, image.ImgWidth, image.ImgHeight,
                   image.ImgBPP, ColorSpace);
  return true;
}

bool clsPDFCreator::LoadImgFromBMPBytes(const std::string& Name, std::span<const uint8_t> File,
                                        int32_t ColorSpace) {
  RequireNoStream("LoadImgFromBMPBytes");
  BmpImage image;
  if (!DecodeBMP(File, ColorSpace, image)) return false;
  LoadImgFromArray(Name, image.ImgBuf, image.ImgColor, image.ImgWidth, image.ImgHeight,
                   image.ImgBPP, ColorSpace);
  return true;
}

void clsPDFCreator::LoadImgFromArray(const std::string& Name, const std::vector<uint8_t>& ImgBuf,
                                     const std::vector<uint8_t>& ImgColor, int32_t ImgWidth,
                                     int32_t ImgHeight, uint8_t ImgBPP, int32_t ColorSpace) {
  LoadImgFromArray(Name, std::span<const uint8_t>(ImgBuf), std::span<const uint8_t>(ImgColor),
                   ImgWidth, ImgHeight, ImgBPP, ColorSpace);
}

void clsPDFCreator::LoadImgFromArray(const std::string& Name, std::span<const uint8_t> ImgBuf,
                                     std::span<const uint8_t> ImgColor, int32_t ImgWidth,
                                     int32_t ImgHeight, uint8_t ImgBPP, int32_t ColorSpace) {
  RequireNoStream("LoadImgFromArray");
  const bool indexed = ImgBPP != 24;
  CheckLayout(ImgBuf, ImgColor, ImgWidth, ImgHeight, ImgBPP, ColorSpace != kColorSpaceRgb);
  CheckObjectRoom(indexed ? 3 : 2);
  const std::string name = Utf8ToWindows1252(Name);

  // The image, its length as the next object, then an indexed image's palette.
  const int32_t number = OpenIndirectObject(0);
  WriteImageDictionary(name, ImgWidth, ImgHeight, ImgBPP, ColorSpace, number);
  WriteRaw(">>\r");
  const size_t length = WriteSampleStream(ImgBuf);
  CloseIndirectObject();
  AppendResourceEntry(imageList_, name, number);
  WriteLengthObject(static_cast<int64_t>(length));
  if (indexed) WritePalette(ImgColor);
}

// The image dictionary up to its closing ">>"; an indexed image's palette is
// object number + 2.
void clsPDFCreator::WriteImageDictionary(const std::string& name, int32_t width, int32_t height,
                                         uint8_t bpp, int32_t ColorSpace, int32_t number) {
  const char* space = ColorSpace == kColorSpaceRgb ? "DeviceRGB" : "DeviceGray";
  line_ = "<<\r/Type /XObject\r/Subtype /Image\r/Name /" + name + "\r/Width ";
  AppendInt(line_, width);
  line_ += "\r/Height ";
  AppendInt(line_, height);
  if (encodeAscii85_) line_ += "\r/Filter /ASCII85Decode";
  WriteLine(line_);
  if (bpp != 24) {
    line_ = "/BitsPerComponent ";
    AppendInt(line_, bpp);
    line_ += "\r/ColorSpace [/Indexed /";
    line_ += space;
    line_ += ' ';
    AppendInt(line_, (1 << bpp) - 1);
    line_ += ' ';
    AppendInt(line_, number + 2);
    line_ += " 0 R]";
  } else {
    line_ = "/BitsPerComponent 8\r/ColorSpace /";
    line_ += space;
  }
  line_ += "\r/Length ";
  AppendInt(line_, number + 1);
  line_ += " 0 R";
  WriteLine(line_);
}

// Writes "stream" ... "endstream" around the samples (ASCII85 text when
// encoding) and answers the length of what lies between.
size_t clsPDFCreator::WriteSampleStream(std::span<const uint8_t> data) {
  size_t length = 0;
  WriteRaw("stream\r\n");
  if (encodeAscii85_) {
    const std::string text = ToASCII85(data.data(), data.size());
    WriteRaw(text);
    length = text.size();
  } else {
    WriteRaw(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    length = data.size();
  }
  WriteRaw("\rendstream\r\n");
  return length;
}

// The palette's length is known before it is written: direct, not an object.
void clsPDFCreator::WritePalette(std::span<const uint8_t> palette) {
  const size_t length =
      encodeAscii85_ ? ToASCII85(palette.data(), palette.size()).size() : palette.size();
  OpenIndirectObject(0);
  WriteLine("<<");
  line_ = encodeAscii85_ ? "/Filter /ASCII85Decode\r/Length " : "/Length ";
  AppendInt(line_, static_cast<int64_t>(length));
  line_ += " >>\r";
  WriteRaw(line_);
  WriteSampleStream(palette);
  CloseIndirectObject();
}

void clsPDFCreator::DrawImg(const std::string& Name, float DestX, float DestY, float ImgWidth,
                            float ImgHeight) {
  RequireStream();
  const std::string name = Utf8ToWindows1252(Name);
  // [w 0 0 -h x y] turns the bottom-up rows upright below the top-left
  // corner; an encoded image's rows run top-down: [w 0 0 h x y-h].
  const bool topDown =
      std::find(topDownImages_.begin(), topDownImages_.end(), name) != topDownImages_.end();
  line_ = "q\r";
  Num(ToPoints(ImgWidth));
  line_ += topDown ? "  0 0 " : "  0 0 -";
  Num(ToPoints(ImgHeight));
  line_ += ' ';
  Num(ToPoints(DestX));
  line_ += ' ';
  Num(ToPoints(topDown ? DestY - ImgHeight : DestY));
  line_ += " cm\r/";
  line_ += name;
  line_ += " Do\rQ";
  WriteLine(line_);
}

}  // namespace orvanta
