#pragma once

// Helpers shared by the writer's tests: a writer with a fixed clock, one-page
// documents, cutting streams and objects out of a written file.

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "pdf/clsPDFCreator.h"
#include "tests/support/PdfPages.h"
#include "tests/support/TestBitmaps.h"
#include "tests/support/TestFiles.h"

namespace orvanta::test {

// 2 January 2013, 03:04:05 in an Italian winter.
inline std::tm FixedTime() {
  std::tm t{};
  t.tm_year = 113;
  t.tm_mon = 0;
  t.tm_mday = 2;
  t.tm_hour = 3;
  t.tm_min = 4;
  t.tm_sec = 5;
  t.tm_gmtoff = 3600;
  return t;
}

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

inline void Nothing(clsPDFCreator&) {}

}  // namespace orvanta::test
