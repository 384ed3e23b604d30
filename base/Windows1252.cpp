#include "base/Windows1252.h"

#include <array>
#include <cstdint>

#include "base/Utf8.h"

namespace orvanta {
namespace {

// Code points of the bytes 0x80..0x9F; 0xA0..0xFF equal Latin-1.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 byte of a code point, "?" when the code page lacks it. The
// C1 code points of the five undefined bytes go back to those bytes, so any
// byte string survives the trip through UTF-8.
char EncodeWindows1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kWindows1252High.size(); ++i) {
    if (kWindows1252High[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

bool IsPrintableWindows1252(char32_t cp) {
  if (cp < 0x20 || cp == 0x7F) return false;
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return true;
  // The stand-ins of the undefined bytes are C1 control characters, below 0x100.
  return cp > 0xFF && EncodeWindows1252(cp) != '?';
}

std::string Utf8ToWindows1252(std::string_view utf8) {
  std::size_t ascii = 0;  // most texts are plain ASCII: no conversion needed
  while (ascii < utf8.size() && static_cast<std::uint8_t>(utf8[ascii]) < 0x80) ++ascii;
  if (ascii == utf8.size()) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  char32_t cp = 0;
  while (i < utf8.size()) {
    out += DecodeUtf8(utf8, i, cp) ? EncodeWindows1252(cp) : '?';
  }
  return out;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (const char c : bytes) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte >= 0x80 && byte <= 0x9F) {
      AppendUtf8(out, kWindows1252High[byte - 0x80u]);
    } else {
      AppendUtf8(out, byte);
    }
  }
  return out;
}

}  // namespace orvanta
