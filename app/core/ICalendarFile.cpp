#include "app/core/ICalendarFile.h"

#include "app/core/ICalendar.h"
#include "app/core/YearFacts.h"

namespace orvanta {

FileResult PrepareICalendar(const CalendarJob& job, const std::string& path,
                            std::unique_ptr<AtomicFile>& pending) {
  pending.reset();
  const int year = job.options.Anno;
  const std::time_t stamp = job.clock ? job.clock() : std::time(nullptr);
  const std::string text =
      ICalendarText(year, LoadYearFacts(year, job.options, job.notesFile, job.shiftFile), stamp);
  std::unique_ptr<AtomicFile> file;
  if (FileResult created = AtomicFile::Create(path, file); !created) return created;
  if (FileResult written = file->Write(text); !written) return written;
  pending = std::move(file);
  return FileResult::Success();
}

FileResult WriteICalendar(const CalendarJob& job) {
  std::unique_ptr<AtomicFile> pending;
  if (FileResult prepared = PrepareICalendar(job, job.ics.path, pending); !prepared)
    return prepared;
  return pending->Commit();
}

}  // namespace orvanta
