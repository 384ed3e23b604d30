#include <gtest/gtest.h>

#include <string>

#include "almanac/AlmanacYear.h"

namespace orvanta {
namespace {

DayNumber Day(int year, int month, int day) {
  return MakeDayNumber(year, month, day).value();
}

// What the year's content keeps of a day, read as it reads it.
struct Looked {
  bool IsHoliday = false;
  std::string HolidayName;
  std::string PersonalNote;
};

Looked LookupDay(const AlmanacYear& state, DayNumber day) {
  const DayName name = NameDay(state, day);
  return {name.red, PrintedDayName(state, name), PersonalNoteOf(state, day)};
}

Looked Lookup(const AlmanacYear& state, int month, int day) {
  return LookupDay(state, Day(state.Year, month, day));
}

constexpr const char* kMartedi = "'Martedì grasso' (Carnevale Romano)";
constexpr const char* kGiovedi = "'Giovedì grasso'";
constexpr const char* kSabato = "'Sabato grasso' (Carnevale Ambrosiano)";

TEST(DayLookup, SundaysAreRedAndOrdinaryDaysAreNot) {
  const AlmanacYear y = PrepareAlmanacYear(2013, false, false);
  EXPECT_EQ(Lookup(y, 7, 7).IsHoliday, true);   // Sunday
  EXPECT_EQ(Lookup(y, 7, 8).IsHoliday, false);  // Monday
  EXPECT_EQ(Lookup(y, 7, 8).HolidayName, "");
  // Months without tests name nothing, whatever the day.
  for (int month : {7, 9, 10}) {
    for (int day = 1; day <= 30; ++day) EXPECT_EQ(Lookup(y, month, day).HolidayName, "");
  }
}

TEST(DayLookup, EasterMondayAndEasterTakeThe25thOfApril) {
  const AlmanacYear y2011 = PrepareAlmanacYear(2011, false, false);
  EXPECT_EQ(Lookup(y2011, 4, 24).HolidayName, "Pasqua");
  EXPECT_EQ(Lookup(y2011, 4, 25).HolidayName, "Dell'Angelo");
  EXPECT_TRUE(Lookup(y2011, 4, 25).IsHoliday);

  const AlmanacYear y1943 = PrepareAlmanacYear(1943, false, false);
  EXPECT_EQ(Lookup(y1943, 4, 25).HolidayName, "Pasqua");
  EXPECT_EQ(Lookup(y1943, 4, 26).HolidayName, "Dell'Angelo");
  EXPECT_TRUE(Lookup(y1943, 4, 26).IsHoliday);
}

TEST(DayLookup, CarnivalDaysOnlyInFebruaryAndMarch) {
  const AlmanacYear y2008 = PrepareAlmanacYear(2008, false, false);
  EXPECT_EQ(Lookup(y2008, 2, 5).HolidayName, kMartedi);
  EXPECT_FALSE(Lookup(y2008, 2, 5).IsHoliday);
  EXPECT_EQ(Lookup(y2008, 2, 9).HolidayName, kSabato);
  EXPECT_FALSE(Lookup(y2008, 2, 9).IsHoliday);
  EXPECT_EQ(Lookup(y2008, 1, 31).HolidayName, "");  // Easter - 52 falls in January
  EXPECT_EQ(Lookup(y2008, 3, 23).HolidayName, "Pasqua");
  EXPECT_EQ(Lookup(y2008, 3, 24).HolidayName, "Dell'Angelo");

  const AlmanacYear y1913 = PrepareAlmanacYear(1913, false, false);
  EXPECT_EQ(Lookup(y1913, 1, 30).HolidayName, "");
  EXPECT_EQ(Lookup(y1913, 2, 4).HolidayName, kMartedi);
  EXPECT_EQ(Lookup(y1913, 2, 8).HolidayName, kSabato);

  // Late Easter (24 April 2011) puts all three carnival days in March.
  const AlmanacYear y2011 = PrepareAlmanacYear(2011, false, false);
  EXPECT_EQ(Lookup(y2011, 3, 3).HolidayName, kGiovedi);
  EXPECT_EQ(Lookup(y2011, 3, 8).HolidayName, kMartedi);
  EXPECT_EQ(Lookup(y2011, 3, 12).HolidayName, kSabato);
  EXPECT_FALSE(Lookup(y2011, 3, 3).IsHoliday);
}

TEST(DayLookup, DefuntiIsRedOnlyOnASunday) {
  const AlmanacYear y2014 = PrepareAlmanacYear(2014, false, false);  // 2 Nov 2014: Sunday
  EXPECT_EQ(Lookup(y2014, 11, 2).HolidayName, "Defunti");
  EXPECT_TRUE(Lookup(y2014, 11, 2).IsHoliday);
  const AlmanacYear y2015 = PrepareAlmanacYear(2015, false, false);  // Monday
  EXPECT_EQ(Lookup(y2015, 11, 2).HolidayName, "Defunti");
  EXPECT_FALSE(Lookup(y2015, 11, 2).IsHoliday);
}

TEST(DayLookup, ReligiousOptionAddsSilvestroAndFeastsKeepingTheRed) {
  const AlmanacYear y = PrepareAlmanacYear(2013, true, false);
  EXPECT_EQ(Lookup(y, 12, 31).HolidayName, "S. Silvestro");
  EXPECT_FALSE(Lookup(y, 12, 31).IsHoliday);
  EXPECT_EQ(Lookup(y, 6, 2).HolidayName, "Corpus Domini");
  EXPECT_TRUE(Lookup(y, 6, 2).IsHoliday);
  EXPECT_EQ(Lookup(y, 12, 8).HolidayName, "II Avvento");
  EXPECT_TRUE(Lookup(y, 12, 8).IsHoliday);
  // A Wednesday feast names the day but does not colour it.
  EXPECT_EQ(Lookup(y, 2, 13).HolidayName, "Ceneri");
  EXPECT_FALSE(Lookup(y, 2, 13).IsHoliday);

  // The list is only consulted while the option is on.
  AlmanacYear off = y;
  off.Chiesa = false;
  EXPECT_EQ(Lookup(off, 6, 2).HolidayName, "Festa della Repubblica");
  EXPECT_EQ(Lookup(off, 2, 13).HolidayName, "");
  EXPECT_EQ(Lookup(off, 12, 31).HolidayName, "");
}

TEST(DayLookup, FeastNamesAreTrimmedAndTheFirstSlotWins) {
  AlmanacYear y = PrepareAlmanacYear(2013, true, false);
  const DayNumber day = Day(2013, 7, 10);
  y.ChurchFeastList[15] = ChurchFeast{day, "second"};
  y.ChurchFeastList[14] = ChurchFeast{day, "  first  "};
  EXPECT_EQ(LookupDay(y, day).HolidayName, "first");
}

TEST(DayLookup, PersonalNotesTrimmedFirstWinsOnlyWithTheOption) {
  AlmanacYear y = PrepareAlmanacYear(2013, false, true);
  const DayNumber day = Day(2013, 5, 20);
  y.NotesTable = {{Day(2013, 5, 19), "other"}, {day, "  dentista ore 9  "}, {day, "second"}};
  EXPECT_EQ(LookupDay(y, day).PersonalNote, "dentista ore 9");
  EXPECT_EQ(LookupDay(y, Day(2013, 5, 21)).PersonalNote, "");
  y.NotePersonali = false;
  EXPECT_EQ(LookupDay(y, day).PersonalNote, "");
}

TEST(DayLookup, FeastsAndNotesWorkInTheEarliestYears) {
  for (int year : {1900, 1913, 1927}) {
    AlmanacYear y = PrepareAlmanacYear(year, true, true);
    const DayNumber palms = y.EasterDay - 7;
    y.NotesTable = {{Day(year, 1, 2), "nota"}};
    EXPECT_EQ(LookupDay(y, palms).HolidayName, "Le Palme") << year;
    EXPECT_EQ(LookupDay(y, FourthAdventSunday(year)).HolidayName, "IV Avvento") << year;
    EXPECT_EQ(LookupDay(y, Day(year, 1, 2)).PersonalNote, "nota") << year;
  }
}

}  // namespace
}  // namespace orvanta
