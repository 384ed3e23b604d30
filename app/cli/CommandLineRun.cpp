#include "app/cli/CommandLineRun.h"

#include <spawn.h>
#include <unistd.h>

#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "app/cli/InterruptSignals.h"
#include "app/core/CalendarRun.h"
#include "app/core/ICalendarFile.h"
#include "base/AtomicFile.h"
#include "base/FileReading.h"
#include "base/Leftovers.h"

namespace orvanta {
namespace {

constexpr char kPdfNotWritten[] = "orvanta: il calendario non è stato scritto: ";
constexpr char kIcsNotWritten[] = "orvanta: il file iCalendar non è stato scritto: ";

// Messages of the core carry the window's CR LF line breaks.
std::string OneLine(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
    text.replace(at, 2, " ");
  return text;
}

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

// Copies the file at `path` into `pending`, a megabyte at a time.
FileResult CopyInto(const std::string& path, AtomicFile& pending) {
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  FileResult result;
  const FileDescriptor from = OpenForReading(path, result);
  std::string chunk;
  for (std::uint64_t offset = 0; result; offset += chunk.size()) {
    const FileResult read = ReadBoundedAt(from.Get(), offset, kChunk, path, chunk);
    if (!read && read.status != FileStatus::TooLarge) return read;
    if (chunk.empty()) break;
    result = pending.Write(chunk);
  }
  return result;
}

// A file of the run's folder, whole, for standard output: a failed run sends
// nothing at all.
int ReadForStandardOutput(const std::string& path, const char* notWritten, std::string& data,
                          std::ostream& err) {
  if (const FileResult read = ReadWholeFile(path, data); !read) {
    err << notWritten << read.Describe() << '\n';
    return kExitNotWritten;
  }
  return kExitOk;
}

// The calendar composed in the run's folder, then copied whole into
// `pending` beside the output, which takes the output's name later; without
// `pending` it goes into `data`, for standard output.
int WritePdf(const CalendarRequest& request, const std::string& runFolder, AtomicFile* pending,
             std::string& data, std::ostream& err) {
  const std::string composed = runFolder + "Orvanta.pdf";
  CalendarJob job = request;
  job.cancelled = [] { return InterruptSignals::Received() != 0; };
  ComposeOutcome outcome;
  try {
    outcome = RunCalendar(job, composed);
  } catch (const std::exception& e) {  // out of memory while preparing the year
    outcome.detail = e.what();
  }
  if (const int signal = InterruptSignals::Received(); signal != 0) return 128 + signal;
  if (!outcome.Written()) {
    err << kPdfNotWritten << OneLine(outcome.detail) << '\n';
    return kExitNotWritten;
  }
  if (pending == nullptr) return ReadForStandardOutput(composed, kPdfNotWritten, data, err);
  if (const FileResult copied = CopyInto(composed, *pending); !copied) {
    err << kPdfNotWritten << copied.Describe() << '\n';
    return kExitNotWritten;
  }
  return kExitOk;
}

// The year's facts written beside `path`, not yet under its name.
int PrepareIcs(const CalendarRequest& request, const std::string& path,
               std::unique_ptr<AtomicFile>& pending, std::ostream& err) {
  FileResult prepared;
  try {
    prepared = PrepareICalendar(request, path, pending);
  } catch (const std::exception& e) {  // out of memory
    err << kIcsNotWritten << e.what() << '\n';
    return kExitNotWritten;
  }
  if (const int signal = InterruptSignals::Received(); signal != 0) return 128 + signal;
  if (!prepared) {
    err << kIcsNotWritten << prepared.Describe() << '\n';
    return kExitNotWritten;
  }
  return kExitOk;
}

// The iCalendar file for standard output: written whole in the run's folder,
// then read back.
int IcsForStandardOutput(const CalendarRequest& request, const std::string& runFolder,
                         std::string& data, std::ostream& err) {
  const std::string path = runFolder + "Orvanta.ics";
  std::unique_ptr<AtomicFile> pending;
  if (const int code = PrepareIcs(request, path, pending, err); code != kExitOk) return code;
  if (const FileResult committed = pending->Commit(); !committed) {
    err << kIcsNotWritten << committed.Describe() << '\n';
    return kExitNotWritten;
  }
  return ReadForStandardOutput(path, kIcsNotWritten, data, err);
}

// Both files take their names, or neither does.
FileResult CommitOutputs(AtomicFile* pdf, AtomicFile* ics) {
  if (pdf != nullptr && ics != nullptr) return CommitTogether(*pdf, *ics);
  if (pdf == nullptr && ics == nullptr) return FileResult::Success();
  return pdf != nullptr ? pdf->Commit() : ics->Commit();
}

// What a run made before anything takes a name: the files beside their
// outputs, or the content meant for standard output.
struct Outputs {
  std::unique_ptr<AtomicFile> pdf;
  std::unique_ptr<AtomicFile> ics;
  std::string data;
};

// The iCalendar file is made first (cheap, and its mistakes show before the
// calendar takes its time), and so is the file beside the calendar's output;
// until both are complete no output changes.
int PrepareOutputs(const CalendarRequest& request, const std::string& runFolder, Outputs& outputs,
                   std::ostream& err) {
  if (request.ics.toStandardOutput) {
    if (const int code = IcsForStandardOutput(request, runFolder, outputs.data, err);
        code != kExitOk)
      return code;
  } else if (!request.ics.path.empty()) {
    if (const int code = PrepareIcs(request, request.ics.path, outputs.ics, err); code != kExitOk)
      return code;
  }
  if (!request.pdf.path.empty()) {
    if (FileResult created = AtomicFile::Create(request.pdf.path, outputs.pdf); !created) {
      err << kPdfNotWritten << created.Describe() << '\n';
      return kExitNotWritten;
    }
  }
  if (request.pdf.path.empty() && !request.pdf.toStandardOutput) return kExitOk;
  return WritePdf(request, runFolder, outputs.pdf.get(), outputs.data, err);
}

// Standard output carries either a file's content or the paths, never both.
void Report(const CalendarRequest& request, const Outputs& outputs, std::ostream& out) {
  if (request.pdf.toStandardOutput || request.ics.toStandardOutput) {
    out << outputs.data;
  } else {
    if (outputs.pdf) out << request.pdf.path << '\n';
    if (outputs.ics) out << request.ics.path << '\n';
  }
  out << std::flush;
}

}  // namespace

int RunCalendarRequest(const CalendarRequest& request, const std::string& privateFolder,
                       std::ostream& out, std::ostream& err) {
  const InterruptSignals interrupts;
  const bool pdfWanted = !request.pdf.path.empty() || request.pdf.toStandardOutput;
  // The run's own folder: its pictures, the calendar being composed and a
  // file meant for standard output, removed however the run ends.
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
  Outputs outputs;
  if (const int code =
          PrepareOutputs(request, runFolder ? runFolder->Path() : std::string(), outputs, err);
      code != kExitOk)
    return code;
  if (const int signal = InterruptSignals::Received(); signal != 0) return 128 + signal;
  // From here on the run ends as the files say: a signal now changes nothing.
  if (const FileResult committed = CommitOutputs(outputs.pdf.get(), outputs.ics.get());
      !committed) {
    err << (committed.path == request.ics.path ? kIcsNotWritten : kPdfNotWritten)
        << committed.Describe() << '\n';
    return kExitNotWritten;
  }
  Report(request, outputs, out);
  if (outputs.pdf && request.openViewer) StartViewer(request.pdf.path, err);
  if (!out) {
    err << "orvanta: impossibile scrivere sullo standard output\n";
    return kExitNotWritten;
  }
  return kExitOk;
}

}  // namespace orvanta
