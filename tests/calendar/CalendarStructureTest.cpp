// Whole calendars: pages, counters carried from page to page, monochrome,
// the grid without side columns, write-backs into the options, failures.

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <clocale>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "ComposeFixture.h"
#include "almanac/Commemorations.h"
#include "almanac/SunTimes.h"
#include "pdf/BmpReader.h"
#include "pdf/PdfConstants.h"
#include "pdf/PdfError.h"
#include "tests/support/RunProgram.h"

namespace orvanta::test {
namespace {

class Calendar : public ComposeFixture {
 protected:
  std::vector<std::string> ComposePages(int16_t year, CalendarOptions& options) {
    std::vector<std::string> pages;
    for (const std::string& stream : PageStreams(Compose(year, options))) {
      pages.push_back(Lines(stream));
    }
    EXPECT_EQ(pages.size(), 12u);
    pages.resize(12);  // a broken file fails the test above, not the indexing below
    return pages;
  }
};

TEST_F(Calendar, TwelvePagesOneRowPerDay) {
  CalendarOptions o = AllOptions();
  const std::vector<std::string> pages = ComposePages(2013, o);
  const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (size_t m = 0; m < 12; ++m) {
    // Each day number is drawn twice at 28 pt: shadow and figure.
    EXPECT_EQ(Count(pages[m], "/Fn3 28 Tf"), 2u * days[m]) << "month " << m + 1;
  }
  EXPECT_EQ(viewerCalls, 1);
}

TEST_F(Calendar, LeapYearFebruaryAndTheLastDayOfTheYear) {
  CalendarOptions o = AllOptions();
  o.Testo3D = false;
  const std::vector<std::string> pages = ComposePages(2012, o);
  EXPECT_EQ(Count(pages[1], "/Fn3 28 Tf"), 29u);
  EXPECT_TRUE(Contains(pages[1], "(29) Tj"));
  EXPECT_TRUE(Contains(pages[0], "(1 - 365) Tj"));
  EXPECT_TRUE(Contains(pages[11], "(366 - 0) Tj"));
}

TEST_F(Calendar, ProgressiveAndWeekNumbersRunAcrossPages) {
  CalendarOptions o = AllOptions();
  const std::vector<std::string> pages = ComposePages(2013, o);
  // 1 January 2013 is a Tuesday: the first week label is on Monday 7 January.
  EXPECT_FALSE(Contains(pages[0].substr(0, pages[0].find("(7) Tj")), "sett."));
  EXPECT_TRUE(Contains(pages[0], "(sett. 1) Tj"));
  EXPECT_TRUE(Contains(pages[1], "(32 - 333) Tj"));
  EXPECT_TRUE(Contains(pages[1], "(sett. 5) Tj"));  // Monday 4 February
  EXPECT_TRUE(Contains(pages[11], "(365 - 0) Tj"));
  EXPECT_TRUE(Contains(pages[11], "(sett. 52) Tj"));  // Monday 30 December

  // 2018 starts on a Monday: week 1 on 1 January.
  const std::vector<std::string> monday = ComposePages(2018, o);
  const std::string first = monday[0].substr(0, monday[0].find("(2) Tj"));
  EXPECT_TRUE(Contains(first, "(sett. 1) Tj"));
}

// Every day number at full width: without progressive numbers nothing else
// puts the scaling back after a feast name (80 %) or a squeezed header.
TEST_F(Calendar, DayNumbersAtFullWidthWithoutProgressiveNumbers) {
  CalendarOptions o = AllOptions();
  o.Progressivi = false;
  o.CustomTopText = std::string(40, 'W');
  std::set<std::string> scalings;
  for (const std::string& page : ComposePages(2013, o)) {
    for (std::size_t at = page.find("/Fn3 28 Tf"); at != std::string::npos;
         at = page.find("/Fn3 28 Tf", at + 1)) {
      const std::size_t tz = page.rfind(" Tz\n", at), line = page.rfind('\n', tz - 1) + 1;
      scalings.insert(page.substr(line, tz - line));
    }
  }
  EXPECT_EQ(scalings, std::set<std::string>{"100"});
}

TEST_F(Calendar, MonochromeUsesGreyBandsAndBlackText) {
  CopyPictures();
  CalendarOptions o = AllOptions();
  o.PrintColor = false;
  o.TextColor = 0xCD0000;  // blue, as the window keeps it
  const std::string pdf = Compose(2013, o);
  EXPECT_EQ(outcome.textColor, 0);
  EXPECT_EQ(o.TextColor, 0xCD0000);  // the options stay as the window keeps them
  const std::vector<std::string> streams = PageStreams(pdf);
  ASSERT_EQ(streams.size(), 12u);
  const std::string january = Lines(streams[0]);
  // 1 January: a 1.2 cm band in 0xDCDCDC from (2.3, 24.8) to (3.5, 24.8).
  EXPECT_TRUE(Contains(january,
                       "34.016 w\n0.863 0.863 0.863 RG\n65.197 702.992 m\n99.213 702.992 l\n"
                       "S\n0.142 w\n0 G\n"));
  for (const std::string& s : streams) {
    EXPECT_FALSE(Contains(s, "1 0 0 rg"));      // no red anywhere
    EXPECT_FALSE(Contains(s, "0 0 0.804 rg"));  // no blue text
  }
  // Second sun symbol grey instead of orange.
  EXPECT_TRUE(Contains(january, "0.863 0.863 0.863 rg\n"));
  EXPECT_FALSE(Contains(january, "1 0.561 0.02 rg"));
  // Pictures in grey, except the two clocks.
  EXPECT_EQ(Count(pdf, "/ColorSpace /DeviceRGB"), 2u);
  EXPECT_EQ(Count(pdf, "/ColorSpace /DeviceGray"), 23u);
}

// Samples decoded beforehand (as the program carries its pictures) make the
// same file as the bitmaps they come from, in colour and monochrome; a page
// that asks for grey samples a picture lacks leaves that picture out.
TEST_F(Calendar, DecodedSamplesMakeTheSameFileAsTheirBitmaps) {
  CopyPictures();
  const ProgramPictures bitmaps = env.pictures;
  std::map<int, std::array<BmpImage, 2>> decoded;  // RGB, grey
  bool withGrey = true;
  const ProgramPictures samples = [&](int number) {
    const std::span<const std::uint8_t> file = bitmaps(number).bitmap;
    auto& [rgb, grey] = decoded[number];
    EXPECT_TRUE(DecodeBMP(file, kColorSpaceRgb, rgb) && DecodeBMP(file, kColorSpaceGrey, grey));
    ProgramPicture picture;
    picture.rgb = rgb.ImgBuf;
    if (withGrey) picture.grey = grey.ImgBuf;
    picture.width = rgb.ImgWidth;
    picture.height = rgb.ImgHeight;
    return picture;
  };
  CalendarOptions o = AllOptions();
  for (bool colour : {true, false}) {
    o.PrintColor = colour;
    env.pictures = bitmaps;
    const std::string fromBitmaps = Compose(2013, o);
    env.pictures = samples;
    EXPECT_TRUE(Compose(2013, o) == fromBitmaps) << "colour " << colour;
  }
  withGrey = false;
  EXPECT_EQ(Count(Compose(2013, o), "/Subtype /Image"), 2u);  // the clocks, in colour
}

TEST_F(Calendar, ColourPageKeepsTheChosenTextColour) {
  CalendarOptions o = AllOptions();
  o.TextColor = 0x00A900;  // green
  const std::vector<std::string> pages = ComposePages(2013, o);
  EXPECT_EQ(outcome.textColor, 0x00A900);
  EXPECT_EQ(pages[0].rfind("0.142 w\n0 0.663 0 rg\n140 Tz\n", 0), 0u);
  EXPECT_TRUE(Contains(pages[0], "1 0.561 0.02 rg\n"));  // orange sun
  // Without the 3D effect no grey shadows, and the days keep their colours.
  o.Testo3D = false;
  const std::string flat = ComposePages(2013, o)[0];
  EXPECT_FALSE(Contains(flat, "0.753 0.753 0.753 rg"));
  EXPECT_EQ(flat.rfind("0.142 w\n0 0.663 0 rg\n140 Tz\n", 0), 0u);
  EXPECT_EQ(Count(flat, "1 0 0 rg\nBT\n/Fn3 28 Tf\n"), 5u);       // 1 and 6 January, Sundays
  EXPECT_EQ(Count(flat, "0 0.663 0 rg\nBT\n/Fn3 28 Tf\n"), 26u);  // the other days
}

TEST_F(Calendar, WithoutSideColumnsTheGridWidens) {
  CalendarOptions o = AllOptions();
  o.PrintMese_P_S = false;
  const std::vector<std::string> pages = ComposePages(2013, o);
  // First separator from (1.3, 24.1) to (19.8, 24.1); no month labels.
  EXPECT_TRUE(Contains(pages[0], "0.627 0.627 0.627 RG\n36.85 683.15 m\n561.26 683.15 l\nS\n"));
  EXPECT_FALSE(Contains(pages[0], "(DIC 12) Tj"));
  EXPECT_FALSE(Contains(pages[0], "(FEB 13) Tj"));
}

TEST_F(Calendar, SideColumnsShowTheNeighbouringYears) {
  CalendarOptions o = AllOptions();
  const std::vector<std::string> pages = ComposePages(2013, o);
  EXPECT_TRUE(Contains(pages[0], "(DIC 12) Tj"));
  EXPECT_TRUE(Contains(pages[11], "(NOV 13) Tj"));
  EXPECT_TRUE(Contains(pages[11], "(GEN 14) Tj"));
}

// The legend's clock label follows the month, not the day of the change; the
// sunset of 1 March, ours to choose, lies between those of 20 February and 10
// March; months without commemorations print no "Ricorda...".
TEST_F(Calendar, LegendAndFootnotesFollowTheMonth) {
  CalendarOptions o = AllOptions();
  const std::vector<std::string> pages = ComposePages(2013, o);
  const auto textAfter = [](const std::string& page, const std::string& marker) {
    const size_t at = page.find(marker);
    const size_t open = at == std::string::npos ? at : page.find('(', at + marker.size());
    return open == std::string::npos ? ""
                                     : page.substr(open + 1, page.find(") Tj", open) - open - 1);
  };
  for (size_t m = 0; m < 12; ++m) {
    EXPECT_EQ(textAfter(pages[m], "200 Tz\n"), m >= 3 && m <= 9 ? "ora legale" : "ora solare") << m;
    EXPECT_EQ(Contains(pages[m], "(Ricorda...) Tj"), m != 3 && m != 6 && m != 7) << m;
  }
  const std::string march = textAfter(pages[2], "(GG) Tj");
  ASSERT_EQ(march.substr(0, 16), "01     6:36     ");
  EXPECT_GT(march.substr(16), "17:38");
  EXPECT_LT(march.substr(16), "18:00");
  // Months the pages never ask for give nothing.
  EXPECT_EQ(SunTimesForMonth(13), (std::array<std::string, 4>{}));
  for (int month : {0, 13, -1})
    EXPECT_EQ(MonthCommemorations(month), (std::array<std::string, 4>{}));
}

TEST_F(Calendar, UnusableShiftFileTurnsTheOptionOff) {
  WriteShiftFile("0;M;P;");
  CalendarOptions o = AllOptions();
  const std::vector<std::string> pages = ComposePages(2013, o);
  EXPECT_TRUE(outcome.shiftUnusable);
  EXPECT_FALSE(Contains(pages[0], "/Fn3 14 Tf"));

  std::filesystem::remove(env.shiftFile);
  ComposePages(2013, o);
  EXPECT_TRUE(outcome.shiftUnusable);
  o.Turno = false;  // not asked for: nothing to report
  ComposePages(2013, o);
  EXPECT_FALSE(outcome.shiftUnusable);
}

TEST_F(Calendar, ShiftCycleRunsOnAcrossMonths) {
  WriteShiftFile("2;M;P;N;");
  CalendarOptions o = AllOptions();
  const std::vector<std::string> pages = ComposePages(2013, o);
  EXPECT_FALSE(outcome.shiftUnusable);
  // 1 January shows entry 2 (P); 31 days later 1 February shows entry
  // ((2 - 1 + 31) mod 3) + 1 = 3 (N).
  auto firstShift = [](const std::string& page) {
    const size_t at = page.find("/Fn3 14 Tf\n");
    const size_t open = page.find('(', at);
    return page.substr(open + 1, page.find(')', open) - open - 1);
  };
  EXPECT_EQ(firstShift(pages[0]), "P");
  EXPECT_EQ(firstShift(pages[1]), "N");
}

CalendarOptions OfYear(CalendarOptions options, int16_t year) {
  options.Anno = year;
  return options;
}

TEST_F(Calendar, YearsWithoutNeighboursAreRefusedBeforeWriting) {
  CalendarOptions o = AllOptions();
  EXPECT_EQ(ComposeCalendar(OfYear(o, 1582), env).status, ComposeOutcome::Status::Failed);
  EXPECT_EQ(ComposeCalendar(OfYear(o, 9999), env).status, ComposeOutcome::Status::Failed);
  EXPECT_FALSE(std::filesystem::exists(output));
  EXPECT_TRUE(ComposeCalendar(OfYear(o, 1900), env).Written());
  EXPECT_TRUE(ComposeCalendar(OfYear(o, 2100), env).Written());
}

TEST_F(Calendar, FileThatCannotBeOpenedWritesNothing) {
  env.outputFile = (dir / "missing-folder" / "Orvanta.pdf").string();
  CalendarOptions o = AllOptions();
  const ComposeOutcome failed = ComposeCalendar(o, env);
  EXPECT_EQ(failed.status, ComposeOutcome::Status::NotOpened);
  EXPECT_NE(failed.detail.find(env.outputFile), std::string::npos) << failed.detail;
  EXPECT_EQ(viewerCalls, 0);
  EXPECT_FALSE(std::filesystem::exists(env.outputFile));
}

// A failure once the file is open (a full disk, an I/O error) leaves the
// earlier calendar as it was and nothing else, starts no viewer, and says why.
TEST_F(Calendar, FailureAfterOpeningKeepsTheEarlierCalendar) {
  WriteFile(output, "the calendar of last year");
  env.pictures = [](int) -> ProgramPicture { throw PdfError(PdfErrorCode::Io, "disco pieno"); };
  CalendarOptions o = AllOptions();
  const ComposeOutcome failed = ComposeCalendar(o, env);
  EXPECT_EQ(failed.status, ComposeOutcome::Status::Failed);
  EXPECT_EQ(failed.detail, "disco pieno");
  EXPECT_EQ(ReadFile(output), "the calendar of last year");
  EXPECT_EQ(Entries(dir).size(), 2u);  // the calendar and the picture folder
  EXPECT_EQ(viewerCalls, 0);
  // The writer says what failed; the composer phrases it.
  const FileResult full = FileResult::FromErrno(output, ENOSPC);
  env.pictures = [full](int) -> ProgramPicture { throw PdfError(full); };
  EXPECT_EQ(ComposeCalendar(o, env).detail, "impossibile scrivere il file PDF " + full.Describe());

  // Missing pictures fail a run that requires them, and only then.
  env.pictures = nullptr;
  env.picturesRequired = true;
  EXPECT_EQ(ComposeCalendar(o, env).status, ComposeOutcome::Status::Failed);
  EXPECT_EQ(ReadFile(output), "the calendar of last year");

  // A run stopped between pages leaves the earlier calendar too.
  env.picturesRequired = false;
  int asked = 0;
  env.cancelled = [&] { return ++asked == 5; };
  EXPECT_EQ(ComposeCalendar(o, env).status, ComposeOutcome::Status::Cancelled);
  EXPECT_EQ(ReadFile(output), "the calendar of last year");

  // A later run in the same place works again.
  env.cancelled = nullptr;
  EXPECT_TRUE(ComposeCalendar(o, env).Written());
  EXPECT_NE(ReadFile(output), "the calendar of last year");
}

// The same bytes every run, under a decimal comma, and in Turkish ("i" -> dotted I).
TEST_F(Calendar, SameBytesEveryRunAndEveryLocale) {
  CopyPictures();
  CalendarOptions o = AllOptions();
  const std::string first = Compose(2013, o);
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  for (const char* locale : {"C", "it_IT.UTF-8", "tr_TR.UTF-8"}) {
    if (std::setlocale(LC_ALL, locale) == nullptr) continue;
    const std::string again = Compose(2013, o);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_TRUE(first == again) << locale;
  }
}

TEST_F(Calendar, ReadersAcceptTheFile) {
  CopyPictures();
  WriteShiftFile("1;M;P;N;R;");
  notes = {{*MakeDayNumber(2013, 5, 9), "Compleanno di Anna"}};
  CalendarOptions o = AllOptions();
  Compose(2013, o);
  EXPECT_EQ(RunProgram(dir, "qpdf", {"--check", output}).exitCode, 0);
  const std::string words = PdfText(dir, output);
  for (const char* title : {"GENNAIO 2013", "GIUGNO 2013", "DICEMBRE 2013", "Pasqua", "Dell'Angelo",
                            "ora legale", "Compleanno di Anna", "Ricorda...",
                            "• 14: S. Valentino: festa degli innamorati", "Martedì grasso"}) {
    EXPECT_TRUE(Contains(words, title)) << title;
  }
}

}  // namespace
}  // namespace orvanta::test
