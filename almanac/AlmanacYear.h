#pragma once
// The almanac's state for one calendar run and the day lookup that reads it.

#include <cstddef>
#include <cstdint>
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

// Built once per run with the year's content, which names each day from it.
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

// The names of the civil holiday table, and "S. Silvestro" that the
// religious option adds.
enum class HolidayKey : std::uint8_t {
  None,
  Capodanno,
  Epifania,
  MartediGrasso,
  GiovediGrasso,
  SabatoGrasso,
  Pasqua,
  LunediAngelo,
  Liberazione,
  FestaLavoro,
  FestaRepubblica,
  Assunzione,
  TuttiSanti,
  Defunti,
  Immacolata,
  Natale,
  SantoStefano,
  SanSilvestro,
};

// The name as the day cell prints it ("Dell'Angelo", "'Giovedì grasso'");
// empty for None.
const char* HolidayPageName(HolidayKey key);
// A public holiday: printed red whatever its weekday.
bool IsPublicHoliday(HolidayKey key);
// A name the religious option brings rather than the civil table.
bool IsReligiousName(HolidayKey key);

// What names a day and whether it is printed red. A church feast takes over
// the printed name but never the colour.
struct DayName {
  HolidayKey holiday = HolidayKey::None;
  int feastSlot = -1;  // slot of ChurchFeastList, -1 when no feast falls on the day
  bool red = false;    // Sundays and the public holidays

  [[nodiscard]] bool Named() const { return holiday != HolidayKey::None || feastSlot >= 0; }
  // The name shown is the Church's: a feast, or "S. Silvestro".
  [[nodiscard]] bool Religious() const { return feastSlot >= 0 || IsReligiousName(holiday); }
};

DayName NameDay(const AlmanacYear& year, DayNumber day);

// The printed name of a day: the feast's (trimmed) or the holiday's.
std::string PrintedDayName(const AlmanacYear& year, const DayName& name);

// The first note of `day` in the table, trimmed; empty when none.
std::string PersonalNoteOf(const AlmanacYear& year, DayNumber day);

}  // namespace orvanta
