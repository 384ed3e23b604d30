#include "app/cli/CommandLineRun.h"

#include <string>
#include <utility>

#include "app/core/platform/InterruptSignals.h"
#include "app/core/platform/PlatformProcesses.h"
#include "app/core/platform/ProgramModules.h"
#include "app/core/run/JobRun.h"

namespace orvanta {
namespace {

// Starts the desktop's viewer on the calendar without waiting for it.
void StartViewer(const std::string& path, std::ostream& err) {
  if (!StartProgram("xdg-open", path))
    err << "orvanta: impossibile avviare il visualizzatore PDF (xdg-open)\n";
}

// Standard output carries either a file's content (shown before the files
// took their names) or the paths, never both.
void Report(const CalendarJob& request, std::ostream& out) {
  if (request.pdf.toStandardOutput || request.ics.toStandardOutput || request.csv.toStandardOutput)
    return;
  for (const JobOutput* output : {&request.pdf, &request.ics, &request.csv})
    if (!output->path.empty()) out << output->path << '\n';
  out << std::flush;
}

// The import lives in a module of its own (app/importer, with libical),
// loaded only here. Its errors come escaped for the terminal.
NotesImportOutcome ImportNotesInModule(const NotesImportRequest& request,
                                       const ReportPublisher& publish) {
  using Entry = void (*)(const NotesImportRequest*, const ReportPublisher*, NotesImportOutcome*);
  std::string why;
  const auto import = reinterpret_cast<Entry>(ProgramModuleEntry(kImportModule, kImportEntry, why));
  NotesImportOutcome outcome;
  if (import == nullptr) {
    outcome.status = NotesImportOutcome::Status::NotesNotWritten;
    outcome.errors.push_back("orvanta: impossibile caricare l'importazione delle note (" + why +
                             "); le note non sono state cambiate");
    return outcome;
  }
  import(&request, &publish, &outcome);
  return outcome;
}

}  // namespace

int RunCalendarRequest(CalendarJob request, std::ostream& out, std::ostream& err) {
  const InterruptSignals interrupts;
  // What the checks read moves on into the run, not copied beside it.
  auto notesRead = std::exchange(request.notesRead, std::nullopt);
  auto shiftRead = std::exchange(request.shiftRead, std::nullopt);
  CalendarJob job = request;
  job.notesRead = std::move(notesRead);
  job.shiftRead = std::move(shiftRead);
  job.cancelled = [] { return InterruptSignals::Received() != 0; };
  // A file is committed only once what goes to standard output went through.
  job.publish = [&out](const std::string& content) {
    out << content << std::flush;
    return static_cast<bool>(out);
  };
  const JobResult result = RunJob(std::move(job));
  if (result.status == JobResult::Status::Cancelled) return 128 + InterruptSignals::Received();
  if (!result.Written()) {
    err << "orvanta: " << result.failedOutput << " non è stato scritto: " << result.detail << '\n';
    return kExitNotWritten;
  }
  Report(request, out);
  if (!request.pdf.path.empty() && request.openViewer) StartViewer(request.pdf.path, err);
  if (!out) {
    err << "orvanta: impossibile scrivere sullo standard output\n";
    return kExitNotWritten;
  }
  return kExitOk;
}

int RunNotesImport(const NotesImportRequest& request, std::ostream& out, std::ostream& err) {
  const InterruptSignals interrupts;
  bool outputFailed = false;
  // The report goes out before the notes file takes its new content: a
  // report that cannot be written, or an interruption, leaves the file as it was.
  const NotesImportOutcome outcome =
      ImportNotesInModule(request, [&](const std::vector<std::string>& report) {
        for (const std::string& line : report) out << line << '\n';
        out << std::flush;
        outputFailed = !out;
        return !outputFailed && InterruptSignals::Received() == 0;
      });
  for (const std::string& line : outcome.errors) err << line << '\n';
  switch (outcome.status) {
    case NotesImportOutcome::Status::InputUnusable:
      return kExitUsage;
    case NotesImportOutcome::Status::NotesNotWritten:
      return kExitNotWritten;
    case NotesImportOutcome::Status::Withdrawn:
      if (!outputFailed && InterruptSignals::Received() != 0)
        return 128 + InterruptSignals::Received();
      err << "orvanta: impossibile scrivere sullo standard output; le note non sono state "
             "cambiate\n";
      return kExitNotWritten;
    case NotesImportOutcome::Status::Imported:
      break;
  }
  return kExitOk;
}

}  // namespace orvanta
