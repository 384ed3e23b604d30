// Event pictures, clock changes, shift fitting, moon glyph placement.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "ComposeFixture.h"
#include "calendar/YearContent.h"

namespace orvanta::test {
namespace {

class Annotations : public ComposeFixture {
 protected:
  std::string Page(int16_t year, CalendarOptions& o, int n) {
    return Lines(PageStream(Compose(year, o), n));
  }
};

// 31 March 2013 is both Easter and the start of summer time: right column,
// y = 24.5 - 14 * 1.4 = 4.9. The clock at (x + 5, y + 0.85), 1.1 x 1.1, the
// label ending at (x + 8, y + 0.24), Easter moved to x + 3.5.
TEST_F(Annotations, EasterOnTheClockChangeMovesAside) {
  CopyPictures();
  CalendarOptions o = AllOptions();
  const std::string march = Page(2013, o, 3);
  EXPECT_NE(march.find("q\\r31.181  0 0 -31.181 447.874 162.992 cm\\r/ImgClockOn Do\\rQ\n"
                       "BT\n/Fn3 8 Tf\n495.561 145.701 Td\n(ora legale) Tj\nET\n"
                       "q\\r36.85  0 0 -36.85 405.354 165.827 cm\\r/ImgPasqua Do\\rQ\n"),
            std::string::npos);
}

// The pictures as the year's content lists them, for every year: the
// clock's before the feast's on one day, and the clock only in March and
// October.
TEST(YearPictures, EveryYearItsFeastsEasterAndClocks) {
  for (const int year : {1900, 1916, 2010, 2013, 2100}) {
    const YearContent content = BuildYearContent(year, CalendarOptions{}, {}, {});
    std::size_t count = 0;
    for (const DayContent& day : content.days) {
      count += day.pictures.size();
      const int month = DateOf(day.date).Month;
      const bool clock = (month == 3 && day.clock == ClockChange::SummerTimeStart) ||
                         (month == 10 && day.clock == ClockChange::SummerTimeEnd);
      EXPECT_EQ(!day.pictures.empty() && day.pictures.front() <= EventPicture::ClockOff, clock)
          << year << " " << day.date;
    }
    const std::size_t clocks = static_cast<std::size_t>(
        std::count_if(content.days.begin(), content.days.end(), [](const DayContent& day) {
          return !day.pictures.empty() && day.pictures.front() <= EventPicture::ClockOff;
        }));
    EXPECT_EQ(count, 11 + clocks) << year;  // ten feasts and Easter
    EXPECT_EQ(content.Day(content.almanac.EasterDay).pictures.back(), EventPicture::Pasqua);
  }
  const YearContent y2010 = BuildYearContent(2010, CalendarOptions{}, {}, {});
  EXPECT_EQ(y2010.Day(*MakeDayNumber(2010, 10, 31)).pictures,
            (std::vector{EventPicture::ClockOff, EventPicture::Halloween}));
}

// 2012: Easter on 8 April, left column day 8, at the usual place x + 5.
TEST_F(Annotations, EasterInAprilAtTheUsualPlace) {
  CopyPictures();
  CalendarOptions o = AllOptions();
  const std::string april = Page(2012, o, 4);
  EXPECT_NE(april.find("q\\r36.85  0 0 -36.85 209.764 443.622 cm\\r/ImgPasqua Do\\rQ\n"),
            std::string::npos);
}

TEST_F(Annotations, ClockLabelsWithoutPicturesAndNothingWithoutIcons) {
  int asked = 0;
  const ProgramPictures fromFolder = env.pictures;
  env.pictures = [&](int number) {
    ++asked;
    return fromFolder(number);
  };
  CalendarOptions o = AllOptions();
  const std::string pdf = Compose(2013, o);
  EXPECT_EQ(asked, 25);
  EXPECT_NE(Lines(PageStream(pdf, 3)).find("(ora legale) Tj"), std::string::npos);
  EXPECT_NE(Lines(PageStream(pdf, 10)).find("(ora solare) Tj"), std::string::npos);
  EXPECT_EQ(pdf.find("/XObject"), std::string::npos);

  CopyPictures();
  o.Icone = false;
  o.Zodiaco = false;
  const std::string plain = Compose(2013, o);
  EXPECT_EQ(asked, 25);
  EXPECT_EQ(plain.find("/Subtype /Image"), std::string::npos);
  EXPECT_EQ(Lines(PageStream(plain, 3)).find("(ora legale) Tj"), std::string::npos);
}

// "Pomeriggio" is 2.717 cm at 14 pt: too wide at 100 %, so the scaling passes
// 108 % down to 66 %, the first value at which it is at most 1.8 cm.
TEST_F(Annotations, LongShiftTextIsSqueezed) {
  WriteShiftFile("1;Pomeriggio;");
  CalendarOptions o = AllOptions();
  const std::string january = Page(2013, o, 1);
  std::string steps;
  for (int s = 108; s >= 66; s -= 2) steps += std::to_string(s) + " Tz\n";
  EXPECT_NE(january.find("100 Tz\n" + steps + "BT\n/Fn3 14 Tf\n"), std::string::npos);
}

// Without progressive numbers the moon glyph moves 1 cm right: the new moon
// of 11 January is centred on (10.0, 11.2) instead of (9.0, 11.2).
TEST_F(Annotations, MoonGlyphTakesTheProgressiveNumbersPlace) {
  CalendarOptions o = AllOptions();
  o.Progressivi = false;
  const std::string january = Page(2013, o, 1);
  EXPECT_NE(january.find("0 G\n283.465 311.811 m\n"), std::string::npos);
  EXPECT_EQ(january.find("sett."), std::string::npos);
}

// What the moon glyph centred on (x, y) cm with radius r shows: which part is
// filled ("left", "right", "disc" or "none") and "+outline" when its circle
// is stroked, read from the points of the page's paths around that centre.
std::string GlyphAt(const std::string& page, double x, double y, double r) {
  const double cx = x * 72 / 2.54, cy = y * 72 / 2.54, radius = r * 72 / 2.54;
  std::istringstream lines(page);
  std::vector<std::pair<double, double>> path;
  std::string line;
  std::string filled = "none";
  std::string outline;
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    const std::vector<std::string> w{std::istream_iterator<std::string>(in), {}};
    if (w.empty()) continue;
    if (w.back() == "m") path.clear();
    if (w.size() >= 3 && (w.back() == "m" || w.back() == "l" || w.back() == "c")) {
      path.emplace_back(std::stod(w[w.size() - 3]), std::stod(w[w.size() - 2]));
    }
    if ((w.back() != "f" && w.back() != "S") || path.empty()) continue;
    double minX = cx, maxX = cx;
    bool around = true;
    for (const auto& [px, py] : path) {
      around = around && std::hypot(px - cx, py - cy) < radius * 1.01;
      minX = std::min(minX, px);
      maxX = std::max(maxX, px);
    }
    if (!around) continue;
    const bool left = minX < cx - radius / 2;
    const bool right = maxX > cx + radius / 2;
    if (w.back() == "S") outline = "+outline";
    if (w.back() == "f") filled = left && right ? "disc" : left ? "left" : right ? "right" : "?";
  }
  return filled + outline;
}

// The glyphs by meaning: the last quarter fills the right half, the first
// quarter the left half, in the rows of January 2013 (last quarter on the 5th,
// new moon 11th, first quarter 18th, full moon 27th) and in the legend's key.
TEST_F(Annotations, MoonGlyphsFillTheirOwnHalf) {
  CalendarOptions o = AllOptions();
  const std::string january = Page(2013, o, 1);
  EXPECT_EQ(GlyphAt(january, 9.0, 19.6, 0.2), "right+outline");
  EXPECT_EQ(GlyphAt(january, 9.0, 11.2, 0.2), "disc");
  EXPECT_EQ(GlyphAt(january, 17.4, 22.4, 0.2), "left+outline");  // 19th: 23:45 UT on the 18th
  EXPECT_EQ(GlyphAt(january, 17.4, 11.2, 0.2), "none+outline");
  EXPECT_EQ(GlyphAt(january, 17.4, 12.6, 0.2), "none");           // 26 January: no phase
  EXPECT_EQ(GlyphAt(january, 16.3, 2.1, 0.1), "none+outline");    // "luna piena"
  EXPECT_EQ(GlyphAt(january, 16.3, 1.66, 0.1), "right+outline");  // "ultimo quarto"
  EXPECT_EQ(GlyphAt(january, 16.3, 1.22, 0.1), "disc");           // "luna nuova"
  EXPECT_EQ(GlyphAt(january, 16.3, 0.78, 0.1), "left+outline");   // "primo quarto"
}

TEST_F(Annotations, LongPersonalNoteShrinksToFourCentimetres) {
  notes = {{*MakeDayNumber(2013, 1, 9), std::string(30, 'M')}};
  CalendarOptions o = AllOptions();
  const std::string january = Page(2013, o, 1);
  // 30 regular M at 8 pt: 199.92 pt = 7.053 cm; at 55 % 3.879 cm fits.
  std::string steps;
  for (int s = 95; s >= 55; s -= 5) steps += std::to_string(s) + " Tz\n";
  EXPECT_NE(january.find(steps + "BT\n/Fn1 8 Tf\n"), std::string::npos);
  // Without the side columns the grid is 1 cm wider and so is the note:
  // 7.053 cm at 70 % is 4.937 cm.
  o.PrintMese_P_S = false;
  steps.clear();
  for (int s = 95; s >= 70; s -= 5) steps += std::to_string(s) + " Tz\n";
  EXPECT_NE(Page(2013, o, 1).find("\n" + steps + "BT\n/Fn1 8 Tf\n"), std::string::npos);
}

}  // namespace
}  // namespace orvanta::test
