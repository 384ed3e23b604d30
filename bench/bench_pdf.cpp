// Throughput of the PDF writer: content lines through the text, path and
// colour operations, and 24-bit bitmap data loaded as images.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "pdf/clsPDFCreator.h"

namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

// A document restarted now and then so that the file stays small.
class Document {
 public:
  Document(std::string path, bool withPage) : path_(std::move(path)), withPage_(withPage) {
    Start();
  }
  ~Document() {
    Finish();
    std::filesystem::remove(path_);
  }
  orvanta::clsPDFCreator& pdf() { return *pdf_; }
  void Restart() {
    Finish();
    Start();
  }

 private:
  void Start() {
    pdf_ = std::make_unique<orvanta::clsPDFCreator>();
    pdf_->ScaleMode(3);
    std::string path = path_;
    if (!pdf_->InitPDFFile(path)) throw std::runtime_error("cannot open " + path);
    pdf_->LoadFont("Fn1", "Arial", 0);
    if (withPage_) pdf_->BeginPage();
  }
  void Finish() {
    if (withPage_) pdf_->EndPage();
    pdf_->ClosePDFFile();
  }

  std::string path_;
  bool withPage_;
  std::unique_ptr<orvanta::clsPDFCreator> pdf_;
};

// Per round: DrawText (5 lines), LineTo with stroke (2 lines), SetColorFill (1 line).
void BM_ContentLines(benchmark::State& state) {
  Document doc(TempPath("orvanta_bench_lines.pdf"), true);
  int64_t rounds = 0;
  float y = 1.0f;
  for (auto _ : state) {
    auto& pdf = doc.pdf();
    pdf.DrawText(2.5f, y, "Lunedì 14 gennaio", "Fn1", 10.5f, 2);
    pdf.LineTo(18.25f, y + 0.125f, 1);
    pdf.SetColorFill(static_cast<int32_t>(rounds & 0xFFFFFF));
    y = y > 28.0f ? 1.0f : y + 0.37f;
    if (++rounds % 200000 == 0) {
      state.PauseTiming();
      doc.Restart();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(rounds * 8);
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(rounds * 8), benchmark::Counter::kIsRate);
}

std::string WriteBitmap(int32_t width, int32_t height) {
  const std::string path = TempPath("orvanta_bench_" + std::to_string(width) + ".bmp");
  const int32_t stride = (width * 24 + 31) / 32 * 4;
  std::string bytes = "BM";
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  auto put16 = [&](uint16_t v) {
    bytes += static_cast<char>(v & 0xFF);
    bytes += static_cast<char>(v >> 8);
  };
  put32(static_cast<uint32_t>(54 + stride * height));
  put32(0);
  put32(54);
  put32(40);
  put32(static_cast<uint32_t>(width));
  put32(static_cast<uint32_t>(height));
  put16(1);
  put16(24);
  for (int i = 0; i < 6; ++i) put32(0);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < stride; ++x) bytes += static_cast<char>((x * 7 + y * 3) & 0xFF);
  }
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Loads a 2001 x 1500 24-bit bitmap (rows padded) as an image; bytes counted
// are the pixel data of the file.
void BM_ImageLoad(benchmark::State& state) {
  const int32_t width = 2001;
  const int32_t height = 1500;
  const std::string bmp = WriteBitmap(width, height);
  const auto colorSpace = static_cast<int32_t>(state.range(0));
  Document doc(TempPath("orvanta_bench_images.pdf"), false);
  int64_t loads = 0;
  for (auto _ : state) {
    if (!doc.pdf().LoadImgFromBMPFile("Img" + std::to_string(loads), bmp, colorSpace)) {
      state.SkipWithError("bitmap refused");
      break;
    }
    if (++loads % 20 == 0) {
      state.PauseTiming();
      doc.Restart();
      state.ResumeTiming();
    }
  }
  state.SetBytesProcessed(loads * int64_t{width} * height * 3);
  std::filesystem::remove(bmp);
}

}  // namespace

// Wall-clock time: writing to the file is part of the work.
BENCHMARK(BM_ContentLines)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_ImageLoad)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
