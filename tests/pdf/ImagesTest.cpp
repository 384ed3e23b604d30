// Bitmap reading, image objects, ASCII85 streams and image placement.
#include "PdfTestSupport.h"
#include "pdf/BmpReader.h"

namespace orvanta::test {
namespace {

using namespace std::string_literals;

std::string ImageHead(int width, int height, const std::string& second, bool ascii85 = false) {
  return "5 0 obj\r\n<<\r/Type /XObject\r/Subtype /Image\r/Name /Pic\r/Width " +
         std::to_string(width) + "\r/Height " + std::to_string(height) +
         (ascii85 ? "\r/Filter /ASCII85Decode" : "") + "\r\n" + second + "\r\n>>\rstream\r\n";
}

// Loads one bitmap file and returns the written document.
std::string WithBitmap(const TempFolder& dir, const std::string& bmp, int32_t colorSpace,
                       bool ascii85 = false) {
  WriteFile(dir / "in.bmp", bmp);
  return OnePage(
      dir / "out.pdf", 0,
      [&](clsPDFCreator& pdf) {
        pdf.EncodeASCII85(ascii85);
        EXPECT_TRUE(pdf.LoadImgFromBMPFile("Pic", (dir / "in.bmp").string(), colorSpace));
      },
      Nothing);
}

TEST(Images, ColourRowsWithoutPadding) {
  TempFolder dir;
  // 118 pixels: 354 bytes a row, stored in 356.
  const std::string file = WithBitmap(
      dir, Bmp24(118, 2, [](int x, int y) { return uint32_t(x) | uint32_t(y) << 8 | 7u << 16; }),
      0);
  std::string samples;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 118; ++x) samples += {char(x), char(y), char(7)};
  }
  EXPECT_NE(
      file.find("endobj\r\n" +
                ImageHead(118, 2, "/BitsPerComponent 8\r/ColorSpace /DeviceRGB\r/Length 6 0 R") +
                samples + "\rendstream\r\nendobj\r\n6 0 obj\r\n708\r\nendobj\r\n"),
      std::string::npos);
  EXPECT_NE(file.find("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r"
                      "/XObject <<\r/Pic 5 0 R \r\r>>\r>>"),
            std::string::npos);
}

TEST(Images, ColourOrderAndGrey) {
  // Stored blue 0, green 0, red 255, then white, then a width that needs no padding.
  BmpImage image;
  const std::string red = Bmp24(2, 1, [](int x, int) { return x == 0 ? 0xFFu : 0xFFFFFFu; });
  const auto bytes = std::vector<uint8_t>(red.begin(), red.end());
  ASSERT_TRUE(DecodeBMP(bytes, 0, image));
  EXPECT_EQ(image.ImgBuf, (std::vector<uint8_t>{255, 0, 0, 255, 255, 255}));
  ASSERT_TRUE(DecodeBMP(bytes, 1, image));
  EXPECT_EQ(image.ImgBuf, (std::vector<uint8_t>{84, 255}));
  EXPECT_EQ(GreyLevel(0, 255, 0), 150);  // 150.45
  EXPECT_EQ(GreyLevel(0, 0, 255), 28);   // 28.05
  EXPECT_EQ(GreyLevel(255, 255, 255), 255);
  const std::string four = Bmp24(4, 3, [](int x, int y) { return uint32_t(x + 4 * y); });
  ASSERT_TRUE(DecodeBMP(std::vector<uint8_t>(four.begin(), four.end()), 0, image));
  ASSERT_EQ(image.ImgBuf.size(), 36u);
  for (size_t i = 0; i < 12; ++i) EXPECT_EQ(image.ImgBuf[i * 3], i);
}

TEST(Images, GreyImageObject) {
  TempFolder dir;
  const std::string file = WithBitmap(dir, Bmp24(3, 1, [](int, int) { return 0xFFu; }), 1);
  EXPECT_NE(
      file.find(ImageHead(3, 1, "/BitsPerComponent 8\r/ColorSpace /DeviceGray\r/Length 6 0 R") +
                "TTT\rendstream\r\n"),  // 84 is "T"
      std::string::npos);
}

BmpLayout Indexed(int32_t width, int32_t height, uint16_t bpp) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bpp = bpp;
  for (int e = 0; e < (1 << bpp); ++e) {
    layout.palette.insert(layout.palette.end(), {uint8_t(e), uint8_t(e / 2), 255, 0});
  }
  const int32_t stride = (width * bpp + 31) / 32 * 4;
  for (int32_t i = 0; i < stride * height; ++i) layout.pixels.push_back(uint8_t(0xA0 + i));
  return layout;
}

TEST(Images, OneBitRowsKeepTheirWholeBytes) {
  TempFolder dir;
  // 16 pixels: 2 bytes a row plus 2 of padding.
  const std::string file = WithBitmap(dir, BuildBmp(Indexed(16, 3, 1)), 0);
  const std::string head = ImageHead(
      16, 3, "/BitsPerComponent 1\r/ColorSpace [/Indexed /DeviceRGB 1 7 0 R]\r/Length 6 0 R");
  EXPECT_NE(file.find(head + "\xA0\xA1\xA4\xA5\xA8\xA9\rendstream\r\nendobj\r\n6 0 obj\r\n6\r\n"
                             "endobj\r\n7 0 obj\r\n<<\r\n/Length 6 >>\rstream\r\n"
                             "\xFF\x00\x00\xFF\x00\x01\rendstream\r\nendobj\r\n"
                             "8 0 obj\r\n"s),
            std::string::npos);
}

TEST(Images, EightAndFourBitPalettes) {
  TempFolder dir;
  std::string file = WithBitmap(dir, BuildBmp(Indexed(3, 2, 8)), 0);
  EXPECT_NE(file.find("/ColorSpace [/Indexed /DeviceRGB 255 7 0 R]"), std::string::npos);
  EXPECT_NE(file.find("7 0 obj\r\n<<\r\n/Length 768 >>\rstream\r\n"), std::string::npos);
  // Entry 200: blue 200, green 100, red 255.
  EXPECT_EQ(StreamData(file, 1).substr(600, 3), "\xFF\x64\xC8");
  file = WithBitmap(dir, BuildBmp(Indexed(3, 2, 8)), 1);
  EXPECT_NE(file.find("/ColorSpace [/Indexed /DeviceGray 255 7 0 R]"), std::string::npos);
  EXPECT_NE(file.find("7 0 obj\r\n<<\r\n/Length 256 >>\rstream\r\n"), std::string::npos);
  file = WithBitmap(dir, BuildBmp(Indexed(5, 1, 4)), 0);
  EXPECT_NE(file.find("/BitsPerComponent 4\r/ColorSpace [/Indexed /DeviceRGB 15 7 0 R]"),
            std::string::npos);
  EXPECT_EQ(StreamData(file, 0), "\xA0\xA1\xA2");
  EXPECT_NE(file.find("/Length 48 >>"), std::string::npos);
}

TEST(Images, PaletteAfterALargerHeaderAndShortLastRow) {
  BmpLayout layout = Indexed(2, 2, 8);
  layout.headerSize = 108;
  layout.pixels.resize(4 + 2);  // the last row's padding is absent
  const std::string file = BuildBmp(layout);
  BmpImage image;
  ASSERT_TRUE(DecodeBMP(std::vector<uint8_t>(file.begin(), file.end()), 0, image));
  EXPECT_EQ(image.ImgBuf, (std::vector<uint8_t>{0xA0, 0xA1, 0xA4, 0xA5}));
  EXPECT_EQ(image.ImgColor[3 * 3 + 1], 1);  // entry 3: green 3 / 2
}

// Bitmaps read from a file in several pieces: many rows at a time, and a
// row longer than a piece. Colour (x, y) as 0x00BBGGRR.
TEST(Images, LargeBitmapsReadInPiecesGiveEveryPixel) {
  TempFolder dir;
  const auto colour = [](int x, int y) { return uint32_t(x * 7 + y) * 0x10305u & 0xFFFFFFu; };
  for (const auto& [width, height] : {std::pair{700, 800}, std::pair{400000, 2}}) {
    WriteFile(dir / "large.bmp", Bmp24(width, height, colour));
    for (const int32_t space : {0, 1}) {
      BmpImage image;
      ASSERT_TRUE(ReadBMP((dir / "large.bmp").string(), space, image)) << width;
      std::vector<uint8_t> expected;
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const uint32_t c = colour(x, y);
          const auto r = uint8_t(c), g = uint8_t(c >> 8), b = uint8_t(c >> 16);
          if (space == 0) {
            expected.insert(expected.end(), {r, g, b});
          } else {
            expected.push_back(GreyLevel(r, g, b));
          }
        }
      }
      EXPECT_TRUE(image.ImgBuf == expected) << width << " x " << height << ", space " << space;
    }
  }
}

TEST(Images, Ascii85Streams) {
  TempFolder dir;
  std::string file = WithBitmap(dir, Bmp24(4, 1, [](int, int) { return 0u; }), 1, true);
  EXPECT_NE(file.find(ImageHead(4, 1, "/BitsPerComponent 8\r/ColorSpace /DeviceGray\r/Length 6 0 R",
                                true) +
                      "z~>\rendstream\r\nendobj\r\n6 0 obj\r\n3\r\nendobj\r\n"),
            std::string::npos);
  BmpLayout layout = Indexed(1, 1, 1);
  layout.pixels = {0, 0, 0, 0};
  file = WithBitmap(dir, BuildBmp(layout), 1, true);
  // One sample byte 0: "!!~>"; the grey palette 84, 84: "<)`" plus end.
  EXPECT_NE(file.find("!!~>\rendstream\r\nendobj\r\n6 0 obj\r\n4\r\nendobj\r\n7 0 obj\r\n<<\r\n"
                      "/Filter /ASCII85Decode\r/Length 5 >>\rstream\r\n<)`~>\rendstream\r\n"),
            std::string::npos);
}

TEST(Images, PlacementMatrix) {
  TempFolder dir;
  const std::string content = PageStream(OnePage(
      dir / "place.pdf", 3, Nothing, [](auto& pdf) { pdf.DrawImg("Pic", 1, 20, 2, 1.5f); }));
  EXPECT_EQ(content, "q\r56.693  0 0 -42.52 28.346 566.929 cm\r/Pic Do\rQ\r\n");
}

// Photos come compressed: their bytes go in as they are, behind their
// filter, and their rows run top-down, so the placement does not turn them.
TEST(Images, EncodedImagesKeepTheirBytesAndStandUpright) {
  TempFolder dir;
  EncodedImage jpeg{ImageFilter::Dct, 2, 1, false, false, {0xFF, 0xD8, 0xFF, 0xD9}};
  EncodedImage flate{ImageFilter::Flate, 3, 2, true, true, {0x78, 0x9C, 0x03, 0x00}};
  const std::string file = OnePage(
      dir / "encoded.pdf", 3,
      [&](clsPDFCreator& pdf) {
        pdf.LoadImgFromEncoded("Jpg", jpeg);
        pdf.LoadImgFromEncoded("Png", flate);
      },
      [](clsPDFCreator& pdf) {
        pdf.DrawImg("Jpg", 1, 20, 2, 1.5f);
        pdf.DrawImg("Png", 1, 20, 2, 1.5f);
      });
  EXPECT_NE(file.find("/Name /Jpg\r/Width 2\r/Height 1\r/Filter /DCTDecode\r\n"
                      "/BitsPerComponent 8\r/ColorSpace /DeviceRGB\r/Length 6 0 R\r\n>>\r"
                      "stream\r\n\xFF\xD8\xFF\xD9\rendstream\r\nendobj\r\n6 0 obj\r\n4\r\n"s),
            std::string::npos);
  EXPECT_NE(file.find("/Name /Png\r/Width 3\r/Height 2\r/Filter /FlateDecode\r\n"
                      "/BitsPerComponent 8\r/ColorSpace /DeviceGray\r/DecodeParms << /Predictor 15 "
                      "/Colors 1 /BitsPerComponent 8 /Columns 3 >>\r/Length 8 0 R\r\n"),
            std::string::npos);
  EXPECT_EQ(PageStream(file),
            "q\r56.693  0 0 42.52 28.346 524.409 cm\r/Jpg Do\rQ\r\n"
            "q\r56.693  0 0 42.52 28.346 524.409 cm\r/Png Do\rQ\r\n");
}

TEST(Images, ArraysMustMatchTheirLayout) {
  TempFolder dir;
  Writer w(dir / "arrays.pdf");
  ASSERT_TRUE(w.Open());
  auto code = [&](std::vector<uint8_t> buf, std::vector<uint8_t> pal, int32_t width, uint8_t bpp,
                  int32_t space) {
    try {
      w.pdf.LoadImgFromArray("A", buf, pal, width, 1, bpp, space);
    } catch (const PdfError& error) {
      return error.code() == PdfErrorCode::InvalidArgument;
    }
    return false;
  };
  EXPECT_TRUE(code({1, 2}, {}, 1, 24, 0));
  EXPECT_TRUE(code({1, 2, 3}, {}, 1, 24, 1));
  EXPECT_TRUE(code({1}, {}, 1, 16, 0));
  EXPECT_TRUE(code({1}, {1, 2, 3}, 1, 1, 0));
  EXPECT_TRUE(code({}, {}, 0, 24, 0));
  w.pdf.LoadImgFromArray("A", {9}, {1, 2}, 3, 1, 1, 7);
  w.pdf.ClosePDFFile();
  EXPECT_NE(ReadFile(w.file).find("5 0 obj\r\n<<\r/Type /XObject"), std::string::npos);
}

TEST(Images, MissingFileIsFalseAndNotCreated) {
  TempFolder dir;
  Writer w(dir / "missing.pdf");
  ASSERT_TRUE(w.Open());
  EXPECT_FALSE(w.pdf.LoadImgFromBMPFile("Pic", (dir / "nope.bmp").string(), 0));
  EXPECT_FALSE(std::filesystem::exists(dir / "nope.bmp"));
  EXPECT_FALSE(w.pdf.LoadImgFromBMPFile("Pic", dir.path().string(), 0));
  w.pdf.ClosePDFFile();
  EXPECT_EQ(ReadFile(w.file).find("/XObject"), std::string::npos);
}

}  // namespace
}  // namespace orvanta::test
