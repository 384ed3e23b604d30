// Custom header and footer (fitted text or picture) and the zodiac corners.

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "ComposeFixture.h"

namespace orvanta::test {
namespace {

class HeaderFooter : public ComposeFixture {
 protected:
  std::string FirstPage(CalendarOptions& o) { return Lines(PageStream(Compose(2013, o), 1)); }
};

// The part of the page between the title and the frame.
std::string BetweenTitleAndFrame(const std::string& page) {
  const size_t title = page.find("(GENNAIO 2013) Tj\nET\n", page.find("0 g\nBT\n"));
  const size_t frame = page.find("100 Tz\n1 1 1 rg\n");
  return page.substr(title + 21, frame - title - 21);
}

TEST_F(HeaderFooter, ShortHeaderStaysAt140AndFooterUsesItsScaling) {
  CalendarOptions o = AllOptions();
  o.CustomTopText = "Famiglia Rossi";
  o.CustomTopColor = 0x0000FF;
  o.CustomDownText = "Buone feste";  // fits in 14 cm at 140 %
  o.CustomDownColor = 0xCD0000;
  const std::string part = BetweenTitleAndFrame(FirstPage(o));
  EXPECT_EQ(part.find(" Tz\n"), std::string::npos) << part;
  EXPECT_EQ(part.rfind("1 0 0 rg\nBT\n/Fn3 22 Tf\n", 0), 0u) << part;
  EXPECT_NE(part.find("(Famiglia Rossi) Tj\nET\n0 g\n0 0 0.804 rg\nBT\n/Fn3 16 Tf\n"),
            std::string::npos)
      << part;
}

TEST_F(HeaderFooter, LongTextsShrinkInStepsOfFive) {
  CalendarOptions o = AllOptions();
  // 40 bold W at 22 pt are 830.72 pt at 100 %: at most 20 cm (566.929 pt)
  // only from 65 % down.
  o.CustomTopText = std::string(40, 'W');
  const std::string part = BetweenTitleAndFrame(FirstPage(o));
  std::string steps;
  for (int s = 135; s >= 65; s -= 5) steps += std::to_string(s) + " Tz\n";
  EXPECT_EQ(part.rfind(steps + "0 g\nBT\n/Fn3 22 Tf\n", 0), 0u) << part;

  // 10.585 cm at 20 pt and 100 %: 14.82 cm at 140 % is too wide, so the
  // footer goes on to 115 % (12.17 cm), where it fits.
  o.CustomTopText.clear();
  o.CustomDownText = "Auguri di buone feste a tutti voi";
  const std::string footer = BetweenTitleAndFrame(FirstPage(o));
  EXPECT_EQ(footer.rfind("115 Tz\n0 g\nBT\n/Fn3 16 Tf\n", 0), 0u) << footer;
}

TEST_F(HeaderFooter, PicturesFillTheirBands) {
  WritePicture(90, 210, 25);
  WritePicture(91, 100, 12);
  CalendarOptions o = AllOptions();
  o.CustomTopImage = (dir / "pictures" / "90OV.bmp").string();
  o.CustomDownImage = (dir / "pictures" / "91OV.bmp").string();
  const std::string part = BetweenTitleAndFrame(FirstPage(o));
  // 21 x 2.5 at (0, 29.7); 10 x 1.2 at (5.5, 1.4).
  EXPECT_EQ(part,
            "q\\r595.276  0 0 -70.866 0 841.89 cm\\r/ImgTop Do\\rQ\n"
            "q\\r283.465  0 0 -34.016 155.906 39.685 cm\\r/ImgBottom Do\\rQ\n");

  // A text wins over a stored picture.
  o.CustomDownText = "Buone feste";
  const std::string both = BetweenTitleAndFrame(FirstPage(o));
  EXPECT_NE(both.find("/ImgTop Do"), std::string::npos);
  EXPECT_EQ(both.find("/ImgBottom Do"), std::string::npos);
}

// The window's chooser leaves out paths shorter than 8 characters; the
// composer takes any path.
TEST_F(HeaderFooter, PicturePathsOfAnyLengthAreLoaded) {
  WritePicture(92, 20, 20);
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::copy_file(dir / "pictures" / "92OV.bmp", dir / "h23.bmp");
  std::filesystem::copy_file(dir / "pictures" / "92OV.bmp", dir / "h234.bmp");
  std::filesystem::current_path(dir);
  CalendarOptions o = AllOptions();
  o.CustomTopImage = "h23.bmp";    // 7 characters
  o.CustomDownImage = "h234.bmp";  // 8 characters
  const std::string pdf = Compose(2013, o);
  std::filesystem::current_path(here);
  EXPECT_NE(pdf.find("/Name /ImgTop"), std::string::npos);
  EXPECT_NE(pdf.find("/Name /ImgBottom"), std::string::npos);
}

TEST_F(HeaderFooter, ZodiacLabelsWithAndWithoutPictures) {
  CalendarOptions o = AllOptions();
  std::vector<std::string> pages;
  for (const std::string& s : PageStreams(Compose(2013, o))) pages.push_back(Lines(s));
  ASSERT_EQ(pages.size(), 12u);
  // No pictures in the folder: labels only, in both corners, at 75 %.
  EXPECT_EQ(pages[0].find("/ImgZ"), std::string::npos);
  const size_t corners = pages[0].rfind("75 Tz\n");
  ASSERT_NE(corners, std::string::npos);
  const std::string january = pages[0].substr(corners);
  for (const char* label : {"(Capricorno)", "(22/12)", "(Acquario)", "(20/01)"}) {
    EXPECT_NE(january.find(label), std::string::npos) << label;
  }
  EXPECT_NE(pages[11].find("(Sagittario) Tj"), std::string::npos);
  EXPECT_NE(pages[11].find("(Capricorno) Tj"), std::string::npos);

  CopyPictures();
  const std::string withPictures = Lines(PageStream(Compose(2013, o), 1));
  // Left sign at (0.4, 27.15), right at (19.1, 27.15), 1.5 x 1.3, below the labels.
  EXPECT_NE(withPictures.find("75 Tz\n"
                              "q\\r42.52  0 0 -36.85 11.339 769.606 cm\\r/ImgZ1 Do\\rQ\n"
                              "q\\r42.52  0 0 -36.85 541.417 769.606 cm\\r/ImgZ2 Do\\rQ\n"
                              "BT\n/Fn3 11 Tf\n"),
            std::string::npos);
  EXPECT_TRUE(withPictures.ends_with("(20/01) Tj\nET\n100 Tz\n"));
}

}  // namespace
}  // namespace orvanta::test
