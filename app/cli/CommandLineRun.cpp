#include "app/cli/CommandLineRun.h"

#include <spawn.h>
#include <unistd.h>

#include <exception>
#include <memory>
#include <string>

#include "app/cli/InterruptSignals.h"
#include "app/core/CalendarRun.h"
#include "app/core/Folders.h"
#include "app/core/ICalendarFile.h"
#include "base/AtomicFile.h"

namespace orvanta {
namespace {

// Messages of the core carry the window's CR LF line breaks.
std::string OneLine(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
    text.replace(at, 2, " ");
  return text;
}

// Starts the desktop's viewer on the calendar without waiting for it; the
// path goes as the user's bytes, whatever their encoding.
std::function<void(const std::string&)> ViewerStarter(std::ostream& err) {
  return [&err](const std::string& path) {
    std::string program = "xdg-open";
    std::string argument = path;
    char* const argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
      err << "orvanta: impossibile avviare il visualizzatore PDF (xdg-open)\n";
    }
  };
}

int WritePdf(const CalendarRequest& request, const std::string& path, std::ostream& err) {
  CalendarRunRequest run;
  run.options = request.options;
  run.outputFile = path;
  run.notesFile = request.notesFile;
  run.shiftFile = request.shiftFile;
  run.privateFolder = PrivateTempFolder();
  // A calendar without the pictures it was asked for is a failure here.
  run.picturesRequired = true;
  run.cancelled = [] { return InterruptSignals::Received() != 0; };
  if (request.openViewer) run.openViewer = ViewerStarter(err);

  ComposeOutcome outcome;
  try {
    outcome = RunCalendar(run);
  } catch (const std::exception& e) {  // out of memory while preparing the year
    outcome.detail = e.what();
  }
  if (const int signal = InterruptSignals::Received(); signal != 0) return 128 + signal;
  if (!outcome.Written()) {
    err << "orvanta: il calendario non è stato scritto: " << OneLine(outcome.detail) << '\n';
    return kExitNotWritten;
  }
  return kExitOk;
}

// The year's facts written beside the iCalendar file, not yet under its name.
int PrepareIcs(const CalendarRequest& request, const std::string& path,
               std::unique_ptr<AtomicFile>& pending, std::ostream& err) {
  ICalendarRequest ics;
  ics.options = request.options;
  ics.outputFile = path;
  ics.notesFile = request.notesFile;
  ics.shiftFile = request.shiftFile;
  FileResult prepared;
  try {
    prepared = PrepareICalendar(ics, pending);
  } catch (const std::exception& e) {  // out of memory
    err << "orvanta: il file iCalendar non è stato scritto: " << e.what() << '\n';
    return kExitNotWritten;
  }
  if (const int signal = InterruptSignals::Received(); signal != 0) return 128 + signal;
  if (!prepared) {
    err << "orvanta: il file iCalendar non è stato scritto: " << prepared.Describe() << '\n';
    return kExitNotWritten;
  }
  return kExitOk;
}

// A file meant for standard output is first written whole into the private
// folder, so that a failed run sends nothing at all.
std::string StandardOutputFile(const char* extension) {
  const std::string folder = PrivateTempFolder();
  if (folder.empty()) return {};
  return folder + "standard-output-" + std::to_string(::getpid()) + extension;
}

// The bytes of `path`, which is removed; false after telling why on `err`.
bool TakeFile(const std::string& path, std::string& bytes, std::ostream& err) {
  const FileResult read = ReadWholeFile(path, bytes);
  ::unlink(path.c_str());
  if (!read)
    err << "orvanta: impossibile rileggere il file per lo standard output: " << read.Describe()
        << '\n';
  return read.Ok();
}

// What goes to standard output once everything is written: the content of
// the file sent there, or else the path of each file written.
struct Report {
  std::string data;
  std::string paths;
};

// Gives the written files their names (the iCalendar file last) and says
// what standard output gets; answers kExitNotWritten after telling why.
int Finish(const CalendarRequest& request, const std::string& pdfFile,
           std::unique_ptr<AtomicFile> ics, Report& report, std::ostream& err) {
  if (request.pdfToStandardOutput) {
    if (!TakeFile(pdfFile, report.data, err)) return kExitNotWritten;
  } else if (!pdfFile.empty()) {
    report.paths += pdfFile + '\n';
  }
  if (!ics) return kExitOk;
  if (request.icsToStandardOutput) {
    const FileResult read = ReadWholeFile(ics->TemporaryPath(), report.data);
    if (!read) err << "orvanta: il file iCalendar non è stato scritto: " << read.Describe() << '\n';
    return read ? kExitOk : kExitNotWritten;
  }
  if (const FileResult committed = ics->Commit(); !committed) {
    err << "orvanta: il file iCalendar non è stato scritto: " << committed.Describe() << '\n';
    return kExitNotWritten;
  }
  report.paths += request.icsFile + '\n';
  return kExitOk;
}

}  // namespace

int RunCalendarRequest(const CalendarRequest& request, std::ostream& out, std::ostream& err) {
  const InterruptSignals interrupts;
  const std::string pdfFile =
      request.pdfToStandardOutput ? StandardOutputFile(".pdf") : request.outputFile;
  const std::string icsFile =
      request.icsToStandardOutput ? StandardOutputFile(".ics") : request.icsFile;
  if ((request.pdfToStandardOutput && pdfFile.empty()) ||
      (request.icsToStandardOutput && icsFile.empty())) {
    err << "orvanta: nessuna cartella temporanea privata in cui preparare lo standard output\n";
    return kExitNotWritten;
  }
  // The iCalendar file is made first (cheap, and its mistakes show before
  // the calendar takes its time) and takes its name only after the calendar
  // did: a run that fails leaves both files as they were.
  std::unique_ptr<AtomicFile> ics;
  if (!icsFile.empty()) {
    if (const int code = PrepareIcs(request, icsFile, ics, err); code != kExitOk) return code;
  }
  if (!pdfFile.empty()) {
    if (const int code = WritePdf(request, pdfFile, err); code != kExitOk) return code;
  }
  if (const int signal = InterruptSignals::Received(); signal != 0) return 128 + signal;
  Report report;
  const int code = Finish(request, pdfFile, std::move(ics), report, err);
  // Standard output carries either a file's content or the paths, never both.
  out << (request.pdfToStandardOutput || request.icsToStandardOutput ? report.data : report.paths)
      << std::flush;
  if (!out) {
    err << "orvanta: impossibile scrivere sullo standard output\n";
    return kExitNotWritten;
  }
  return code;
}

}  // namespace orvanta
