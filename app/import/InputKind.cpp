#include "app/import/InputKind.h"

#include "base/AsciiCase.h"
#include "base/Text.h"

namespace orvanta {
namespace {

// UTF-16 code units of `bytes` (after the mark) as UTF-8; a lone surrogate
// or an odd last byte becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string text;
  text.reserve(bytes.size());
  const auto unit = [&](std::size_t at) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return bigEndian ? (first << 8) | second : (second << 8) | first;
  };
  std::size_t at = 0;
  for (; at + 1 < bytes.size(); at += 2) {
    char32_t cp = unit(at);
    if (cp >= 0xD800 && cp < 0xDC00 && at + 3 < bytes.size()) {
      const char32_t low = unit(at + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    AppendUtf8(text, cp >= 0xD800 && cp < 0xE000 ? char32_t{0xFFFD} : cp);
  }
  if (at < bytes.size()) AppendUtf8(text, 0xFFFD);
  return text;
}

}  // namespace

InputText::InputText(std::string_view bytes) : view_(bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    view_.remove_prefix(3);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    converted_ = Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
  }
}

std::string_view TakeLine(std::string_view& rest) {
  const std::size_t end = rest.find_first_of("\r\n");
  const std::string_view line = rest.substr(0, end);
  if (end == std::string_view::npos) {
    rest = {};
  } else {
    rest.remove_prefix(
        end + (rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n' ? 2 : 1));
  }
  return line;
}

bool FirstLineIs(std::string_view bytes, std::string_view line) {
  // Enough of a UTF-16 file to find its first line, not the whole of it.
  const InputText text(bytes.substr(0, 4096));
  std::string_view rest = text.View();
  while (!rest.empty()) {
    const std::string_view first = TrimWhitespace(TakeLine(rest));
    if (!first.empty()) return AsciiUpper(std::string(first)) == line;
  }
  return false;
}

}  // namespace orvanta
