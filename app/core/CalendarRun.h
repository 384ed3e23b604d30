#pragma once
// One calendar run, as the window and the command line both ask for it: a
// request in, an outcome out. The front ends only turn the outcome into their
// own words (a message box, a line on standard error and an exit code).

#include <ctime>
#include <functional>
#include <string>

#include "calendar/CalendarOptions.h"
#include "calendar/ComposeCalendar.h"

namespace orvanta {

struct CalendarRunRequest {
  CalendarOptions options;  // options.Anno is the year; the run only reads them
  std::string outputFile;   // appears whole or not at all
  std::string notesFile;    // the personal notes to print (Notes.dat)
  std::string shiftFile;    // the shift cycle (Turno.txt)
  // A picture that cannot be loaded fails the run instead of being left out
  // of the page.
  bool picturesRequired = false;
  std::function<void()> pumpEvents;                         // may be empty
  std::function<bool()> cancelled;                          // may be empty
  std::function<void(const std::string& path)> openViewer;  // may be empty
  std::function<std::tm()> clock;                           // may be empty
};

[[nodiscard]] ComposeOutcome RunCalendar(const CalendarRunRequest& request);

}  // namespace orvanta
