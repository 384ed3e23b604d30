#include <gtest/gtest.h>

#include "almanac/Commemorations.h"
#include "almanac/SunTimes.h"

namespace orvanta {
namespace {

using Texts = std::array<std::string, 4>;

TEST(SunTimes, RowsAndTheirClockLabel) {
  EXPECT_EQ(SunTimesForMonth(6),
            (Texts{"5:27     20:28", "5:24     20:34", "5:24     20:39", "ora legale"}));
  EXPECT_EQ(SunTimesForMonth(12),
            (Texts{"7:08     16:30", "7:17     16:28", "7:24     16:31", "ora solare"}));
  EXPECT_EQ(SunTimesForMonth(1)[0], "7:28     16:40");
  // The label follows the month even in the months of the clock change.
  EXPECT_EQ(SunTimesForMonth(3)[3], "ora solare");
  EXPECT_EQ(SunTimesForMonth(10)[3], "ora legale");
  EXPECT_EQ(SunTimesForMonth(4)[3], "ora legale");
  EXPECT_EQ(SunTimesForMonth(11)[3], "ora solare");
  EXPECT_EQ(SunTimesForMonth(10)[2], "7:18     18:11");
  EXPECT_EQ(SunTimesForMonth(13), Texts{});
}

TEST(SunTimes, FirstOfMarchSunsetLiesBetweenItsNeighbours) {
  const std::string entry = SunTimesForMonth(3)[0];
  ASSERT_EQ(entry.substr(0, 9), "6:36     ");
  const std::string sunset = entry.substr(9);
  EXPECT_GT(sunset, "17:38");
  EXPECT_LT(sunset, "18:00");
  EXPECT_EQ(SunTimesForMonth(3)[1], "6:21     18:00");
}

TEST(Commemorations, TextsOfTheMonths) {
  EXPECT_EQ(MonthCommemorations(1),
            (Texts{"07: festa del Tricolore (giornata Nazionale della Bandiera)",
                   "27: giorno della memoria vittime Nazismo e Olocausto", "", ""}));
  EXPECT_EQ(MonthCommemorations(3),
            (Texts{"08: festa delle donne", "19: S. Giuseppe - festa del papà",
                   "21: inizio primavera", ""}));
  EXPECT_EQ(MonthCommemorations(5),
            (Texts{"Seconda domenica: festa della mamma",
                   "09: giorno della memoria vittime del terrorismo", "", ""}));
  EXPECT_EQ(MonthCommemorations(10),
            (Texts{"02: festa dei nonni", "31: notte di Halloween", "", ""}));
  EXPECT_EQ(MonthCommemorations(2)[0], "14: S. Valentino: festa degli innamorati");
  EXPECT_EQ(MonthCommemorations(6)[0], "21: inizio estate");
  EXPECT_EQ(MonthCommemorations(9)[0], "23: inizio autunno");
  EXPECT_EQ(MonthCommemorations(11)[0], "04: giornata delle forze armate");
  EXPECT_EQ(MonthCommemorations(12)[0], "21: inizio inverno");
}

TEST(Commemorations, EmptyMonthsAndNoTextFourEver) {
  for (int month : {4, 7, 8, 0, 13, -1}) EXPECT_EQ(MonthCommemorations(month), Texts{}) << month;
  for (int month = 1; month <= 12; ++month) EXPECT_EQ(MonthCommemorations(month)[3], "");
}

}  // namespace
}  // namespace orvanta
