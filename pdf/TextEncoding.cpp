#include "pdf/TextEncoding.h"

#include <cstdint>

namespace orvanta {

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

void AppendEscapedText(std::string& out, std::string_view text) {
  for (char c : text) {
    if (c == '\\' || c == '(' || c == ')') out += '\\';
    out += c;
  }
}

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  AppendEscapedText(out, text);
  return out;
}

}  // namespace orvanta
