#pragma once
// Working values of one calendar run, shared by the drawing passes. Created by
// ComposeCalendar for the run and dropped with it.

#include <cstdint>

#include "almanac/DayNumber.h"
#include "calendar/CalendarOptions.h"
#include "calendar/PictureSlots.h"
#include "calendar/YearContent.h"

namespace orvanta {

class clsPDFCreator;

// Page geometry in centimetres (origin bottom left, y upwards).
inline constexpr double kPageCentreX = 10.5;
inline constexpr double kRightColumnX = 10.8;
inline constexpr double kFirstRowY = 24.5;
inline constexpr double kRowPitch = 1.4;
inline constexpr int kLeftColumnDays = 16;

struct PageState {
  PageState(clsPDFCreator& w, const CalendarOptions& o, const YearContent& c, const PictureSlots& p)
      : writer(w), options(o), content(c), pictures(p) {}

  clsPDFCreator& writer;
  const CalendarOptions& options;
  const YearContent& content;
  const PictureSlots& pictures;

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

  // The row being drawn.
  DayNumber currentDate = 0;
  int day = 1;
  float rowY = static_cast<float>(kFirstRowY);
  float columnX = 2.4f;
  const DayContent* today = nullptr;  // what the current date carries

  // Carried from page to page.
  int dayOfYear = 0;
  int week = 0;
};

}  // namespace orvanta
