#pragma once
// The years each part of the program offers, in one place: the composer's
// limit and the narrower ranges the front ends show the user.

namespace orvanta {

struct YearSpan {
  int first;
  int last;
  [[nodiscard]] constexpr bool Contains(int year) const { return year >= first && year <= last; }
};

// What the composer can print: Gregorian years whose neighbouring years (the
// side columns) are four-digit years too.
inline constexpr YearSpan kComposableYears{1583, 9998};
// The window's year list, as it has always been.
inline constexpr YearSpan kWindowYears{1900, 2013};
// What --year accepts.
inline constexpr YearSpan kCommandLineYears{1900, 2100};

}  // namespace orvanta
