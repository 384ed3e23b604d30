#include "app/cli/ArgumentBytes.h"

#include <cstddef>

#include "base/Utf8.h"

namespace orvanta {
namespace {

constexpr char16_t kRawByteBase = 0xDC00;  // byte 0x80 -> U+DC80 ... 0xFF -> U+DCFF

unsigned Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// Whether the UTF-16 unit at `at` stands for a raw byte: a low surrogate in
// the escape range that is not the second half of a pair.
bool IsRawByte(const QString& text, qsizetype at) {
  const char16_t unit = text.at(at).unicode();
  if (unit < 0xDC80 || unit > 0xDCFF) return false;
  return at == 0 || !QChar::isHighSurrogate(text.at(at - 1).unicode());
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
    const std::size_t length = Utf8SequenceLength(bytes, at);
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
