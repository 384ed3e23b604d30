// Images compressed before they reach the writer: photos as JPEG or zlib data.
#include <algorithm>

#include "pdf/NumberFormat.h"
#include "pdf/ResourceEntry.h"
#include "pdf/TextEncoding.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

void CheckEncoded(const EncodedImage& image) {
  if (image.width <= 0 || image.height <= 0 || image.data.empty()) {
    throw PdfError(PdfErrorCode::InvalidArgument,
                   "image data unusable: an encoded image needs a size and data");
  }
}

}  // namespace

void clsPDFCreator::LoadImgFromEncoded(const std::string& Name, const EncodedImage& image) {
  RequireNoStream("LoadImgFromEncoded");
  CheckEncoded(image);
  CheckObjectRoom(2);
  const std::string name = Utf8ToWindows1252(Name);

  const int32_t number = OpenIndirectObject(0);
  line_ = "<<\r/Type /XObject\r/Subtype /Image\r/Name /" + name + "\r/Width ";
  AppendInt(line_, image.width);
  line_ += "\r/Height ";
  AppendInt(line_, image.height);
  const char* filter = image.filter == ImageFilter::Dct ? "/DCTDecode" : "/FlateDecode";
  line_ += "\r/Filter ";
  line_ += encodeAscii85_ ? std::string("[/ASCII85Decode ") + filter + "]" : std::string(filter);
  WriteLine(line_);
  line_ = "/BitsPerComponent 8\r/ColorSpace /";
  line_ += image.grey ? "DeviceGray" : "DeviceRGB";
  if (image.predictors) {
    // Each row carries its own PNG predictor (Predictor 15).
    line_ += encodeAscii85_ ? "\r/DecodeParms [null << " : "\r/DecodeParms << ";
    line_ += "/Predictor 15 /Colors ";
    AppendInt(line_, image.grey ? 1 : 3);
    line_ += " /BitsPerComponent 8 /Columns ";
    AppendInt(line_, image.width);
    line_ += encodeAscii85_ ? " >>]" : " >>";
  }
  line_ += "\r/Length ";
  AppendInt(line_, number + 1);
  line_ += " 0 R";
  WriteLine(line_);
  WriteRaw(">>\r");
  const size_t length = WriteSampleStream(image.data);
  CloseIndirectObject();
  AppendResourceEntry(imageList_, name, number);
  WriteLengthObject(static_cast<int64_t>(length));
  if (std::find(topDownImages_.begin(), topDownImages_.end(), name) == topDownImages_.end())
    topDownImages_.push_back(name);
}

}  // namespace orvanta
