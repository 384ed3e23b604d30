#pragma once
// Dates as the calendar prints them: Italian weekday and month names.

#include <cstdint>
#include <string>
#include <string_view>

#include "almanac/DayNumber.h"

namespace orvanta {

// "Dom", "Lun", "Mar", "Mer", "Gio", "Ven", "Sab" (Sunday to Saturday).
std::string WeekdayAbbreviation(DayNumber date);

// 365 or 366: the days from 1 January to 31 December of `year` inclusive.
int16_t DaysInYear(int year);

// "gennaio" ... "dicembre"; "gen" ... "dic". Empty outside 1..12.
std::string_view MonthName(int month);
std::string_view MonthAbbreviation(int month);

// Month title of the page: "mmmm yyyy" in upper case, e.g. "GENNAIO 2013".
std::string MonthTitle(DayNumber firstOfMonth);

// Side-column label: "mmm yy" in upper case, e.g. "DIC 12".
std::string SideColumnLabel(DayNumber firstOfMonth);

// The version line at the foot of every page.
std::string VersionLine();

}  // namespace orvanta
