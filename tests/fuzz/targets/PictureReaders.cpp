// The JPEG and PNG readers on arbitrary bytes: whatever they accept comes
// out fitted to its box, at no more than 300 dpi, ready for the writer; all
// else is refused with a reason. The first byte picks the box.
#include <span>

#include "app/pictures/PicturePreparation.h"
#include "tests/fuzz/FuzzTargets.h"

namespace orvanta::fuzz {
namespace {

constexpr PictureBox kBoxes[] = {kHeaderBox, kFooterBox, kCoverBox};

void Prepare(std::span<const std::uint8_t> file, PictureBox box) {
  const PreparedPicture prepared = PreparePictureBytes(file, box);
  switch (prepared.kind) {
    case PreparedPicture::Kind::Unusable:
      FUZZ_CHECK(!prepared.problem.empty());
      return;
    case PreparedPicture::Kind::Bitmap:
      return;
    case PreparedPicture::Kind::Photo:
      break;
  }
  const EncodedImage& image = prepared.photo;
  FUZZ_CHECK(image.width > 0 && image.height > 0 && !image.data.empty());
  // 300 dpi over the box's width, or the file's own size when smaller.
  FUZZ_CHECK(image.width <= static_cast<int>(box.width / 2.54 * 300) + 1 ||
             image.data == std::vector<std::uint8_t>(file.begin(), file.end()));
}

int Run(const std::uint8_t* data, std::size_t size, const char* magic, std::size_t magicSize) {
  if (size < 1) return 0;
  const PictureBox box = kBoxes[data[0] % 3];
  // The reader under test gets its own kind's signature in front, so that the
  // fuzzer spends its time inside it.
  std::vector<std::uint8_t> file(magic, magic + magicSize);
  file.insert(file.end(), data + 1, data + size);
  Prepare(file, box);
  return 0;
}

}  // namespace

int FuzzJpegReader(const std::uint8_t* data, std::size_t size) {
  return Run(data, size, "\xFF\xD8\xFF", 3);
}

int FuzzPngReader(const std::uint8_t* data, std::size_t size) {
  return Run(data, size, "\x89PNG\r\n\x1A\n", 8);
}

}  // namespace orvanta::fuzz
