#pragma once
// Small text helpers for the user's own files (shift cycle, notes): trimming,
// UTF-8 checking and the Windows-1252 code page those files are kept in.

#include <string>
#include <string_view>

namespace orvanta {

// Without leading and trailing ' ' characters.
std::string_view TrimSpaces(std::string_view text);

// Without leading and trailing spaces, tabs, carriage returns and line feeds.
std::string_view TrimWhitespace(std::string_view text);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes 1252 leaves undefined map to the
// C1 code points of the same value, as Windows itself does.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 text as Windows-1252 bytes: a character the code page lacks, or a
// malformed sequence, becomes "?"; the inverse of Windows1252ToUtf8.
std::string Utf8ToWindows1252(std::string_view utf8);

// UTF-8 when `bytes` already is, Windows-1252 converted otherwise.
std::string DecodeUserText(std::string_view bytes);

}  // namespace orvanta
