#pragma once
// The two clock-change days: last Sunday of March and last Sunday of October.

#include "almanac/DayNumber.h"

namespace orvanta {

bool IsSummerTimeStart(DayNumber day);
bool IsSummerTimeEnd(DayNumber day);

}  // namespace orvanta
