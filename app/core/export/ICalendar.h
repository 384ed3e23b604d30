#pragma once
// The year's facts as an iCalendar file (RFC 5545): one all-day event per
// fact (a repeating fact repeats it daily at its interval until 31 December),
// UTF-8, CR LF line ends, lines folded at 75 octets. The same facts and the
// same time stamp give the same bytes.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/DayNumber.h"
#include "app/core/export/YearFacts.h"

namespace orvanta {

// The longest line, in octets without its CR LF.
inline constexpr std::size_t kICalendarLineOctets = 75;

// A TEXT value: backslash, ";", "," and line breaks escaped; other control
// characters as blanks and bytes that are not UTF-8 as U+FFFD, which the
// format does not allow.
std::string EscapeICalendarText(std::string_view text);

// One content line, folded: a line end (CR LF) after each piece and a blank
// before every piece but the first; no piece longer than 75 octets, none cut
// inside a character.
std::string FoldICalendarLine(std::string_view line);

// The kind's category, in the calendar's words ("festività", "luna", ...).
const char* ICalendarCategory(FactKind kind);

// "<year>-<kind>-<yyyymmdd>@orvanta", with "-<n>" before the "@" for the n-th
// (n >= 2) fact of one kind on one day: importing the file again finds the
// same event.
std::string ICalendarUid(int year, FactKind kind, DayNumber day, int occurrence = 1);

// The whole file for `year`; `stamp` (UTC) goes into every DTSTAMP.
std::string ICalendarText(int year, const std::vector<CalendarFact>& facts, std::time_t stamp);

}  // namespace orvanta
