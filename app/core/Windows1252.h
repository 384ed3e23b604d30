#pragma once
// UTF-8 text as Windows-1252 bytes, for the files the program writes in that
// code page (the notes file). Reading goes through the almanac's
// Windows1252ToUtf8 / DecodeUserText.

#include <string>
#include <string_view>

namespace orvanta {

// Every code point that Windows-1252 cannot hold, and every malformed UTF-8
// sequence, becomes "?". The C1 code points U+0081, U+008D, U+008F, U+0090 and
// U+009D go back to the bytes they came from, so any 1252 byte string survives
// the round trip through UTF-8.
std::string Utf8ToWindows1252(std::string_view utf8);

}  // namespace orvanta
