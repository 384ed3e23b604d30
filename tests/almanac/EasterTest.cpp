#include "almanac/Easter.h"

#include <gtest/gtest.h>

#include <utility>

namespace orvanta {
namespace {

struct EasterDate {
  int Year, Month, Day;
};

// Published dates of Western Easter, including years where other algorithms
// have been seen to go wrong (1954, 1981, 2049, 2076, 2089, ...).
constexpr EasterDate kPublishedEaster[] = {
    {1900, 4, 15}, {1901, 4, 7},  {1902, 3, 30}, {1903, 4, 12}, {1904, 4, 3},  {1905, 4, 23},
    {1906, 4, 15}, {1907, 3, 31}, {1908, 4, 19}, {1909, 4, 11}, {1910, 3, 27}, {1913, 3, 23},
    {1921, 3, 27}, {1924, 4, 20}, {1927, 4, 17}, {1930, 4, 20}, {1940, 3, 24}, {1943, 4, 25},
    {1945, 4, 1},  {1950, 4, 9},  {1954, 4, 18}, {1961, 4, 2},  {1967, 3, 26}, {1970, 3, 29},
    {1974, 4, 14}, {1981, 4, 19}, {1985, 4, 7},  {1990, 4, 15}, {1994, 4, 3},  {1995, 4, 16},
    {1999, 4, 4},  {2000, 4, 23}, {2001, 4, 15}, {2002, 3, 31}, {2003, 4, 20}, {2004, 4, 11},
    {2005, 3, 27}, {2006, 4, 16}, {2007, 4, 8},  {2008, 3, 23}, {2009, 4, 12}, {2010, 4, 4},
    {2011, 4, 24}, {2012, 4, 8},  {2013, 3, 31}, {2014, 4, 20}, {2015, 4, 5},  {2016, 3, 27},
    {2017, 4, 16}, {2018, 4, 1},  {2019, 4, 21}, {2020, 4, 12}, {2021, 4, 4},  {2022, 4, 17},
    {2023, 4, 9},  {2024, 3, 31}, {2025, 4, 20}, {2026, 4, 5},  {2027, 3, 28}, {2028, 4, 16},
    {2029, 4, 1},  {2030, 4, 21}, {2038, 4, 25}, {2049, 4, 18}, {2071, 4, 19}, {2076, 4, 19},
    {2089, 4, 3},  {2091, 4, 8},  {2100, 3, 28},
};

// Independent reference: the Gregorian computus with epact as Knuth gives it
// (The Art of Computer Programming, algorithm E), returning {month, day}.
std::pair<int, int> KnuthEaster(int year) {
  const int golden = year % 19 + 1;
  const int century = year / 100 + 1;
  const int skippedLeapDays = 3 * century / 4 - 12;
  const int moonCorrection = (8 * century + 5) / 25 - 5;
  const int sunday = 5 * year / 4 - skippedLeapDays - 10;
  int epact = (11 * golden + 20 + moonCorrection - skippedLeapDays) % 30;
  if ((epact == 25 && golden > 11) || epact == 24) ++epact;
  int n = 44 - epact;
  if (n < 21) n += 30;
  n = n + 7 - (sunday + n) % 7;
  return n > 31 ? std::pair{4, n - 31} : std::pair{3, n};
}

TEST(Easter, AgreesWithThePublishedTable) {
  for (const EasterDate& e : kPublishedEaster) {
    EXPECT_EQ(ComputeEaster(e.Year), MakeDayNumber(e.Year, e.Month, e.Day)) << e.Year;
  }
}

TEST(Easter, PublishedTableAgreesWithTheIndependentReference) {
  for (const EasterDate& e : kPublishedEaster) {
    EXPECT_EQ(KnuthEaster(e.Year), (std::pair{e.Month, e.Day})) << e.Year;
  }
}

TEST(Easter, EveryYearFrom1900To2100IsASundayInRangeAndMatchesTheReference) {
  for (int year = 1900; year <= 2100; ++year) {
    const DayNumber easter = ComputeEaster(year);
    const auto [month, day] = KnuthEaster(year);
    ASSERT_EQ(easter, MakeDayNumber(year, month, day)) << year;
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
