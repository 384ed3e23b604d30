// One whole calendar (every option, all 25 pictures, notes and a shift cycle)
// composed in-process into a file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "almanac/DayNumber.h"
#include "app/core/EmbeddedFiles.h"
#include "calendar/ComposeCalendar.h"

namespace {
namespace fs = std::filesystem;

struct Scratch {
  Scratch() {
    dir = fs::temp_directory_path() / "orvanta-bench-compose";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "Turno.txt") << "3;M;M;P;P;N;N;R;R;";
    env.outputFile = (dir / "Orvanta.pdf").string();
    env.pictures = [](int n) {
      return orvanta::EmbeddedFile(orvanta::kFirstZodiacImageId - 1 + n);
    };
    env.shiftFile = (dir / "Turno.txt").string();
    env.loadNotes = [](int year) {
      std::vector<orvanta::NoteEntry> notes;
      for (int m = 1; m <= 12; ++m) {
        notes.push_back({*orvanta::MakeDayNumber(year, m, 9), "Compleanno di Anna"});
        notes.push_back({*orvanta::MakeDayNumber(year, m, 20), "Scadenza bolletta della luce"});
      }
      return notes;
    };
    env.clock = [] { return std::tm{}; };
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  fs::path dir;
  orvanta::ComposeEnvironment env;
};

void BM_ComposeFullCalendar(benchmark::State& state) {
  Scratch scratch;
  for (auto _ : state) {
    orvanta::CalendarOptions options;  // every option on
    options.CustomTopText = "Famiglia Rossi";
    options.CustomDownText = "Buone feste a tutti";
    const auto result = orvanta::ComposeCalendar(options, scratch.env);
    benchmark::DoNotOptimize(result);
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(scratch.env.outputFile));
}
BENCHMARK(BM_ComposeFullCalendar)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
