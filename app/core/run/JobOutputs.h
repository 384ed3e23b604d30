#pragma once
// The outputs a job can write, as a list: each one a formatter that renders
// the run's year into the file the job prepared for it. A new output is one
// formatter, one entry in OutputFormats() and the front end's way to ask for
// it.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "app/core/run/CalendarJob.h"
#include "base/FileResult.h"
#include "calendar/YearContent.h"

namespace orvanta {

// Where an output's bytes go, piece by piece: a file beside its target (not
// yet under its name) or the text meant for standard output.
using OutputSink = std::function<FileResult(std::string_view bytes)>;

// How a formatter ended; the job commits nothing unless every one wrote.
struct RenderOutcome {
  enum class Status { Written, Failed, Cancelled };
  Status status = Status::Failed;
  std::string detail;  // for Failed: why, in Italian, naming the file when a file failed

  static RenderOutcome Done() { return {Status::Written, {}}; }
  // The sink's answer: written, or failed as it says.
  static RenderOutcome Of(const FileResult& written);
};

struct OutputFormat {
  JobOutput CalendarJob::*output;  // where the job asks for it
  const char* what;                // its name in a message: "il file iCalendar"
  RenderOutcome (*render)(const CalendarJob& job, const PreparedYear& year, const OutputSink& sink);
};

// Every output, in the order a job renders them: the cheap ones first, so
// that their mistakes show before the calendar takes its time.
std::span<const OutputFormat> OutputFormats();

// The formatters (one file each).
RenderOutcome RenderCalendarPdf(const CalendarJob& job, const PreparedYear& year,
                                const OutputSink& sink);
RenderOutcome RenderICalendar(const CalendarJob& job, const PreparedYear& year,
                              const OutputSink& sink);
RenderOutcome RenderCsv(const CalendarJob& job, const PreparedYear& year, const OutputSink& sink);

}  // namespace orvanta
