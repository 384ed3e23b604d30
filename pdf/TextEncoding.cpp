#include "pdf/TextEncoding.h"

#include <array>
#include <cstdint>

namespace orvanta {
namespace {

// Unicode code points of the Windows-1252 codes 0x80 to 0x9F (0 = unassigned).
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToByte(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == code) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. Returns U+FFFD for a
// malformed sequence (one byte consumed).
char32_t Decode(std::string_view text, size_t& pos) {
  auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  uint8_t lead = byte(pos);
  size_t extra = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, code = lead & 0x1Fu, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, code = lead & 0x0Fu, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, code = lead & 0x07u, minimum = 0x10000;
  } else {
    ++pos;
    return 0xFFFD;
  }
  if (pos + extra >= text.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (size_t i = 1; i <= extra; ++i) {
    uint8_t next = byte(pos + i);
    if ((next & 0xC0u) != 0x80u) {
      ++pos;
      return 0xFFFD;
    }
    code = (code << 6) | (next & 0x3Fu);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += extra + 1;
  return code;
}

}  // namespace

std::string ToWindows1252(std::string_view utf8) {
  size_t i = 0;
  while (i < utf8.size() && static_cast<uint8_t>(utf8[i]) < 0x80) ++i;
  if (i == utf8.size()) return std::string(utf8);
  std::string out(utf8.substr(0, i));
  while (i < utf8.size()) out += ToByte(Decode(utf8, i));
  return out;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    auto b = static_cast<uint8_t>(c);
    char32_t code = b;
    if (b >= 0x80 && b <= 0x9F) code = kHighControls[b - 0x80u];
    if (code == 0 && b != 0) code = '?';
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

char UpperByte(char byte) {
  auto b = static_cast<uint8_t>(byte);
  if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
    return static_cast<char>(b - 0x20);
  }
  if (b == 0x9A || b == 0x9C || b == 0x9E) return static_cast<char>(b - 0x10);
  if (b == 0xFF) return static_cast<char>(0x9F);
  return byte;
}

std::string UpperWindows1252(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) c = UpperByte(c);
  return out;
}

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '\\' || c == '(' || c == ')') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace orvanta
