#include "almanac/DayNumber.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(DayNumber, FixedPointsOfTheCount) {
  EXPECT_EQ(MakeDayNumber(1899, 12, 30), 0);
  EXPECT_EQ(MakeDayNumber(1900, 1, 1), 2);
  EXPECT_EQ(MakeDayNumber(1900, 3, 1), 61);  // 1900 is not a leap year
  EXPECT_EQ(MakeDayNumber(2000, 1, 1), 36526);
  EXPECT_EQ(MakeDayNumber(2013, 1, 1), 41275);
  EXPECT_EQ(MakeDayNumber(2100, 1, 1), 73051);
  EXPECT_EQ(MakeDayNumber(2101, 1, 1), 73416);
  EXPECT_EQ(DateOf(36526), (CivilDate{2000, 1, 1}));
  EXPECT_EQ(DateOf(60), (CivilDate{1900, 2, 28}));
  EXPECT_EQ(DateOf(-1), (CivilDate{1899, 12, 29}));
}

TEST(DayNumber, WeekdaysCountFromSunday) {
  EXPECT_EQ(WeekdayOf(*MakeDayNumber(1900, 1, 1)), 2);    // Monday
  EXPECT_EQ(WeekdayOf(*MakeDayNumber(2000, 1, 1)), 7);    // Saturday
  EXPECT_EQ(WeekdayOf(*MakeDayNumber(2013, 3, 31)), 1);   // Sunday
  EXPECT_EQ(WeekdayOf(*MakeDayNumber(2100, 12, 31)), 6);  // Friday
  EXPECT_TRUE(IsSunday(*MakeDayNumber(2011, 12, 25)));
  EXPECT_FALSE(IsSunday(*MakeDayNumber(2011, 12, 24)));
}

TEST(DayNumber, ImpossibleDatesHaveNoNumber) {
  EXPECT_FALSE(MakeDayNumber(1900, 2, 29));
  EXPECT_TRUE(MakeDayNumber(2000, 2, 29));
  EXPECT_FALSE(MakeDayNumber(2013, 4, 31));
  EXPECT_FALSE(MakeDayNumber(2013, 0, 1));
  EXPECT_FALSE(MakeDayNumber(2013, 13, 1));
  EXPECT_FALSE(MakeDayNumber(2013, 1, 0));
  // Values that would wrap inside a one-byte month or day.
  EXPECT_FALSE(MakeDayNumber(2013, 257, 1));
  EXPECT_FALSE(MakeDayNumber(2013, 1, 257));
  EXPECT_FALSE(MakeDayNumber(2013, -11, 1));
  EXPECT_FALSE(MakeDayNumber(70000, 1, 1));  // would wrap inside a 16-bit year
}

TEST(DayNumber, RoundTripsEveryDayFrom1900To2100) {
  const DayNumber first = *MakeDayNumber(1900, 1, 1);
  const DayNumber last = *MakeDayNumber(2100, 12, 31);
  int weekday = WeekdayOf(first);
  for (DayNumber day = first; day <= last; ++day) {
    const CivilDate date = DateOf(day);
    ASSERT_EQ(MakeDayNumber(date.Year, date.Month, date.Day), day);
    ASSERT_EQ(WeekdayOf(day), weekday);
    weekday = weekday % 7 + 1;
  }
}

TEST(DayNumber, MovingADateIntoAYear) {
  const DayNumber note = *MakeDayNumber(2010, 3, 15);
  EXPECT_EQ(MoveIntoYear(note, 2010), note);
  EXPECT_EQ(MoveIntoYear(note, 2013), MakeDayNumber(2013, 3, 15));
  EXPECT_EQ(MoveIntoYear(*MakeDayNumber(2012, 2, 29), 2016), MakeDayNumber(2016, 2, 29));
  EXPECT_FALSE(MoveIntoYear(*MakeDayNumber(2012, 2, 29), 2013));
  EXPECT_FALSE(MoveIntoYear(*MakeDayNumber(2012, 2, 29), 1900));
}

}  // namespace
}  // namespace orvanta
