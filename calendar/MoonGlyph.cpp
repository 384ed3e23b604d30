#include "calendar/MoonGlyph.h"

#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

// A filled half disc from `start` to `end` degrees, one segment per degree.
void HalfDisc(clsPDFCreator& w, float cx, float cy, float radius, float start, float end) {
  w.Arc(cx, cy, radius, start, end, kCircularArc, kPie, kNoRotation, kOneDegreeSteps, kPaintFill);
}

}  // namespace

void DrawMoonGlyph(clsPDFCreator& w, MoonPhaseCode code, float cx, float cy, float radius) {
  switch (code) {
    case kFullMoon:
      w.DrawCircle(cx, cy, radius, kPaintStroke);
      break;
    case kLastQuarter:
      HalfDisc(w, cx, cy, radius, -90, 90);
      w.DrawCircle(cx, cy, radius, kPaintStroke);
      break;
    case kNewMoon:
      w.DrawCircle(cx, cy, radius, kPaintFill);
      break;
    case kFirstQuarter:
      HalfDisc(w, cx, cy, radius, 90, 270);
      w.DrawCircle(cx, cy, radius, kPaintStroke);
      break;
    default:
      break;
  }
}

}  // namespace orvanta
