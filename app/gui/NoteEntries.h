#pragma once
// The texts of the notes editor's list.

#include <QString>

#include "almanac/DayNumber.h"

namespace orvanta {

// The DayNumber (five digits in the editor's year), two blanks, the text.
QString HiddenEntry(DayNumber day, const QString& text);

// What the list shows: "dd/mm/yy", two blanks, the text.
QString VisibleEntry(DayNumber day, const QString& text);

}  // namespace orvanta
