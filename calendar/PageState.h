#pragma once
// Working values of one calendar run, shared by the drawing passes. Created by
// ComposeCalendar for the run and dropped with it.

#include <cstdint>

#include "almanac/AlmanacYear.h"
#include "almanac/DayNumber.h"
#include "almanac/MoonPhases.h"
#include "almanac/ShiftCycle.h"
#include "calendar/CalendarOptions.h"
#include "calendar/PictureSlots.h"

namespace orvanta {

class clsPDFCreator;

// Page geometry in centimetres (origin bottom left, y upwards).
inline constexpr double kPageCentreX = 10.5;
inline constexpr double kRightColumnX = 10.8;
inline constexpr double kFirstRowY = 24.5;
inline constexpr double kRowPitch = 1.4;
inline constexpr int kLeftColumnDays = 16;

struct PageState {
  PageState(clsPDFCreator& w, const CalendarOptions& o, const AlmanacYear& a, const PictureSlots& p,
            const ShiftCycle& s)
      : writer(w), options(o), almanac(a), pictures(p), shifts(s) {}

  clsPDFCreator& writer;
  const CalendarOptions& options;
  const AlmanacYear& almanac;
  const PictureSlots& pictures;
  const ShiftCycle& shifts;

  int year = 0;
  int16_t yearLength = 365;

  // Shifts: 1.0 cm wider grid without side columns; moon glyph 1 cm further
  // right without progressive numbers.
  float gridShift = 0;
  float glyphShift = 0;
  float leftColumnX = 2.4f;

  // The page.
  int month = 1;
  DayNumber firstOfMonth = 0;
  DayNumber firstOfPreviousMonth = 0;
  DayNumber firstOfNextMonth = 0;
  MonthMoonPhases moon;

  // The row being drawn.
  DayNumber currentDate = 0;
  int day = 1;
  float rowY = static_cast<float>(kFirstRowY);
  float columnX = 2.4f;
  DayLookup lookup;  // LookupDay of the current date, for the annotations

  // Carried from page to page.
  int dayOfYear = 0;
  int week = 0;
  int shiftIndex = 0;  // entry of the shift cycle for the current date
  int shiftLast = 0;   // ShiftCount
};

}  // namespace orvanta
