// The year's iCalendar file as a job's output: the facts the switches let
// in, as on the page; the job's clock gives the DTSTAMP.
#include <ctime>

#include "app/core/export/ICalendar.h"
#include "app/core/export/YearFacts.h"
#include "app/core/run/JobOutputs.h"

namespace orvanta {

RenderOutcome RenderICalendar(const CalendarJob& job, const PreparedYear& year,
                              const OutputSink& sink) {
  const std::time_t stamp = job.clock ? job.clock() : std::time(nullptr);
  return RenderOutcome::Of(sink(ICalendarText(year.options.Anno, GatherYearFacts(year), stamp)));
}

}  // namespace orvanta
