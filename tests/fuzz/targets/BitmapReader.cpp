// The bitmap reader on arbitrary bytes. Whatever it accepts must have exactly
// the layout the image writer takes, be no larger than the file can account
// for, and make a PDF image without complaint.
#include <ctime>
#include <span>
#include <vector>

#include "pdf/BmpReader.h"
#include "pdf/clsPDFCreator.h"
#include "tests/fuzz/FuzzTargets.h"

namespace orvanta::fuzz {
namespace {

void CheckLayout(const BmpImage& image, bool grey, std::size_t fileSize) {
  FUZZ_CHECK(image.ImgWidth > 0 && image.ImgHeight > 0);
  const int bpp = image.ImgBPP;
  FUZZ_CHECK(bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24);
  const auto w = static_cast<std::uint64_t>(image.ImgWidth);
  const auto h = static_cast<std::uint64_t>(image.ImgHeight);
  const std::uint64_t samples =
      bpp == 24 ? w * h * (grey ? 1 : 3) : (w * static_cast<std::uint64_t>(bpp) + 7) / 8 * h;
  FUZZ_CHECK(image.ImgBuf.size() == samples);
  const std::uint64_t palette = bpp == 24 ? 0 : (std::uint64_t{1} << bpp) * (grey ? 1 : 3);
  FUZZ_CHECK(image.ImgColor.size() == palette);
  // Every sample comes from a byte of the file: no amplification.
  FUZZ_CHECK(image.ImgBuf.size() <= fileSize * 3);
}

std::tm FixedTime() {
  std::tm t{};
  t.tm_year = 113;
  t.tm_mday = 2;
  return t;
}

// A writer on /dev/null, so the image path runs to the end without a disk.
class NullWriter {
 public:
  NullWriter() {
    pdf.SetMessageHandler([](const std::string&, const std::string&) {});
    pdf.SetClock(FixedTime);
    pdf.SetRandomDigit([] { return 0; });
    // A file on a memory file system: the writer only makes regular files.
    std::string path = ScratchFolder() + "bitmap.pdf";
    open = pdf.InitPDFFile(path);
  }
  clsPDFCreator pdf;
  bool open = false;
};

}  // namespace

int FuzzBitmapReader(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  const std::string path = MemoryFile({reinterpret_cast<const char*>(data), size});
  for (const std::int32_t colorSpace : {0, 1}) {
    BmpImage image;
    const bool decoded = DecodeBMP(file, colorSpace, image);
    if (decoded) CheckLayout(image, colorSpace != 0, size);

    // The public entry point on the same bytes, as the composer calls it; any
    // PdfError here escapes and counts as a finding.
    NullWriter writer;
    FUZZ_CHECK(writer.open);
    writer.pdf.EncodeASCII85(colorSpace != 0);
    const bool loaded = writer.pdf.LoadImgFromBMPFile("Img", path, colorSpace);
    FUZZ_CHECK(loaded == decoded);
    FUZZ_CHECK(IsUsableBMP(path) == decoded);  // the quick check says what the load does
    writer.pdf.BeginPage();
    if (loaded) writer.pdf.DrawImg("Img", 1, 20, 2, 1.5f);
    writer.pdf.EndPage();
    writer.pdf.ClosePDFFile();
  }
  return 0;
}

}  // namespace orvanta::fuzz
