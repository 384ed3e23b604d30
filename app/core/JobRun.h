#pragma once
// A whole calendar job with files for its outputs: the PDF, the iCalendar
// file or both, and either of them for standard output. Every file asked for
// takes its name, or none does.

#include <string>

#include "app/core/CalendarJob.h"

namespace orvanta {

struct JobResult {
  enum class Status {
    Written,    // every output file has its new content; standardOutput is complete
    Failed,     // nothing changed (detail says why)
    Cancelled,  // job.cancelled stopped the job; nothing changed
  };
  Status status = Status::Failed;
  bool icsFailed = false;      // for Failed: the iCalendar file failed, not the calendar
  std::string detail;          // for Failed: why, in Italian and on one line, naming the file
  std::string standardOutput;  // the content of the output meant for standard output

  [[nodiscard]] bool Written() const { return status == Status::Written; }
};

// Runs `job`, working in `runFolder` (with its trailing "/"): the calendar
// is composed there and copied beside its output, and an output meant for
// standard output is made there whole first. The iCalendar file is made
// first: cheap, and its mistakes show before the calendar takes its time.
// job.cancelled is asked between the steps too; the viewer is the caller's.
[[nodiscard]] JobResult RunJob(const CalendarJob& job, const std::string& runFolder);

}  // namespace orvanta
