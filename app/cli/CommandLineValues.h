#pragma once
// The values of the command line's options, and the messages that refuse
// them. Values are the user's bytes, UTF-8 or not. Every message is one line
// starting "orvanta: ", valid UTF-8, with no control characters, whatever
// bytes the user gave.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// A refusal: the one-line message; none when the value went through.
using Refusal = std::optional<std::string>;

// 'value' in quotes: bytes that are not UTF-8 shown as U+FFFD, control
// characters (a line break, a terminal escape) as "?".
std::string Quoted(std::string_view value);

// "orvanta: --opt: valore 'x' non valido; valori ammessi: ..."
std::string BadValue(const std::string& option, std::string_view value, const char* allowed);

// "orvanta: --opt: file 'x' non trovato; valori ammessi: ..."
std::string MissingFile(const std::string& option, std::string_view value, const char* allowed);

// "da 1900 a 2100": the command line's years, for its messages and help.
std::string YearRange();

// What --year allows: "un anno da 1900 a 2100, oppure next per l'anno prossimo".
std::string YearsAllowed();

// A year of the command line's range, digits only (a line break may follow).
[[nodiscard]] std::optional<int16_t> ParseYear(std::string_view text);

// `year` when the command line offers it (kFirstCommandLineYear to
// kLastCommandLineYear).
[[nodiscard]] std::optional<int16_t> YearInRange(int year);

// "#RRGGBB" as 0x00BBGGRR (a line break may follow).
[[nodiscard]] std::optional<int32_t> ParseColour(std::string_view text);

// The first `limit` characters of the UTF-8 `text`, control characters as
// blanks, then without leading and trailing white space: what the input
// window stores.
std::string LimitText(std::string_view text, std::size_t limit);

// Each character of the UTF-8 `text` that Windows-1252 has no byte for, once,
// in quotes: "'ł' 'ő'"; empty when the code page holds them all.
std::string CharactersWindows1252Lacks(const std::string& text);

}  // namespace orvanta
