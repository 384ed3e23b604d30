#pragma once
// The almanac's state for one calendar run and the day lookup that reads it.

#include <cstddef>
#include <string>
#include <vector>

#include "almanac/ChurchFeasts.h"
#include "almanac/DayNumber.h"

namespace orvanta {

// One personal note, its date already moved into the calendar's year.
struct NoteEntry {
  DayNumber day = 0;
  std::string text;
};

// The notes reader stops at this many entries.
inline constexpr std::size_t kMaxNotes = 365;

// Built once per run by the composer, read by every LookupDay.
struct AlmanacYear {
  int Year = 0;
  DayNumber EasterDay = 0;
  DayNumber EasterMonday = 0;          // always EasterDay + 1
  ChurchFeastArray ChurchFeastList{};  // filled only when Chiesa is set
  std::vector<NoteEntry> NotesTable;   // filled by the notes reader when NotePersonali is set
  bool Chiesa = false;                 // religious feasts and "S. Silvestro"
  bool NotePersonali = false;          // personal notes
};

// Easter, Easter Monday and (with `chiesa`) the church feasts of `year`;
// NotesTable is left empty for the notes reader.
AlmanacYear PrepareAlmanacYear(int year, bool chiesa, bool notePersonali);

struct DayLookup {
  bool IsHoliday = false;    // printed red: Sundays and the red holidays
  std::string HolidayName;   // empty when none
  std::string PersonalNote;  // empty when none or when NotePersonali is off
};

DayLookup LookupDay(const AlmanacYear& year, DayNumber day);

}  // namespace orvanta
