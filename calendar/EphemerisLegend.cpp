// Sunrise and sunset of the month and the key to the moon glyphs, bottom right.

#include <array>
#include <string>

#include "almanac/SunTimes.h"
#include "calendar/CalendarColors.h"
#include "calendar/Drawing.h"
#include "calendar/MoonGlyph.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr float kTableSize = 8;
constexpr float kKeySize = 7;
constexpr float kSunRadius = 0.2f;
constexpr float kKeyRadius = 0.1f;

// A sun on the horizon: rays, horizon and an upper half disc in `fill`.
void DrawSunSymbol(clsPDFCreator& w, double cx, double cy, int32_t fill) {
  w.SetColorFill(fill);
  StrokeLine(w, cx, cy, cx, cy + 0.35);
  StrokeLine(w, cx - 0.4, cy, cx + 0.4, cy);
  StrokeLine(w, cx, cy, cx - 0.35, cy + 0.15);
  StrokeLine(w, cx, cy, cx - 0.2, cy + 0.3);
  StrokeLine(w, cx, cy, cx + 0.35, cy + 0.15);
  StrokeLine(w, cx, cy, cx + 0.2, cy + 0.3);
  w.Arc(F(cx), F(cy), kSunRadius, 0, 180, kCircularArc, kPie, kNoRotation, kOneDegreeSteps,
        kPaintFill);
  w.Arc(F(cx), F(cy), kSunRadius, 0, 180, kCircularArc, kPie, kNoRotation, kOneDegreeSteps,
        kPaintStroke);
  w.SetColorFill(kBlack);
}

void DrawSunTable(clsPDFCreator& w, int month) {
  const std::array<std::string, 4> times = SunTimesForMonth(month);
  w.DrawText(F(18.36), F(2.0), "GG", kRegularFont, kTableSize, kAlignRight);
  w.DrawText(F(20.35), F(1.65), "01     " + times[0], kRegularFont, kTableSize, kAlignRight);
  w.DrawText(F(20.35), F(1.35), "10     " + times[1], kRegularFont, kTableSize, kAlignRight);
  w.DrawText(F(20.35), F(1.05), "20     " + times[2], kRegularFont, kTableSize, kAlignRight);
  w.SetTextHorizontalScaling(200);
  w.DrawText(F(19.15), F(0.71), times[3], kRegularFont, kKeySize, kAlignCentre);
}

void DrawMoonKey(clsPDFCreator& w) {
  struct KeyRow {
    MoonPhaseCode code;
    double glyphY;
    double textY;
    const char* text;
  };
  static constexpr std::array<KeyRow, 4> kRows = {{
      {kFullMoon, 2.1, 2.0, "luna piena"},
      {kLastQuarter, 1.66, 1.59, "ultimo quarto"},
      {kNewMoon, 1.22, 1.15, "luna nuova"},
      {kFirstQuarter, 0.78, 0.71, "primo quarto"},
  }};
  w.SetTextHorizontalScaling(70);
  for (const KeyRow& row : kRows) {
    DrawMoonGlyph(w, row.code, F(16.3), F(row.glyphY), kKeyRadius);
    w.DrawText(F(16.5), F(row.textY), row.text, kRegularFont, kKeySize, kAlignLeft);
  }
  // The scaling stays at 70 % for the footnotes' heading.
}

}  // namespace

void DrawEphemerisLegend(PageState& page) {
  clsPDFCreator& w = page.writer;
  DrawSunSymbol(w, 19.0, 2.0, kWhite);
  DrawSunSymbol(w, 20.0, 2.0, page.options.PrintColor ? kSunOrange : kBandGrey);
  DrawSunTable(w, page.month);
  DrawMoonKey(w);
}

}  // namespace orvanta
