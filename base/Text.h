#pragma once
// Small text helpers for the user's own files (shift cycle, notes).

#include <string>
#include <string_view>

#include "base/Utf8.h"
#include "base/Windows1252.h"

namespace orvanta {

// Without leading and trailing ' ' characters.
std::string_view TrimSpaces(std::string_view text);

// Without leading and trailing spaces, tabs, carriage returns and line feeds.
std::string_view TrimWhitespace(std::string_view text);

// UTF-8 when `bytes` already is, Windows-1252 converted otherwise.
std::string DecodeUserText(std::string_view bytes);

}  // namespace orvanta
