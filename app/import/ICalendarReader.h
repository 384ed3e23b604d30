#pragma once
// The yearly events of an iCalendar file (RFC 5545) as phones, web
// calendars, mail programs and this program's own export write them, read
// with libical: an event that repeats every year on its day and month, and
// an event this program exported as a personal note.
//
// The file is never handed to the library whole: a first pass of our own,
// in one linear sweep, unfolds the lines, checks the nesting of components,
// and hands each event to the library alone with just the lines the import
// uses, each of bounded length, so that neither a deep nesting nor long lines
// nor many of them can make the library recurse, stall or fill the memory.

#include <optional>
#include <string>
#include <string_view>

#include "app/import/ImportedItems.h"

namespace orvanta {

// Components nested deeper than this (a calendar, an event, an alarm is
// three) make the file unreadable.
inline constexpr int kMaxICalendarNesting = 16;

// Whether `bytes` starts (after a byte order mark and blank lines) with
// BEGIN:VCALENDAR.
bool LooksLikeICalendar(std::string_view bytes);

// The events of `bytes`, each on the day and month of its start: in its own
// time zone or floating as written, in Italian civil time when given in UTC.
// A yearly series whose last occurrence falls before `thisYear` is refused
// as ended. None when the file cannot be read as iCalendar; `unreadable`
// then says why, when there is more to say than that.
std::optional<ImportedItems> ReadICalendarEvents(std::string_view bytes, int thisYear,
                                                 std::string& unreadable);

// The same for CurrentYear(), without the reason.
std::optional<ImportedItems> ReadICalendarEvents(std::string_view bytes);

// The year of today's date by the system clock (UTC).
int CurrentYear();

}  // namespace orvanta
