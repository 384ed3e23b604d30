#include "app/core/run/JobOutputs.h"

namespace orvanta {

RenderOutcome RenderOutcome::Of(const FileResult& written) {
  if (written) return Done();
  return {Status::Failed, written.Describe()};
}

std::span<const OutputFormat> OutputFormats() {
  static constexpr OutputFormat kFormats[] = {
      {&CalendarJob::ics, "il file iCalendar", RenderICalendar},
      {&CalendarJob::csv, "il file CSV", RenderCsv},
      {&CalendarJob::pdf, "il calendario", RenderCalendarPdf},
  };
  return kFormats;
}

}  // namespace orvanta
