#pragma once
// The year's content as data: what each day of the calendar's year carries
// (its name, red or not, personal note, shift, moon phase, clock change and
// commemorations), computed once from the almanac for a run. The pages and
// the iCalendar export each turn it into their own text.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/AlmanacYear.h"
#include "almanac/Commemorations.h"
#include "almanac/DayNumber.h"
#include "almanac/MoonPhases.h"
#include "almanac/ShiftCycle.h"
#include "calendar/CalendarOptions.h"
#include "calendar/EventPicture.h"

namespace orvanta {

enum class ClockChange : std::uint8_t { None, SummerTimeStart, SummerTimeEnd };

struct DayContent {
  DayNumber date = 0;
  DayName name;            // holiday and church feast, and whether the day is red
  std::string note;        // the day's personal note, trimmed; empty when none
  int shiftPosition = 0;   // entry of the shift cycle (1..ShiftCount); 0 without shifts
  MoonPhaseCode moon = 0;  // the principal phase of the day; 0 when none
  ClockChange clock = ClockChange::None;
  std::vector<const Commemoration*> commemorations;  // in footnote order
  // The day's pictures in drawing order: the clock change's (March and
  // October) before the feast's.
  std::vector<EventPicture> pictures;
};

// A sign of the zodiac: the day it begins (in any year) and its name.
struct ZodiacSign {
  int month = 0;
  int day = 0;
  std::string_view name;
};

struct YearContent {
  int year = 0;
  AlmanacYear almanac;           // Easter and the church feasts the names refer to
  ShiftCycle shifts;             // the cycle the positions index; empty without shifts
  std::vector<DayContent> days;  // 1 January to 31 December

  // `date` lies in the year.
  [[nodiscard]] const DayContent& Day(DayNumber date) const;
  // Red or not, also for the neighbouring months of the side columns.
  [[nodiscard]] bool IsRed(DayNumber date) const;
  [[nodiscard]] std::string DayNameText(const DayContent& day) const;
  // The shift entry of the day, trimmed; empty without shifts.
  [[nodiscard]] std::string ShiftText(const DayContent& day) const;
  [[nodiscard]] std::span<const Commemoration> Footnotes(int month) const;

  // Sign n (1 = Capricorno, which begins in December, ... 12 = Sagittario) at
  // n - 1: month m's page shows sign m and the one beginning in month m.
  std::array<ZodiacSign, 12> zodiac{};

  std::array<bool, 31> previousDecemberRed{};
  std::array<bool, 31> nextJanuaryRed{};
};

// The content of `year` (within the composer's years). The options that
// change what a day is: Chiesa the names, NotePersonali the notes of `notes`
// (already moved into the year by the notes reader, which stops at
// kMaxNotes), Turno the positions of a usable `shifts`. Moon phases, clock
// changes and commemorations are always there; each output decides what it
// shows.
[[nodiscard]] YearContent BuildYearContent(int year, const CalendarOptions& options,
                                           std::vector<NoteEntry> notes, ShiftCycle shifts);

// The year one run prints: the options as the run uses them (black text on
// monochrome pages, no shifts without a usable shift file) and the content
// every output of the run renders.
struct PreparedYear {
  CalendarOptions options;
  YearContent content;
  bool shiftUnusable = false;  // the shifts were asked for but the cycle cannot be used
};

// Prepares options.Anno (within kComposableYears) from what the run read:
// the notes of the year and the shift cycle (each empty when not asked for).
[[nodiscard]] PreparedYear PrepareYear(const CalendarOptions& options, std::vector<NoteEntry> notes,
                                       ShiftCycle shifts);

}  // namespace orvanta
