#pragma once
// Observed days of each month printed as footnotes.

#include <array>
#include <optional>
#include <span>
#include <string>

#include "almanac/DayNumber.h"

namespace orvanta {

// One observed day: a fixed day of the month, or the n-th Sunday of it.
struct Commemoration {
  int dayOfMonth = 0;  // 1..31; 0 when `sunday` gives the day
  int sunday = 0;      // 1..4 for the first to the fourth Sunday
  const char* event = "";
};

// The month's commemorations in the order the footnotes list them (at most
// four); none outside 1..12.
std::span<const Commemoration> MonthCommemorationList(int month);

// The date of `c` in `month` of `year`; none for a Sunday the month lacks.
std::optional<DayNumber> CommemorationDay(int year, int month, const Commemoration& c);

// The footnote as printed: "07: festa delle donne", "Seconda domenica: ...".
std::string CommemorationText(const Commemoration& c);

// Up to four footnote texts for `month` (empty text = no footnote); all empty
// outside 1..12.
std::array<std::string, 4> MonthCommemorations(int month);

}  // namespace orvanta
