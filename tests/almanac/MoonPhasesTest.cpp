#include "almanac/MoonPhases.h"

#include <gtest/gtest.h>

#include <limits>

#include "almanac/DayNumber.h"

namespace orvanta {
namespace {

using Slots = std::array<std::int16_t, 5>;

void ExpectMonth(int month, int year, Slots days, Slots codes) {
  const MonthMoonPhases r = MoonPhasesForMonth(month, year);
  EXPECT_EQ(r.MoonPhaseDays, days) << month << "/" << year;
  EXPECT_EQ(r.MoonPhaseCodes, codes) << month << "/" << year;
}

TEST(MoonPhases, KnownMonths) {
  ExpectMonth(1, 2013, {5, 11, 18, 27, 0}, {37, 39, 41, 35, 0});
  ExpectMonth(1, 2000, {6, 14, 21, 28, 0}, {39, 41, 35, 37, 0});
}

TEST(MoonPhases, FivePhasesFillAllSlots) {
  ExpectMonth(8, 2012, {2, 9, 17, 24, 31}, {35, 37, 39, 41, 35});
}

TEST(MoonPhases, January1900StartsFromANegativeLunation) {
  ExpectMonth(1, 1900, {1, 8, 15, 23, 31}, {39, 41, 35, 37, 39});
}

// Published dates (universal time) of new moons at solar eclipses and full
// moons at lunar eclipses.
TEST(MoonPhases, AgreesWithPublishedEclipseDates) {
  struct Published {
    int Year, Month, Day;
    MoonPhaseCode Code;
  };
  const Published table[] = {
      {1919, 5, 29, kNewMoon},  {1999, 8, 11, kNewMoon},  {2017, 8, 21, kNewMoon},
      {2024, 4, 8, kNewMoon},   {2012, 11, 13, kNewMoon}, {2000, 1, 21, kFullMoon},
      {2015, 9, 28, kFullMoon}, {2018, 1, 31, kFullMoon}, {2018, 7, 27, kFullMoon},
  };
  for (const Published& p : table) {
    const MonthMoonPhases r = MoonPhasesForMonth(p.Month, p.Year);
    bool found = false;
    for (std::size_t i = 0; i < 5; ++i) {
      found = found || (r.MoonPhaseDays[i] == p.Day && r.MoonPhaseCodes[i] == p.Code);
    }
    EXPECT_TRUE(found) << p.Year << "-" << p.Month << "-" << p.Day;
  }
}

TEST(MoonPhases, ALateEveningPhaseKeepsItsUniversalDate) {
  // New moon of 20 May 2012 at 23:47 UT: already the 21st in Italy.
  const MonthMoonPhases r = MoonPhasesForMonth(5, 2012);
  EXPECT_EQ(r.MoonPhaseDays[2], 20);
  EXPECT_EQ(r.MoonPhaseCodes[2], kNewMoon);
}

TEST(MoonPhases, ComputeCoversThreeLunationsFromThePreviousMonth) {
  const std::vector<PhaseEvent> events = ComputeMoonPhases(2013, 1);
  ASSERT_EQ(events.size(), 12u);
  // New moon nearest mid-December 2012 comes first.
  EXPECT_EQ(events.front().Year, 2012);
  EXPECT_EQ(events.front().Month, 12);
  EXPECT_EQ(events.front().Day, 13);
  EXPECT_EQ(events.front().Code, kNewMoon);
  EXPECT_EQ(events.back().Code, kLastQuarter);
}

TEST(MoonPhases, NonsenseArgumentsGiveNoPhases) {
  EXPECT_TRUE(ComputeMoonPhases(2013, 13).empty());
  EXPECT_TRUE(ComputeMoonPhases(2013, 0).empty());
  EXPECT_TRUE(ComputeMoonPhases(std::numeric_limits<int>::min(), 1).empty());
  EXPECT_EQ(MoonPhasesForMonth(1, std::numeric_limits<int>::max()).MoonPhaseDays[0], 0);
}

// Every month of 1900..2100: phases cycle new, first, full, last with gaps of
// six to nine days, and each month holds three (February) to five phases.
TEST(MoonPhases, EveryMonthFrom1900To2100IsConsistent) {
  DayNumber previousDay = 0;
  MoonPhaseCode previousCode = 0;
  for (int year = 1900; year <= 2100; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const MonthMoonPhases r = MoonPhasesForMonth(month, year);
      int used = 0;
      for (std::size_t i = 0; i < 5; ++i) {
        if (r.MoonPhaseDays[i] == 0) {
          ASSERT_EQ(r.MoonPhaseCodes[i], 0);
          continue;
        }
        ASSERT_EQ(used, static_cast<int>(i)) << "used slots come first";
        ++used;
        const DayNumber day = *MakeDayNumber(year, month, r.MoonPhaseDays[i]);
        const MoonPhaseCode code = r.MoonPhaseCodes[i];
        if (previousCode != 0) {
          const MoonPhaseCode next = previousCode == kNewMoon        ? kFirstQuarter
                                     : previousCode == kFirstQuarter ? kFullMoon
                                     : previousCode == kFullMoon     ? kLastQuarter
                                                                     : kNewMoon;
          ASSERT_EQ(code, next) << year << "-" << month << "-" << r.MoonPhaseDays[i];
          ASSERT_GE(day - previousDay, 6) << year << "-" << month;
          ASSERT_LE(day - previousDay, 9) << year << "-" << month;
        }
        previousDay = day;
        previousCode = code;
      }
      ASSERT_GE(used, month == 2 ? 3 : 4) << year << "-" << month;
    }
  }
}

}  // namespace
}  // namespace orvanta
