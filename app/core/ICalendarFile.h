#pragma once
// Writing the year's iCalendar file: it appears whole or not at all, like the
// calendar itself.

#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "app/core/CalendarJob.h"
#include "base/AtomicFile.h"
#include "base/FileResult.h"

namespace orvanta {

// Gathers the job's facts (the switches decide what goes in, as on the page;
// the clock gives the DTSTAMP) and writes the whole file beside `path`,
// without replacing it yet: `pending->Commit()` does that, and dropping
// `pending` leaves the old file as it was. So a run that writes the calendar
// too can replace this file only once the calendar is written.
[[nodiscard]] FileResult PrepareICalendar(const CalendarJob& job, const std::string& path,
                                          std::unique_ptr<AtomicFile>& pending);

// Prepares job.ics.path and replaces it at once.
[[nodiscard]] FileResult WriteICalendar(const CalendarJob& job);

}  // namespace orvanta
