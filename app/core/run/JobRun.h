#pragma once
// The one way a calendar is made, for the window and the command line
// alike: a job reads its inputs once, prepares the year once and hands the
// same year to every output it asks for. Every file asked for takes its
// name, or none does.

#include <string>

#include "app/core/run/CalendarJob.h"

namespace orvanta {

struct JobResult {
  enum class Status {
    Written,    // every output file has its new content; standardOutput is complete
    Failed,     // nothing changed (detail says why)
    Cancelled,  // job.cancelled stopped the job; nothing changed
  };
  Status status = Status::Failed;
  std::string failedOutput;  // for Failed: the output not written ("il file iCalendar")
  std::string detail;        // for Failed: why, in Italian and on one line, naming the file
  // For a calendar file that could not be made: what the user is told about
  // it (a calendar still open, a link or another user's file); else empty.
  std::string notice;
  bool shiftUnusable = false;  // the shifts were asked for but the shift file cannot be used
  std::string standardOutput;  // the content of the output meant for standard output

  [[nodiscard]] bool Written() const { return status == Status::Written; }
};

// Runs `job`: reads the notes and the shift file (once each, only when the
// options ask for them and the front end has not read them already),
// prepares the year, renders every output asked for
// into a file beside its target (or into standardOutput) and commits them
// together. job.cancelled is asked between the steps too; once every file is
// in place the viewer starts when the job asks for it.
[[nodiscard]] JobResult RunJob(CalendarJob job);

}  // namespace orvanta
