#include "calendar/DateText.h"

#include <array>

#include "base/AsciiCase.h"
#include "base/Version.h"

namespace orvanta {
namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {"Dom", "Lun", "Mar", "Mer",
                                                       "Gio", "Ven", "Sab"};
constexpr std::array<std::string_view, 12> kMonths = {
    "gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
    "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
constexpr std::array<std::string_view, 12> kMonthAbbreviations = {
    "gen", "feb", "mar", "apr", "mag", "giu", "lug", "ago", "set", "ott", "nov", "dic"};

constexpr std::string_view kCreditLine = " - calendario perpetuo, 2012-2026 - orvanta.example.org";

std::string TwoDigits(int value) {
  const int v = ((value % 100) + 100) % 100;
  return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

}  // namespace

std::string WeekdayAbbreviation(DayNumber date) {
  return std::string(kWeekdays[static_cast<size_t>(WeekdayOf(date) - 1)]);
}

int16_t DaysInYear(int year) {
  const DayNumber first = *MakeDayNumber(year, 1, 1);
  const DayNumber last = *MakeDayNumber(year, 12, 31);
  return static_cast<int16_t>(last - first + 1);
}

std::string_view MonthName(int month) {
  if (month < 1 || month > 12) return {};
  return kMonths[static_cast<size_t>(month - 1)];
}

std::string_view MonthAbbreviation(int month) {
  if (month < 1 || month > 12) return {};
  return kMonthAbbreviations[static_cast<size_t>(month - 1)];
}

std::string MonthTitle(DayNumber firstOfMonth) {
  const CivilDate date = DateOf(firstOfMonth);
  return AsciiUpper(std::string(MonthName(date.Month)) + " " + std::to_string(date.Year));
}

std::string SideColumnLabel(DayNumber firstOfMonth) {
  const CivilDate date = DateOf(firstOfMonth);
  return AsciiUpper(std::string(MonthAbbreviation(date.Month)) + " " + TwoDigits(date.Year));
}

std::string VersionLine() {
  return "Orvanta (Vers." + std::string(kVersion) + ")" + std::string(kCreditLine);
}

}  // namespace orvanta
