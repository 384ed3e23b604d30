#include "app/core/CalendarRun.h"

#include "app/core/EmbeddedFiles.h"
#include "app/core/NotesFile.h"

namespace orvanta {

ComposeOutcome RunCalendar(const CalendarRunRequest& request) {
  const CalendarOptions& options = request.options;
  ComposeEnvironment env;
  env.outputFile = request.outputFile;
  env.shiftFile = request.shiftFile;
  env.loadNotes = [path = request.notesFile](int year) { return LoadNotesForYear(path, year); };
  // The pictures go from the program's own data to the writer: no file.
  env.pictures = [](int number) { return EmbeddedFile(kFirstZodiacImageId - 1 + number); };
  env.picturesRequired = request.picturesRequired;
  env.pumpEvents = request.pumpEvents;
  env.cancelled = request.cancelled;
  env.openViewer = request.openViewer;
  env.clock = request.clock;
  return ComposeCalendar(options.Anno, options, env);
}

}  // namespace orvanta
