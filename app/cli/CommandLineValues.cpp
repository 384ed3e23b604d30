#include "app/cli/CommandLineValues.h"

#include <algorithm>
#include <vector>

#include "app/cli/CommandLine.h"
#include "base/Utf8.h"
#include "base/Windows1252.h"

namespace orvanta {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsControl(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
}

// White space as the input window trims it: the ASCII blanks, U+0085 and
// the separators of Unicode (spaces, line and paragraph).
bool IsWhiteSpace(char32_t cp) {
  return cp == 0x20 || (cp >= 0x09 && cp <= 0x0D) || cp == 0x85 || cp == 0xA0 || cp == 0x1680 ||
         (cp >= 0x2000 && cp <= 0x200A) || cp == 0x2028 || cp == 0x2029 || cp == 0x202F ||
         cp == 0x205F || cp == 0x3000;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// `text` without one line break at its end: the form the values were always
// matched in allowed one there.
std::string_view WithoutFinalLineBreak(std::string_view text) {
  return text.ends_with('\n') ? text.substr(0, text.size() - 1) : text;
}

std::vector<char32_t> CodePoints(std::string_view utf8) {
  std::vector<char32_t> characters;
  for (std::size_t at = 0; at < utf8.size();) {
    char32_t cp = 0;
    characters.push_back(DecodeUtf8(utf8, at, cp) ? cp : kReplacementCharacter);
  }
  return characters;
}

}  // namespace

std::string Quoted(std::string_view value) {
  std::string shown = "'";
  for (std::size_t at = 0; at < value.size();) {
    const std::size_t start = at;
    char32_t cp = 0;
    if (!DecodeUtf8(value, at, cp)) {
      AppendUtf8(shown, kReplacementCharacter);
    } else if (IsControl(cp)) {
      shown += '?';
    } else {
      shown += value.substr(start, at - start);
    }
  }
  return shown + "'";
}

std::string BadValue(const std::string& option, std::string_view value, const char* allowed) {
  return "orvanta: --" + option + ": valore " + Quoted(value) +
         " non valido; valori ammessi: " + allowed;
}

std::string MissingFile(const std::string& option, std::string_view value, const char* allowed) {
  return "orvanta: --" + option + ": file " + Quoted(value) +
         " non trovato; valori ammessi: " + allowed;
}

std::string YearRange() {
  return "da " + std::to_string(kFirstCommandLineYear) + " a " +
         std::to_string(kLastCommandLineYear);
}

std::string YearsAllowed() {
  return "un anno " + YearRange() + ", oppure next per l'anno prossimo";
}

std::optional<int16_t> ParseYear(std::string_view text) {
  const std::string_view digits = WithoutFinalLineBreak(text);
  if (digits.empty() || digits.size() > 4 || !std::all_of(digits.begin(), digits.end(), IsDigit))
    return std::nullopt;
  int year = 0;
  for (const char digit : digits) year = year * 10 + (digit - '0');
  return YearInRange(year);
}

std::optional<int16_t> YearInRange(int year) {
  if (year < kFirstCommandLineYear || year > kLastCommandLineYear) return std::nullopt;
  return static_cast<int16_t>(year);
}

std::optional<int32_t> ParseColour(std::string_view text) {
  const std::string_view form = WithoutFinalLineBreak(text);
  if (form.size() != 7 || form[0] != '#' || !std::all_of(form.begin() + 1, form.end(), IsHexDigit))
    return std::nullopt;
  const uint32_t rgb = static_cast<uint32_t>(std::stoul(std::string(form.substr(1)), nullptr, 16));
  const uint32_t red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
  return static_cast<int32_t>(red | (green << 8) | (blue << 16));
}

std::string LimitText(std::string_view text, std::size_t limit) {
  std::vector<char32_t> characters = CodePoints(text);
  if (characters.size() > limit) characters.resize(limit);
  for (char32_t& c : characters) {
    if (IsControl(c)) c = ' ';
  }
  const auto first = std::find_if_not(characters.begin(), characters.end(), IsWhiteSpace);
  const auto last = std::find_if_not(characters.rbegin(), characters.rend(), IsWhiteSpace).base();
  std::string kept;
  for (auto c = first; c < last; ++c) AppendUtf8(kept, *c);
  return kept;
}

std::string CharactersWindows1252Lacks(const std::string& text) {
  std::string lacking;
  std::vector<char32_t> seen;
  for (const char32_t c : CodePoints(text)) {
    std::string utf8;
    AppendUtf8(utf8, c);
    if (utf8 == "?" || Utf8ToWindows1252(utf8) != "?" ||
        std::find(seen.begin(), seen.end(), c) != seen.end())
      continue;
    seen.push_back(c);
    lacking += (lacking.empty() ? "'" : " '") + utf8 + "'";
  }
  return lacking;
}

}  // namespace orvanta
