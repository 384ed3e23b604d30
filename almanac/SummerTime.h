#pragma once
// The two clock-change days: last Sunday of March and last Sunday of October.

#include "almanac/DayNumber.h"

namespace orvanta {

bool IsSummerTimeStart(DayNumber day);
bool IsSummerTimeEnd(DayNumber day);

// The day in Italian civil time of the instant `seconds` after midnight
// universal time of `day`: an hour ahead, two from 01:00 universal time on
// the last Sunday of March to 01:00 on the last Sunday of October (the rule
// the moon phases are dated by).
DayNumber ItalianCivilDay(DayNumber day, int seconds);

}  // namespace orvanta
