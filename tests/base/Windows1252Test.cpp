#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "base/Utf8.h"
#include "base/Windows1252.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

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

// The code page as Debian's package locales publishes it: byte -> code point.
std::map<int, char32_t> ReadCharmap(const std::string& path) {
  std::map<int, char32_t> charmap;
  const test::TempFolder folder;
  std::istringstream in(test::RunProgram(folder.path(), "gzip", {"-dc", path}).out);
  unsigned int cp = 0;
  unsigned int byte = 0;
  for (std::string line; std::getline(in, line);) {
    if (std::sscanf(line.c_str(), "<U%x> /x%x", &cp, &byte) == 2)
      charmap[static_cast<int>(byte)] = cp;
  }
  return charmap;
}

std::string Utf8(char32_t cp) {
  if (cp < 0x80) return std::string(1, static_cast<char>(cp));
  if (cp < 0x800)
    return {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
  return {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
          static_cast<char>(0x80 | (cp & 0x3F))};
}

// Both directions against the published charmap. The five bytes it leaves
// undefined map to the C1 code points of the same value on purpose, so that
// they travel unchanged from a user's file through UTF-8 to the PDF.
TEST(Windows1252, AgreesWithThePublishedCharmapBothWays) {
  const std::string path = "/usr/share/i18n/charmaps/CP1252.gz";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is missing (package locales)";
  const std::map<int, char32_t> charmap = ReadCharmap(path);
  ASSERT_EQ(charmap.size(), 251u);
  std::map<char32_t, char> byteOf;
  for (int b = 0; b < 256; ++b) {
    const auto found = charmap.find(b);
    if (found == charmap.end()) {
      EXPECT_TRUE(b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) << b;
    }
    const char32_t cp = found == charmap.end() ? static_cast<char32_t>(b) : found->second;
    byteOf[cp] = static_cast<char>(b);
    EXPECT_EQ(Windows1252ToUtf8(std::string(1, static_cast<char>(b))), Utf8(cp)) << "byte " << b;
  }
  int wrong = 0;
  for (char32_t cp = 0; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;  // surrogates are not characters
    const auto found = byteOf.find(cp);
    const std::string expected = found == byteOf.end() ? "?" : std::string(1, found->second);
    const std::string got = Utf8ToWindows1252(Utf8(cp));
    // What the calendar can print: the code page's characters (the stand-ins
    // of the undefined bytes are not), no control characters.
    const bool defined = found != byteOf.end() && !(cp >= 0x80 && cp <= 0x9F);
    EXPECT_EQ(IsPrintableWindows1252(cp), defined && cp >= 0x20 && cp != 0x7F)
        << std::hex << static_cast<unsigned>(cp);
    if (got != expected && ++wrong <= 5) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(cp) << " gives byte 0x"
                    << static_cast<unsigned>(static_cast<unsigned char>(got[0])) << ", not 0x"
                    << static_cast<unsigned>(static_cast<unsigned char>(expected[0]));
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(Windows1252, MissingCharactersAndMalformedUtf8BecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToWindows1252("\xE2\x86\x92"), "?");  // U+2192, no such character
  for (const char32_t cp : {U'\U0001F600', U'\u0141', U'\u0151', U'\u2603', U'\t', U'\x81'})
    EXPECT_FALSE(IsPrintableWindows1252(cp)) << std::hex << static_cast<unsigned>(cp);
  EXPECT_EQ(Utf8ToWindows1252("a\xC0\xAF"
                              "b"),
            "a??b");                                    // overlong "/"
  EXPECT_EQ(Utf8ToWindows1252("\xED\xA0\x80"), "???");  // a surrogate
  EXPECT_EQ(Utf8ToWindows1252("\xE2\x82"), "??");       // cut short
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
}

// The strict bounds of each sequence length, decoding and encoding both ways.
TEST(Utf8, SequenceBoundsCountsAndFourByteCharacters) {
  // clang-format off
  const std::pair<std::string_view, std::size_t> lengths[] = {
      {"a", 1}, {"\xC2\x80", 2}, {"\xC1\xBF", 0}, {"\xE0\xA0\x80", 3}, {"\xE0\x9F\xBF", 0},
      {"\xED\x9F\xBF", 3}, {"\xED\xA0\x80", 0}, {"\xF0\x90\x80\x80", 4}, {"\xF4\x8F\xBF\xBF", 4},
      {"\xF4\x90\x80\x80", 0}, {"\xE2\x82", 0}, {"\x80", 0}};
  // clang-format on
  for (const auto& [bytes, length] : lengths) EXPECT_EQ(Utf8SequenceLength(bytes, 0), length);
  std::string out;
  AppendUtf8(out, U'\U0001F600');
  std::size_t at = 0;
  char32_t cp = 0;
  EXPECT_TRUE(DecodeUtf8(out, at, cp));
  EXPECT_EQ(cp, U'\U0001F600');
  EXPECT_EQ(Utf8CharacterCount("città€"), 6u);
  EXPECT_EQ(Utf8OffsetOfCharacter("città€", 5), 6u);
  EXPECT_EQ(Utf8OffsetOfCharacter("città", 9), 6u);
}

}  // namespace
}  // namespace orvanta
