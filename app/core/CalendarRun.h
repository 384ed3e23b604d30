#pragma once
// The calendar of a job composed into one file: the window's whole run, the
// command line's first step. The front ends only turn the outcome into their
// own words (a message box, a line on standard error and an exit code).

#include <string>

#include "app/core/CalendarJob.h"
#include "calendar/ComposeCalendar.h"

namespace orvanta {

// Composes job.pdf.path, or `path` when one is given (a file of the run's
// own folder); the viewer starts only when the job asks for it.
[[nodiscard]] ComposeOutcome RunCalendar(const CalendarJob& job, const std::string& path = {});

}  // namespace orvanta
