// Decoding and placing the twelve photos of a calendar: each JPEG or PNG of
// the folder in ORVANTA_PHOTOS (scripts/photo-calendar makes twelve
// 12-megapixel ones) read, turned upright, cut to the header band, scaled to
// 300 dpi, compressed and loaded into a writer. Reports the peak memory of
// the process beside the time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/pictures/PicturePreparation.h"
#include "pdf/clsPDFCreator.h"

namespace {

std::vector<std::string> Photos() {
  const char* folder = std::getenv("ORVANTA_PHOTOS");
  if (folder == nullptr) return {};
  std::vector<std::string> photos = orvanta::PicturesInFolder(folder);
  if (photos.size() > 12) photos.resize(12);
  return photos;
}

void BM_PrepareAndPlaceTwelvePhotos(benchmark::State& state) {
  const std::vector<std::string> photos = Photos();
  if (photos.empty()) {
    state.SkipWithError("ORVANTA_PHOTOS names no folder of photos");
    return;
  }
  const std::string out = (std::filesystem::temp_directory_path() / "bench-photos.pdf").string();
  std::size_t bytes = 0;
  for (auto _ : state) {
    orvanta::clsPDFCreator pdf;
    std::string name = out;
    if (!pdf.InitPDFFile(name)) state.SkipWithError("cannot write");
    for (std::size_t i = 0; i < photos.size(); ++i) {
      const orvanta::PreparedPicture prepared =
          orvanta::PreparePictureFile(photos[i], orvanta::kHeaderBox);
      if (prepared.kind != orvanta::PreparedPicture::Kind::Photo)
        state.SkipWithError("not a photo");
      bytes += prepared.photo.data.size();
      pdf.LoadImgFromEncoded("ImgTop" + std::to_string(i + 1), prepared.photo);
    }
    pdf.BeginPage();
    for (std::size_t i = 0; i < photos.size(); ++i)
      pdf.DrawImg("ImgTop" + std::to_string(i + 1), 0, 29.7f, 21, 2.5f);
    pdf.EndPage();
    pdf.ClosePDFFile();
  }
  std::filesystem::remove(out);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
  state.counters["pdf_bytes_per_run"] =
      static_cast<double>(bytes) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PrepareAndPlaceTwelvePhotos)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
