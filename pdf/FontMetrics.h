#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orvanta {

// Built-in metrics of one TrueType font style (widths in thousandths of the size).
struct FontMetrics {
  std::string BaseFont;               // PostScript name written as /BaseFont and /FontName
  uint8_t FirstChar = 0;              // first character code with a width
  uint8_t LastChar = 0;               // last character code with a width
  std::string Descriptor;             // descriptor entries, key and value pairs on one line
  std::array<int32_t, 256> Widths{};  // advance width per Windows-1252 code
  int32_t MissingWidth = 0;           // width of codes outside FirstChar..LastChar
};

// ",Bold", ",Italic" or ",BoldItalic" after a font name for kFontBold,
// kFontItalic, kFontBoldItalic; "" for kFontRegular and any other value.
const char* StyleSuffix(int32_t style);

// The Arial metrics for a style (kFontRegular, kFontBold, kFontItalic,
// kFontBoldItalic).
// Throws PdfError (InvalidArgument) for any other style.
FontMetrics ArialMetrics(int32_t style);
// The Symbol metrics for a style, as above.
FontMetrics SymbolMetrics(int32_t style);

}  // namespace orvanta
