#include <gtest/gtest.h>

#include <string>

#include "base/Windows1252.h"

namespace orvanta {
namespace {

TEST(Windows1252, EveryByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Windows1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToWindows1252(utf8), all);
}

TEST(Windows1252, ItalianLettersAndTheCedillaComma) {
  EXPECT_EQ(Utf8ToWindows1252("città ¸ €"), "citt\xE0 \xB8 \x80");
  EXPECT_EQ(Windows1252ToUtf8("Luned\xEC"), "Lunedì");
  EXPECT_EQ(Utf8ToWindows1252("€ — “x” Œ"), "\x80 \x97 \x93x\x94 \x8C");
}

// The bytes the code page leaves undefined travel unchanged from a user's
// file through UTF-8 to the PDF.
TEST(Windows1252, UndefinedBytesTravelUnchanged) {
  for (const char* byte : {"\x81", "\x8D", "\x8F", "\x90", "\x9D"}) {
    const std::string utf8 = Windows1252ToUtf8(byte);
    EXPECT_EQ(utf8.size(), 2u) << "C1 code point for " << +static_cast<unsigned char>(byte[0]);
    EXPECT_EQ(Utf8ToWindows1252(utf8), byte);
  }
}

TEST(Windows1252, MissingCharactersAndMalformedUtf8BecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToWindows1252("\xE2\x86\x92"), "?");  // U+2192, no such character
  EXPECT_EQ(Utf8ToWindows1252("a\xC0\xAF"
                              "b"),
            "a??b");                                    // overlong "/"
  EXPECT_EQ(Utf8ToWindows1252("\xED\xA0\x80"), "???");  // a surrogate
  EXPECT_EQ(Utf8ToWindows1252("\xE2\x82"), "??");       // cut short
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
}

}  // namespace
}  // namespace orvanta
