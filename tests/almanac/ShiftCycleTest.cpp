#include "almanac/ShiftCycle.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "tests/support/TestFiles.h"

namespace orvanta {
namespace {

using namespace test;

std::vector<std::string> Year(const ShiftCycle& cycle, int days) {
  std::vector<std::string> shown;
  for (int n = 0; n < days; ++n) shown.push_back(ShiftForDay(cycle, n));
  return shown;
}

void ExpectUnusable(std::string_view text) {
  const ShiftCycle c = ParseShiftCycle(text);
  EXPECT_EQ(c.ShiftStart, -1) << text;
  EXPECT_FALSE(c.Usable()) << text;
  EXPECT_EQ(ShiftForDay(c, 0), "") << text;
}

TEST(ShiftCycle, SingleEntryEveryDay) {
  const ShiftCycle c = ParseShiftCycle("1;A;");
  EXPECT_EQ(c.ShiftStart, 1);
  ASSERT_EQ(c.ShiftCount, 1);
  for (const std::string& s : Year(c, 366)) ASSERT_EQ(s, "A");
}

TEST(ShiftCycle, UnusableFiles) {
  ExpectUnusable("1;A");  // the text after the last ";" is never an entry
  ExpectUnusable("3;");
  ExpectUnusable("0;M;P;");
  ExpectUnusable("9;M;P;");
  ExpectUnusable("3;M;P;");
  ExpectUnusable("x;M;P;");
  ExpectUnusable("-2;M;P;");
  ExpectUnusable("");
  ExpectUnusable("1");
  ExpectUnusable("40000;M;P;");  // does not fit 16 bits
  ExpectUnusable("nan;M;P;");
  ExpectUnusable("inf;M;P;");
  ExpectUnusable("--1;M;P;");
  ExpectUnusable("1x;M;P;");
  ExpectUnusable("0.5;M;P;");  // rounds to 0
}

TEST(ShiftCycle, StartPositionAndWrapAcrossTheYear) {
  const ShiftCycle c = ParseShiftCycle("2;M;P;N;");
  EXPECT_EQ(c.ShiftCount, 3);
  const std::vector<std::string> shown = Year(c, 365);
  EXPECT_EQ(shown[0], "P");
  EXPECT_EQ(shown[1], "N");
  EXPECT_EQ(shown[2], "M");
  EXPECT_EQ(shown[3], "P");
  EXPECT_EQ(shown[31], "N");   // 1 February: no restart at the month boundary
  EXPECT_EQ(shown[364], "N");  // 31 December
  const ShiftCycle five = ParseShiftCycle("5;M;P;P;S;R;");
  ASSERT_EQ(five.ShiftCount, 5);
  ASSERT_GT(five.entries.size(), 5u);
  EXPECT_EQ(five.entries[5], "R");
  EXPECT_EQ(ShiftForDay(five, 0), "R");
  EXPECT_EQ(ShiftForDay(five, 1), "M");
}

TEST(ShiftCycle, EmptyEntriesAndSurroundingSpaces) {
  const ShiftCycle c = ParseShiftCycle("1;Rep;Rep;Rep;Rep;Rep;Rep;Rep;;;;;;;;;;;;;;;;;;;;;;");
  EXPECT_EQ(c.ShiftCount, 28);
  const std::vector<std::string> shown = Year(c, 60);
  for (int n = 0; n < 60; ++n) EXPECT_EQ(shown[n], n % 28 < 7 ? "Rep" : "") << n;

  const ShiftCycle spaced = ParseShiftCycle("  2 ;  M ; P  ;");
  EXPECT_EQ(spaced.ShiftStart, 2);
  EXPECT_EQ(Year(spaced, 2), (std::vector<std::string>{"P", "M"}));

  // One entry per line, as editors write it.
  const ShiftCycle lines = ParseShiftCycle("2;\r\nM;\r\nP;\r\n");
  EXPECT_EQ(lines.ShiftCount, 2);
  EXPECT_EQ(Year(lines, 2), (std::vector<std::string>{"P", "M"}));
}

TEST(ShiftCycle, LongEntriesAreCutWhenRead) {
  const std::string m64(kMaxShiftEntryChars, 'M');
  std::string accents;
  for (int i = 0; i < 70; ++i) accents += "\u00E8";
  const ShiftCycle c = ParseShiftCycle("1;" + m64 + "MMM;" + accents + ";" + std::string(63, 'x') +
                                       " yyy;  " + m64 + "  ;");
  ASSERT_EQ(c.ShiftCount, 4);
  EXPECT_EQ(c.entries[1], m64);
  EXPECT_EQ(c.entries[2], accents.substr(0, 2 * kMaxShiftEntryChars));  // whole characters
  EXPECT_EQ(c.entries[3], std::string(63, 'x'));                        // no blank left at the cut
  EXPECT_EQ(c.entries[4], m64);  // spaces around do not count
}

TEST(ShiftCycle, StartNumberRoundsHalvesToEven) {
  EXPECT_EQ(ParseShiftCycle("1.5;A;B;C;").ShiftStart, 2);
  EXPECT_EQ(ParseShiftCycle("2.5;A;B;C;").ShiftStart, 2);
  EXPECT_EQ(ParseShiftCycle("2.6;A;B;C;").ShiftStart, 3);
  EXPECT_EQ(ParseShiftCycle("+3;A;B;C;").ShiftStart, 3);
  EXPECT_EQ(ParseShiftCycle("3e0;A;B;C;").ShiftStart, 3);
  EXPECT_EQ(ParseShiftCycle("\xEF\xBB\xBF"
                            "1;A;")
                .ShiftStart,
            1);  // byte-order mark
}

class ShiftFile : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    WriteFile(dir_ / "Turno.txt", bytes);
    return (dir_ / "Turno.txt").string();
  }
  TempFolder folder_{"orvanta-shift"};
  const fs::path dir_ = folder_.path();
};

TEST_F(ShiftFile, Utf8AndWindows1252TextsAreBothRead) {
  const ShiftCycle utf8 = LoadShiftCycle(Write("1;Mattinà;Notte;"));
  ASSERT_GT(utf8.entries.size(), 2u);
  EXPECT_EQ(utf8.entries[1], "Mattinà");
  const ShiftCycle ansi = LoadShiftCycle(Write("1;Mattin\xE0;\x80 turno;"));
  ASSERT_GT(ansi.entries.size(), 2u);
  EXPECT_EQ(ansi.entries[1], "Mattinà");
  EXPECT_EQ(ansi.entries[2], "€ turno");
}

TEST_F(ShiftFile, MissingEmptyAndNonRegularFilesAreUnusable) {
  EXPECT_EQ(LoadShiftCycle((dir_ / "none.txt").string()).ShiftStart, -1);
  EXPECT_EQ(LoadShiftCycle(Write("")).ShiftStart, -1);
  EXPECT_EQ(LoadShiftCycle(dir_.string()).ShiftStart, -1);
  const fs::path fifo = dir_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(LoadShiftCycle(fifo.string()).ShiftStart, -1);  // must not block
}

TEST_F(ShiftFile, OversizedFilesAreRefusedQuickly) {
  std::string atLimit(kMaxShiftFileBytes, ';');
  atLimit.replace(0, 2, "1;");
  const ShiftCycle full = LoadShiftCycle(Write(atLimit));
  EXPECT_EQ(full.ShiftStart, 1);
  EXPECT_EQ(full.ShiftCount, static_cast<int>(kMaxShiftFileBytes) - 2);

  EXPECT_EQ(LoadShiftCycle(Write(atLimit + ";")).ShiftStart, -1);

  // One entry as long as the limit allows: kept, but only its beginning.
  const ShiftCycle one =
      LoadShiftCycle(Write("1;" + std::string(kMaxShiftFileBytes - 3, 'M') + ";"));
  EXPECT_EQ(one.ShiftStart, 1);
  EXPECT_EQ(one.entries.at(1), std::string(kMaxShiftEntryChars, 'M'));

  // A sparse 100 MB file: refused after reading just past the limit.
  const std::string huge = Write("1;A;");
  fs::resize_file(huge, 100u * 1024 * 1024);
  const auto begin = std::chrono::steady_clock::now();
  EXPECT_EQ(LoadShiftCycle(huge).ShiftStart, -1);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
}

}  // namespace
}  // namespace orvanta
