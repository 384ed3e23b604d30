// The iCalendar export: the text rules of the format, the facts a year lists,
// and a file that appears whole or not at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/core/export/ICalendar.h"
#include "app/core/export/YearFacts.h"
#include "app/core/run/JobRun.h"
#include "tests/support/TestFiles.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// 29 February 2024, 23:05:09 UTC.
constexpr std::time_t kStamp = 1709247909;

DayNumber Day(int year, int month, int day) {
  return MakeDayNumber(year, month, day).value();
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

TEST(ICalendarText, EscapesWhatTheFormatReserves) {
  EXPECT_EQ(EscapeICalendarText("Pasqua"), "Pasqua");
  EXPECT_EQ(EscapeICalendarText("a\\b;c,d"), "a\\\\b\\;c\\,d");
  // Every line break is one "\n": LF, CR LF and a lone CR.
  EXPECT_EQ(EscapeICalendarText("uno\ndue\r\ntre\rquattro"), "uno\\ndue\\ntre\\nquattro");
  // Control characters are no text; a tab is.
  EXPECT_EQ(EscapeICalendarText(std::string("a\0b\x1B"
                                            "c\x7F"
                                            "d\te",
                                            9)),
            "a b c d\te");
  EXPECT_EQ(EscapeICalendarText("x\xC2\x85y\xC2\xA0z"), "x y\xC2\xA0z");  // U+0085, U+00A0
  // UTF-8 goes through; bytes that are not UTF-8 become U+FFFD one by one.
  EXPECT_EQ(EscapeICalendarText("festivit\xC3\xA0 \xF0\x9F\x8E\x89"),
            "festivit\xC3\xA0 \xF0\x9F\x8E\x89");
  EXPECT_EQ(EscapeICalendarText("lat\xE8n"), "lat\uFFFDn");
  EXPECT_EQ(EscapeICalendarText("\xC3"), "\uFFFD");
  EXPECT_EQ(EscapeICalendarText("\xED\xA0\x80;"), "\uFFFD\uFFFD\uFFFD\\;");  // a surrogate
  EXPECT_EQ(EscapeICalendarText("\x80\xBF"
                                "a"),
            "\uFFFD\uFFFDa");
}

// Folded lines are at most 75 octets, never cut inside a character, and
// unfold (remove each CR LF and the blank after it) to the line given.
TEST(ICalendarText, FoldsAt75OctetsBetweenCharacters) {
  EXPECT_EQ(FoldICalendarLine(""), "\r\n");
  const std::string full(75, 'x');
  EXPECT_EQ(FoldICalendarLine(full), full + "\r\n");
  EXPECT_EQ(FoldICalendarLine(full + "y"), full + "\r\n y\r\n");
  EXPECT_EQ(FoldICalendarLine(std::string(75 + 74 + 1, 'x')),
            full + "\r\n " + std::string(74, 'x') + "\r\n x\r\n");
  // A two-octet character that would end at octet 76 starts the next line.
  EXPECT_EQ(FoldICalendarLine(std::string(74, 'x') + "\xC3\xA0"),
            std::string(74, 'x') + "\r\n \xC3\xA0\r\n");

  const std::vector<std::string> pieces = {"a", "\xC3\xA0", "\xE2\x82\xAC", "\xF0\x9F\x8E\x89"};
  for (std::size_t length = 60; length < 260; ++length) {
    std::string line;
    for (std::size_t i = 0; line.size() < length; ++i) line += pieces[(i * 7 + length) % 4];
    const std::string folded = FoldICalendarLine(line);
    std::string unfolded;
    std::size_t start = 0;
    for (std::size_t end; (end = folded.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
      const std::string physical = folded.substr(start, end - start);
      ASSERT_LE(physical.size(), kICalendarLineOctets) << length;
      ASSERT_EQ(physical.find_first_of("\r\n"), std::string::npos);
      if (start > 0) {
        ASSERT_EQ(physical.front(), ' ') << length;
        // What follows the blank starts a character.
        ASSERT_NE(static_cast<unsigned char>(physical[1]) & 0xC0, 0x80) << length;
      }
      unfolded += start > 0 ? physical.substr(1) : physical;
    }
    ASSERT_EQ(start, folded.size());
    ASSERT_EQ(unfolded, line) << length;
  }
}

TEST(ICalendarText, UidsFromYearKindAndDate) {
  EXPECT_EQ(ICalendarUid(2013, FactKind::Holiday, Day(2013, 3, 31)),
            "2013-festivita-20130331@orvanta");
  EXPECT_EQ(ICalendarUid(2027, FactKind::Commemoration, Day(2027, 5, 9), 2),
            "2027-ricorrenza-20270509-2@orvanta");
  EXPECT_EQ(ICalendarUid(1900, FactKind::Shift, Day(1900, 1, 1)), "1900-turno-19000101@orvanta");
  // Each kind has a UID word of its own.
  std::vector<std::string> uids;
  for (const FactKind kind :
       {FactKind::Holiday, FactKind::Observance, FactKind::ChurchFeast, FactKind::MoonPhase,
        FactKind::SummerTime, FactKind::Commemoration, FactKind::PersonalNote, FactKind::Shift})
    uids.push_back(ICalendarUid(2013, kind, Day(2013, 1, 1)));
  std::sort(uids.begin(), uids.end());
  EXPECT_EQ(std::unique(uids.begin(), uids.end()), uids.end());
}

// The whole file worked out by hand: two facts of one kind on one day get
// UIDs of their own; only the day's name carries the red.
TEST(ICalendarText, WholeFile) {
  const std::vector<CalendarFact> facts = {
      {Day(2013, 12, 31), FactKind::ChurchFeast, "S. Silvestro", false},
      {Day(2013, 12, 31), FactKind::PersonalNote, "Cena, poi; \"festa\"", false},
      {Day(2013, 12, 31), FactKind::PersonalNote, "Seconda", false},
      {Day(2013, 12, 25), FactKind::Holiday, "Natale", true},
      {Day(2013, 1, 2), FactKind::Shift, "Turno: M", false, 3},
  };
  EXPECT_EQ(
      ICalendarText(2013, facts, kStamp),
      Lines({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Orvanta//Calendario da parete//IT",
             "CALSCALE:GREGORIAN", "X-WR-CALNAME:Orvanta 2013",
             // 31 December ends on 1 January of the next year.
             "BEGIN:VEVENT", "UID:2013-ricorrenza-religiosa-20131231@orvanta",
             "DTSTAMP:20240229T230509Z", "DTSTART;VALUE=DATE:20131231", "DTEND;VALUE=DATE:20140101",
             "SUMMARY:S. Silvestro", "CATEGORIES:ricorrenza religiosa", "TRANSP:TRANSPARENT",
             "END:VEVENT", "BEGIN:VEVENT", "UID:2013-nota-personale-20131231@orvanta",
             "DTSTAMP:20240229T230509Z", "DTSTART;VALUE=DATE:20131231", "DTEND;VALUE=DATE:20140101",
             "SUMMARY:Cena\\, poi\\; \"festa\"", "CATEGORIES:nota personale", "TRANSP:TRANSPARENT",
             "END:VEVENT", "BEGIN:VEVENT", "UID:2013-nota-personale-20131231-2@orvanta",
             "DTSTAMP:20240229T230509Z", "DTSTART;VALUE=DATE:20131231", "DTEND;VALUE=DATE:20140101",
             "SUMMARY:Seconda", "CATEGORIES:nota personale", "TRANSP:TRANSPARENT", "END:VEVENT",
             "BEGIN:VEVENT", "UID:2013-festivita-20131225@orvanta", "DTSTAMP:20240229T230509Z",
             "DTSTART;VALUE=DATE:20131225", "DTEND;VALUE=DATE:20131226", "SUMMARY:Natale",
             "CATEGORIES:festivit\xC3\xA0", "COLOR:red", "TRANSP:TRANSPARENT", "END:VEVENT",
             "BEGIN:VEVENT", "UID:2013-turno-20130102@orvanta", "DTSTAMP:20240229T230509Z",
             "DTSTART;VALUE=DATE:20130102", "DTEND;VALUE=DATE:20130103",
             "RRULE:FREQ=DAILY;INTERVAL=3;UNTIL=20131231", "SUMMARY:Turno: M", "CATEGORIES:turno",
             "TRANSP:TRANSPARENT", "END:VEVENT", "END:VCALENDAR"}));
  // A stamp before 1970 is still UTC.
  EXPECT_NE(ICalendarText(2013, facts, -1).find("DTSTAMP:19691231T235959Z\r\n"), std::string::npos);
}

// What GatherYearFacts finds, for the facts whose kind is a judgement of
// ours: a name the religious option brings is the Church's (also where a
// civil holiday keeps the day red), and a footnote's day comes from its text.
TEST(YearFacts, KindsAndDays) {
  const auto find = [](const std::vector<CalendarFact>& facts, DayNumber day, FactKind kind) {
    std::vector<std::string> found;
    for (const CalendarFact& fact : facts) {
      if (fact.day == day && fact.kind == kind)
        found.push_back(fact.summary + (fact.red ? "*" : ""));
    }
    return found;
  };
  using V = std::vector<std::string>;
  CalendarOptions all;
  const std::vector<CalendarFact> y2013 = GatherYearFacts(2013, all, {}, {});
  EXPECT_EQ(find(y2013, Day(2013, 6, 2), FactKind::ChurchFeast), V{"Corpus Domini*"});
  EXPECT_EQ(find(y2013, Day(2013, 6, 2), FactKind::Holiday), V{"Festa della Repubblica*"});
  EXPECT_EQ(find(y2013, Day(2013, 12, 31), FactKind::ChurchFeast), V{"S. Silvestro"});
  // Whole names; the carnival days and "Defunti" are no holidays, also on a Sunday.
  EXPECT_EQ(find(y2013, Day(2013, 4, 1), FactKind::Holiday), V{"Lunedì dell'Angelo*"});
  EXPECT_EQ(find(y2013, Day(2013, 2, 7), FactKind::Observance), V{"Giovedì grasso"});
  EXPECT_EQ(find(GatherYearFacts(2014, all, {}, {}), Day(2014, 11, 2), FactKind::Observance),
            V{"Defunti*"});
  EXPECT_EQ(find(y2013, Day(2013, 3, 31), FactKind::SummerTime), V{"ora legale"});
  EXPECT_EQ(find(y2013, Day(2013, 10, 27), FactKind::SummerTime), V{"ora solare"});
  EXPECT_EQ(find(y2013, Day(2013, 1, 7), FactKind::Commemoration),
            V{"festa del Tricolore (giornata Nazionale della Bandiera)"});
  EXPECT_EQ(find(y2013, Day(2013, 5, 12), FactKind::Commemoration), V{"festa della mamma"});
  // 2022: May begins on a Sunday, so the second Sunday is the 8th.
  EXPECT_EQ(find(GatherYearFacts(2022, all, {}, {}), Day(2022, 5, 8), FactKind::Commemoration),
            V{"festa della mamma"});
  // 2027: the second Sunday of May is the 9th, which has a footnote of its own.
  const std::vector<CalendarFact> y2027 = GatherYearFacts(2027, all, {}, {});
  EXPECT_EQ(find(y2027, Day(2027, 5, 9), FactKind::Commemoration),
            (V{"festa della mamma", "giorno della memoria vittime del terrorismo"}));
  EXPECT_NE(ICalendarText(2027, y2027, kStamp).find("UID:2027-ricorrenza-20270509-2@orvanta"),
            std::string::npos);
  // Dates in order, every one in the year.
  EXPECT_TRUE(
      std::is_sorted(y2027.begin(), y2027.end(), [](const CalendarFact& a, const CalendarFact& b) {
        return a.day < b.day || (a.day == b.day && a.kind < b.kind);
      }));
  EXPECT_EQ(y2027.front().day, Day(2027, 1, 1));
  EXPECT_LE(y2027.back().day, Day(2027, 12, 31));

  // Without the religious option the civil name is back.
  CalendarOptions civil;
  civil.Chiesa = false;
  const std::vector<CalendarFact> plain = GatherYearFacts(2013, civil, {}, {});
  EXPECT_EQ(find(plain, Day(2013, 6, 2), FactKind::Holiday), V{"Festa della Repubblica*"});
  EXPECT_EQ(find(plain, Day(2013, 12, 31), FactKind::ChurchFeast), V{});

  // Notes as the day lookup gives them (the first of a day, trimmed); shift
  // entries on the first day of their position, empty ones left out.
  const std::vector<NoteEntry> notes = {{Day(2013, 1, 15), "  Anna  "},
                                        {Day(2013, 1, 15), "Secondo"}};
  const std::vector<CalendarFact> mine =
      GatherYearFacts(2013, all, notes, ParseShiftCycle("2;M;P;;"));
  EXPECT_EQ(find(mine, Day(2013, 1, 15), FactKind::PersonalNote), V{"Anna"});
  EXPECT_EQ(find(mine, Day(2013, 1, 1), FactKind::Shift), V{"Turno: P"});
  EXPECT_EQ(find(mine, Day(2013, 1, 2), FactKind::Shift), V{});
  EXPECT_EQ(find(mine, Day(2013, 1, 3), FactKind::Shift), V{"Turno: M"});
  EXPECT_EQ(find(mine, Day(2013, 1, 4), FactKind::Shift), V{});
  CalendarOptions none = all;
  none.NotePersonali = none.Turno = false;
  EXPECT_EQ(GatherYearFacts(2013, none, notes, ParseShiftCycle("1;M;")).size(), y2013.size());
}

std::string Ymd(DayNumber day) {
  const CivilDate d = DateOf(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", d.Year, d.Month, d.Day);
  return text;
}

// A shift event per position of the cycle: repeated, they give each day the
// entry its page prints (a leap year; 1 January inside the cycle; a cycle
// longer than the year). Each all-day event ends on the next day.
TEST(ICalendarText, ShiftEventsRepeatAsThePagesShowThem) {
  std::string longCycle = "200;";
  for (int i = 1; i <= 370; ++i) longCycle += std::to_string(i) + ";";
  const CalendarOptions all;
  const std::vector<NoteEntry> notes = {{Day(2024, 1, 31), "a"}, {Day(2024, 2, 28), "b"}};
  for (const std::string& file : {std::string("3;M;P;;N;"), std::string("1;A;"), longCycle}) {
    for (const int year : {2024, 2013}) {
      const ShiftCycle cycle = ParseShiftCycle(file);
      const std::vector<CalendarFact> facts = GatherYearFacts(year, all, notes, cycle);
      std::map<DayNumber, std::string> expanded;
      for (const CalendarFact& fact : facts) {
        if (fact.kind != FactKind::Shift) continue;
        for (DayNumber d = fact.day; d <= Day(year, 12, 31); d += fact.repeatDays) {
          EXPECT_TRUE(expanded.emplace(d, fact.summary).second) << year << " " << d;
          if (fact.repeatDays == 0) break;
        }
      }
      const YearContent content = BuildYearContent(year, all, {}, cycle);
      for (const DayContent& day : content.days) {
        const std::string shown = content.ShiftText(day);
        EXPECT_EQ(expanded[day.date], shown.empty() ? "" : "Turno: " + shown) << year;
      }
      const std::string text = ICalendarText(year, facts, kStamp);
      for (const CalendarFact& fact : facts) {
        EXPECT_NE(text.find("DTSTART;VALUE=DATE:" + Ymd(fact.day) +
                            "\r\nDTEND;VALUE=DATE:" + Ymd(fact.day + 1) + "\r\n"),
                  std::string::npos)
            << Ymd(fact.day);
      }
    }
  }
}

TEST(ICalendarFile, AppearsWholeOrNotAtAll) {
  const TempFolder folder("orvanta-ics");
  CalendarJob request;
  request.ics.path = (folder / "anno.ics").string();
  request.clock = [] { return kStamp; };
  WriteFile(request.ics.path, "vecchio");

  // Rendered but stopped before the commit: the old file stays, nothing else
  // is left.
  request.cancelled = [] { return true; };
  EXPECT_EQ(RunJob(request).status, JobResult::Status::Cancelled);
  EXPECT_EQ(ReadFile(request.ics.path), "vecchio");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);

  request.cancelled = nullptr;
  ASSERT_TRUE(RunJob(request).Written());
  const std::string written = ReadFile(request.ics.path);
  EXPECT_EQ(written, ICalendarText(2013, GatherYearFacts(2013, request.options, {}, {}), kStamp));
  ASSERT_TRUE(RunJob(request).Written());
  EXPECT_EQ(ReadFile(request.ics.path), written);  // deterministic

  request.ics.path = (folder / "manca" / "anno.ics").string();
  const JobResult missing = RunJob(request);
  EXPECT_EQ(missing.failedOutput, "il file iCalendar");
  EXPECT_NE(missing.detail.find(request.ics.path), std::string::npos) << missing.detail;
  EXPECT_FALSE(fs::exists(folder / "manca"));
}

// What the command line read while checking the files is what the run
// prints: the files are not read again (here they are gone meanwhile).
TEST(ICalendarFile, PrintsTheNotesAndShiftsAlreadyRead) {
  const TempFolder folder("orvanta-ics-read");
  CalendarJob job;
  job.ics.path = (folder / "anno.ics").string();
  job.clock = [] { return kStamp; };
  job.notesFile = (folder / "sparito.dat").string();
  job.shiftFile = (folder / "sparito.txt").string();
  job.notesRead = std::vector<NoteEntry>{{Day(2013, 3, 1), "letta prima"}};
  job.shiftRead = ParseShiftCycle("1;M;P;");
  ASSERT_TRUE(RunJob(job).Written());
  const std::string text = ReadFile(job.ics.path);
  EXPECT_NE(text.find("SUMMARY:letta prima"), std::string::npos);
  EXPECT_NE(text.find("SUMMARY:Turno: M"), std::string::npos);
}

}  // namespace
}  // namespace orvanta
