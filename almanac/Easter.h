#pragma once
// Easter Sunday by the Gregorian computus.

#include "almanac/DayNumber.h"

namespace orvanta {

// Easter Sunday of `year`; 0 when the year is outside 1583..32767, where the
// Gregorian rule does not apply or the year does not fit a 16-bit number.
DayNumber ComputeEaster(int year);

}  // namespace orvanta
