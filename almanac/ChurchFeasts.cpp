#include "almanac/ChurchFeasts.h"

#include "almanac/Easter.h"

namespace orvanta {

DayNumber FourthAdventSunday(int year) {
  const std::optional<DayNumber> christmasDay = MakeDayNumber(year, 12, 25);
  if (!christmasDay) return 0;
  const DayNumber christmas = *christmasDay;
  for (int back = 7; back >= 1; --back) {
    if (IsSunday(christmas - back)) return christmas - back;
  }
  return christmas - 7;  // not reached: one of seven days is a Sunday
}

ChurchFeastArray BuildChurchFeasts(int year, DayNumber easterDay) {
  const DayNumber e = easterDay;
  const DayNumber advent = FourthAdventSunday(year);
  // Ascension and Corpus Domini are kept on the following Sundays.
  return ChurchFeastArray{
      ChurchFeast{e + 42, "Ascensione"},      ChurchFeast{e + 49, "Pentecoste"},
      ChurchFeast{e + 56, "SS Trinità"},      ChurchFeast{e + 63, "Corpus Domini"},
      ChurchFeast{e - 42, "I Quaresima"},     ChurchFeast{e - 35, "II Quaresima"},
      ChurchFeast{e - 28, "III Quaresima"},   ChurchFeast{e - 21, "IV Quaresima"},
      ChurchFeast{e - 14, "V Quaresima"},     ChurchFeast{e - 7, "Le Palme"},
      ChurchFeast{e - 46, "Ceneri"},          ChurchFeast{advent, "IV Avvento"},
      ChurchFeast{advent - 7, "III Avvento"}, ChurchFeast{advent - 14, "II Avvento"},
      ChurchFeast{advent - 21, "I Avvento"},  std::nullopt};
}

ChurchFeastArray BuildChurchFeasts(int year) {
  return BuildChurchFeasts(year, ComputeEaster(year));
}

}  // namespace orvanta
