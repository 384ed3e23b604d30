#include "base/Text.h"

namespace orvanta {
namespace {

std::string_view TrimAny(std::string_view text, std::string_view set) {
  const auto first = text.find_first_not_of(set);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(set);
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
  return TrimAny(text, " ");
}

std::string_view TrimWhitespace(std::string_view text) {
  return TrimAny(text, " \t\r\n");
}

std::string DecodeUserText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Windows1252ToUtf8(bytes);
}

}  // namespace orvanta
