#include "app/core/export/YearFacts.h"

#include <utility>

#include "calendar/YearRanges.h"

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

// A day's name on its own, away from the page: whole, and without the
// quote marks the day cell puts around the carnival days.
const char* HolidaySummary(HolidayKey key) {
  switch (key) {
    case HolidayKey::MartediGrasso:
      return "Martedì grasso (Carnevale Romano)";
    case HolidayKey::GiovediGrasso:
      return "Giovedì grasso";
    case HolidayKey::SabatoGrasso:
      return "Sabato grasso (Carnevale Ambrosiano)";
    case HolidayKey::LunediAngelo:
      return "Lunedì dell'Angelo";
    default:
      return HolidayPageName(key);
  }
}

// The civil name and the Church's: a feast that takes over the day cell
// leaves the holiday in the list.
void AddDayNames(const YearContent& content, const DayContent& day,
                 std::vector<CalendarFact>& facts) {
  const DayName& name = day.name;
  if (name.holiday != HolidayKey::None && !IsReligiousName(name.holiday)) {
    const FactKind kind = IsPublicHoliday(name.holiday) ? FactKind::Holiday : FactKind::Observance;
    facts.push_back({day.date, kind, HolidaySummary(name.holiday), name.red});
  }
  if (name.Religious())
    facts.push_back({day.date, FactKind::ChurchFeast, content.DayNameText(day), name.red});
}

// Each position of the shift cycle on its first day of the year, repeating
// every cycle length while the year lasts.
void AddShift(const YearContent& content, const DayContent& day, std::vector<CalendarFact>& facts) {
  const int count = content.shifts.ShiftCount;
  const int index = day.date - content.days.front().date;
  const std::string shift = content.ShiftText(day);
  if (index >= count || shift.empty()) return;
  const bool repeats = index + count < static_cast<int>(content.days.size());
  facts.push_back({day.date, FactKind::Shift, "Turno: " + shift, false, repeats ? count : 0});
}

// One day's facts, in FactKind order.
void AddDayFacts(const YearContent& content, const DayContent& day, const CalendarOptions& options,
                 std::vector<CalendarFact>& facts) {
  AddDayNames(content, day, facts);
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
  AddShift(content, day, facts);
}

}  // namespace

std::vector<CalendarFact> GatherYearFacts(const PreparedYear& year) {
  std::vector<CalendarFact> facts;
  for (const DayContent& day : year.content.days)
    AddDayFacts(year.content, day, year.options, facts);
  return facts;
}

std::vector<CalendarFact> GatherYearFacts(int year, const CalendarOptions& options,
                                          const std::vector<NoteEntry>& notes, ShiftCycle shifts) {
  if (!kComposableYears.Contains(year)) return {};
  CalendarOptions ofYear = options;
  ofYear.Anno = static_cast<int16_t>(year);
  return GatherYearFacts(PrepareYear(ofYear, notes, std::move(shifts)));
}

}  // namespace orvanta
