#include "base/Utf8.h"

#include <cstdint>

namespace orvanta {
namespace {

unsigned Byte(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]);
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t at) {
  const unsigned lead = Byte(bytes, at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong below
    if (lead == 0xED) high = 0x9F;  // surrogates above
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (bytes.size() - at < length) return 0;
  if (Byte(bytes, at + 1) < low || Byte(bytes, at + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (!IsUtf8Continuation(bytes[at + k])) return 0;
  }
  return length;
}

bool DecodeUtf8(std::string_view bytes, std::size_t& at, char32_t& cp) {
  const std::size_t length = Utf8SequenceLength(bytes, at);
  if (length == 0) {
    ++at;
    return false;
  }
  constexpr unsigned kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  cp = Byte(bytes, at) & kLeadBits[length];
  for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (Byte(bytes, at + k) & 0x3Fu);
  at += length;
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = Utf8SequenceLength(bytes, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
  const auto put = [&out](char32_t value) { out += static_cast<char>(value); };
  if (cp < 0x80) {
    put(cp);
  } else if (cp < 0x800) {
    put(0xC0 | (cp >> 6));
    put(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    put(0xE0 | (cp >> 12));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  } else {
    put(0xF0 | (cp >> 18));
    put(0x80 | ((cp >> 12) & 0x3F));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  }
}

std::size_t Utf8CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += IsUtf8Continuation(c) ? 0 : 1;
  return count;
}

std::size_t Utf8OffsetOfCharacter(std::string_view text, std::size_t n) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsUtf8Continuation(text[i]) && characters++ == n) return i;
  }
  return text.size();
}

}  // namespace orvanta
