// One whole calendar (every option, all 25 pictures, notes and a shift cycle)
// composed in-process into a file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "almanac/DayNumber.h"
#include "almanac/ShiftCycle.h"
#include "app/core/run/EmbeddedFiles.h"
#include "base/AtomicFile.h"
#include "calendar/ComposeCalendar.h"

namespace {
namespace fs = std::filesystem;

struct Scratch {
  Scratch() {
    dir = fs::temp_directory_path() / "orvanta-bench-compose";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "Turno.txt") << "3;M;M;P;P;N;N;R;R;";
    output = (dir / "Orvanta.pdf").string();
    env.pictures = [](int n) {
      return orvanta::EmbeddedPictureSamples(orvanta::kFirstZodiacImageId - 1 + n);
    };
    env.clock = [] { return std::tm{}; };
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  fs::path dir;
  std::string output;
  orvanta::ComposeEnvironment env;
};

void BM_ComposeFullCalendar(benchmark::State& state) {
  Scratch scratch;
  for (auto _ : state) {
    orvanta::CalendarOptions options;  // every option on
    options.CustomTopText = "Famiglia Rossi";
    options.CustomDownText = "Buone feste a tutti";
    std::vector<orvanta::NoteEntry> notes;
    for (int m = 1; m <= 12; ++m) {
      notes.push_back({*orvanta::MakeDayNumber(2013, m, 9), "Compleanno di Anna"});
      notes.push_back({*orvanta::MakeDayNumber(2013, m, 20), "Scadenza bolletta della luce"});
    }
    const orvanta::PreparedYear year = orvanta::PrepareYear(
        options, std::move(notes), orvanta::LoadShiftCycle((scratch.dir / "Turno.txt").string()));
    std::unique_ptr<orvanta::AtomicFile> file;
    if (!orvanta::AtomicFile::Create(scratch.output, file)) state.SkipWithError("no file");
    const auto result = orvanta::ComposeCalendar(
        year, scratch.env, [&](std::string_view bytes) { return file->Write(bytes); });
    benchmark::DoNotOptimize(result);
    if (!result.Written() || !file->Commit()) state.SkipWithError("not written");
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(scratch.output));
}
BENCHMARK(BM_ComposeFullCalendar)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
