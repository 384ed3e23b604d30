#pragma once
// The content lines of a vCard file (versions 2.1, 3.0 and 4.0): unfolded,
// split into name, parameters and value, the value decoded to UTF-8. One
// linear pass over the text; a line is held only while it is read.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanta {

// No value the import uses comes near this; a longer content line (a photo)
// is cut there.
inline constexpr std::size_t kMaxVCardLineBytes = 64 * 1024;

struct VCardProperty {
  std::string group;  // upper case: "ITEM1" of "item1.X-ABDATE"; empty when none
  std::string name;   // upper case, without its group ("item1.BDAY" is "BDAY")
  // Upper-case names with their values as written, without quotes; a bare
  // 2.1 parameter is an ENCODING ("QUOTED-PRINTABLE") or else a TYPE ("HOME").
  std::vector<std::pair<std::string, std::string>> parameters;
  // QUOTED-PRINTABLE and BASE64 decoded and the CHARSET converted (UTF-8
  // when valid, else Windows-1252, when none is named); text escapes still
  // in place.
  std::string value;
  int line = 0;  // the line of the file it starts on, from 1

  // The value of the first parameter `name` (upper case); empty when none.
  std::string Parameter(std::string_view name) const;
};

// Hands every content line of `bytes` to `take`, in order; lines without a
// ":" are skipped. A BEGIN:VCARD or END:VCARD line always stands for itself:
// no folding or soft line break carries on into it.
void ForEachVCardProperty(std::string_view bytes,
                          const std::function<void(const VCardProperty&)>& take);

// Every content line of `bytes`, in order.
std::vector<VCardProperty> ReadVCardProperties(std::string_view bytes);

// A text value with its escapes resolved ("\n", "\,", "\;", "\\").
std::string UnescapeVCardText(std::string_view value);

// The components of a structured value (N), split at unescaped ";".
std::vector<std::string> SplitVCardComponents(std::string_view value);

}  // namespace orvanta
