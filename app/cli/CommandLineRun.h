#pragma once
// Running the headless program: parse the arguments, write the calendar,
// report on the standard streams with an exit code.

#include <ostream>

#include "app/cli/CommandLine.h"

namespace orvanta {

// The whole command line; creates its own QCoreApplication. Answers the exit
// code: kExitOk, kExitNotWritten or kExitUsage.
int RunCommandLine(int argc, char** argv);

// Writes one calendar. On success prints the path written to `out` and answers
// kExitOk; when the calendar cannot be written prints the reason to `err` and
// answers kExitNotWritten; whatever fails, an earlier file at the output path
// stays as it was. SIGINT or SIGTERM stop the run before its next page and it
// answers 128 + the signal's number, with nothing of the run left behind.
int RunCalendarRequest(CalendarRequest request, std::ostream& out, std::ostream& err);

}  // namespace orvanta
