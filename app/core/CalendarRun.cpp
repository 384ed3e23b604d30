#include "app/core/CalendarRun.h"

#include "app/core/EmbeddedFiles.h"
#include "app/core/NotesFile.h"

namespace orvanta {
namespace {

// The composer's dates are the local time of the job's clock.
std::function<std::tm()> LocalTimeOf(const std::function<std::time_t()>& clock) {
  if (!clock) return {};
  return [clock] {
    const std::time_t now = clock();
    std::tm local{};
    localtime_r(&now, &local);
    return local;
  };
}

}  // namespace

// The one place where a job becomes the composer's environment.
ComposeOutcome RunCalendar(const CalendarJob& job, const std::string& path) {
  ComposeEnvironment env;
  env.outputFile = path.empty() ? job.pdf.path : path;
  env.shiftFile = job.shiftFile;
  env.loadNotes = [notes = job.notesFile](int year) { return LoadNotesForYear(notes, year); };
  // The pictures go from the program's own data to the writer: no file.
  env.pictures = [](int number) { return EmbeddedFile(kFirstZodiacImageId - 1 + number); };
  env.picturesRequired = job.picturesRequired;
  env.preparePicture = job.preparePicture;
  env.pumpEvents = job.pumpEvents;
  env.cancelled = job.cancelled;
  if (job.openViewer) env.openViewer = job.viewer;
  env.clock = LocalTimeOf(job.clock);
  return ComposeCalendar(job.options, env);
}

}  // namespace orvanta
