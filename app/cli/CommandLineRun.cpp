#include "app/cli/CommandLineRun.h"

#include <spawn.h>
#include <unistd.h>

#include <exception>
#include <string>

#include "app/cli/InterruptSignals.h"
#include "app/core/CalendarRun.h"
#include "app/core/Folders.h"

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

}  // namespace

int RunCalendarRequest(CalendarRequest request, std::ostream& out, std::ostream& err) {
  const InterruptSignals interrupts;
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
  out << request.outputFile << '\n' << std::flush;
  if (!out) {
    err << "orvanta: impossibile scrivere sullo standard output il nome del file scritto\n";
    return kExitNotWritten;
  }
  return kExitOk;
}

}  // namespace orvanta
