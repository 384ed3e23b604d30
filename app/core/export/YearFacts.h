#pragma once
// The year's content as a list of dated facts, for exports that list them
// (the iCalendar file) rather than draw them.

#include <string>
#include <vector>

#include "almanac/AlmanacYear.h"
#include "almanac/DayNumber.h"
#include "almanac/ShiftCycle.h"
#include "calendar/CalendarOptions.h"
#include "calendar/YearContent.h"

namespace orvanta {

// In the order a day lists them.
enum class FactKind {
  Holiday,        // a public holiday of the civil table ("Pasqua", "Natale", ...)
  Observance,     // a day of that table that is no holiday (the carnival days, "Defunti")
  ChurchFeast,    // a name the religious option adds ("Le Palme", "S. Silvestro", ...)
  MoonPhase,      // "Luna piena", ...
  SummerTime,     // "ora legale" / "ora solare"
  Commemoration,  // a footnote of the month, on its day
  PersonalNote,   // the note of the day
  Shift,          // "Turno: M"
};

struct CalendarFact {
  DayNumber day = 0;
  FactKind kind = FactKind::Holiday;
  std::string summary;  // UTF-8, whole: "Lunedì dell'Angelo" where the page prints "Dell'Angelo"
  // The page prints the day red (Sundays and the red holidays); set only on
  // the facts that name the day (Holiday, Observance, ChurchFeast).
  bool red = false;
  // The fact comes back every this many days until 31 December (a position
  // of the shift cycle); 0: on its day only.
  int repeatDays = 0;
};

// The facts of the run's year in date order, kinds in FactKind order within
// a day. The options decide what goes in, as on the page: Chiesa the church
// feasts, FasiSoleLuna the moon phases and the clock changes, Note the
// commemorations, NotePersonali the notes, Turno the entries of a usable
// cycle: one repeating fact per position of the cycle, on its first day of
// the year. Holidays are always in; a church feast on a holiday leaves the
// holiday in.
std::vector<CalendarFact> GatherYearFacts(const PreparedYear& year);

// The same for `year` prepared from `notes` (moved into the year by
// LoadNotesForYear) and `shifts`; a year the composer cannot print has none.
std::vector<CalendarFact> GatherYearFacts(int year, const CalendarOptions& options,
                                          const std::vector<NoteEntry>& notes, ShiftCycle shifts);

}  // namespace orvanta
