#pragma once
// Fixed sunrise/sunset table: days 1, 10 and 20 of each month.

#include <array>
#include <string>

namespace orvanta {

// Texts 0..2: "sunrise     sunset" for days 1, 10, 20; text 3: "ora legale"
// or "ora solare". All four empty for a month outside 1..12.
std::array<std::string, 4> SunTimesForMonth(int month);

}  // namespace orvanta
