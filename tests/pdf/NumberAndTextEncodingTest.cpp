// Number formatting, Windows-1252 text, string escaping and ASCII85.
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "PdfTestSupport.h"
#include "pdf/Ascii85.h"
#include "pdf/NumberFormat.h"
#include "pdf/TextEncoding.h"

namespace orvanta::test {
namespace {

TEST(FormatReal, PlainShortestForm) {
  EXPECT_EQ(FormatReal(100, 3), "100");
  EXPECT_EQ(FormatReal(841.89f, 3), "841.89");
  EXPECT_EQ(FormatReal(0.5, 3), "0.5");
  EXPECT_EQ(FormatReal(-28.346456692913385, 3), "-28.346");
  EXPECT_EQ(FormatReal(0, 3), "0");
  EXPECT_EQ(FormatReal(-0.0, 3), "0");
  EXPECT_EQ(FormatReal(-0.0004, 3), "0");
  EXPECT_EQ(FormatReal(595.2f, 3), "595.2");
  EXPECT_EQ(FormatReal(1e7, 3), "10000000");
  EXPECT_EQ(FormatReal(0.9996, 3), "1");
}

TEST(FormatReal, TiesGoToEven) {
  // Exactly representable halves of the third decimal.
  EXPECT_EQ(FormatReal(0.0625, 3), "0.062");
  EXPECT_EQ(FormatReal(0.1875, 3), "0.188");
  EXPECT_EQ(FormatReal(2.4375, 3), "2.438");
  EXPECT_EQ(FormatReal(-1.0625, 3), "-1.062");
  EXPECT_EQ(FormatReal(2.5, 0), "2");
  EXPECT_EQ(FormatReal(3.5, 0), "4");
}

// The fast thousandths path must agree digit for digit with the general
// rounding of std::to_chars: page coordinates (floats), their near-ties, and
// values around the switch between the two paths.
TEST(FormatReal, ThreeDecimalsAgreeWithTheGeneralRounding) {
  auto reference = [](double value) {
    char buffer[400];
    auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3).ptr;
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
    std::string text(buffer, end);
    return text == "-0" ? std::string("0") : text;
  };
  std::vector<double> values = {1e15 - 0.125, 1e15,  -1e15 + 0.5, 999999999999.9995,
                                1e-300,       -5e-4, 5e-4,        0.0005000000000000001};
  uint64_t state = 12345;
  for (int i = 0; i < 200000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const auto bits = static_cast<uint32_t>(state >> 32);
    const float coordinate = static_cast<float>(bits % 3000000) / 1000.0f - 1000.0f;
    values.push_back(coordinate);
    values.push_back(std::nextafter(static_cast<double>(coordinate), 0.0));
    values.push_back((bits % 200001) / 1000.0 - 100.0 + 0.0005);  // near-ties
    values.push_back(static_cast<double>(coordinate) * 72 / 2.54);
    // Any double below the switch, subnormals included.
    const double any = std::bit_cast<double>(state % 0x4300000000000000ULL);
    values.push_back(bits % 2 == 0 ? any : -any);
  }
  for (double value : values) ASSERT_EQ(FormatReal(value, 3), reference(value)) << value;
}

TEST(FormatReal, InfiniteValuesAreAnError) {
  try {
    FormatReal(std::numeric_limits<double>::infinity(), 3);
    FAIL();
  } catch (const PdfError& error) {
    EXPECT_EQ(error.code(), PdfErrorCode::Overflow);
  }
  EXPECT_THROW(FormatReal(std::nan(""), 3), PdfError);
}

// Runs the whole suite in the locale of the environment, so that
// LC_ALL=it_IT.UTF-8 checks every written number under a decimal comma.
class LocaleOfEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { std::setlocale(LC_ALL, ""); }
};
const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new LocaleOfEnvironment);

TEST(FormatReal, CommaLocaleStillWritesAPoint) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "it_IT.UTF-8") == nullptr) GTEST_SKIP() << "no Italian locale";
  EXPECT_EQ(FormatReal(28.346456692913385, 3), "28.346");
  EXPECT_EQ(FormatReal(1234567.5, 3), "1234567.5");
  TempFolder dir;
  const std::string file = OnePage(dir / "comma.pdf", 3, Nothing, [](clsPDFCreator& pdf) {
    pdf.MoveTo(1, 2);
    pdf.SetColorFill(128);
  });
  EXPECT_EQ(PageStream(file), "28.346 56.693 m\r\n0.502 0 0 rg\r\n");
  EXPECT_NE(file.find("/MediaBox [0 0 595.2 842]"), std::string::npos);
  std::setlocale(LC_ALL, previous.c_str());
}

TEST(TextEncoding, UpperCaseOfWindows1252Letters) {
  EXPECT_EQ(UpperWindows1252("times\xE8\x9C\xFF"), "TIMES\xC8\x8C\x9F");
}

TEST(TextEncoding, EscapeOnlyBackslashAndParentheses) {
  EXPECT_EQ(EscapeText("a\\(b)"), "a\\\\\\(b\\)");
  EXPECT_EQ(EscapeText("line\r\nnext"), "line\r\nnext");
  EXPECT_EQ(EscapeText(""), "");
}

std::string A85(const std::vector<uint8_t>& bytes) {
  return ToASCII85(bytes.data(), bytes.size());
}

TEST(Ascii85, GroupsAndEnd) {
  EXPECT_EQ(A85({0, 0, 0, 0}), "z~>");
  EXPECT_EQ(A85({0}), "!!~>");
  EXPECT_EQ(A85({}), "~>");
  EXPECT_EQ(A85({0, 0, 0, 0, 0}), "z!!~>");
  EXPECT_EQ(A85({255, 255, 255, 255}), "s8W-!~>");
  // "Man " and "sure" from the usual example of the encoding.
  EXPECT_EQ(A85({'M', 'a', 'n', ' ', 's', 'u', 'r', 'e'}), "9jqo^F*2M7~>");
  EXPECT_EQ(A85({'s', 'u', 'r'}), "F*2L~>");
}

}  // namespace
}  // namespace orvanta::test
