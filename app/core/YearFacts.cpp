#include "app/core/YearFacts.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "almanac/Commemorations.h"
#include "almanac/MoonPhases.h"
#include "almanac/SummerTime.h"
#include "app/core/NotesFile.h"
#include "base/AsciiCase.h"

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

void AddMoonPhases(int year, std::vector<CalendarFact>& facts) {
  for (int month = 1; month <= 12; ++month) {
    const MonthMoonPhases phases = MoonPhasesForMonth(month, year);
    for (std::size_t slot = 0; slot < phases.MoonPhaseDays.size(); ++slot) {
      const char* name = MoonPhaseName(phases.MoonPhaseCodes[slot]);
      const std::optional<DayNumber> day = MakeDayNumber(year, month, phases.MoonPhaseDays[slot]);
      if (name && day) facts.push_back({*day, FactKind::MoonPhase, name, false});
    }
  }
}

// The n-th Sunday (1-based) of a month.
std::optional<DayNumber> NthSunday(int year, int month, int n) {
  const std::optional<DayNumber> first = MakeDayNumber(year, month, 1);
  if (!first) return std::nullopt;
  const int toSunday = (kSunday - WeekdayOf(*first) + 7) % 7;
  const DayNumber day = *first + toSunday + 7 * (n - 1);
  if (MonthOf(day) != month) return std::nullopt;
  return day;
}

// A footnote names its day as "07: ..." or by a rule ("Seconda domenica:
// ..."); what follows the colon is the event. Nothing for a footnote that
// names no day we can place.
std::optional<CalendarFact> CommemorationFact(int year, int month, std::string_view text) {
  const std::size_t colon = text.find(": ");
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string_view when = text.substr(0, colon);
  std::optional<DayNumber> day;
  if (when.size() == 2 && IsAsciiDigit(when[0]) && IsAsciiDigit(when[1])) {
    day = MakeDayNumber(year, month, (when[0] - '0') * 10 + (when[1] - '0'));
  } else {
    constexpr std::array<std::string_view, 4> kOrdinals = {"Prima", "Seconda", "Terza", "Quarta"};
    for (std::size_t i = 0; i < kOrdinals.size(); ++i) {
      if (when == std::string(kOrdinals[i]) + " domenica")
        day = NthSunday(year, month, static_cast<int>(i) + 1);
    }
  }
  if (!day) return std::nullopt;
  return CalendarFact{*day, FactKind::Commemoration, std::string(text.substr(colon + 2)), false};
}

void AddCommemorations(int year, std::vector<CalendarFact>& facts) {
  for (int month = 1; month <= 12; ++month) {
    for (const std::string& text : MonthCommemorations(month)) {
      if (std::optional<CalendarFact> fact = CommemorationFact(year, month, text))
        facts.push_back(std::move(*fact));
    }
  }
}

// The name the day lookup gives, as a holiday or as a church feast: a name
// the lookup gives only with the religious option is the Church's.
void AddDayName(const AlmanacYear& civil, DayNumber day, const DayLookup& lookup,
                std::vector<CalendarFact>& facts) {
  if (lookup.HolidayName.empty()) return;
  const bool civilName = LookupDay(civil, day).HolidayName == lookup.HolidayName;
  facts.push_back({day, civilName ? FactKind::Holiday : FactKind::ChurchFeast, lookup.HolidayName,
                   lookup.IsHoliday});
}

}  // namespace

std::vector<CalendarFact> GatherYearFacts(int year, const CalendarOptions& options,
                                          const std::vector<NoteEntry>& notes,
                                          const ShiftCycle& shifts) {
  AlmanacYear almanac = PrepareAlmanacYear(year, options.Chiesa, options.NotePersonali);
  if (options.NotePersonali) {
    almanac.NotesTable = notes;
    if (almanac.NotesTable.size() > kMaxNotes) almanac.NotesTable.resize(kMaxNotes);
  }
  const AlmanacYear civil = PrepareAlmanacYear(year, false, false);
  const bool withShifts = options.Turno && shifts.Usable();

  std::vector<CalendarFact> facts;
  const std::optional<DayNumber> first = MakeDayNumber(year, 1, 1);
  const std::optional<DayNumber> next = MakeDayNumber(year + 1, 1, 1);
  if (!first || !next) return facts;
  for (DayNumber day = *first; day < *next; ++day) {
    const DayLookup lookup = LookupDay(almanac, day);
    AddDayName(civil, day, lookup, facts);
    if (options.FasiSoleLuna && IsSummerTimeStart(day))
      facts.push_back({day, FactKind::SummerTime, "ora legale", false});
    if (options.FasiSoleLuna && IsSummerTimeEnd(day))
      facts.push_back({day, FactKind::SummerTime, "ora solare", false});
    if (options.NotePersonali && !lookup.PersonalNote.empty())
      facts.push_back({day, FactKind::PersonalNote, lookup.PersonalNote, false});
    if (withShifts) {
      const std::string& entry = ShiftForDay(shifts, day - *first);
      if (!entry.empty()) facts.push_back({day, FactKind::Shift, "Turno: " + entry, false});
    }
  }
  if (options.FasiSoleLuna) AddMoonPhases(year, facts);
  if (options.Note) AddCommemorations(year, facts);
  std::stable_sort(facts.begin(), facts.end(), [](const CalendarFact& a, const CalendarFact& b) {
    return a.day != b.day ? a.day < b.day : a.kind < b.kind;
  });
  return facts;
}

std::vector<CalendarFact> LoadYearFacts(int year, const CalendarOptions& options,
                                        const std::string& notesFile,
                                        const std::string& shiftFile) {
  const std::vector<NoteEntry> notes =
      options.NotePersonali ? LoadNotesForYear(notesFile, year) : std::vector<NoteEntry>{};
  const ShiftCycle shifts = options.Turno ? LoadShiftCycle(shiftFile) : ShiftCycle{};
  return GatherYearFacts(year, options, notes, shifts);
}

}  // namespace orvanta
