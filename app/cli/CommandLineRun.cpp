#include "app/cli/CommandLineRun.h"

#include <spawn.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "app/cli/InterruptSignals.h"
#include "app/core/JobRun.h"
#include "app/import/NotesMerge.h"
#include "base/Leftovers.h"

namespace orvanta {
namespace {

constexpr char kPdfNotWritten[] = "orvanta: il calendario non è stato scritto: ";
constexpr char kIcsNotWritten[] = "orvanta: il file iCalendar non è stato scritto: ";

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
  if (request.pdf.toStandardOutput || request.ics.toStandardOutput) {
    out << result.standardOutput;
  } else {
    if (!request.pdf.path.empty()) out << request.pdf.path << '\n';
    if (!request.ics.path.empty()) out << request.ics.path << '\n';
  }
  out << std::flush;
}

}  // namespace

int RunCalendarRequest(const CalendarJob& request, const std::string& privateFolder,
                       std::ostream& out, std::ostream& err) {
  const InterruptSignals interrupts;
  const bool pdfWanted = request.pdf.Wanted();
  // The run's own folder: the calendar being composed and a file meant for
  // standard output, removed however the run ends.
  std::optional<RunFolder> runFolder;
  if (pdfWanted || request.ics.toStandardOutput) {
    runFolder.emplace(privateFolder, "run-");
    if (runFolder->Path().empty()) {
      err << (pdfWanted ? kPdfNotWritten : kIcsNotWritten)
          << "nessuna cartella temporanea privata per il calendario e le sue immagini "
             "(TMPDIR e XDG_RUNTIME_DIR non sono utilizzabili)\n";
      return kExitNotWritten;
    }
  }
  CalendarJob job = request;
  job.cancelled = [] { return InterruptSignals::Received() != 0; };
  const JobResult result = RunJob(job, runFolder ? runFolder->Path() : std::string());
  if (result.status == JobResult::Status::Cancelled) return 128 + InterruptSignals::Received();
  if (!result.Written()) {
    err << (result.icsFailed ? kIcsNotWritten : kPdfNotWritten) << result.detail << '\n';
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
