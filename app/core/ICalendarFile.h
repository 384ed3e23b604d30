#pragma once
// Writing the year's iCalendar file: it appears whole or not at all, like the
// calendar itself.

#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "base/AtomicFile.h"
#include "base/FileResult.h"
#include "calendar/CalendarOptions.h"

namespace orvanta {

struct ICalendarRequest {
  // options.Anno is the year; the switches decide what goes in, as on the page.
  CalendarOptions options;
  std::string outputFile;
  std::string notesFile;               // read when options.NotePersonali
  std::string shiftFile;               // read when options.Turno
  std::function<std::time_t()> clock;  // the DTSTAMP; empty: the system's clock
};

// Gathers the facts and writes the whole file beside request.outputFile,
// without replacing it yet: `pending->Commit()` does that, and dropping
// `pending` leaves the old file as it was. So a run that writes the calendar
// too can replace this file only once the calendar is written.
[[nodiscard]] FileResult PrepareICalendar(const ICalendarRequest& request,
                                          std::unique_ptr<AtomicFile>& pending);

// Prepares and replaces at once.
[[nodiscard]] FileResult WriteICalendar(const ICalendarRequest& request);

}  // namespace orvanta
