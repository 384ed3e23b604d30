#pragma once
// The yearly events of an iCalendar file (RFC 5545) as phones, web
// calendars, mail programs and this program's own export write them, read
// with libical: an event that repeats every year on its day and month, and
// an event this program exported as a personal note.

#include <optional>
#include <string_view>

#include "app/import/ImportedItems.h"

namespace orvanta {

// Whether `bytes` starts (after a byte order mark and blank lines) with
// BEGIN:VCALENDAR.
bool LooksLikeICalendar(std::string_view bytes);

// The events of `bytes` on the day and month their start is written with
// (in the event's own time zone, floating or in UTC as given); none when
// the parser does not read the text as iCalendar.
std::optional<ImportedItems> ReadICalendarEvents(std::string_view bytes);

}  // namespace orvanta
