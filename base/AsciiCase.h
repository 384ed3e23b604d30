#pragma once
// Case mapping and digit tests for ASCII, the same in every locale: the C
// library's toupper follows the user's locale, and in Turkish "i" has a
// dotted capital, so "gennaio" would not become "GENNAIO".

#include <string>

namespace orvanta {

constexpr bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Every ASCII letter in upper case; other bytes (UTF-8 included) unchanged.
inline std::string AsciiUpper(std::string text) {
  for (char& c : text) c = AsciiUpper(c);
  return text;
}

}  // namespace orvanta
