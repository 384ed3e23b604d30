#pragma once
// The content lines of a vCard file (versions 2.1, 3.0 and 4.0): unfolded,
// split into name, parameters and value, the value decoded to UTF-8.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanta {

struct VCardProperty {
  std::string name;  // upper case, without its group ("item1.BDAY" is "BDAY")
  // Upper-case names with their values as written, without quotes; a bare
  // 2.1 parameter is an ENCODING ("QUOTED-PRINTABLE") or else a TYPE ("HOME").
  std::vector<std::pair<std::string, std::string>> parameters;
  // QUOTED-PRINTABLE decoded and the CHARSET converted (UTF-8 when valid,
  // else Windows-1252, when none is named); text escapes still in place.
  std::string value;

  // The value of the first parameter `name` (upper case); empty when none.
  std::string Parameter(std::string_view name) const;
};

// Every content line of `bytes`, in order; lines without a ":" are skipped.
std::vector<VCardProperty> ReadVCardProperties(std::string_view bytes);

// A text value with its escapes resolved ("\n", "\,", "\;", "\\").
std::string UnescapeVCardText(std::string_view value);

// The components of a structured value (N), split at unescaped ";".
std::vector<std::string> SplitVCardComponents(std::string_view value);

}  // namespace orvanta
