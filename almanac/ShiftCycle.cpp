#include "almanac/ShiftCycle.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "almanac/Rounding.h"
#include "base/FileReading.h"
#include "base/Text.h"

namespace orvanta {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The start position: a decimal number with optional sign, fraction, exponent
// and surrounding whitespace, rounded to a 16-bit integer (halves to even).
std::optional<int> ParseStartPosition(std::string_view text) {
  text = TrimWhitespace(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  const double rounded = RoundHalfEven(negative ? -value : value);
  if (rounded < -32768 || rounded > 32767) return std::nullopt;
  return static_cast<int>(rounded);
}

// The first `limit` characters of UTF-8 text, without blanks left at its end.
std::string_view FirstCharacters(std::string_view text, std::size_t limit) {
  const std::size_t end = Utf8OffsetOfCharacter(text, limit);
  return end == text.size() ? text : TrimWhitespace(text.substr(0, end));
}

}  // namespace

ShiftCycle ParseShiftCycle(std::string_view text) {
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());

  // Pieces are separated by ";": piece 0 is the start, the last piece (after
  // the final ";") is never used, the ones between are the entries.
  const auto separators = std::count(text.begin(), text.end(), ';');
  const auto count = static_cast<long>(separators) - 1;
  const std::size_t firstSeparator = text.find(';');
  const std::optional<int> start = ParseStartPosition(text.substr(0, firstSeparator));
  if (!start || *start <= 0 || *start > count) return {};

  ShiftCycle cycle;
  cycle.ShiftCount = static_cast<int>(count);
  cycle.ShiftStart = *start;
  cycle.entries.reserve(static_cast<std::size_t>(count) + 1);
  cycle.entries.emplace_back();
  std::size_t pieceStart = firstSeparator + 1;
  for (long i = 0; i < count; ++i) {
    const std::size_t pieceEnd = text.find(';', pieceStart);
    const std::string_view piece = TrimWhitespace(text.substr(pieceStart, pieceEnd - pieceStart));
    cycle.entries.emplace_back(FirstCharacters(piece, kMaxShiftEntryChars));
    pieceStart = pieceEnd + 1;
  }
  return cycle;
}

ShiftCycle LoadShiftCycle(const std::string& path) {
  std::string bytes;
  if (!ReadBounded(path, kMaxShiftFileBytes, bytes)) return {};
  return ParseShiftCycle(DecodeUserText(bytes));
}

const std::string& ShiftForDay(const ShiftCycle& cycle, int dayOfYear) {
  static const std::string kNone;
  if (!cycle.Usable() || cycle.ShiftCount <= 0 || dayOfYear < 0) return kNone;
  const long index = (static_cast<long>(cycle.ShiftStart) - 1 + dayOfYear) % cycle.ShiftCount + 1;
  if (static_cast<std::size_t>(index) >= cycle.entries.size()) return kNone;
  return cycle.entries[static_cast<std::size_t>(index)];
}

}  // namespace orvanta
