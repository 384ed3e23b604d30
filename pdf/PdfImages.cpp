// Images: bitmap files and sample arrays as image objects, and their placement.
#include "pdf/Ascii85.h"
#include "pdf/BmpReader.h"
#include "pdf/NumberFormat.h"
#include "pdf/ResourceEntry.h"
#include "pdf/TextEncoding.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

// Bytes of samples and palette that the layout of an image needs.
void CheckLayout(const std::vector<uint8_t>& ImgBuf, const std::vector<uint8_t>& ImgColor,
                 int32_t width, int32_t height, uint8_t bpp, bool grey) {
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

void clsPDFCreator::LoadImgFromArray(const std::string& Name, const std::vector<uint8_t>& ImgBuf,
                                     const std::vector<uint8_t>& ImgColor, int32_t ImgWidth,
                                     int32_t ImgHeight, uint8_t ImgBPP, int32_t ColorSpace) {
  RequireNoStream("LoadImgFromArray");
  const bool indexed = ImgBPP != 24;
  CheckLayout(ImgBuf, ImgColor, ImgWidth, ImgHeight, ImgBPP, ColorSpace != kColorSpaceRgb);
  CheckObjectRoom(indexed ? 3 : 2);
  const char* space = ColorSpace == kColorSpaceRgb ? "DeviceRGB" : "DeviceGray";
  const std::string name = Utf8ToWindows1252(Name);

  const int32_t number = OpenIndirectObject(0);
  line_ = "<<\r/Type /XObject\r/Subtype /Image\r/Name /" + name + "\r/Width ";
  AppendInt(line_, ImgWidth);
  line_ += "\r/Height ";
  AppendInt(line_, ImgHeight);
  if (encodeAscii85_) line_ += "\r/Filter /ASCII85Decode";
  WriteLine(line_);
  if (indexed) {
    line_ = "/BitsPerComponent ";
    AppendInt(line_, ImgBPP);
    line_ += "\r/ColorSpace [/Indexed /";
    line_ += space;
    line_ += ' ';
    AppendInt(line_, (1 << ImgBPP) - 1);
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

  size_t length = 0;
  auto writeStream = [&](const std::vector<uint8_t>& data) {
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
  };
  WriteRaw(">>\r");
  writeStream(ImgBuf);
  CloseIndirectObject();
  AppendResourceEntry(imageList_, name, number);

  OpenIndirectObject(0);
  line_.clear();
  AppendInt(line_, static_cast<int64_t>(length));
  WriteLine(line_);
  CloseIndirectObject();

  if (indexed) {
    // The palette's length is known before it is written: direct, not an object.
    const size_t paletteLength =
        encodeAscii85_ ? ToASCII85(ImgColor.data(), ImgColor.size()).size() : ImgColor.size();
    OpenIndirectObject(0);
    WriteLine("<<");
    line_ = encodeAscii85_ ? "/Filter /ASCII85Decode\r/Length " : "/Length ";
    AppendInt(line_, static_cast<int64_t>(paletteLength));
    line_ += " >>\r";
    WriteRaw(line_);
    writeStream(ImgColor);
    CloseIndirectObject();
  }
}

void clsPDFCreator::DrawImg(const std::string& Name, float DestX, float DestY, float ImgWidth,
                            float ImgHeight) {
  RequireStream();
  // [w 0 0 -h x y] turns the bottom-up rows upright below the top-left corner.
  line_ = "q\r";
  Num(ToPoints(ImgWidth));
  line_ += "  0 0 -";
  Num(ToPoints(ImgHeight));
  line_ += ' ';
  Num(ToPoints(DestX));
  line_ += ' ';
  Num(ToPoints(DestY));
  line_ += " cm\r/";
  line_ += Utf8ToWindows1252(Name);
  line_ += " Do\rQ";
  WriteLine(line_);
}

}  // namespace orvanta
