#include "almanac/AlmanacYear.h"

#include "almanac/Easter.h"
#include "almanac/Text.h"

namespace orvanta {
namespace {

struct CivilHoliday {
  const char* Name = nullptr;
  bool Red = false;
};

constexpr const char* kMartedi = "'Martedì grasso' (Carnevale Romano)";
constexpr const char* kGiovedi = "'Giovedì grasso'";
constexpr const char* kSabato = "'Sabato grasso' (Carnevale Ambrosiano)";

// Carnival days are looked for in February and March only.
CivilHoliday Carnival(const AlmanacYear& year, DayNumber day) {
  if (day == year.EasterDay - 47) return {kMartedi, false};
  if (day == year.EasterDay - 52) return {kGiovedi, false};
  if (day == year.EasterDay - 43) return {kSabato, false};
  return {};
}

CivilHoliday EasterHoliday(const AlmanacYear& year, DayNumber day) {
  if (day == year.EasterDay) return {"Pasqua", true};
  if (day == year.EasterMonday) return {"Dell'Angelo", true};
  return {};
}

// The civil holiday table: within a month the first rule that holds wins.
CivilHoliday FindCivilHoliday(const AlmanacYear& year, DayNumber day) {
  const CivilDate date = DateOf(day);
  const int d = date.Day;
  switch (date.Month) {
    case 1:
      if (d == 1) return {"Capodanno", true};
      if (d == 6) return {"Epifania", true};
      return {};
    case 2:
      return Carnival(year, day);
    case 3:
      if (const CivilHoliday easter = EasterHoliday(year, day); easter.Name) return easter;
      return Carnival(year, day);
    case 4:
      if (const CivilHoliday easter = EasterHoliday(year, day); easter.Name) return easter;
      if (d == 25) return {"Anniversario della liberazione", true};
      return {};
    case 5:
      if (d == 1) return {"Festa del lavoro", true};
      return {};
    case 6:
      if (d == 2) return {"Festa della Repubblica", true};
      return {};
    case 8:
      if (d == 15) return {"Assunzione S. Vergine", true};
      return {};
    case 11:
      if (d == 1) return {"Tutti i Santi", true};
      if (d == 2) return {"Defunti", false};
      return {};
    case 12:
      if (d == 8) return {"Immacolata Concezione", true};
      if (d == 25) return {"Natale", true};
      if (d == 26) return {"S. Stefano", true};
      if (d == 31 && year.Chiesa) return {"S. Silvestro", false};
      return {};
    default:
      return {};
  }
}

}  // namespace

AlmanacYear PrepareAlmanacYear(int year, bool chiesa, bool notePersonali) {
  AlmanacYear state;
  state.Year = year;
  state.EasterDay = ComputeEaster(year);
  state.EasterMonday = state.EasterDay + 1;
  if (chiesa) state.ChurchFeastList = BuildChurchFeasts(year, state.EasterDay);
  state.Chiesa = chiesa;
  state.NotePersonali = notePersonali;
  return state;
}

DayLookup LookupDay(const AlmanacYear& year, DayNumber day) {
  DayLookup result;
  if (year.NotePersonali) {
    for (const NoteEntry& note : year.NotesTable) {
      if (note.day == day) {
        result.PersonalNote = TrimSpaces(note.text);
        break;
      }
    }
  }

  result.IsHoliday = IsSunday(day);
  if (const CivilHoliday holiday = FindCivilHoliday(year, day); holiday.Name) {
    result.HolidayName = holiday.Name;
    result.IsHoliday = result.IsHoliday || holiday.Red;
  }

  // A church feast takes over the name but never the colour.
  if (year.Chiesa) {
    for (const auto& feast : year.ChurchFeastList) {
      if (feast && feast->Day == day) {
        result.HolidayName = TrimSpaces(feast->Name);
        break;
      }
    }
  }
  return result;
}

}  // namespace orvanta
