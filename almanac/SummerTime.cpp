#include "almanac/SummerTime.h"

namespace orvanta {
namespace {

bool IsLastSundayOf(DayNumber day, unsigned month) {
  using namespace std::chrono;
  const year_month_weekday_last lastSunday{year{YearOf(day)}, std::chrono::month{month},
                                           weekday_last{Sunday}};
  return ToDayNumber(sys_days{lastSunday}) == day;
}

}  // namespace

bool IsSummerTimeStart(DayNumber day) {
  return IsLastSundayOf(day, 3);
}

bool IsSummerTimeEnd(DayNumber day) {
  return IsLastSundayOf(day, 10);
}

}  // namespace orvanta
