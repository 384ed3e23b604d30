#pragma once

// Helpers shared by the writer's tests: temporary folders, a fixed clock,
// reading files back, cutting streams out of a written file, building bitmaps.

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "pdf/clsPDFCreator.h"

namespace orvanta::test {

// 2 January 2013, 03:04:05.
inline std::tm FixedTime() {
  std::tm t{};
  t.tm_year = 113;
  t.tm_mon = 0;
  t.tm_mday = 2;
  t.tm_hour = 3;
  t.tm_min = 4;
  t.tm_sec = 5;
  return t;
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder per test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("orvanta_pdf_" + std::string(info->test_suite_name()) + "_" + info->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A writer with the fixed clock and its messages collected.
struct Writer {
  clsPDFCreator pdf;
  std::vector<std::string> messages;
  std::string file;

  explicit Writer(const std::filesystem::path& path) : file(path.string()) {
    pdf.SetClock(FixedTime);
    pdf.SetRandomDigit([] { return 7; });
    pdf.SetMessageHandler([this](const std::string& title, const std::string& text) {
      messages.push_back(title + "|" + text);
    });
  }
  bool Open() { return pdf.InitPDFFile(file); }
};

// The data of the n-th image stream (0-based) of a written file: between
// "stream" CR LF and the CR that ends the data before "endstream".
inline std::string StreamData(const std::string& file, int n) {
  size_t at = 0;
  for (int i = 0; i <= n; ++i) {
    do {
      at = file.find("stream\r\n", at + 1);
      if (at == std::string::npos) return {};
    } while (file.compare(at - 3, 3, "end") == 0);
  }
  at += 8;
  return file.substr(at, file.find("\rendstream", at) - at);
}

// The value of "/Length k 0 R" for a stream: the body of object k.
inline std::string ObjectBody(const std::string& file, int number) {
  std::string head = "\r\n" + std::to_string(number) + " 0 obj\r\n";
  size_t at = file.find(head);
  if (at == std::string::npos) return {};
  at += head.size();
  return file.substr(at, file.find("\r\nendobj", at) - at);
}

// Little-endian bitmap files built field by field.
struct BmpLayout {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bpp = 24;
  uint32_t compression = 0;
  uint32_t headerSize = 40;
  std::vector<uint8_t> palette;  // 4 bytes per entry (blue, green, red, 0)
  std::vector<uint8_t> pixels;   // stored rows, padding included
  int64_t dataOffset = -1;       // -1: right after header and palette
};

inline void Put16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
inline void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline std::string BuildBmp(const BmpLayout& layout) {
  const uint32_t offset =
      layout.dataOffset >= 0
          ? static_cast<uint32_t>(layout.dataOffset)
          : static_cast<uint32_t>(14 + layout.headerSize + layout.palette.size());
  std::string s = "BM";
  Put32(s, static_cast<uint32_t>(offset + layout.pixels.size()));
  Put16(s, 0);
  Put16(s, 0);
  Put32(s, offset);
  Put32(s, layout.headerSize);
  Put32(s, static_cast<uint32_t>(layout.width));
  Put32(s, static_cast<uint32_t>(layout.height));
  Put16(s, 1);
  Put16(s, layout.bpp);
  Put32(s, layout.compression);
  Put32(s, static_cast<uint32_t>(layout.pixels.size()));
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, 0);
  Put32(s, 0);
  if (layout.headerSize > 40) s.append(layout.headerSize - 40, '\0');
  s.append(layout.palette.begin(), layout.palette.end());
  if (s.size() < offset) s.append(offset - s.size(), '\0');
  s.append(layout.pixels.begin(), layout.pixels.end());
  return s;
}

// A 24-bit bitmap whose pixel (x, y) from the bottom is colour(x, y) as
// 0x00BBGGRR; rows padded to four bytes.
template <typename ColourOf>
std::string Bmp24(int32_t width, int32_t height, ColourOf colour) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  const int32_t stride = (width * 24 + 31) / 32 * 4;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t c = colour(x, y);
      layout.pixels.push_back(static_cast<uint8_t>(c >> 16));
      layout.pixels.push_back(static_cast<uint8_t>(c >> 8));
      layout.pixels.push_back(static_cast<uint8_t>(c));
    }
    layout.pixels.resize(static_cast<size_t>(stride) * static_cast<size_t>(y + 1), 0);
  }
  return BuildBmp(layout);
}

}  // namespace orvanta::test

namespace orvanta::test {

// Writes a one-page document: `before` runs after the file is opened (fonts,
// images, forms), `draw` on the page. Returns the whole file.
template <typename Before, typename Draw>
std::string OnePage(const std::filesystem::path& path, int32_t scaleMode, Before before,
                    Draw draw) {
  Writer w(path);
  w.pdf.ScaleMode(scaleMode);
  EXPECT_TRUE(w.Open());
  before(w.pdf);
  w.pdf.BeginPage();
  draw(w.pdf);
  w.pdf.EndPage();
  w.pdf.ClosePDFFile();
  return ReadFile(path);
}

// The content stream of the n-th page (0-based) of a written file.
inline std::string PageStream(const std::string& file, int n = 0) {
  size_t at = 0;
  for (int i = 0; i <= n; ++i) {
    at = file.find("<< /Length ", at);
    if (at == std::string::npos) return {};
    at = file.find("stream\r\n", at) + 8;
  }
  return file.substr(at, file.find("endstream", at) - at);
}

inline void Nothing(clsPDFCreator&) {}

}  // namespace orvanta::test
