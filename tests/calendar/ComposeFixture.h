#pragma once
// A private folder with pictures, a shift file and notes for one test, and a
// helper that composes a calendar into it and reads the file back.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "calendar/ComposeCalendar.h"
#include "tests/support/PdfPages.h"
#include "tests/support/TestFiles.h"

namespace orvanta::test {

// A run at the composer's level, as the application's job does it: the shift
// file and the notes read once, the year prepared, the pages written into a
// file beside the output that takes its name only when complete.
struct ComposeEnvironment : orvanta::ComposeEnvironment {
  std::string outputFile;
  std::string shiftFile;
  std::function<std::vector<NoteEntry>(int year)> loadNotes;  // may be empty
  std::function<void(const std::string& path)> openViewer;    // may be empty
};

struct ComposeOutcome {
  enum class Status { Written, NotOpened, Failed, Cancelled };
  Status status = Status::Failed;
  std::string detail;
  std::string notice;  // for NotOpened: what the user would be told
  bool shiftUnusable = false;
  int32_t textColor = 0;
  [[nodiscard]] bool Written() const { return status == Status::Written; }
};

ComposeOutcome ComposeCalendar(const CalendarOptions& options, const ComposeEnvironment& env);

class ComposeFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies the program's 25 pictures into the picture folder, from which
  // env.pictures hands them to the composer as bitmap files.
  void CopyPictures();
  // Writes a small 24-bit BMP of `width` x `height` pixels as picture `number`.
  void WritePicture(int number, int width, int height);
  void WriteShiftFile(const std::string& content);

  // Composes `year` with `options` and returns the file's bytes; the run's
  // outcome stays in `outcome`.
  std::string Compose(int16_t year, const CalendarOptions& options);

  TempFolder folder_{"orvanta-cal"};  // kept when the test fails
  const std::filesystem::path dir = folder_.path();
  std::string output;
  ComposeEnvironment env;
  std::map<int, std::string> pictureBytes;  // what env.pictures handed out
  std::vector<NoteEntry> notes;
  int viewerCalls = 0;
  ComposeOutcome outcome;
};

// Every option on, no custom header or footer: the main window's defaults.
CalendarOptions AllOptions();

}  // namespace orvanta::test
