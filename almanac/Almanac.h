#pragma once
// Everything the almanac offers, for callers that want it all.

#include "almanac/AlmanacYear.h"
#include "almanac/ChurchFeasts.h"
#include "almanac/Commemorations.h"
#include "almanac/DayNumber.h"
#include "almanac/Easter.h"
#include "almanac/MoonPhases.h"
#include "almanac/ShiftCycle.h"
#include "almanac/SummerTime.h"
#include "almanac/SunTimes.h"
