// One year's iCalendar file (every kind of fact: holidays, church feasts, moon
// phases, clock changes, commemorations, 24 notes and a shift on every day)
// gathered and written through the atomic file, and the text alone.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "almanac/ShiftCycle.h"
#include "app/core/export/ICalendar.h"
#include "app/core/export/YearFacts.h"
#include "app/core/run/JobRun.h"

namespace {
namespace fs = std::filesystem;

struct Scratch {
  Scratch() {
    dir = fs::temp_directory_path() / "orvanta-bench-icalendar";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "Turno.txt") << "3;M;M;P;P;N;N;R;R;";
    std::ofstream notes(dir / "Notes.dat", std::ios::binary);
    for (int day = 40551; day < 40900; day += 15)  // 24 notes through 2011
      notes << day << ",\"Compleanno di Anna; scadenza bolletta della luce e del gas\"\r\n";
    request.ics.path = (dir / "Orvanta.ics").string();
    request.notesFile = (dir / "Notes.dat").string();
    request.shiftFile = (dir / "Turno.txt").string();
    request.clock = [] { return std::time_t{0}; };
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  fs::path dir;
  orvanta::CalendarJob request;
};

void BM_WriteICalendarYear(benchmark::State& state) {
  Scratch scratch;
  for (auto _ : state) {
    const orvanta::JobResult result = orvanta::RunJob(scratch.request);
    if (!result.Written()) state.SkipWithError(result.detail.c_str());
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(scratch.request.ics.path));
}
BENCHMARK(BM_WriteICalendarYear)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Without the files and the disk: the facts and the text.
void BM_ICalendarTextOfAYear(benchmark::State& state) {
  const orvanta::ShiftCycle shifts = orvanta::ParseShiftCycle("3;M;M;P;P;N;N;R;R;");
  const orvanta::CalendarOptions options;
  for (auto _ : state) {
    const std::string text = orvanta::ICalendarText(
        2013, orvanta::GatherYearFacts(2013, options, {}, shifts), std::time_t{0});
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_ICalendarTextOfAYear)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
