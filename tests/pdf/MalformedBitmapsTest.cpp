// Bitmaps a user may pick that the reader must refuse without harm.
#include <sys/stat.h>

#include <random>

#include "PdfTestSupport.h"
#include "pdf/BmpReader.h"

namespace orvanta::test {
namespace {

std::string Valid24() {
  return Bmp24(5, 3, [](int x, int y) { return uint32_t(x * 40) | uint32_t(y * 80) << 8; });
}

// A little-endian field written with replace(): for indexed stores GCC 12 at
// -O3 takes the 32-byte string object for its buffer and reports a false
// -Wstringop-overflow.
std::string PatchField(std::string bytes, size_t at, uint32_t value, size_t width) {
  char field[4];
  for (size_t i = 0; i < width; ++i) field[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  bytes.replace(at, width, field, width);
  return bytes;
}
std::string Patch32(std::string bytes, size_t at, uint32_t value) {
  return PatchField(std::move(bytes), at, value, 4);
}
std::string Patch16(std::string bytes, size_t at, uint16_t value) {
  return PatchField(std::move(bytes), at, value, 2);
}

struct Case {
  const char* what;
  std::string bytes;
};

std::vector<Case> MalformedCases() {
  const std::string good = Valid24();
  BmpLayout palette;
  palette.bpp = 8;
  palette.width = 4;
  palette.height = 2;
  palette.palette.assign(1024, 1);
  palette.pixels.assign(8, 0);
  BmpLayout longHeader;
  longHeader.headerSize = 128;  // one more field than the longest version has
  longHeader.pixels.assign(4, 0);
  BmpLayout farPixels = longHeader;
  farPixels.headerSize = 40;
  farPixels.dataOffset = 14 + 40 + 1024 + 1024 * 1024 + 1;
  return {
      {"empty file", ""},
      {"one byte", "B"},
      {"other signature", "MB" + good.substr(2)},
      {"text file", "Questo non è un bitmap\r\n"},
      {"file header cut short", good.substr(0, 10)},
      {"information header cut short", good.substr(0, 30)},
      {"OS/2 core header of 12 bytes", Patch32(good, 14, 12)},
      {"information header of 39 bytes", Patch32(good, 14, 39)},
      {"header size past the end", Patch32(good, 14, 0xFFFFFFFF)},
      {"information header of 128 bytes", BuildBmp(longHeader)},
      {"0 bits per pixel", Patch16(good, 28, 0)},
      {"2 bits per pixel", Patch16(good, 28, 2)},
      {"16 bits per pixel", Patch16(good, 28, 16)},
      {"32 bits per pixel", Patch16(good, 28, 32)},
      {"run-length compressed", Patch32(BuildBmp(palette), 30, 1)},
      {"bit-field compression", Patch32(good, 30, 3)},
      {"height 0", Patch32(good, 22, 0)},
      {"top-down rows", Patch32(good, 22, static_cast<uint32_t>(-3))},
      {"width 0", Patch32(good, 18, 0)},
      {"negative width", Patch32(good, 18, static_cast<uint32_t>(-5))},
      {"width larger than the file", Patch32(good, 18, 0x7FFFFFFF)},
      {"width times height overflowing", Patch32(Patch32(good, 18, 65536), 22, 65536)},
      {"height larger than the file", Patch32(good, 22, 0x7FFFFFFF)},
      {"last pixel missing", good.substr(0, good.size() - 4)},
      {"pixel offset past the end", Patch32(good, 10, static_cast<uint32_t>(good.size() + 1))},
      {"pixel offset at 4 GB", Patch32(good, 10, 0xFFFFFFFF)},
      {"pixel data inside the information header", Patch32(good, 10, 50)},
      {"pixel data a megabyte past the largest palette", BuildBmp(farPixels)},
      {"pixel data running past the end",
       Patch32(good, 10, static_cast<uint32_t>(good.size() - 8))},
      {"palette bitmap without pixels", BuildBmp(palette).substr(0, 14 + 40 + 1024)},
  };
}

TEST(MalformedBitmaps, AreRefusedAndWriteNothing) {
  TempFolder dir;
  Writer w(dir / "refused.pdf");
  ASSERT_TRUE(w.Open());
  const auto cases = MalformedCases();
  ASSERT_GE(cases.size(), 15u);
  for (size_t i = 0; i < cases.size(); ++i) {
    const auto path = dir / ("bad" + std::to_string(i) + ".bmp");
    WriteFile(path, cases[i].bytes);
    EXPECT_FALSE(w.pdf.LoadImgFromBMPFile("Pic", path.string(), 0)) << cases[i].what;
    EXPECT_FALSE(w.pdf.LoadImgFromBMPFile("Pic", path.string(), 1)) << cases[i].what;
    EXPECT_FALSE(IsUsableBMP(path.string())) << cases[i].what;
  }
  w.pdf.ClosePDFFile();
  const std::string file = ReadFile(w.file);
  EXPECT_EQ(file.find("/XObject"), std::string::npos);
  EXPECT_NE(file.find("endobj\r\n4 0 obj"), std::string::npos);
}

TEST(MalformedBitmaps, TheUnpatchedFilesAreGood) {
  BmpImage image;
  const std::string good = Valid24();
  EXPECT_TRUE(DecodeBMP(std::vector<uint8_t>(good.begin(), good.end()), 0, image));
  // The longest header version, and pixels after a gap such as a colour profile.
  BmpLayout layout;
  layout.headerSize = 124;
  layout.pixels = {1, 2, 3, 0};
  layout.dataOffset = 14 + 124 + 64 * 1024;
  const std::string apart = BuildBmp(layout);
  TempFolder dir;
  WriteFile(dir / "apart.bmp", apart);
  EXPECT_TRUE(IsUsableBMP((dir / "apart.bmp").string()));
  ASSERT_TRUE(ReadBMP((dir / "apart.bmp").string(), 0, image));
  EXPECT_EQ(image.ImgBuf, (std::vector<uint8_t>{3, 2, 1}));
}

TEST(MalformedBitmaps, PipesAndFoldersAreNotWaitedOn) {
  TempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
  BmpImage image;
  EXPECT_FALSE(ReadBMP((dir / "pipe.bmp").string(), 0, image));
  EXPECT_FALSE(ReadBMP(dir.path().string(), 0, image));
  EXPECT_FALSE(IsUsableBMP((dir / "pipe.bmp").string()));
}

TEST(MalformedBitmaps, RandomDamageNeverHarms) {
  // Damaged copies of valid bitmaps: any answer is fine, a crash or an
  // over-read (seen under the sanitizers) is not.
  std::mt19937 random(20130102);
  BmpLayout indexed;
  indexed.bpp = 4;
  indexed.width = 7;
  indexed.height = 3;
  indexed.palette.assign(64, 9);
  indexed.pixels.assign(12, 0x5A);
  const std::string seeds[] = {Valid24(), BuildBmp(indexed)};
  BmpImage image;
  for (int round = 0; round < 4000; ++round) {
    std::string bytes = seeds[round % 2];
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e) {
      const size_t at = random() % bytes.size();
      bytes[at] = static_cast<char>(random());
    }
    if (round % 5 == 0) bytes.resize(random() % bytes.size());
    std::vector<uint8_t> data(bytes.begin(), bytes.end());
    if (DecodeBMP(data, round % 3, image)) {
      EXPECT_LE(image.ImgBuf.size(), data.size() * 3);
    }
  }
}

}  // namespace
}  // namespace orvanta::test
