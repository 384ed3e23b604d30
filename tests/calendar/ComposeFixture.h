#pragma once
// A private folder with pictures, a shift file and notes for one test, and a
// helper that composes a calendar into it and reads the file back.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "calendar/ComposeCalendar.h"
#include "tests/support/PdfPages.h"
#include "tests/support/TestFiles.h"

namespace orvanta::test {

class ComposeFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies the program's 25 pictures into the picture folder, from which
  // env.pictures hands them to the composer.
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
