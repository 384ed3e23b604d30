#pragma once
// The texts of the notes editor's two lists and the rules of its fields.

#include <QString>

#include "almanac/DayNumber.h"

namespace orvanta {

// Hidden list entry: the DayNumber (five digits in the editor's year), two
// blanks, the note text. Sorting these texts sorts the notes by date.
QString HiddenEntry(DayNumber day, const QString& text);

// Visible list entry for a hidden one: "dd/mm/yy", two blanks, the text.
QString VisibleEntry(const QString& hiddenEntry);

// The note text of a visible entry (from its eleventh character on).
QString EntryText(const QString& visibleEntry);

// The DayNumber in the editor's year of a visible entry's "dd/mm"; nothing
// when the entry does not start with a valid date.
std::optional<DayNumber> EntryDay(const QString& visibleEntry);

// A typed note made safe for the notes file: a double quote becomes an
// apostrophe, a comma the cedilla "¸" (code 184).
QString SanitizeTypedNote(const QString& text);

enum class DateField { Day, Month };

// Whether a date field's text must be emptied with a beep: an empty or
// non-numeric text, a day above 31, a month above 12, or "00".
bool DateFieldRejects(const QString& text, DateField field);

}  // namespace orvanta
