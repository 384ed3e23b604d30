#include "almanac/SummerTime.h"

#include <cstdint>

namespace orvanta {
namespace {

// The last Sunday of `month` in `year`.
DayNumber LastSundayOf(int year, unsigned month) {
  using namespace std::chrono;
  return ToDayNumber(sys_days{year_month_weekday_last{
      std::chrono::year{year}, std::chrono::month{month}, weekday_last{Sunday}}});
}

}  // namespace

bool IsSummerTimeStart(DayNumber day) {
  return LastSundayOf(YearOf(day), 3) == day;
}

bool IsSummerTimeEnd(DayNumber day) {
  return LastSundayOf(YearOf(day), 10) == day;
}

DayNumber ItalianCivilDay(DayNumber day, int seconds) {
  constexpr std::int64_t kDay = 86400;
  const std::int64_t instant = std::int64_t{day} * kDay + seconds;
  const int year = YearOf(day);
  const std::int64_t start = std::int64_t{LastSundayOf(year, 3)} * kDay + 3600;
  const std::int64_t end = std::int64_t{LastSundayOf(year, 10)} * kDay + 3600;
  const std::int64_t civil = instant + (instant >= start && instant < end ? 7200 : 3600);
  return static_cast<DayNumber>(civil >= 0 ? civil / kDay : (civil - kDay + 1) / kDay);
}

}  // namespace orvanta
