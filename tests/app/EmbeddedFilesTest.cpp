// The guide and pictures compiled into the program, and writing the guide out.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/core/platform/Folders.h"
#include "app/core/run/EmbeddedFiles.h"
#include "pdf/BmpReader.h"
#include "pdf/PdfConstants.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestBitmaps.h"
#include "tests/support/TestFiles.h"

namespace orvanta {
namespace {

using test::Entries;
using test::ReadFile;
using test::RunProgram;
using test::RunResult;
using test::ScopedEnvironment;
using test::WriteFile;
namespace fs = std::filesystem;

const fs::path kResources = fs::path(ORVANTA_SOURCE_DIR) / "resources";

std::string Embedded(int id) {
  const std::span<const std::uint8_t> bytes = EmbeddedFile(id);
  return {bytes.begin(), bytes.end()};
}

std::uint32_t Le32(const std::string& b, size_t at) {
  std::uint32_t value = 0;
  for (size_t i = 4; i-- > 0;) value = value << 8 | static_cast<std::uint8_t>(b[at + i]);
  return value;
}

std::uint16_t Le16(const std::string& b, size_t at) {
  return static_cast<std::uint16_t>(Le32(b, at) & 0xFFFF);
}

// Run in a child process; root writes anywhere, so the child gives up root
// first. Exit code 0 when nothing could be written into `folder`.
[[noreturn]] void TryToWriteInto(const std::string& folder) {
  if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
  std::_Exit(WriteShiftGuide(folder).empty() ? 0 : 1);
}

class EmbeddedFilesTest : public ::testing::Test {
 protected:
  std::vector<std::string> Names() const { return Entries(dir_); }
  test::TempFolder folder_{"orvanta-embedded"};
  const fs::path dir_ = folder_.path();
};

TEST(EmbeddedFile, CatalogueMatchesTheFilesOfResources) {
  EXPECT_EQ(EmbeddedFileName(300), "Turno_Guida.htm");
  EXPECT_EQ(EmbeddedFileName(401), "1OV.bmp");
  EXPECT_EQ(EmbeddedFileName(412), "12OV.bmp");
  EXPECT_EQ(EmbeddedFileName(413), "13OV.bmp");
  EXPECT_EQ(EmbeddedFileName(425), "25OV.bmp");
  for (int unknown : {0, 299, 301, 400, 426, -401}) {
    EXPECT_EQ(EmbeddedFileName(unknown), "") << unknown;
    EXPECT_TRUE(EmbeddedFile(unknown).empty()) << unknown;
    EXPECT_TRUE(EmbeddedPictureSamples(unknown).rgb.empty()) << unknown;
  }
  const std::string guide = ReadFile(kResources / EmbeddedFileName(300));
  ASSERT_FALSE(guide.empty());
  EXPECT_EQ(Embedded(300), guide);
  // The pictures are carried once, as samples, not also as files.
  EXPECT_TRUE(EmbeddedPictureSamples(300).rgb.empty());
  for (int id = 401; id <= 425; ++id) EXPECT_TRUE(EmbeddedFile(id).empty()) << id;
}

// The samples prepared at build time are exactly what the writer's reader
// makes of each bitmap of resources/, RGB and grey; the two clocks stay in
// colour on a monochrome page and carry no grey.
TEST(EmbeddedFile, PictureSamplesAreWhatTheReaderDecodes) {
  for (int id = 401; id <= 425; ++id) {
    SCOPED_TRACE(EmbeddedFileName(id));
    const std::string file = ReadFile(kResources / EmbeddedFileName(id));
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(file.data()),
                                              file.size());
    BmpImage rgb;
    BmpImage grey;
    ASSERT_TRUE(DecodeBMP(bytes, kColorSpaceRgb, rgb));
    ASSERT_TRUE(DecodeBMP(bytes, kColorSpaceGrey, grey));
    const ProgramPicture samples = EmbeddedPictureSamples(id);
    EXPECT_EQ(samples.width, rgb.ImgWidth);
    EXPECT_EQ(samples.height, rgb.ImgHeight);
    EXPECT_TRUE(std::ranges::equal(samples.rgb, rgb.ImgBuf));
    const bool clock = id == 413 || id == 414;
    EXPECT_TRUE(
        std::ranges::equal(samples.grey, clock ? std::vector<std::uint8_t>{} : grey.ImgBuf));
  }
}

TEST(EmbeddedFile, PicturesAreUncompressed24BitBitmapsOfTheRightSizes) {
  bool widthWithPadding = false;
  for (int n = 1; n <= 25; ++n) {
    SCOPED_TRACE("picture " + std::to_string(n));
    const std::string bmp = ReadFile(kResources / EmbeddedFileName(400 + n));
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Le32(bmp, 2), bmp.size());
    EXPECT_EQ(Le32(bmp, 10), 54u);  // pixels right after the 40-byte info header
    EXPECT_EQ(Le32(bmp, 14), 40u);
    const auto width = static_cast<std::int32_t>(Le32(bmp, 18));
    const auto height = static_cast<std::int32_t>(Le32(bmp, 22));  // positive: bottom-up
    EXPECT_EQ(Le16(bmp, 26), 1);
    EXPECT_EQ(Le16(bmp, 28), 24);
    EXPECT_EQ(Le32(bmp, 30), 0u);  // no compression
    const std::int32_t stride = (width * 3 + 3) / 4 * 4;
    EXPECT_EQ(bmp.size(), 54u + static_cast<size_t>(stride) * height);
    if (n <= 12) {
      EXPECT_EQ(width, 120);
      EXPECT_TRUE(height == 100 || height == 106) << height;
    } else {
      EXPECT_GE(width, 118);
      EXPECT_LE(width, 172);
      EXPECT_GE(height, 118);
      EXPECT_LE(height, 172);
      EXPECT_LE(std::abs(width - height), 4);
    }
    widthWithPadding = widthWithPadding || width % 4 != 0;
  }
  EXPECT_TRUE(widthWithPadding) << "no picture exercises row padding";
}

// The build step: a bitmap its reader refuses gets no samples (the calendar
// leaves it out) but still its row; --colour-only spares the grey samples;
// and the source is written whole.
TEST_F(EmbeddedFilesTest, BuildStepLeavesOutWhatTheReaderRefuses) {
  WriteFile(dir_ / "1OV.bmp", test::Bitmap24(2, 1));
  WriteFile(dir_ / "2OV.bmp", test::Bitmap24(2, 1).substr(0, 40));
  WriteFile(dir_ / "3OV.bmp", test::Bitmap24(1, 1));
  const fs::path source = dir_ / "Pictures.cpp";
  const RunResult run =
      RunProgram(dir_, ORVANTA_PREPARE_PICTURES,
                 {source.string(), (dir_ / "1OV.bmp").string(), "--colour-only",
                  (dir_ / "2OV.bmp").string(), "--colour-only", (dir_ / "3OV.bmp").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("2OV.bmp is not a usable bitmap"), std::string::npos) << run.err;
  const std::string text = ReadFile(source);
  EXPECT_NE(text.find("{\"1OV.bmp\", kRgb0, kGrey0, 2, 1},"), std::string::npos) << text;
  EXPECT_NE(text.find("{\"2OV.bmp\", {}, {}, 0, 0},"), std::string::npos);
  EXPECT_NE(text.find("{\"3OV.bmp\", kRgb2, {}, 1, 1},"), std::string::npos);
  EXPECT_EQ(text.find("kGrey2"), std::string::npos);
  // An output it cannot write fails the build step.
  EXPECT_NE(RunProgram(dir_, ORVANTA_PREPARE_PICTURES, {(dir_ / "no" / "x.cpp").string()}).exitCode,
            0);
}

TEST(EmbeddedFile, GuideIsAnItalianUtf8Page) {
  const std::string guide = Embedded(300);
  EXPECT_EQ(guide.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(guide.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(guide.find("lang=\"it\""), std::string::npos);
  for (const char* topic : {"Turno.txt", "5;M;P;P;S;R;", "210 mm × 25 mm", "100 mm × 12 mm",
                            "24 bit", "Gestione note", "chiudere"}) {
    EXPECT_NE(guide.find(topic), std::string::npos) << topic;
  }
}

TEST_F(EmbeddedFilesTest, PlantedSymlinksAreRefusedAndTheirTargetsUntouched) {
  const fs::path target = dir_ / "target.txt";
  WriteFile(target, "keep");
  fs::create_symlink(target, dir_ / "Turno_Guida.htm");
  EXPECT_EQ(WriteShiftGuide(dir_.string()), "");
  EXPECT_EQ(ReadFile(target), "keep");
}

TEST_F(EmbeddedFilesTest, GuideGoesIntoThePrivateTemporaryFolder) {
  const std::string path = WriteShiftGuide(dir_.string() + "/");
  EXPECT_EQ(path, (dir_ / "Turno_Guida.htm").string());
  EXPECT_EQ(ReadFile(path), Embedded(300));

  // The form without arguments writes into a folder only the user can enter,
  // not straight into the shared temporary folder.
  // An earlier folder of ours that the group could enter is made private.
  const ScopedEnvironment tmpdir("TMPDIR", dir_.c_str());
  const ScopedEnvironment runtime("XDG_RUNTIME_DIR", nullptr);
  const fs::path earlier = dir_ / ("orvanta-" + std::to_string(::geteuid()));
  fs::create_directory(earlier);
  fs::permissions(earlier, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  const std::string privateFolder = PrivateTempFolder();
  const std::string written = WriteShiftGuide();
  EXPECT_EQ(written, privateFolder + "Turno_Guida.htm");
  EXPECT_EQ(fs::status(privateFolder).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_EQ(ReadFile(written), Embedded(300));
}

TEST_F(EmbeddedFilesTest, UnwritableFoldersWriteNothing) {
  EXPECT_EQ(WriteShiftGuide(""), "");
  EXPECT_EQ(WriteShiftGuide((dir_ / "missing").string()), "");

  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read |
                            fs::perms::others_exec);
  EXPECT_EXIT(TryToWriteInto(dir_.string()), ::testing::ExitedWithCode(0), "");
  EXPECT_TRUE(Names().empty());
}

}  // namespace
}  // namespace orvanta
