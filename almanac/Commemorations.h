#pragma once
// Observed days of each month printed as footnotes.

#include <array>
#include <string>

namespace orvanta {

// Up to four footnote texts for `month` (empty text = no footnote); all empty
// outside 1..12.
std::array<std::string, 4> MonthCommemorations(int month);

}  // namespace orvanta
