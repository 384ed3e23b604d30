#pragma once
// Telling the kinds of input apart by their content, not by their name.

#include <string_view>

namespace orvanta {

// Whether the first line of `bytes` that is not blank, after a UTF-8 byte
// order mark, is `line` (letters in any case, blanks around it allowed).
bool FirstLineIs(std::string_view bytes, std::string_view line);

}  // namespace orvanta
