// The calendar's twelve pages as a job's output.
#include <ctime>

#include "app/core/run/EmbeddedFiles.h"
#include "app/core/run/JobOutputs.h"
#include "base/LocalTime.h"
#include "calendar/ComposeCalendar.h"

namespace orvanta {
namespace {

// The composer's dates are the local time of the job's clock.
std::function<std::tm()> LocalTimeOf(const std::function<std::time_t()>& clock) {
  if (!clock) return {};
  return [clock] {
    const std::time_t now = clock();
    std::tm local{};
    LocalTime(now, local);
    return local;
  };
}

}  // namespace

RenderOutcome RenderCalendarPdf(const CalendarJob& job, const PreparedYear& year,
                                const OutputSink& sink) {
  ComposeEnvironment env;
  // The pictures go from the program's own data to the writer, decoded
  // already: no file, no decoding.
  env.pictures = [](int number) {
    return EmbeddedPictureSamples(kFirstZodiacImageId - 1 + number);
  };
  env.picturesRequired = job.picturesRequired;
  env.preparePicture = job.preparePicture;
  env.pumpEvents = job.pumpEvents;
  env.cancelled = job.cancelled;
  env.clock = LocalTimeOf(job.clock);
  const ComposeOutcome composed = ComposeCalendar(year, env, sink);
  switch (composed.status) {
    case ComposeOutcome::Status::Written:
      return RenderOutcome::Done();
    case ComposeOutcome::Status::Cancelled:
      return {RenderOutcome::Status::Cancelled, {}};
    case ComposeOutcome::Status::Failed:
      break;
  }
  return {RenderOutcome::Status::Failed, composed.detail};
}

}  // namespace orvanta
