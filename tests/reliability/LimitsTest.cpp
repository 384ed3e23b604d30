// Inputs far beyond anything sensible, through the real executable: a 100 MB
// Turno.txt and Notes.dat, bitmaps claiming 100000 x 100000 pixels, a header
// text of 10,000 characters, control characters and characters Windows-1252
// lacks in every text. Each run must end in bounded time and memory, with
// the calendar written (what cannot be used is left out) or a clear message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iostream>

#include "base/Windows1252.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestBitmaps.h"
#include "tests/support/TestFiles.h"

namespace orvanta::reliability {

using namespace orvanta::test;
namespace {

constexpr double kExtraSeconds = 2;
constexpr long kExtraMemoryKb = 64 * 1024;

// The file header and information header of an uncompressed bitmap of the
// given size, palette included; the pixel data is not part of it.
std::string BitmapHead(std::int32_t width, std::int32_t height, int bpp) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bpp = static_cast<std::uint16_t>(bpp);
  for (int i = 0; bpp <= 8 && i < 1 << bpp; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 255);
    layout.palette.insert(layout.palette.end(), {grey, grey, grey, 0});
  }
  return BuildBmp(layout);
}

// prefix, `count` times `filler`, suffix; written piece by piece, so that the
// test itself (whose memory a child shares until it starts the program) stays small.
void WriteRepeated(const fs::path& path, const std::string& prefix, char filler,
                   std::uint64_t count, const std::string& suffix) {
  std::ofstream out(path, std::ios::binary);
  out << prefix;
  const std::string chunk(1024 * 1024, filler);
  for (std::uint64_t left = count; left > 0;) {
    const std::uint64_t n = std::min<std::uint64_t>(left, chunk.size());
    out.write(chunk.data(), static_cast<std::streamsize>(n));
    left -= n;
  }
  out << suffix;
}

std::uint64_t PixelBytes(std::uint64_t width, std::uint64_t height, std::uint64_t bpp) {
  return (width * bpp + 31) / 32 * 4 * height;
}

class Limits : public ::testing::Test {
 protected:
  void SetUp() override {
    exe_ = PrivateOrvanta(folder_.path());
    WriteFile(folder_ / "Notes.dat", "40558,\"Compleanno di Anna\"\r\n");
    WriteFile(folder_ / "Turno.txt", "1;Mattino;Pomeriggio;Notte;Riposo;");
    baseline_ = Calendar({});
    ASSERT_EQ(baseline_.exitCode, 0) << baseline_.err;
  }

  // One calendar with every option on, into calendario.pdf.
  RunResult Calendar(const std::vector<std::string>& options) {
    std::vector<std::string> args = {"--year", "2013", "--output", Pdf().string()};
    args.insert(args.end(), options.begin(), options.end());
    return RunProgram(folder_.path(), exe_.string(), args);
  }

  fs::path Pdf() const { return folder_ / "calendario.pdf"; }

  // The run took little more time and memory than an ordinary calendar.
  void ExpectBounded(const RunResult& run, const std::string& what) const {
    std::cout << what << ": " << run.seconds << " s, " << run.maxRssKb / 1024 << " MB (ordinary "
              << baseline_.seconds << " s, " << baseline_.maxRssKb / 1024 << " MB)\n";
    EXPECT_LT(run.seconds, baseline_.seconds + kExtraSeconds * kSlowdown) << what;
    EXPECT_LT(run.maxRssKb, baseline_.maxRssKb + kExtraMemoryKb) << what;
  }

  // A written calendar that qpdf finds clean; its text.
  std::string CheckedText(const RunResult& run, const std::string& what) {
    EXPECT_EQ(run.exitCode, 0) << what << ": " << run.err;
    EXPECT_EQ(run.out, Pdf().string() + "\n") << what;
    const RunResult check = RunProgram(folder_.path(), "qpdf", {"--check", Pdf().string()});
    EXPECT_EQ(check.exitCode, 0) << what << ": " << check.out << check.err;
    EXPECT_LT(fs::file_size(Pdf()), 8u * 1024 * 1024) << what;
    return PdfText(folder_.path(), Pdf());
  }

  TempFolder folder_;
  fs::path exe_;
  RunResult baseline_;
};

TEST_F(Limits, HundredMegabyteShiftAndNotesFiles) {
  // Sensible content followed by 100 MB of zero bytes (sparse: costs no disk).
  const std::uint64_t hundredMb = 100u * 1024 * 1024;
  fs::resize_file(folder_ / "Notes.dat", hundredMb);
  fs::resize_file(folder_ / "Turno.txt", hundredMb);
  RunResult run = Calendar({});
  ExpectBounded(run, "100 MB of zero bytes");
  std::string text = CheckedText(run, "100 MB of zero bytes");
  EXPECT_TRUE(Contains(text, "Compleanno di Anna"));  // the record before the zeros
  EXPECT_FALSE(Contains(text, "Mattino"));            // an oversized shift file is unusable

  // 100 MB of empty lines after a record: the first one ends the reading.
  WriteRepeated(folder_ / "Notes.dat", "40559,\"Dentista\"\r\n", '\n', hundredMb, "");
  run = Calendar({});
  ExpectBounded(run, "100 MB of empty lines");
  text = CheckedText(run, "100 MB of empty lines");
  EXPECT_TRUE(Contains(text, "Dentista"));

  // One line of 100 MB.
  WriteRepeated(folder_ / "Turno.txt", "1;", 'M', hundredMb, ";");
  run = Calendar({});
  ExpectBounded(run, "a 100 MB shift entry");
  EXPECT_FALSE(Contains(CheckedText(run, "a 100 MB shift entry"), "MMMM"));
}

TEST_F(Limits, BitmapsClaimingHundredThousandSquarePixels) {
  // The claim alone: the file holds no pixels.
  for (const int bpp : {1, 8, 24}) {
    const std::string what = "a " + std::to_string(bpp) + "-bit claim";
    WriteFile(folder_ / "enorme.bmp", BitmapHead(100000, 100000, bpp) + std::string(4096, '\x55'));
    fs::remove(Pdf());
    const RunResult run = Calendar({"--header-image", (folder_ / "enorme.bmp").string(),
                                    "--footer-image", (folder_ / "enorme.bmp").string()});
    ExpectBounded(run, what);
    // Refused with the option, before anything is written.
    EXPECT_EQ(run.exitCode, 2) << what << ": " << run.err;
    EXPECT_FALSE(fs::exists(Pdf())) << what;
  }
}

// The same claims backed by a (sparse) file that really holds all the pixels:
// 1.25 GB at 1 bit, 30 GB at 24 bits. Without a size limit in the bitmap
// reader the 1-bit file was read, copied and written whole (about 20 s,
// 2.4 GB of memory, a 1.25 GB calendar) and the 24-bit one failed with
// std::bad_alloc.
TEST_F(Limits, BitmapsHoldingHundredThousandSquarePixels) {
  for (const int bpp : {1, 24}) {
    const std::string what = "a full " + std::to_string(bpp) + "-bit file";
    const fs::path path = folder_ / "enorme.bmp";
    WriteFile(path, BitmapHead(100000, 100000, bpp));
    fs::resize_file(
        path, fs::file_size(path) + PixelBytes(100000, 100000, static_cast<std::uint64_t>(bpp)));
    fs::remove(Pdf());
    const RunResult run = Calendar({"--header-image", path.string()});
    fs::remove(path);
    ExpectBounded(run, what);
    EXPECT_EQ(run.exitCode, 2) << what << ": " << run.err;
    EXPECT_FALSE(fs::exists(Pdf())) << what;
  }
}

// A 1 x 1 bitmap whose pixel offset or header size points almost 4 GB into
// a sparse file. The reader used to read the file up to there (5 to 25 s,
// 4 GB of memory) and then accept it.
TEST_F(Limits, BitmapsPointingFourGigabytesIntoTheirFile) {
  const std::uint64_t far = 0xFFFFFF00;
  const fs::path path = folder_ / "lontano.bmp";
  for (const bool header : {false, true}) {
    const std::string what = header ? "a header of 4 GB" : "pixels 4 GB in";
    std::string head = BitmapHead(1, 1, 24);
    const std::size_t field = header ? 14 : 10;
    for (int i = 0; i < 4; ++i) head[field + i] = static_cast<char>(far >> (8 * i));
    WriteFile(path, head + std::string(4, '\x55'));
    fs::resize_file(path, far + 64);
    fs::remove(Pdf());
    const RunResult run = Calendar({"--header-image", path.string()});
    fs::remove(path);
    ExpectBounded(run, what);
    // Refused: the option itself, or the picture in a calendar written without it.
    if (run.exitCode != 2) {
      CheckedText(run, what);
      EXPECT_FALSE(Contains(ReadFile(Pdf()), "/ImgTop")) << what;
    }
  }
}

// A shift file at its size limit: one entry of nearly 1 MB used to make a
// 385 MB calendar in 21 s; a million empty entries.
TEST_F(Limits, ShiftFilesAtTheirSizeLimit) {
  const std::uint64_t limit = 1024 * 1024;
  WriteRepeated(folder_ / "Turno.txt", "1;", 'M', limit - 3, ";");
  RunResult run = Calendar({});
  ExpectBounded(run, "one shift entry of 1 MB");
  EXPECT_TRUE(Contains(CheckedText(run, "one shift entry of 1 MB"), "MMMM"));

  WriteRepeated(folder_ / "Turno.txt", "1;", ';', limit - 2, "");
  run = Calendar({});
  ExpectBounded(run, "a million empty shift entries");
  CheckedText(run, "a million empty shift entries");
}

TEST_F(Limits, LongTextsControlCharactersAndCharactersOutsideWindows1252) {
  // Japanese, an emoji, the euro sign (which Windows-1252 has), C0 and C1
  // controls and a terminal escape, in every text the user writes.
  const std::string odd = "\u65E5\u672C \U0001F600 \u20AC \x01\t\x1B[31m\u0085\u00E8";
  // Notes.dat holds Windows-1252: what that code page lacks is stored as "?".
  WriteFile(folder_ / "Notes.dat",
            "40558,\"Anna " + Utf8ToWindows1252(odd) + "\"\r\n40559,\"Dentista\"\r\n");
  WriteFile(folder_ / "Turno.txt", "1;Mattino " + odd + ";Notte;");
  std::string header = "Famiglia Rossi " + odd;
  while (header.size() < 10000) header += "Rossi " + odd;
  const RunResult run = Calendar(
      {"--header-text", header, "--footer-text", "Piede " + odd + std::string(10000, 'p')});
  ExpectBounded(run, "10,000 characters and odd ones");
  const std::string text = CheckedText(run, "10,000 characters and odd ones");
  EXPECT_TRUE(Contains(text, "Famiglia Rossi ?? ? \u20AC")) << text.substr(0, 400);
  EXPECT_TRUE(Contains(text, "Piede ?? ? \u20AC"));
  EXPECT_TRUE(Contains(text, "Anna ?? ? \u20AC"));
  EXPECT_TRUE(Contains(text, "Dentista"));
  EXPECT_TRUE(Contains(text, "Mattino"));
  EXPECT_FALSE(Contains(text, "pppppppppppppppppppppppppppppp"));  // the footer stops at 30
}

}  // namespace
}  // namespace orvanta::reliability
