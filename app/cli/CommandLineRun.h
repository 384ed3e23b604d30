#pragma once
// Running the headless program: parse the arguments, write the calendar,
// report on the standard streams with an exit code.

#include <ostream>

#include "app/cli/CommandLine.h"

namespace orvanta {

// The whole command line; creates its own QCoreApplication. Answers the exit
// code: kExitOk, kExitNotWritten or kExitUsage.
[[nodiscard]] int RunCommandLine(int argc, char** argv);

// Writes one calendar: the PDF, the iCalendar file or both. On success prints
// each path written to `out` (the PDF first) and answers kExitOk; a file
// asked for on standard output goes to `out` instead, whole, and then no path
// is printed; when a file
// cannot be written prints the reason to `err` and answers kExitNotWritten;
// whatever fails, earlier files at the output paths stay as they were (only
// when the iCalendar file fails at its very last step, after the PDF was
// written, does the PDF stay written, and its path is printed). SIGINT or SIGTERM stop the run
// before its next page and it answers 128 + the signal's number, with nothing of the run left
// behind.
[[nodiscard]] int RunCalendarRequest(const CalendarRequest& request, std::ostream& out,
                                     std::ostream& err);

}  // namespace orvanta
