#include "almanac/ChurchFeasts.h"

#include <gtest/gtest.h>

#include "almanac/SummerTime.h"

namespace orvanta {
namespace {

DayNumber Day(int year, int month, int day) {
  return MakeDayNumber(year, month, day).value();
}

DayNumber FeastDay(const ChurchFeastArray& feasts, const std::string& name) {
  for (const auto& feast : feasts) {
    if (feast && feast->Name == name) return feast->Day;
  }
  ADD_FAILURE() << "no feast " << name;
  return 0;
}

TEST(ChurchFeasts, TheFeastsOf2013) {
  const ChurchFeastArray f = BuildChurchFeasts(2013);
  EXPECT_EQ(FeastDay(f, "Ceneri"), Day(2013, 2, 13));
  EXPECT_EQ(FeastDay(f, "I Quaresima"), Day(2013, 2, 17));
  EXPECT_EQ(FeastDay(f, "II Quaresima"), Day(2013, 2, 24));
  EXPECT_EQ(FeastDay(f, "III Quaresima"), Day(2013, 3, 3));
  EXPECT_EQ(FeastDay(f, "IV Quaresima"), Day(2013, 3, 10));
  EXPECT_EQ(FeastDay(f, "V Quaresima"), Day(2013, 3, 17));
  EXPECT_EQ(FeastDay(f, "Le Palme"), Day(2013, 3, 24));
  EXPECT_EQ(FeastDay(f, "Ascensione"), Day(2013, 5, 12));
  EXPECT_EQ(FeastDay(f, "Pentecoste"), Day(2013, 5, 19));
  EXPECT_EQ(FeastDay(f, "SS Trinità"), Day(2013, 5, 26));
  EXPECT_EQ(FeastDay(f, "Corpus Domini"), Day(2013, 6, 2));
  EXPECT_EQ(FeastDay(f, "I Avvento"), Day(2013, 12, 1));
  EXPECT_EQ(FeastDay(f, "II Avvento"), Day(2013, 12, 8));
  EXPECT_EQ(FeastDay(f, "III Avvento"), Day(2013, 12, 15));
  EXPECT_EQ(FeastDay(f, "IV Avvento"), Day(2013, 12, 22));
}

TEST(ChurchFeasts, AdventWhenChristmasIsASundayAndOtherwise) {
  EXPECT_EQ(FourthAdventSunday(2011), Day(2011, 12, 18));
  EXPECT_EQ(FeastDay(BuildChurchFeasts(2011), "I Avvento"), Day(2011, 11, 27));
  EXPECT_EQ(FourthAdventSunday(2012), Day(2012, 12, 23));
  EXPECT_EQ(FeastDay(BuildChurchFeasts(2012), "I Avvento"), Day(2012, 12, 2));
  EXPECT_EQ(FourthAdventSunday(2010), Day(2010, 12, 19));  // Christmas on Saturday
  EXPECT_EQ(FourthAdventSunday(2017), Day(2017, 12, 24));  // Christmas on Monday
}

TEST(ChurchFeasts, AllButAshWednesdayAreSundaysEveryYear) {
  for (int year = 1900; year <= 2100; ++year) {
    const ChurchFeastArray f = BuildChurchFeasts(year);
    for (const auto& feast : f) {
      if (!feast) continue;
      ASSERT_EQ(WeekdayOf(feast->Day), feast->Name == "Ceneri" ? 4 : kSunday)
          << year << " " << feast->Name;
    }
    const DayNumber advent = FourthAdventSunday(year);
    ASSERT_GE(advent, Day(year, 12, 18));
    ASSERT_LE(advent, Day(year, 12, 24));
  }
}

TEST(SummerTime, The2012And2013ClockChanges) {
  EXPECT_TRUE(IsSummerTimeStart(Day(2013, 3, 31)));
  EXPECT_TRUE(IsSummerTimeEnd(Day(2013, 10, 27)));
  EXPECT_TRUE(IsSummerTimeStart(Day(2012, 3, 25)));
  EXPECT_TRUE(IsSummerTimeEnd(Day(2012, 10, 28)));
  EXPECT_FALSE(IsSummerTimeStart(Day(2012, 3, 18)));  // an earlier Sunday
  EXPECT_FALSE(IsSummerTimeStart(Day(2012, 3, 26)));
  EXPECT_FALSE(IsSummerTimeStart(Day(2012, 10, 28)));  // the start is only in March
  EXPECT_FALSE(IsSummerTimeEnd(Day(2012, 3, 25)));     // the end is only in October
  EXPECT_FALSE(IsSummerTimeStart(Day(2013, 4, 28)));   // last Sunday of another month
}

// Instants in universal time dated in Italy: an hour ahead, two in summer
// time, which starts and ends at 01:00 universal time.
TEST(SummerTime, ItalianCivilDayOfAnInstant) {
  struct Case {
    DayNumber day;
    int seconds;
    DayNumber expected;
  };
  const Case cases[] = {
      {Day(2013, 6, 15), 22 * 3600 - 1, Day(2013, 6, 15)},  // 23:59:59 summer time
      {Day(2013, 6, 15), 22 * 3600, Day(2013, 6, 16)},
      {Day(2013, 1, 15), 22 * 3600 + 1800, Day(2013, 1, 15)},    // 23:30 winter time
      {Day(2013, 12, 31), 23 * 3600, Day(2014, 1, 1)},           // into the next year
      {Day(2013, 3, 30), 23 * 3600 - 1, Day(2013, 3, 30)},       // the night the clocks go forward
      {Day(2013, 10, 26), 22 * 3600 + 1800, Day(2013, 10, 27)},  // still summer time
      {Day(2013, 10, 27), 22 * 3600 + 1800, Day(2013, 10, 27)},  // winter time again
  };
  for (const Case& c : cases)
    EXPECT_EQ(ItalianCivilDay(c.day, c.seconds), c.expected) << c.day << " " << c.seconds;
}

TEST(SummerTime, ExactlyOneDayEachInEveryYear) {
  for (int year = 1900; year <= 2100; ++year) {
    int starts = 0;
    int ends = 0;
    for (DayNumber d = Day(year, 1, 1); d <= Day(year, 12, 31); ++d) {
      starts += IsSummerTimeStart(d) ? 1 : 0;
      ends += IsSummerTimeEnd(d) ? 1 : 0;
    }
    ASSERT_EQ(starts, 1) << year;
    ASSERT_EQ(ends, 1) << year;
  }
}

}  // namespace
}  // namespace orvanta
