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

int WritePdf(const CalendarRequest& request, std::ostream& err) {
  CalendarRunRequest run;
  run.options = request.options;
  run.outputFile = request.outputFile;
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
int PrepareIcs(const CalendarRequest& request, std::unique_ptr<AtomicFile>& pending,
               std::ostream& err) {
  ICalendarRequest ics;
  ics.options = request.options;
  ics.outputFile = request.icsFile;
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

}  // namespace

int RunCalendarRequest(const CalendarRequest& request, std::ostream& out, std::ostream& err) {
  const InterruptSignals interrupts;
  // The iCalendar file is made first (cheap, and its mistakes show before
  // the calendar takes its time) and takes its name only after the calendar
  // did: a run that fails leaves both files as they were.
  std::unique_ptr<AtomicFile> ics;
  if (!request.icsFile.empty()) {
    if (const int code = PrepareIcs(request, ics, err); code != kExitOk) return code;
  }
  if (!request.outputFile.empty()) {
    if (const int code = WritePdf(request, err); code != kExitOk) return code;
  }
  if (const int signal = InterruptSignals::Received(); signal != 0) return 128 + signal;
  if (!request.outputFile.empty()) out << request.outputFile << '\n';
  int code = kExitOk;
  if (ics) {
    if (const FileResult committed = ics->Commit(); !committed) {
      err << "orvanta: il file iCalendar non è stato scritto: " << committed.Describe() << '\n';
      code = kExitNotWritten;
    } else {
      out << request.icsFile << '\n';
    }
  }
  out << std::flush;
  if (!out) {
    err << "orvanta: impossibile scrivere sullo standard output il nome del file scritto\n";
    return kExitNotWritten;
  }
  return code;
}

}  // namespace orvanta
