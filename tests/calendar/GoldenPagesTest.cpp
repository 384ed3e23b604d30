// The page content streams of two whole calendars compared with the golden
// files in golden/: everything a user reads on the printed pages (holidays,
// moon glyphs, pictures, zodiac corners, sun table, footnotes, notes, shifts)
// in one place. The golden was checked once by rendering every page and
// comparing its facts with the almanac's tables; golden/regenerate rewrites it
// on purpose, after a change meant to alter the pages, never to silence a
// failure unread.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "ComposeFixture.h"

namespace orvanta::test {
namespace {

namespace fs = std::filesystem;

DayNumber Day(int year, int month, int day) {
  return *MakeDayNumber(year, month, day);
}

// The pages as one text, each introduced by a line "%page N".
std::string PagesText(const std::string& pdf) {
  std::string text;
  int n = 0;
  for (const std::string& stream : PageStreams(pdf)) {
    text += "%page " + std::to_string(++n) + "\n" + Lines(stream);
  }
  return text;
}

// Empty when equal; otherwise the page and line of the first difference.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream want(expected);
  std::istringstream got(actual);
  std::string page = "?";
  int line = 0;
  for (;;) {
    std::string w;
    std::string g;
    const bool hasW = static_cast<bool>(std::getline(want, w));
    const bool hasG = static_cast<bool>(std::getline(got, g));
    if (!hasW && !hasG) return {};
    if (hasW && w.starts_with("%page ")) {
      page = w.substr(6);
      line = 0;
    } else {
      ++line;
    }
    if (hasW != hasG || w != g) {
      return "page " + page + ", line " + std::to_string(line) + ": expected \"" +
             (hasW ? w : "<end>") + "\", got \"" + (hasG ? g : "<end>") + "\"";
    }
  }
}

class GoldenPages : public ComposeFixture {
 protected:
  void ExpectGolden(const std::string& name, int16_t year, const CalendarOptions& options) {
    const std::string actual = PagesText(Compose(year, options));
    const fs::path golden =
        fs::path(ORVANTA_SOURCE_DIR) / "tests/calendar/golden" / (name + ".txt");
    if (std::getenv("ORVANTA_REGENERATE_GOLDEN") != nullptr) {
      WriteFile(golden, actual);
      if (const char* keep = std::getenv("ORVANTA_GOLDEN_PDFS")) {
        fs::copy_file(output, fs::path(keep) / (name + ".pdf"),
                      fs::copy_options::overwrite_existing);
      }
      return;
    }
    const std::string expected = ReadFile(golden.string());
    ASSERT_FALSE(expected.empty()) << golden << " is missing";
    EXPECT_EQ(Count(actual, "%page "), 12u);
    const std::string difference = FirstDifference(expected, actual);
    EXPECT_TRUE(difference.empty())
        << name << ", " << difference << " (golden/regenerate rewrites the golden when meant)";
  }
};

// Blue text, a header and a footer text with characters beyond ASCII (an en
// dash, the euro sign, curly quotes), shifts, notes and all the pictures.
TEST_F(GoldenPages, Year2013InColourWithEveryOption) {
  CopyPictures();
  WriteShiftFile("1;M;P;N;R;");
  notes = {{Day(2013, 1, 6), "Cena dai nonni"},
           {Day(2013, 5, 9), "Compleanno di Anna – 40 anni"},
           {Day(2013, 12, 24), "Vigilia: “tutti” da noi"}};
  CalendarOptions o = AllOptions();
  o.TextColor = 0xCD0000;
  o.CustomTopText = "Famiglia Rossi – 2013";
  o.CustomTopColor = 0x0000FF;
  o.CustomDownText = "Buone feste! Offerta 5 €";
  o.CustomDownColor = 0x00A900;
  ExpectGolden("2013-colour", 2013, o);
}

// Monochrome (the green text colour the window keeps becomes black), grey
// bands for the holidays, a shift entry too long for its box, notes.
TEST_F(GoldenPages, Year1900MonochromeWithNotesAndShifts) {
  CopyPictures();
  WriteShiftFile("3;Mattino;Pomeriggio;Notte;Riposo;Riposo;");
  notes = {{Day(1900, 2, 28), "Scadenza affitto"}, {Day(1900, 10, 31), "Castagnata – cantina"}};
  CalendarOptions o = AllOptions();
  o.PrintColor = false;
  o.TextColor = 0x00A900;
  ExpectGolden("1900-monochrome", 1900, o);
}

}  // namespace
}  // namespace orvanta::test
