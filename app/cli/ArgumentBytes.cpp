#include "app/cli/ArgumentBytes.h"

#include <cstddef>

namespace orvanta {
namespace {

constexpr char16_t kRawByteBase = 0xDC00;  // byte 0x80 -> U+DC80 ... 0xFF -> U+DCFF

unsigned Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// The length of the valid UTF-8 sequence at `at`, or 0. Strict: no overlong
// forms, no encoded surrogates, nothing above U+10FFFF.
std::size_t SequenceLength(std::string_view bytes, std::size_t at) {
  const unsigned lead = Byte(bytes, at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  if (Byte(bytes, at + 1) < low || Byte(bytes, at + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if ((Byte(bytes, at + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Whether the UTF-16 unit at `at` stands for a raw byte: a low surrogate in
// the escape range that is not the second half of a pair.
bool IsRawByte(const QString& text, qsizetype at) {
  const char16_t unit = text.at(at).unicode();
  if (unit < 0xDC80 || unit > 0xDCFF) return false;
  return at == 0 || !QChar::isHighSurrogate(text.at(at - 1).unicode());
}

void AppendUtf8(std::string& out, char32_t c) {
  const auto put = [&out](char32_t value) { out += static_cast<char>(value); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

}  // namespace

QString ArgumentFromBytes(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  std::size_t run = 0;  // start of the valid UTF-8 not yet appended
  const auto flush = [&](std::size_t end) {
    text += QString::fromUtf8(bytes.data() + run, static_cast<qsizetype>(end - run));
  };
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = SequenceLength(bytes, at);
    if (length > 0) {
      at += length;
      continue;
    }
    flush(at);
    text += QChar(static_cast<char16_t>(kRawByteBase + Byte(bytes, at)));
    run = ++at;
  }
  flush(bytes.size());
  return text;
}

std::string BytesFromArgument(const QString& argument) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(argument.size()));
  for (qsizetype at = 0; at < argument.size(); ++at) {
    const char16_t unit = argument.at(at).unicode();
    if (IsRawByte(argument, at)) {
      bytes += static_cast<char>(unit - kRawByteBase);
    } else if (QChar::isHighSurrogate(unit) && at + 1 < argument.size() &&
               QChar::isLowSurrogate(argument.at(at + 1).unicode())) {
      AppendUtf8(bytes, QChar::surrogateToUcs4(unit, argument.at(at + 1).unicode()));
      ++at;
    } else if (QChar::isSurrogate(unit)) {
      AppendUtf8(bytes, QChar::ReplacementCharacter);  // never made by ArgumentFromBytes
    } else {
      AppendUtf8(bytes, unit);
    }
  }
  return bytes;
}

bool CarriesRawBytes(const QString& argument) {
  for (qsizetype at = 0; at < argument.size(); ++at) {
    if (IsRawByte(argument, at)) return true;
  }
  return false;
}

QString WithRawBytesShown(const QString& argument) {
  QString shown = argument;
  for (qsizetype at = 0; at < shown.size(); ++at) {
    if (IsRawByte(argument, at)) shown[at] = QChar::ReplacementCharacter;
  }
  return shown;
}

}  // namespace orvanta
