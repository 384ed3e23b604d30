// Every committed fuzz input (the seed corpora and the inputs that once
// crashed or broke a promise) replayed through the same target functions that
// libFuzzer runs, so that they run with every build of the suite, the
// sanitizer build included.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/TestFiles.h"

namespace orvanta::fuzz {

struct FuzzFinding : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void Finding(const char* what, const char* file, int line) {
  throw FuzzFinding(std::string(what) + " (" + file + ":" + std::to_string(line) + ")");
}

namespace {

namespace fs = std::filesystem;

using Target = int (*)(const std::uint8_t*, std::size_t);

std::vector<fs::path> Inputs(const std::string& target) {
  std::vector<fs::path> files;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path folder = fs::path(ORVANTA_FUZZ_DIR) / kind / target;
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

void Replay(const std::string& target, Target run) {
  const std::vector<fs::path> files = Inputs(target);
  EXPECT_FALSE(files.empty()) << "no corpus for " << target;
  for (const fs::path& file : files) {
    const std::string bytes = test::ReadFile(file);
    try {
      run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    } catch (const std::exception& e) {
      ADD_FAILURE() << file.lexically_relative(ORVANTA_FUZZ_DIR).string() << ": " << e.what();
    }
  }
}

TEST(FuzzReplay, BitmapReader) {
  Replay("bitmap_reader", FuzzBitmapReader);
}

TEST(FuzzReplay, PictureReaders) {
  Replay("jpeg_reader", FuzzJpegReader);
  Replay("png_reader", FuzzPngReader);
}

TEST(FuzzReplay, NotesForYear) {
  Replay("notes_for_year", FuzzNotesForYear);
}

TEST(FuzzReplay, NotesEditor) {
  Replay("notes_editor", FuzzNotesEditor);
}

TEST(FuzzReplay, ShiftFile) {
  Replay("shift_file", FuzzShiftFile);
}

TEST(FuzzReplay, CommandLine) {
  Replay("command_line", FuzzCommandLine);
}

TEST(FuzzReplay, ImportReaders) {
  Replay("vcard_reader", FuzzVCardReader);
  Replay("icalendar_reader", FuzzICalendarReader);
  Replay("icalendar_export", FuzzICalendarExport);
}

}  // namespace
}  // namespace orvanta::fuzz
