#include "app/core/YearFacts.h"

#include <utility>

#include "app/core/NotesFile.h"

namespace orvanta {
namespace {

const char* MoonPhaseName(MoonPhaseCode code) {
  switch (code) {
    case kNewMoon:
      return "Luna nuova";
    case kFirstQuarter:
      return "Primo quarto";
    case kFullMoon:
      return "Luna piena";
    case kLastQuarter:
      return "Ultimo quarto";
    default:
      return nullptr;
  }
}

const char* ClockChangeName(ClockChange change) {
  return change == ClockChange::SummerTimeStart ? "ora legale" : "ora solare";
}

// One day's facts, in FactKind order.
void AddDayFacts(const YearContent& content, const DayContent& day, const CalendarOptions& options,
                 std::vector<CalendarFact>& facts) {
  if (day.name.Named()) {
    facts.push_back({day.date, day.name.Religious() ? FactKind::ChurchFeast : FactKind::Holiday,
                     content.DayNameText(day), day.name.red});
  }
  if (options.FasiSoleLuna && day.moon != 0)
    facts.push_back({day.date, FactKind::MoonPhase, MoonPhaseName(day.moon), false});
  if (options.FasiSoleLuna && day.clock != ClockChange::None)
    facts.push_back({day.date, FactKind::SummerTime, ClockChangeName(day.clock), false});
  if (options.Note) {
    for (const Commemoration* c : day.commemorations)
      facts.push_back({day.date, FactKind::Commemoration, c->event, false});
  }
  if (options.NotePersonali && !day.note.empty())
    facts.push_back({day.date, FactKind::PersonalNote, day.note, false});
  if (const std::string shift = content.ShiftText(day); !shift.empty())
    facts.push_back({day.date, FactKind::Shift, "Turno: " + shift, false});
}

}  // namespace

std::vector<CalendarFact> GatherYearFacts(int year, const CalendarOptions& options,
                                          const std::vector<NoteEntry>& notes, ShiftCycle shifts) {
  std::vector<CalendarFact> facts;
  if (!MakeDayNumber(year - 1, 12, 1) || !MakeDayNumber(year + 1, 1, 31)) return facts;
  const YearContent content = BuildYearContent(year, options, notes, std::move(shifts));
  for (const DayContent& day : content.days) AddDayFacts(content, day, options, facts);
  return facts;
}

std::vector<CalendarFact> LoadYearFacts(int year, const CalendarOptions& options,
                                        const std::string& notesFile,
                                        const std::string& shiftFile) {
  const std::vector<NoteEntry> notes =
      options.NotePersonali ? LoadNotesForYear(notesFile, year) : std::vector<NoteEntry>{};
  ShiftCycle shifts = options.Turno ? LoadShiftCycle(shiftFile) : ShiftCycle{};
  return GatherYearFacts(year, options, notes, std::move(shifts));
}

}  // namespace orvanta
