#include <array>
#include <string>

#include "pdf/FontMetrics.h"
#include "pdf/PdfConstants.h"
#include "pdf/PdfError.h"

// Built-in metrics of the two font families the writer knows: advance widths
// per Windows-1252 code in thousandths of the font size, and the descriptor
// entries of each style.
namespace orvanta {
namespace {

// Arial regular and italic, codes 32 to 255.
constexpr std::array<int16_t, 224> kArialRegular = {
    278,  278, 355, 556, 556,  889, 667, 191, 333, 333, 389, 584,  278, 333,  278,  278,  556, 556,
    556,  556, 556, 556, 556,  556, 556, 556, 278, 278, 584, 584,  584, 556,  1015, 667,  667, 722,
    722,  667, 611, 778, 722,  278, 500, 667, 556, 833, 722, 778,  667, 778,  722,  667,  611, 722,
    667,  944, 667, 667, 611,  278, 278, 278, 469, 556, 333, 556,  556, 500,  556,  556,  278, 556,
    556,  222, 222, 500, 222,  833, 556, 556, 556, 556, 333, 500,  278, 556,  500,  722,  500, 500,
    500,  334, 260, 334, 584,  750, 556, 750, 222, 556, 333, 1000, 556, 556,  333,  1000, 667, 333,
    1000, 750, 611, 750, 750,  222, 222, 333, 333, 350, 556, 1000, 333, 1000, 500,  333,  944, 750,
    500,  667, 278, 333, 556,  556, 556, 556, 260, 556, 333, 737,  370, 556,  584,  333,  737, 552,
    400,  549, 333, 333, 333,  576, 537, 278, 333, 333, 365, 556,  834, 834,  834,  611,  667, 667,
    667,  667, 667, 667, 1000, 722, 667, 667, 667, 667, 278, 278,  278, 278,  722,  722,  778, 778,
    778,  778, 778, 584, 778,  722, 722, 722, 722, 667, 667, 611,  556, 556,  556,  556,  556, 556,
    889,  500, 556, 556, 556,  556, 278, 278, 278, 278, 556, 556,  556, 556,  556,  556,  556, 549,
    611,  556, 556, 556, 556,  500, 556, 500,
};

// Arial bold and bold italic, codes 32 to 255.
constexpr std::array<int16_t, 224> kArialBold = {
    278,  333, 474, 556, 556,  889, 722, 238, 333, 333, 389, 584,  278, 333,  278, 278,  556, 556,
    556,  556, 556, 556, 556,  556, 556, 556, 333, 333, 584, 584,  584, 611,  975, 722,  722, 722,
    722,  667, 611, 778, 722,  278, 556, 722, 611, 833, 722, 778,  667, 778,  722, 667,  611, 722,
    667,  944, 667, 667, 611,  333, 278, 333, 584, 556, 333, 556,  611, 556,  611, 556,  333, 611,
    611,  278, 278, 556, 278,  889, 611, 611, 611, 611, 389, 556,  333, 611,  556, 778,  556, 556,
    500,  389, 280, 389, 584,  750, 556, 750, 278, 556, 500, 1000, 556, 556,  333, 1000, 667, 333,
    1000, 750, 611, 750, 750,  278, 278, 500, 500, 350, 556, 1000, 333, 1000, 556, 333,  944, 750,
    500,  667, 278, 333, 556,  556, 556, 556, 280, 556, 333, 737,  370, 556,  584, 333,  737, 552,
    400,  549, 333, 333, 333,  576, 556, 278, 333, 333, 365, 556,  834, 834,  834, 611,  722, 722,
    722,  722, 722, 722, 1000, 722, 667, 667, 667, 667, 278, 278,  278, 278,  722, 722,  778, 778,
    778,  778, 778, 584, 778,  722, 722, 722, 722, 667, 667, 611,  556, 556,  556, 556,  556, 556,
    889,  556, 556, 556, 556,  556, 278, 278, 278, 278, 611, 611,  611, 611,  611, 611,  611, 549,
    611,  611, 611, 611, 611,  556, 611, 556,
};

// Symbol, all styles, codes 30 to 255.
constexpr std::array<int16_t, 226> kSymbol = {
    600, 600, 250, 333, 713, 500, 549, 833, 778, 439,  333, 333, 500, 549, 250,  549,  250,  278,
    500, 500, 500, 500, 500, 500, 500, 500, 500, 500,  278, 278, 549, 549, 549,  444,  549,  722,
    667, 722, 612, 611, 763, 603, 722, 333, 631, 722,  686, 889, 722, 722, 768,  741,  556,  592,
    611, 690, 439, 768, 645, 795, 611, 333, 863, 333,  658, 500, 500, 631, 549,  549,  494,  439,
    521, 411, 603, 329, 603, 549, 549, 576, 521, 549,  549, 521, 549, 603, 439,  576,  713,  686,
    493, 686, 494, 480, 200, 480, 549, 600, 600, 600,  600, 600, 600, 600, 600,  600,  600,  600,
    600, 600, 600, 600, 600, 600, 600, 600, 600, 600,  600, 600, 600, 600, 600,  600,  600,  600,
    600, 600, 600, 600, 600, 620, 247, 549, 167, 713,  500, 753, 753, 753, 753,  1042, 987,  603,
    987, 603, 400, 549, 411, 549, 549, 713, 494, 460,  549, 549, 549, 549, 1000, 603,  1000, 658,
    823, 686, 795, 987, 768, 768, 823, 768, 768, 713,  713, 713, 713, 713, 713,  713,  768,  713,
    790, 790, 890, 823, 549, 250, 713, 603, 603, 1042, 987, 603, 987, 603, 494,  329,  790,  790,
    786, 713, 384, 384, 384, 384, 384, 384, 494, 494,  494, 494, 600, 329, 274,  686,  686,  686,
    384, 384, 384, 384, 384, 384, 494, 494, 494, 600,
};

constexpr std::array<const char*, 4> kStyleSuffix = {"", ",Bold", ",Italic", ",BoldItalic"};

// What a style changes beyond the widths: the descriptor entries (key and
// value pairs on one line) and the width of codes without one.
struct StyleEntries {
  const char* descriptor;
  int32_t missingWidth;
};

// Arial regular, bold, italic, bold italic.
constexpr std::array<StyleEntries, 4> kArialStyles = {{
    {"/Flags 32 /FontBBox [-250 -221 1190 1000] "
     "/MissingWidth 272 /StemV 80 "
     "/StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 "
     "/Ascent 905 /Descent -212 /Leading 150 "
     "/MaxWidth 992 /AvgWidth 441",
     272},
    {"/Flags 16416 /FontBBox [-250 -212 1120 1000] "
     "/MissingWidth 311 /StemV 153 "
     "/StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 "
     "/Ascent 905 /Descent -212 /Leading 150 "
     "/MaxWidth 933 /AvgWidth 479",
     311},
    {"/Flags 96 /FontBBox [-250 -212 1134 1000] "
     "/MissingWidth 259 /StemV 80 "
     "/StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 "
     "/Ascent 905 /Descent -212 /Leading 150 "
     "/MaxWidth 945 /AvgWidth 441",
     259},
    {"/Flags 16480 /FontBBox [-250 -212 1120 1000] "
     "/MissingWidth 311 /StemV 153 "
     "/StemH 153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 "
     "/Ascent 905 /Descent -212 /Leading 150 "
     "/MaxWidth 933 /AvgWidth 479",
     311},
}};

// Symbol regular, bold, italic, bold italic.
constexpr std::array<StyleEntries, 4> kSymbolStyles = {{
    {"/Flags 6 /FontBBox [-250 -220 1246 1005] "
     "/MissingWidth 332 /StemV 109 "
     "/StemH 109 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 "
     "/Ascent 1005 /Descent -220 /Leading 225 "
     "/MaxWidth 1038 /AvgWidth 601",
     332},
    {"/Flags 16390 /FontBBox [-250 -220 1246 1005] "
     "/MissingWidth 332 /StemV 191 "
     "/StemH 191 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 "
     "/Ascent 1005 /Descent -220 /Leading 225 "
     "/MaxWidth 1038 /AvgWidth 600",
     332},
    {"/Flags 70 /FontBBox [-250 -220 1246 1005] "
     "/MissingWidth 332 /StemV 109 "
     "/StemH 109 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 "
     "/Ascent 1005 /Descent -220 /Leading 225 "
     "/MaxWidth 1038 /AvgWidth 600",
     332},
    {"/Flags 16454 /FontBBox [-250 -220 1246 1005] "
     "/MissingWidth 332 /StemV 191 "
     "/StemH 191 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 "
     "/Ascent 1005 /Descent -220 /Leading 225 "
     "/MaxWidth 1038 /AvgWidth 600",
     332},
}};

// The style as an index into the tables above; throws for an unknown one.
size_t StyleIndex(int32_t style) {
  if (style < kFontRegular || style > kFontBoldItalic) {
    throw PdfError(PdfErrorCode::InvalidArgument,
                   "font style " + std::to_string(style) + " unknown (0 to 3)");
  }
  return static_cast<size_t>(style);
}

template <size_t N>
FontMetrics Make(const std::string& family, size_t style, uint8_t first,
                 const std::array<int16_t, N>& widths, const StyleEntries& entries) {
  FontMetrics metrics;
  metrics.BaseFont = family + kStyleSuffix[style];
  metrics.FirstChar = first;
  metrics.LastChar = static_cast<uint8_t>(first + N - 1);
  metrics.Descriptor = entries.descriptor;
  for (size_t i = 0; i < N; ++i) metrics.Widths[first + i] = widths[i];
  metrics.MissingWidth = entries.missingWidth;
  return metrics;
}

}  // namespace

const char* StyleSuffix(int32_t style) {
  const bool known = style >= kFontRegular && style <= kFontBoldItalic;
  return known ? kStyleSuffix[static_cast<size_t>(style)] : "";
}

FontMetrics ArialMetrics(int32_t style) {
  const size_t index = StyleIndex(style);
  const bool bold = style == kFontBold || style == kFontBoldItalic;
  return Make("Arial", index, 32, bold ? kArialBold : kArialRegular, kArialStyles[index]);
}

FontMetrics SymbolMetrics(int32_t style) {
  const size_t index = StyleIndex(style);
  return Make("Symbol", index, 30, kSymbol, kSymbolStyles[index]);
}

}  // namespace orvanta
