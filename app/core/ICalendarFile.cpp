#include "app/core/ICalendarFile.h"

#include "app/core/ICalendar.h"
#include "app/core/YearFacts.h"

namespace orvanta {

FileResult PrepareICalendar(const ICalendarRequest& request, std::unique_ptr<AtomicFile>& pending) {
  pending.reset();
  const int year = request.options.Anno;
  const std::time_t stamp = request.clock ? request.clock() : std::time(nullptr);
  const std::string text = ICalendarText(
      year, LoadYearFacts(year, request.options, request.notesFile, request.shiftFile), stamp);
  std::unique_ptr<AtomicFile> file;
  if (FileResult created = AtomicFile::Create(request.outputFile, file); !created) return created;
  if (FileResult written = file->Write(text); !written) return written;
  pending = std::move(file);
  return FileResult::Success();
}

FileResult WriteICalendar(const ICalendarRequest& request) {
  std::unique_ptr<AtomicFile> pending;
  if (FileResult prepared = PrepareICalendar(request, pending); !prepared) return prepared;
  return pending->Commit();
}

}  // namespace orvanta
