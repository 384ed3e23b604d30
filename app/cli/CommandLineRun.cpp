#include "app/cli/CommandLineRun.h"

#include <spawn.h>
#include <unistd.h>

#include <string>

#include "app/cli/InterruptSignals.h"
#include "app/core/JobRun.h"
#include "app/import/NotesMerge.h"

namespace orvanta {
namespace {

// Starts the desktop's viewer on the calendar without waiting for it; the
// path goes as the user's bytes, whatever their encoding.
void StartViewer(const std::string& path, std::ostream& err) {
  std::string program = "xdg-open";
  std::string argument = path;
  char* const argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
    err << "orvanta: impossibile avviare il visualizzatore PDF (xdg-open)\n";
  }
}

// Standard output carries either a file's content or the paths, never both.
void Report(const CalendarJob& request, const JobResult& result, std::ostream& out) {
  if (request.pdf.toStandardOutput || request.ics.toStandardOutput ||
      request.csv.toStandardOutput) {
    out << result.standardOutput;
  } else {
    for (const JobOutput* output : {&request.pdf, &request.ics, &request.csv})
      if (!output->path.empty()) out << output->path << '\n';
  }
  out << std::flush;
}

}  // namespace

int RunCalendarRequest(const CalendarJob& request, std::ostream& out, std::ostream& err) {
  const InterruptSignals interrupts;
  CalendarJob job = request;
  job.cancelled = [] { return InterruptSignals::Received() != 0; };
  const JobResult result = RunJob(job);
  if (result.status == JobResult::Status::Cancelled) return 128 + InterruptSignals::Received();
  if (!result.Written()) {
    err << "orvanta: " << result.failedOutput << " non è stato scritto: " << result.detail << '\n';
    return kExitNotWritten;
  }
  Report(request, result, out);
  if (!request.pdf.path.empty() && request.openViewer) StartViewer(request.pdf.path, err);
  if (!out) {
    err << "orvanta: impossibile scrivere sullo standard output\n";
    return kExitNotWritten;
  }
  return kExitOk;
}

int RunNotesImport(const NotesImportRequest& request, std::ostream& out, std::ostream& err) {
  const NotesImportOutcome outcome = ImportNotes(request);
  for (const std::string& line : outcome.report) out << line << '\n';
  out << std::flush;
  // File names and what the files hold reach the terminal only escaped.
  for (const std::string& line : outcome.errors) err << ReportText(line) << '\n';
  switch (outcome.status) {
    case NotesImportOutcome::Status::InputUnusable:
      return kExitUsage;
    case NotesImportOutcome::Status::NotesNotWritten:
      return kExitNotWritten;
    case NotesImportOutcome::Status::Imported:
      break;
  }
  if (!out) {
    err << "orvanta: impossibile scrivere sullo standard output\n";
    return kExitNotWritten;
  }
  return kExitOk;
}

}  // namespace orvanta
