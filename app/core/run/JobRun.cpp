#include "app/core/run/JobRun.h"

#include <exception>
#include <memory>
#include <vector>

#include "almanac/ShiftCycle.h"
#include "app/core/notes/NotesFile.h"
#include "app/core/run/JobOutputs.h"
#include "base/AtomicFile.h"
#include "calendar/YearRanges.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

// Messages of the composer carry the window's CR LF line breaks.
std::string OneLine(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
    text.replace(at, 2, " ");
  return text;
}

bool Fail(JobResult& result, const OutputFormat& format, std::string detail) {
  result.status = JobResult::Status::Failed;
  result.failedOutput = format.what;
  result.detail = OneLine(std::move(detail));
  return false;
}

// The output a failure outside any one output is told as: the calendar.
const OutputFormat& CalendarFormat() {
  for (const OutputFormat& format : OutputFormats())
    if (format.output == &CalendarJob::pdf) return format;
  return OutputFormats().front();
}

// The output whose file is at `path`.
const OutputFormat& FormatWritingTo(const CalendarJob& job, const std::string& path) {
  for (const OutputFormat& format : OutputFormats())
    if ((job.*(format.output)).path == path) return format;
  return CalendarFormat();
}

bool Stopped(const CalendarJob& job, JobResult& result) {
  if (!job.cancelled || !job.cancelled()) return false;
  result.status = JobResult::Status::Cancelled;
  return true;
}

// The one read of each input of the run.
// What the front end already read moves into the year, never copied.
PreparedYear ReadAndPrepare(CalendarJob& job) {
  const CalendarOptions& options = job.options;
  std::vector<NoteEntry> notes;
  if (options.NotePersonali)
    notes =
        job.notesRead ? std::move(*job.notesRead) : LoadNotesForYear(job.notesFile, options.Anno);
  ShiftCycle shifts;
  if (options.Turno)
    shifts = job.shiftRead ? std::move(*job.shiftRead) : LoadShiftCycle(job.shiftFile);
  return PrepareYear(options, std::move(notes), std::move(shifts));
}

// The files of the outputs asked for, made beside their targets before
// anything is rendered: a target that cannot be written shows at once.
bool CreateFiles(const CalendarJob& job, std::vector<std::unique_ptr<AtomicFile>>& files,
                 JobResult& result) {
  for (const OutputFormat& format : OutputFormats()) {
    const JobOutput& output = job.*(format.output);
    std::unique_ptr<AtomicFile>& file = files.emplace_back();
    if (output.path.empty()) continue;
    if (const FileResult created = AtomicFile::Create(output.path, file); !created) {
      if (format.output == &CalendarJob::pdf)
        result.notice = clsPDFCreator::OpenFailureText(created);
      return Fail(result, format, created.Describe());
    }
  }
  return true;
}

bool Render(const CalendarJob& job, const PreparedYear& year,
            const std::vector<std::unique_ptr<AtomicFile>>& files, JobResult& result) {
  std::size_t index = 0;
  for (const OutputFormat& format : OutputFormats()) {
    AtomicFile* file = files[index++].get();
    const JobOutput& output = job.*(format.output);
    if (!output.Wanted()) continue;
    OutputSink sink;
    if (file != nullptr) {
      sink = [file](std::string_view bytes) { return file->Write(bytes); };
    } else {
      sink = [&result](std::string_view bytes) {
        result.standardOutput.append(bytes);
        return FileResult::Success();
      };
    }
    RenderOutcome rendered;
    try {
      rendered = format.render(job, year, sink);
    } catch (const std::exception& e) {  // out of memory
      rendered.detail = e.what();
    }
    if (rendered.status == RenderOutcome::Status::Cancelled || Stopped(job, result)) {
      result.status = JobResult::Status::Cancelled;
      return false;
    }
    if (rendered.status != RenderOutcome::Status::Written)
      return Fail(result, format, rendered.detail);
  }
  return true;
}

// All the files take their names, or none does.
FileResult CommitAll(const std::vector<std::unique_ptr<AtomicFile>>& files) {
  std::vector<AtomicFile*> pending;
  for (const auto& file : files)
    if (file) pending.push_back(file.get());
  if (pending.empty()) return FileResult::Success();
  if (pending.size() == 1) return pending[0]->Commit();
  return orvanta::CommitAll(pending);
}

}  // namespace

JobResult RunJob(CalendarJob job) {
  JobResult result;
  const int year = job.options.Anno;
  if (!kComposableYears.Contains(year)) {
    Fail(result, CalendarFormat(),
         "anno " + std::to_string(year) + " fuori dall'intervallo " +
             std::to_string(kComposableYears.first) + "-" + std::to_string(kComposableYears.last));
    return result;
  }
  std::vector<std::unique_ptr<AtomicFile>> files;
  PreparedYear prepared;
  try {
    prepared = ReadAndPrepare(job);
  } catch (const std::exception& e) {  // out of memory while preparing the year
    Fail(result, CalendarFormat(), e.what());
    return result;
  }
  result.shiftUnusable = prepared.shiftUnusable;
  if (!CreateFiles(job, files, result) || !Render(job, prepared, files, result)) return result;
  if (Stopped(job, result)) return result;
  const bool toStandardOutput =
      job.pdf.toStandardOutput || job.ics.toStandardOutput || job.csv.toStandardOutput;
  if (toStandardOutput && job.publish && !job.publish(result.standardOutput)) {
    result.failedOutput = "lo standard output";
    result.detail = "nessun file è stato cambiato";
    return result;
  }
  // From here on the job ends as the files say: a cancel now changes nothing.
  if (const FileResult committed = CommitAll(files); !committed) {
    Fail(result, FormatWritingTo(job, committed.path), committed.Describe());
    return result;
  }
  result.status = JobResult::Status::Written;
  if (job.openViewer && job.viewer && !job.pdf.path.empty()) job.viewer(job.pdf.path);
  return result;
}

}  // namespace orvanta
