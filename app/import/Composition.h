#pragma once
// Accents written as a letter and a combining mark (as macOS stores names,
// NFD) composed into the one character the notes' code page has.

#include <string>
#include <string_view>

namespace orvanta {

// `text` (UTF-8) with every Latin letter followed by a combining accent that
// composes with it (Unicode normalisation form C, for the Latin letters of
// Latin-1 and Latin Extended-A) written as the composed letter; everything
// else, malformed bytes included, as it was.
std::string ComposeAccents(std::string_view text);

}  // namespace orvanta
