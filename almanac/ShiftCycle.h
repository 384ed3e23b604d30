#pragma once
// The repeating shift cycle read from the user's shift file: "start;e1;e2;...;".

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

struct ShiftCycle {
  // entries[1..ShiftCount] are the cycle entries, already trimmed of
  // surrounding whitespace and cut to kMaxShiftEntryChars; entries[0] is
  // unused (empty). Empty when unusable.
  std::vector<std::string> entries;
  int ShiftCount = 0;
  // 1-based entry of 1 January; -1 when the file cannot be used.
  int ShiftStart = -1;

  bool Usable() const { return ShiftStart > 0; }
};

// Files larger than this are refused as unusable rather than cut short.
inline constexpr std::size_t kMaxShiftFileBytes = 1024 * 1024;

// An entry is cut to this many characters when read. The day cell is 1.8 cm
// wide and squeezes its text down to fit: at 14 pt it shows about six
// characters at full width, and 64 of even the narrowest glyphs need a
// scaling under 25 %, where nothing is legible any more. What lies beyond
// could only cost time and calendar size (each character is measured at
// every squeezing step and written on every day).
inline constexpr std::size_t kMaxShiftEntryChars = 64;

// Reads the shift file (UTF-8, or Windows-1252 when not valid UTF-8). Missing,
// unreadable, oversized or malformed files give ShiftStart == -1.
[[nodiscard]] ShiftCycle LoadShiftCycle(const std::string& path);

// Same rules on text already in UTF-8.
[[nodiscard]] ShiftCycle ParseShiftCycle(std::string_view text);

// Entry printed on the n-th day of the year (1 January is 0); empty when the
// cycle is unusable.
const std::string& ShiftForDay(const ShiftCycle& cycle, int dayOfYear);

}  // namespace orvanta
