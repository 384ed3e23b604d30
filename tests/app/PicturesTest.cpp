// The user's pictures: the JPEG and PNG readers on small files kept in
// tests/data/pictures (made by its make-pictures script with ImageMagick and
// exiftool), the refusals, and the centre crop at 300 dpi.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/pictures/JpegReader.h"
#include "app/pictures/PictureFitting.h"
#include "app/pictures/PicturePreparation.h"
#include "app/pictures/PngReader.h"
#include "tests/support/TestFiles.h"

namespace orvanta {
namespace {

const std::string kPictures = std::string(ORVANTA_SOURCE_DIR) + "/tests/data/pictures/";

std::vector<std::uint8_t> Bytes(const std::string& name) {
  const std::string file = test::ReadFile(kPictures + name);
  return {file.begin(), file.end()};
}

struct Rgb {
  int r, g, b;
};

Rgb PixelAt(const Raster& raster, int x, int y) {
  const std::uint8_t* p = raster.pixels.data() + raster.RowBytes() * y + x * raster.channels;
  return raster.channels == 1 ? Rgb{p[0], p[0], p[0]} : Rgb{p[0], p[1], p[2]};
}

bool Near(Rgb got, Rgb want, bool grey) {
  if (grey) want.r = want.g = want.b = (want.r * 299 + want.g * 587 + want.b * 114) / 1000;
  return std::abs(got.r - want.r) < 40 && std::abs(got.g - want.g) < 40 &&
         std::abs(got.b - want.b) < 40;
}

// Every kind the readers take comes out upright, 32 x 24, with red top
// left, green top right, blue bottom left and white bottom right (white
// also where the PNG is transparent).
TEST(Pictures, EveryKindComesOutUpright) {
  const std::vector<std::string> files = {
      "baseline.jpg",      "progressive.jpg",   "grey.jpg",          "cmyk.jpg",
      "orientation-2.jpg", "orientation-3.jpg", "orientation-4.jpg", "orientation-5.jpg",
      "orientation-6.jpg", "orientation-7.jpg", "orientation-8.jpg", "palette.png",
      "grey16.png",        "interlaced16.png",  "alpha.png"};
  for (const std::string& name : files) {
    const bool png = name.ends_with(".png");
    const FittedPicture fitted =
        png ? FitPng(Bytes(name), {32, 24}) : FitJpeg(Bytes(name), {32, 24});
    const Raster& r = fitted.raster;
    ASSERT_EQ(r.width, 32) << name;
    ASSERT_EQ(r.height, 24) << name;
    const bool grey = name.starts_with("grey");
    EXPECT_EQ(r.channels, grey ? 1 : 3) << name;
    const Rgb topLeft = name == "alpha.png" ? Rgb{255, 255, 255} : Rgb{255, 0, 0};
    EXPECT_TRUE(Near(PixelAt(r, 4, 3), topLeft, grey)) << name;
    EXPECT_TRUE(Near(PixelAt(r, 27, 3), {0, 255, 0}, grey)) << name;
    EXPECT_TRUE(Near(PixelAt(r, 4, 20), {0, 0, 255}, grey)) << name;
    EXPECT_TRUE(Near(PixelAt(r, 27, 20), {255, 255, 255}, grey)) << name;
    // Only a picture that needs no change at all could go in as it is.
    EXPECT_EQ(fitted.untouched,
              name == "baseline.jpg" || name == "progressive.jpg" || name == "grey.jpg" || png)
        << name;
  }
}

TEST(Pictures, BadPicturesAreRefusedWithTheReason) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"truncated.jpg", "è un JPEG troncato"},
      {"badcrc.png", "controllo CRC"},
      {"bomb.jpg", "dichiara 60000 × 60000 pixel"},
      {"photo.heic", "HEIC"},
      {"picture.webp", "WebP"},
      {"scan.tiff", "TIFF"},
      {"drawing.svg", "SVG"},
      {"make-pictures", "non è un'immagine JPEG, PNG o bitmap"},
      {"manca.jpg", "non si può leggere"},
  };
  for (const auto& [name, reason] : cases) {
    const PreparedPicture prepared = PreparePictureFile(kPictures + name, kHeaderBox);
    EXPECT_EQ(prepared.kind, PreparedPicture::Kind::Unusable) << name;
    EXPECT_TRUE(test::Contains(prepared.problem, reason)) << name << ": " << prepared.problem;
  }
  // A bitmap is the writer's to read, however it looks.
  EXPECT_EQ(PreparePictureBytes(std::vector<std::uint8_t>{'B', 'M', 0}, kHeaderBox).kind,
            PreparedPicture::Kind::Bitmap);
}

// A phone's 4:3 photo in the 21 x 2.5 cm header shows its middle strip at
// 300 dpi (2480 pixels across); turned upright it is 3000 wide; a small
// picture is never enlarged.
TEST(Pictures, CentreCropAtThreeHundredDpi) {
  const PixelRect landscape = CentreCrop(4000, 3000, {21, 2.5});
  EXPECT_EQ((std::vector<int>{landscape.x, landscape.y, landscape.width, landscape.height}),
            (std::vector<int>{0, 1262, 4000, 476}));
  const PixelRect print = PrintPixels(landscape, {21, 2.5});
  EXPECT_EQ(print.width, 2480);
  EXPECT_EQ(print.height, 295);
  const PixelRect cover = CentreCrop(4000, 3000, {21, 24.7});
  EXPECT_EQ((std::vector<int>{cover.x, cover.width, cover.height}),
            (std::vector<int>{724, 2551, 3000}));
  const PixelRect small = PrintPixels(CentreCrop(300, 100, {21, 7}), {21, 7});
  EXPECT_EQ((std::vector<int>{small.width, small.height}), (std::vector<int>{300, 100}));

  // Each new pixel is the average of what it covers.
  Raster stripes{4, 1, 1, {0, 100, 200, 250}};
  EXPECT_EQ(ScaleDown(stripes, 2, 1).pixels, (std::vector<std::uint8_t>{50, 225}));
  EXPECT_EQ(ScaleDown(Raster{3, 1, 1, {0, 90, 180}}, 2, 1).pixels,
            (std::vector<std::uint8_t>{30, 150}));
}

// The twelve months of a folder: its pictures in name order, folders and
// other files left out.
TEST(Pictures, PicturesInFolderInNameOrder) {
  test::TempFolder dir;
  for (const char* name : {"b.JPG", "a.png", "c.jpeg", "d.bmp", "note.txt"})
    test::WriteFile(dir.path() / name, "x");
  std::filesystem::create_directory(dir.path() / "e.jpg");
  const std::string folder = dir.path().string() + "/";
  EXPECT_EQ(PicturesInFolder(dir.path().string()),
            (std::vector<std::string>{folder + "a.png", folder + "b.JPG", folder + "c.jpeg",
                                      folder + "d.bmp"}));
}

}  // namespace
}  // namespace orvanta
