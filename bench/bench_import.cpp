// Importing an address book of 5,000 contacts (vCard 3.0, as phones export
// them: names with accents, phones, e-mail, a birthday for four in five)
// into an empty notes file, and the same as a dry run without the writing.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/import/NotesImport.h"

namespace {
namespace fs = std::filesystem;

constexpr int kContacts = 5000;

std::string AddressBook() {
  static const char* const kGiven[] = {"Anna", "Niccolò", "Giulia", "Luca", "Chiara", "Sébastien"};
  static const char* const kFamily[] = {"Rossi", "Bianchi", "D'Angelo", "Gallo", "Esposito"};
  std::string book;
  for (int i = 0; i < kContacts; ++i) {
    const std::string given = kGiven[i % 6];
    const std::string family = std::string(kFamily[i % 5]) + " " + std::to_string(i);
    book += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + family + ";" + given + ";;;\r\nFN:" + given + " " +
            family + "\r\nTEL;type=CELL;type=VOICE;type=pref:+39 347 555 " +
            std::to_string(1000 + i) + "\r\nEMAIL;type=INTERNET;type=HOME:persona" +
            std::to_string(i) + "@example.org\r\n";
    if (i % 5 != 0) {
      const int month = 1 + i % 12;
      const int day = 1 + i % 28;
      book += "BDAY;VALUE=date:19" + std::to_string(50 + i % 50) + "-" + (month < 10 ? "0" : "") +
              std::to_string(month) + "-" + (day < 10 ? "0" : "") + std::to_string(day) + "\r\n";
    }
    book += "END:VCARD\r\n";
  }
  return book;
}

struct Scratch {
  Scratch() {
    dir = fs::temp_directory_path() / "orvanta-bench-import";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "rubrica.vcf", std::ios::binary) << AddressBook();
    request.inputFiles = {(dir / "rubrica.vcf").string()};
    request.notesFile = (dir / "Notes.dat").string();
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  fs::path dir;
  orvanta::NotesImportRequest request;
};

void Import(benchmark::State& state, bool dryRun) {
  Scratch scratch;
  scratch.request.dryRun = dryRun;
  for (auto _ : state) {
    fs::remove(scratch.request.notesFile);
    const orvanta::NotesImportOutcome outcome = orvanta::ImportNotes(scratch.request);
    if (outcome.status != orvanta::NotesImportOutcome::Status::Imported)
      state.SkipWithError(outcome.errors.front().c_str());
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(scratch.request.inputFiles[0]));
}

void BM_Import5000Contacts(benchmark::State& state) {
  Import(state, false);
}
BENCHMARK(BM_Import5000Contacts)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_Import5000ContactsDryRun(benchmark::State& state) {
  Import(state, true);
}
BENCHMARK(BM_Import5000ContactsDryRun)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
