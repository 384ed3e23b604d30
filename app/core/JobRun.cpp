#include "app/core/JobRun.h"

#include <cstdint>
#include <exception>
#include <memory>

#include "app/core/CalendarRun.h"
#include "app/core/ICalendarFile.h"
#include "base/AtomicFile.h"
#include "base/FileReading.h"

namespace orvanta {
namespace {

// Messages of the composer carry the window's CR LF line breaks.
std::string OneLine(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
    text.replace(at, 2, " ");
  return text;
}

// What a job made before anything takes a name: the files beside their
// outputs, or the content meant for standard output (in `result`).
struct Pending {
  std::unique_ptr<AtomicFile> pdf;
  std::unique_ptr<AtomicFile> ics;
};

bool Fail(JobResult& result, bool ics, std::string detail) {
  result.status = JobResult::Status::Failed;
  result.icsFailed = ics;
  result.detail = std::move(detail);
  return false;
}

bool Stopped(const CalendarJob& job, JobResult& result) {
  if (!job.cancelled || !job.cancelled()) return false;
  result.status = JobResult::Status::Cancelled;
  return true;
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

// A file of the run's folder, whole, for standard output: a failed job
// sends nothing at all.
bool ReadForStandardOutput(const std::string& path, bool ics, JobResult& result) {
  const FileResult read = ReadWholeFile(path, result.standardOutput);
  return read || Fail(result, ics, read.Describe());
}

// The year's facts written beside `path`, not yet under its name.
bool PrepareIcs(const CalendarJob& job, const std::string& path,
                std::unique_ptr<AtomicFile>& pending, JobResult& result) {
  FileResult prepared;
  try {
    prepared = PrepareICalendar(job, path, pending);
  } catch (const std::exception& e) {  // out of memory
    return Fail(result, true, e.what());
  }
  if (Stopped(job, result)) return false;
  return prepared || Fail(result, true, prepared.Describe());
}

// The iCalendar file for standard output: written whole in the run's folder,
// then read back.
bool IcsForStandardOutput(const CalendarJob& job, const std::string& runFolder, JobResult& result) {
  const std::string path = runFolder + "Orvanta.ics";
  std::unique_ptr<AtomicFile> pending;
  if (!PrepareIcs(job, path, pending, result)) return false;
  if (const FileResult committed = pending->Commit(); !committed)
    return Fail(result, true, committed.Describe());
  return ReadForStandardOutput(path, true, result);
}

// The calendar composed in the run's folder, then copied whole into
// `pending` beside the output; without `pending` it is for standard output.
bool WritePdf(const CalendarJob& job, const std::string& runFolder, AtomicFile* pending,
              JobResult& result) {
  const std::string composed = runFolder + "Orvanta.pdf";
  ComposeOutcome outcome;
  try {
    outcome = RunCalendar(job, composed);
  } catch (const std::exception& e) {  // out of memory while preparing the year
    outcome.detail = e.what();
  }
  if (Stopped(job, result)) return false;
  if (!outcome.Written()) return Fail(result, false, OneLine(outcome.detail));
  if (pending == nullptr) return ReadForStandardOutput(composed, false, result);
  const FileResult copied = CopyInto(composed, *pending);
  return copied || Fail(result, false, copied.Describe());
}

// Until both files are complete no output changes.
bool PrepareOutputs(const CalendarJob& job, const std::string& runFolder, Pending& pending,
                    JobResult& result) {
  if (job.ics.toStandardOutput) {
    if (!IcsForStandardOutput(job, runFolder, result)) return false;
  } else if (!job.ics.path.empty()) {
    if (!PrepareIcs(job, job.ics.path, pending.ics, result)) return false;
  }
  if (!job.pdf.path.empty()) {
    if (FileResult created = AtomicFile::Create(job.pdf.path, pending.pdf); !created)
      return Fail(result, false, created.Describe());
  }
  if (!job.pdf.Wanted()) return true;
  return WritePdf(job, runFolder, pending.pdf.get(), result);
}

// Both files take their names, or neither does.
FileResult CommitOutputs(AtomicFile* pdf, AtomicFile* ics) {
  if (pdf != nullptr && ics != nullptr) return CommitTogether(*pdf, *ics);
  if (pdf == nullptr && ics == nullptr) return FileResult::Success();
  return pdf != nullptr ? pdf->Commit() : ics->Commit();
}

}  // namespace

JobResult RunJob(const CalendarJob& job, const std::string& runFolder) {
  JobResult result;
  Pending pending;
  if (!PrepareOutputs(job, runFolder, pending, result)) return result;
  if (Stopped(job, result)) return result;
  // From here on the job ends as the files say: a cancel now changes nothing.
  if (const FileResult committed = CommitOutputs(pending.pdf.get(), pending.ics.get());
      !committed) {
    Fail(result, committed.path == job.ics.path, committed.Describe());
    return result;
  }
  result.status = JobResult::Status::Written;
  return result;
}

}  // namespace orvanta
