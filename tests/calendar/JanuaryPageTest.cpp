// The content stream of January 2013 with every option on, checked line by
// line against values worked out from the page geometry: centimetres become
// points as float(cm * 72 / 2.54), written with three decimals; right-aligned
// and centred texts move left by their Arial width (thousandths of the font
// size, times the horizontal scaling).

#include <gtest/gtest.h>

#include <string>

#include "ComposeFixture.h"

namespace orvanta::test {
namespace {

class JanuaryPage : public ComposeFixture {
 protected:
  void SetUp() override {
    ComposeFixture::SetUp();
    CopyPictures();
    WriteShiftFile("1;M;P;N;R;");
    notes = {{*MakeDayNumber(2013, 1, 6), "Cena dai nonni"}};
    CalendarOptions options = AllOptions();
    page = Lines(PageStream(Compose(2013, options), 1));
  }

  // `block` must appear in the page as consecutive lines.
  void ExpectBlock(const std::string& block) {
    EXPECT_NE(page.find(block), std::string::npos) << "missing block:\n" << block;
  }

  std::string page;
};

// Line width 0.005 cm, fill TextColor, the title at 140 % with its grey shadow
// (10.58, 25.92) and the title (10.5, 26.0), centred: "GENNAIO 2013" in Arial
// bold is 7169 / 1000 em = 286.76 pt at 40 pt, 401.464 pt at 140 %. Then the
// frame: 100 %, white punch-hole disc at (10.5, 29.3) r 0.15 (k = 0.0825),
// filled then stroked, and the two title-band rules.
TEST_F(JanuaryPage, OpensWithTheTitleAndTheFrame) {
  const std::string expected = R"(0.142 w
0 g
140 Tz
0.753 0.753 0.753 rg
BT
/Fn3 40 Tf
99.174 734.74 Td
(GENNAIO 2013) Tj
ET
0 g
BT
/Fn3 40 Tf
96.906 737.008 Td
(GENNAIO 2013) Tj
ET
100 Tz
1 1 1 rg
297.638 826.299 m
299.976 826.299 301.89 828.213 301.89 830.551 c
301.89 832.89 299.976 834.803 297.638 834.803 c
295.299 834.803 293.386 832.89 293.386 830.551 c
293.386 828.213 295.299 826.299 297.638 826.299 c
f
297.638 826.299 m
299.976 826.299 301.89 828.213 301.89 830.551 c
301.89 832.89 299.976 834.803 297.638 834.803 c
295.299 834.803 293.386 832.89 293.386 830.551 c
293.386 828.213 295.299 826.299 297.638 826.299 c
S
14.173 771.024 m
581.102 771.024 l
S
14.173 731.339 m
581.102 731.339 l
S
)";
  EXPECT_EQ(page.substr(0, expected.size()), expected);
}

// 6 January 2013, a Sunday and Epiphany, left column x = 2.4, y = 24.5 - 5 *
// 1.4 = 17.5: separator to 18.8, shadows, red day and weekday, "Epifania" at
// 80 %, "6 - 359" at 90 % ending at x + 8, shift "P" (entry 2 of the cycle,
// 1 + 5 days) ending at x + 7.9, the Befana picture 1.3 x 1.3 with its top-left
// corner at (x + 5, y + 0.95), and the personal note at (x + 2.4, y + 0.35).
TEST_F(JanuaryPage, EpiphanyRow) {
  ExpectBlock(R"(0.627 0.627 0.627 RG
65.197 484.724 m
532.913 484.724 l
S
0.753 0.753 0.753 rg
BT
/Fn3 28 Tf
82.227 494.646 Td
(6) Tj
ET
BT
/Fn1 14 Tf
102.047 503.717 Td
(Dom) Tj
ET
1 0 0 rg
1 0 0 rg
BT
/Fn3 28 Tf
80.81 496.063 Td
(6) Tj
ET
BT
/Fn1 14 Tf
101.197 504.567 Td
(Dom) Tj
ET
0 g
80 Tz
BT
/Fn1 8 Tf
104.882 490.394 Td
(Epifania) Tj
ET
100 Tz
0 g
90 Tz
BT
/Fn1 8 Tf
272.39 513.071 Td
(6 - 359) Tj
ET
100 Tz
BT
/Fn3 14 Tf
282.63 488.976 Td
(P) Tj
ET
100 Tz
0 G
q\r36.85  0 0 -36.85 209.764 522.992 cm\r/ImgBefana Do\rQ
BT
/Fn1 8 Tf
136.063 505.984 Td
(Cena dai nonni) Tj
ET
100 Tz
)");
}

// New moon on 11 January: a filled circle of radius 0.2 (k = 0.11) centred on
// (x + 6.6, y + 0.7) = (9.0, 11.2), stroke colour set to black first.
TEST_F(JanuaryPage, NewMoonGlyph) {
  ExpectBlock(R"(100 Tz
0 G
255.118 311.811 m
258.236 311.811 260.787 314.362 260.787 317.48 c
260.787 320.599 258.236 323.15 255.118 323.15 c
252 323.15 249.449 320.599 249.449 317.48 c
249.449 314.362 252 311.811 255.118 311.811 c
f
)");
}

// Last quarter on 5 January: a right half disc from -90 to 90 degrees in one
// degree steps (181 points and the way back to the centre), then the outline.
TEST_F(JanuaryPage, LastQuarterGlyph) {
  // Centre (9.0, 24.5 - 4 * 1.4 + 0.7 = 19.6); first point straight below.
  const std::string start = "n\n255.118 555.591 m\n255.118 549.921 l\n";
  const size_t at = page.find(start);
  ASSERT_NE(at, std::string::npos);
  const size_t end = page.find("f\n", at);
  ASSERT_NE(end, std::string::npos);
  const std::string pie = page.substr(at, end - at);
  EXPECT_EQ(Count(pie, " l\n"), 182u);
  // The last point is straight above the centre, then back to the centre.
  EXPECT_NE(pie.find("255.118 561.26 l\n255.118 555.591 l\n"), std::string::npos) << pie;
  // The outline follows at once.
  EXPECT_EQ(page.substr(end, 19), "f\n255.118 549.921 m");
}

// Page foot and side columns: centre rule, bottom rule, version line centred
// at (10.5, 2.7), the labels "DIC 12" and "FEB 13" at y = 25, then December
// 2012 ending at x = 0.9 (1 December a Saturday, 2 December a red Sunday at
// y = 23.8) and February 2013 ending at x = 19.8.
TEST_F(JanuaryPage, PageFootAndSideColumns) {
  ExpectBlock(R"(0.627 0.627 0.627 RG
297.638 731.339 m
297.638 87.874 l
S
0 G
14.173 70.866 m
581.102 70.866 l
S
0.392 0.392 0.392 rg
BT
/Fn1 7 Tf
178.193 76.535 Td
(Orvanta \(Vers.3.0.1\) - calendario perpetuo, 2012-2026 - orvanta.example.org) Tj
ET
0 g
BT
/Fn3 9 Tf
19.843 708.661 Td
(DIC 12) Tj
ET
BT
/Fn3 9 Tf
552.756 708.661 Td
(FEB 13) Tj
ET
BT
/Fn3 9 Tf
20.508 694.488 Td
(1) Tj
ET
BT
/Fn1 8 Tf
31.181 694.488 Td
(Sab) Tj
ET
0 g
1 0 0 rg
BT
/Fn3 9 Tf
20.508 674.646 Td
(2) Tj
ET
BT
/Fn1 8 Tf
31.181 674.646 Td
(Dom) Tj
ET
0 g
)");
  ExpectBlock(R"(0 g
BT
/Fn3 9 Tf
556.256 694.488 Td
(1) Tj
ET
BT
/Fn1 8 Tf
566.929 694.488 Td
(Ven) Tj
ET
0 g
)");
}

// The ephemeris legend: the white sun at (19, 2) with its six strokes and the
// start of its half disc; the sun table of January ending at x = 20.35; the
// time label at 200 %; the moon key at 70 % with the full-moon outline
// (radius 0.1) at (16.3, 2.1); its control points at y = 2.1 - 0.055 = 2.045 cm
// are 57.9685039 pt, so 57.969.
TEST_F(JanuaryPage, EphemerisLegend) {
  ExpectBlock(R"(1 1 1 rg
538.583 56.693 m
538.583 66.614 l
S
527.244 56.693 m
549.921 56.693 l
S
538.583 56.693 m
528.661 60.945 l
S
538.583 56.693 m
532.913 65.197 l
S
538.583 56.693 m
548.504 60.945 l
S
538.583 56.693 m
544.252 65.197 l
S
n
538.583 56.693 m
544.252 56.693 l
544.251 56.792 l
544.249 56.891 l
)");
  ExpectBlock(R"(BT
/Fn1 8 Tf
507.993 56.693 Td
(GG) Tj
ET
BT
/Fn1 8 Tf
510.13 46.772 Td
(01     7:28     16:40) Tj
ET
BT
/Fn1 8 Tf
510.13 38.268 Td
(10     7:28     16:48) Tj
ET
BT
/Fn1 8 Tf
510.13 29.764 Td
(20     7:23     16:59) Tj
ET
200 Tz
BT
/Fn1 7 Tf
511.713 20.126 Td
(ora solare) Tj
ET
70 Tz
462.047 56.693 m
463.606 56.693 464.882 57.969 464.882 59.528 c
464.882 61.087 463.606 62.362 462.047 62.362 c
460.488 62.362 459.213 61.087 459.213 59.528 c
459.213 57.969 460.488 56.693 462.047 56.693 c
S
BT
/Fn1 7 Tf
467.717 56.693 Td
(luna piena) Tj
ET
)");
}

}  // namespace
}  // namespace orvanta::test
