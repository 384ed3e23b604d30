#include "app/core/Windows1252.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvanta {
namespace {

// Code points of the bytes 0x80..0x9F (0xA0..0xFF equal Latin-1).
constexpr std::array<char32_t, 32> kHighBytes = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncodeCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighBytes.size(); ++i) {
    if (kHighBytes[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at `i`; advances `i` past it (by one byte when it
// is malformed) and answers false for a malformed sequence.
bool DecodeOne(std::string_view text, std::size_t& i, char32_t& cp) {
  const auto lead = static_cast<std::uint8_t>(text[i]);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    cp = lead;
    ++i;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07u, minimum = 0x10000;
  } else {
    ++i;
    return false;
  }
  if (text.size() - i < length) {
    ++i;
    return false;
  }
  for (std::size_t j = 1; j < length; ++j) {
    const auto next = static_cast<std::uint8_t>(text[i + j]);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return false;
    }
    cp = (cp << 6) | (next & 0x3Fu);
  }
  i += length;
  return cp >= minimum && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

}  // namespace

std::string Utf8ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    char32_t cp = 0;
    out += DecodeOne(utf8, i, cp) ? EncodeCodePoint(cp) : '?';
  }
  return out;
}

}  // namespace orvanta
