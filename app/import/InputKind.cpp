#include "app/import/InputKind.h"

#include "almanac/Text.h"
#include "base/AsciiCase.h"

namespace orvanta {

bool FirstLineIs(std::string_view bytes, std::string_view line) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    const std::string_view first = TrimWhitespace(bytes.substr(0, end));
    if (!first.empty()) return AsciiUpper(std::string(first)) == line;
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return false;
}

}  // namespace orvanta
