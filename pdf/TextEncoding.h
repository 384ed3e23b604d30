#pragma once

#include <string>
#include <string_view>

#include "base/Windows1252.h"

namespace orvanta {

// Upper case of Windows-1252 text, letter by letter.
std::string UpperWindows1252(std::string_view bytes);
char UpperByte(char byte);

// A PDF literal string body: backslash, "(" and ")" escaped, nothing else.
std::string EscapeText(std::string_view text);
// The same, appended to `out`.
void AppendEscapedText(std::string& out, std::string_view text);

}  // namespace orvanta
