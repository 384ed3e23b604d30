#include "calendar/YearContent.h"

#include <array>
#include <utility>

#include "almanac/SummerTime.h"
#include "base/Text.h"
#include "calendar/DateText.h"

namespace orvanta {
namespace {

ClockChange ClockChangeOf(DayNumber day) {
  if (IsSummerTimeStart(day)) return ClockChange::SummerTimeStart;
  if (IsSummerTimeEnd(day)) return ClockChange::SummerTimeEnd;
  return ClockChange::None;
}

constexpr std::array<ZodiacSign, 12> kZodiac = {{
    {12, 22, "Capricorno"},
    {1, 20, "Acquario"},
    {2, 20, "Pesci"},
    {3, 20, "Ariete"},
    {4, 21, "Toro"},
    {5, 21, "Gemelli"},
    {6, 21, "Cancro"},
    {7, 23, "Leone"},
    {8, 23, "Vergine"},
    {9, 23, "Bilancia"},
    {10, 23, "Scorpione"},
    {11, 22, "Sagittario"},
}};

struct FeastPicture {
  int month;
  int day;
  EventPicture picture;
};
constexpr std::array<FeastPicture, 10> kFeastPictures = {{
    {1, 6, EventPicture::Befana},
    {2, 14, EventPicture::Valentino},
    {3, 21, EventPicture::Primavera},
    {6, 21, EventPicture::Estate},
    {8, 15, EventPicture::Ferragosto},
    {9, 23, EventPicture::Autunno},
    {10, 31, EventPicture::Halloween},
    {12, 21, EventPicture::Inverno},
    {12, 25, EventPicture::Natale},
    {12, 31, EventPicture::Capodanno},
}};

// The clock pictures stand for the changes of March and October only, the
// months the clock has changed in for decades.
void AddPictures(DayContent& day, const YearContent& content) {
  const CivilDate date = DateOf(day.date);
  if (date.Month == 3 && day.clock == ClockChange::SummerTimeStart)
    day.pictures.push_back(EventPicture::ClockOn);
  if (date.Month == 10 && day.clock == ClockChange::SummerTimeEnd)
    day.pictures.push_back(EventPicture::ClockOff);
  if (day.date == content.almanac.EasterDay) day.pictures.push_back(EventPicture::Pasqua);
  for (const FeastPicture& feast : kFeastPictures)
    if (feast.month == date.Month && feast.day == date.Day) day.pictures.push_back(feast.picture);
}

void AddMonthFacts(YearContent& content, int month, DayNumber firstOfYear) {
  const MonthMoonPhases phases = MoonPhasesForMonth(month, content.year);
  for (std::size_t slot = 0; slot < phases.MoonPhaseDays.size(); ++slot) {
    const std::optional<DayNumber> day =
        MakeDayNumber(content.year, month, phases.MoonPhaseDays[slot]);
    if (day && phases.MoonPhaseCodes[slot] != 0)
      content.days[static_cast<std::size_t>(*day - firstOfYear)].moon = phases.MoonPhaseCodes[slot];
  }
  for (const Commemoration& c : MonthCommemorationList(month)) {
    if (const std::optional<DayNumber> day = CommemorationDay(content.year, month, c))
      content.days[static_cast<std::size_t>(*day - firstOfYear)].commemorations.push_back(&c);
  }
}

void FillNeighbourMonths(YearContent& content) {
  const DayNumber december = *MakeDayNumber(content.year - 1, 12, 1);
  const DayNumber january = *MakeDayNumber(content.year + 1, 1, 1);
  for (int i = 0; i < 31; ++i) {
    content.previousDecemberRed[static_cast<std::size_t>(i)] =
        NameDay(content.almanac, december + i).red;
    content.nextJanuaryRed[static_cast<std::size_t>(i)] = NameDay(content.almanac, january + i).red;
  }
}

}  // namespace

const DayContent& YearContent::Day(DayNumber date) const {
  return days[static_cast<std::size_t>(date - days.front().date)];
}

bool YearContent::IsRed(DayNumber date) const {
  const DayNumber first = days.front().date;
  if (date >= first && date <= days.back().date) return Day(date).name.red;
  const DayNumber december = *MakeDayNumber(year - 1, 12, 1);
  if (date >= december && date < first) return previousDecemberRed[date - december];
  const DayNumber january = days.back().date + 1;
  if (date >= january && date < january + 31) return nextJanuaryRed[date - january];
  return NameDay(almanac, date).red;
}

std::string YearContent::DayNameText(const DayContent& day) const {
  return PrintedDayName(almanac, day.name);
}

std::string YearContent::ShiftText(const DayContent& day) const {
  const auto index = static_cast<std::size_t>(day.shiftPosition);
  if (day.shiftPosition <= 0 || index >= shifts.entries.size()) return {};
  return std::string(TrimSpaces(shifts.entries[index]));
}

std::span<const Commemoration> YearContent::Footnotes(int month) const {
  return MonthCommemorationList(month);
}

YearContent BuildYearContent(int year, const CalendarOptions& options, std::vector<NoteEntry> notes,
                             ShiftCycle shifts) {
  YearContent content;
  content.year = year;
  content.almanac = PrepareAlmanacYear(year, options.Chiesa, options.NotePersonali);
  if (options.NotePersonali) content.almanac.NotesTable = std::move(notes);
  const bool withShifts = options.Turno && shifts.Usable();
  if (withShifts) content.shifts = std::move(shifts);
  const int shiftStart = content.shifts.ShiftStart;
  const int shiftCount = content.shifts.ShiftCount;

  const DayNumber first = *MakeDayNumber(year, 1, 1);
  const int length = DaysInYear(year);
  content.days.resize(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i) {
    DayContent& day = content.days[static_cast<std::size_t>(i)];
    day.date = first + i;
    day.name = NameDay(content.almanac, day.date);
    day.note = PersonalNoteOf(content.almanac, day.date);
    day.clock = ClockChangeOf(day.date);
    if (withShifts) day.shiftPosition = (shiftStart - 1 + i) % shiftCount + 1;
    AddPictures(day, content);
  }
  content.zodiac = kZodiac;
  for (int month = 1; month <= 12; ++month) AddMonthFacts(content, month, first);
  FillNeighbourMonths(content);
  return content;
}

PreparedYear PrepareYear(const CalendarOptions& requested, std::vector<NoteEntry> notes,
                         ShiftCycle shifts) {
  PreparedYear prepared;
  prepared.options = requested;
  CalendarOptions& options = prepared.options;
  if (!options.PrintColor) options.TextColor = 0;
  if (options.Turno && !shifts.Usable()) {
    options.Turno = false;
    prepared.shiftUnusable = true;
  }
  prepared.content = BuildYearContent(options.Anno, options, std::move(notes), std::move(shifts));
  return prepared;
}

}  // namespace orvanta
