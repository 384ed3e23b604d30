// The year's iCalendar file as a job's output: the facts the switches let
// in, as on the page; the job's clock gives the DTSTAMP.
#include <ctime>

#include "app/core/ICalendar.h"
#include "app/core/JobOutputs.h"
#include "app/core/YearFacts.h"

namespace orvanta {

RenderOutcome RenderICalendar(const CalendarJob& job, const PreparedYear& year,
                              const OutputSink& sink) {
  const std::time_t stamp = job.clock ? job.clock() : std::time(nullptr);
  return RenderOutcome::Of(sink(ICalendarText(year.options.Anno, GatherYearFacts(year), stamp)));
}

}  // namespace orvanta
