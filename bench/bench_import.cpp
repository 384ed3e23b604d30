// Importing an address book of 5,000 contacts (vCard 3.0, as phones export
// them: names with accents, phones, e-mail, a birthday for four in five)
// into an empty notes file, and the same as a dry run without the writing;
// and one of 100,000 contacts with addresses and notes (50 MB), whose time
// and memory must grow with the file alone (run it under /usr/bin/time -v
// with --benchmark_filter=100000 for the peak).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/import/NotesImport.h"

namespace {
namespace fs = std::filesystem;

// About 500 bytes: an address and a note, as a full address book has them.
std::string Details(int i) {
  return "ADR;type=HOME:;;Via Giuseppe Garibaldi " + std::to_string(i % 300) +
         ";Città di Castello;PG;06012;Italia\r\nNOTE:Conosciuto al corso di fotografia del "
         "circolo culturale\\, chiamare la sera dopo le sette\\; preferisce i messaggi alle "
         "telefonate\\, regali: libri di storia e musica classica\r\nURL:https://example.org/"
         "persone/" +
         std::to_string(i) + "\r\n";
}

std::string AddressBook(int contacts, bool detailed) {
  static const char* const kGiven[] = {"Anna", "Niccolò", "Giulia", "Luca", "Chiara", "Sébastien"};
  static const char* const kFamily[] = {"Rossi", "Bianchi", "D'Angelo", "Gallo", "Esposito"};
  std::string book;
  for (int i = 0; i < contacts; ++i) {
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
    if (detailed) book += Details(i);
    book += "END:VCARD\r\n";
  }
  return book;
}

struct Scratch {
  Scratch(int contacts, bool detailed) {
    dir = fs::temp_directory_path() / "orvanta-bench-import";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "rubrica.vcf", std::ios::binary) << AddressBook(contacts, detailed);
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

void Import(benchmark::State& state, bool dryRun, int contacts = 5000, bool detailed = false) {
  Scratch scratch(contacts, detailed);
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

void BM_Import100000Contacts50MB(benchmark::State& state) {
  Import(state, true, 100000, true);
}
BENCHMARK(BM_Import100000Contacts50MB)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
