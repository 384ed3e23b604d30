#pragma once
// The one Windows-1252 codec of the program. Texts are UTF-8 in memory; the
// user's files (notes, shift cycle) and the PDF's strings are Windows-1252.
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 code points of the same value and back, so any byte string
// survives the trip through UTF-8 unchanged.

#include <string>
#include <string_view>

namespace orvanta {

// Windows-1252 bytes as UTF-8.
std::string Windows1252ToUtf8(std::string_view bytes);

// Whether the calendar can print the character: one the code page defines,
// not a control character (nor one of the five undefined bytes' stand-ins).
[[nodiscard]] bool IsPrintableWindows1252(char32_t cp);

// UTF-8 text as Windows-1252 bytes: a character the code page lacks, or a
// malformed sequence, becomes "?"; the inverse of Windows1252ToUtf8.
std::string Utf8ToWindows1252(std::string_view utf8);

}  // namespace orvanta
