#pragma once
// Dates as whole day counts: days since 30 December 1899 (1 January 1900 is 2).
// All Gregorian arithmetic is left to <chrono>.

#include <chrono>
#include <cstdint>
#include <optional>

namespace orvanta {

using DayNumber = std::int32_t;

// Day 0 of the count.
inline constexpr std::chrono::sys_days kDayNumberEpoch{std::chrono::year{1899} /
                                                       std::chrono::December / 30};

// Weekdays are counted with Sunday first: 1 = Sunday ... 7 = Saturday.
inline constexpr int kSunday = 1;
inline constexpr int kSaturday = 7;

struct CivilDate {
  int Year = 0;
  int Month = 0;  // 1..12
  int Day = 0;    // 1..31
  friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

constexpr DayNumber ToDayNumber(std::chrono::sys_days date) {
  return static_cast<DayNumber>((date - kDayNumberEpoch).count());
}

constexpr std::chrono::sys_days ToSysDays(DayNumber day) {
  return kDayNumberEpoch + std::chrono::days{day};
}

// The DayNumber of year/month/day, or nothing when that date does not exist
// (31 April, 29 February of a common year, month 13, ...).
[[nodiscard]] constexpr std::optional<DayNumber> MakeDayNumber(int year, int month, int day) {
  // chrono keeps the year in 16 bits and month and day in one byte each, so
  // range-check first rather than let them wrap.
  if (year < -32767 || year > 32767) return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  const std::chrono::year_month_day ymd{std::chrono::year{year},
                                        std::chrono::month{static_cast<unsigned>(month)},
                                        std::chrono::day{static_cast<unsigned>(day)}};
  if (!ymd.ok()) return std::nullopt;
  return ToDayNumber(std::chrono::sys_days{ymd});
}

constexpr CivilDate DateOf(DayNumber day) {
  const std::chrono::year_month_day ymd{ToSysDays(day)};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

constexpr int YearOf(DayNumber day) {
  return DateOf(day).Year;
}
constexpr int MonthOf(DayNumber day) {
  return DateOf(day).Month;
}
constexpr int DayOfMonth(DayNumber day) {
  return DateOf(day).Day;
}

// 1 = Sunday ... 7 = Saturday.
constexpr int WeekdayOf(DayNumber day) {
  return static_cast<int>(std::chrono::weekday{ToSysDays(day)}.c_encoding()) + 1;
}

constexpr bool IsSunday(DayNumber day) {
  return WeekdayOf(day) == kSunday;
}

// Moves a date into `year`, keeping day and month: unchanged when it already
// lies in that year, nothing when the date does not exist there (29 February
// into a common year).
[[nodiscard]] constexpr std::optional<DayNumber> MoveIntoYear(DayNumber day, int year) {
  const CivilDate date = DateOf(day);
  if (date.Year == year) return day;
  return MakeDayNumber(year, date.Month, date.Day);
}

}  // namespace orvanta
