#pragma once
// One calendar job, as the window and the command line both describe it: the
// year and the options, the files it reads, what it writes and where, and
// what the front end running it needs on the way.

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "almanac/AlmanacYear.h"
#include "almanac/ShiftCycle.h"

#include "calendar/CalendarOptions.h"
#include "calendar/PictureSlots.h"

namespace orvanta {

// One file a job writes: it appears whole or not at all.
struct JobOutput {
  std::string path;               // empty: not asked for, or standard output
  bool toStandardOutput = false;  // the content goes to standard output, no file
  [[nodiscard]] bool Wanted() const { return toStandardOutput || !path.empty(); }
};

struct CalendarJob {
  CalendarOptions options;  // options.Anno is the year; a job only reads them
  std::string notesFile;    // the personal notes (Notes.dat), read when options.NotePersonali
  std::string shiftFile;    // the shift cycle (Turno.txt), read when options.Turno
  // What a front end already read of those files while checking them: the
  // job uses it and does not read that file again. Empty: the job reads it.
  std::optional<std::vector<NoteEntry>> notesRead;
  std::optional<ShiftCycle> shiftRead;
  JobOutput pdf;            // the twelve pages
  JobOutput ics;            // the year's iCalendar file
  JobOutput csv;            // the year as a spreadsheet, one row per day
  bool openViewer = false;  // show the calendar once it is written
  // A picture that cannot be loaded fails the job instead of being left out
  // of the page.
  bool picturesRequired = false;
  // What the front end lends the job; each may be empty.
  std::function<void()> pumpEvents;  // lets pending window events run
  std::function<bool()> cancelled;   // true stops the job between pages
  // Shows the output meant for standard output before the files take their
  // names: false (it could not be shown) leaves every file as it was.
  std::function<bool(const std::string& content)> publish;
  std::function<void(const std::string& path)> viewer;  // shows the written calendar
  std::function<std::time_t()> clock;                   // the files' dates; empty: now
  // Prepares the user's JPEG and PNG pictures; empty: bitmaps only.
  PicturePreparer preparePicture;
};

}  // namespace orvanta
