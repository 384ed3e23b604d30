#include "almanac/Easter.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

struct EasterDate {
  int Year, Month, Day;
};

// Published dates of Western Easter: the years the calendar's own examples
// name, the latest dates (25 April), and years where other algorithms have
// been seen to go wrong.
constexpr EasterDate kPublishedEaster[] = {
    {1900, 4, 15}, {1913, 3, 23}, {1943, 4, 25}, {1954, 4, 18}, {1981, 4, 19}, {1994, 4, 3},
    {2000, 4, 23}, {2008, 3, 23}, {2011, 4, 24}, {2013, 3, 31}, {2021, 4, 4},  {2038, 4, 25},
    {2049, 4, 18}, {2071, 4, 19}, {2076, 4, 19}, {2089, 4, 3},  {2091, 4, 8},
};

TEST(Easter, AgreesWithThePublishedTable) {
  for (const EasterDate& e : kPublishedEaster) {
    EXPECT_EQ(ComputeEaster(e.Year), MakeDayNumber(e.Year, e.Month, e.Day)) << e.Year;
  }
}

TEST(Easter, EveryYearFrom1900To2100IsASundayInRange) {
  for (int year = 1900; year <= 2100; ++year) {
    const DayNumber easter = ComputeEaster(year);
    ASSERT_TRUE(IsSunday(easter)) << year;
    ASSERT_GE(easter, *MakeDayNumber(year, 3, 22)) << year;
    ASSERT_LE(easter, *MakeDayNumber(year, 4, 25)) << year;
  }
}

TEST(Easter, YearsOutsideTheGregorianRuleGiveZero) {
  EXPECT_EQ(ComputeEaster(1582), 0);
  EXPECT_EQ(ComputeEaster(0), 0);
  EXPECT_EQ(ComputeEaster(-5), 0);
  EXPECT_EQ(ComputeEaster(40000), 0);
  EXPECT_EQ(ComputeEaster(1583), MakeDayNumber(1583, 4, 10));
  EXPECT_NE(ComputeEaster(32767), 0);
}

}  // namespace
}  // namespace orvanta
