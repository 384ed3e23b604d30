#include "calendar/DateText.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

DayNumber Day(int y, int m, int d) {
  return *MakeDayNumber(y, m, d);
}

TEST(DateText, WeekdaysStartOnSunday) {
  // 6 to 12 January 2013 run Sunday to Saturday.
  const char* expected[] = {"Dom", "Lun", "Mar", "Mer", "Gio", "Ven", "Sab"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(WeekdayAbbreviation(Day(2013, 1, 6 + i)), expected[i]);
  EXPECT_EQ(WeekdayAbbreviation(Day(1900, 1, 1)), "Lun");
}

TEST(DateText, DaysInYearFollowsTheGregorianLeapRule) {
  EXPECT_EQ(DaysInYear(1900), 365);
  EXPECT_EQ(DaysInYear(2000), 366);
  EXPECT_EQ(DaysInYear(2012), 366);
  EXPECT_EQ(DaysInYear(2013), 365);
  EXPECT_EQ(DaysInYear(2100), 365);
}

TEST(DateText, TitlesAndLabelsInItalianUpperCase) {
  EXPECT_EQ(MonthTitle(Day(2013, 1, 1)), "GENNAIO 2013");
  EXPECT_EQ(MonthTitle(Day(1900, 9, 1)), "SETTEMBRE 1900");
  EXPECT_EQ(SideColumnLabel(Day(2012, 12, 1)), "DIC 12");
  EXPECT_EQ(SideColumnLabel(Day(2000, 1, 1)), "GEN 00");
  EXPECT_EQ(SideColumnLabel(Day(2101, 1, 1)), "GEN 01");
  EXPECT_EQ(MonthName(12), "dicembre");
  EXPECT_EQ(MonthAbbreviation(6), "giu");
  EXPECT_TRUE(MonthName(13).empty());
}

}  // namespace
}  // namespace orvanta
