#pragma once
// Running the headless program: parse the arguments, write the calendar,
// report on the standard streams with an exit code.

#include <ostream>
#include <string>

#include "app/cli/CommandLine.h"

namespace orvanta {

// The whole command line. Answers the exit code: kExitOk, kExitNotWritten or kExitUsage.
[[nodiscard]] int RunCommandLine(int argc, char** argv);

// Writes one calendar: the PDF, the iCalendar file or both. On success
// prints each path written to `out` (the PDF first) and answers kExitOk; a
// file asked for on standard output goes to `out` instead, whole, and then no
// path is printed. When a file cannot be written prints the reason to `err`
// and answers kExitNotWritten. Exit code 0 means every file asked for is new;
// any other code means all of them are as they were. SIGINT or SIGTERM before
// the files take their names stop the run and it answers 128 + the signal's
// number, with nothing of the run left behind; the viewer starts only once
// the files are in place.
[[nodiscard]] int RunCalendarRequest(CalendarJob request, std::ostream& out, std::ostream& err);

// Imports the notes: prints the report to `out` and what went wrong to
// `err`. Answers kExitOk when every input was read (even with items
// skipped), kExitUsage when an input is no iCalendar or vCard file or cannot
// be read (nothing written), kExitNotWritten when the notes file cannot be
// written.
[[nodiscard]] int RunNotesImport(const NotesImportRequest& request, std::ostream& out,
                                 std::ostream& err);

}  // namespace orvanta
