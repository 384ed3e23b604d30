#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// UTF-8 to the single-byte Windows-1252 form written into the file; a
// character the code page lacks, or a malformed sequence, becomes "?".
std::string ToWindows1252(std::string_view utf8);
// Windows-1252 bytes back to UTF-8 (the five unassigned codes become "?").
std::string FromWindows1252(std::string_view bytes);
// Upper case of Windows-1252 text, letter by letter.
std::string UpperWindows1252(std::string_view bytes);
char UpperByte(char byte);

// A PDF literal string body: backslash, "(" and ")" escaped, nothing else.
std::string EscapeText(std::string_view text);

}  // namespace orvanta
