#pragma once
// The birthdays and anniversaries of an address book exported as vCard
// (versions 2.1, 3.0 and 4.0): "Compleanno di " or "Anniversario di " and
// the contact's name, on the day and month of the date in any form address
// books write it.

#include <string_view>

#include "app/import/ImportedItems.h"

namespace orvanta {

// Whether `bytes` starts (after a byte order mark and blank lines) with
// BEGIN:VCARD.
bool LooksLikeVCard(std::string_view bytes);

ImportedItems ReadVCards(std::string_view bytes);

}  // namespace orvanta
