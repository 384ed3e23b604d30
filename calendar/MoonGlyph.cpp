#include "calendar/MoonGlyph.h"

#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

// A filled half disc from `start` to `end` degrees, one segment per degree.
void HalfDisc(clsPDFCreator& w, float cx, float cy, float radius, float start, float end) {
  bool pie = true;
  w.Arc(cx, cy, radius, start, end, 1.0f, pie, 0, 1, 4);
}

}  // namespace

void DrawMoonGlyph(clsPDFCreator& w, MoonPhaseCode code, float cx, float cy, float radius) {
  switch (code) {
    case kFullMoon:
      w.DrawCircle(cx, cy, radius, 1);
      break;
    case kLastQuarter:
      HalfDisc(w, cx, cy, radius, -90, 90);
      w.DrawCircle(cx, cy, radius, 1);
      break;
    case kNewMoon:
      w.DrawCircle(cx, cy, radius, 4);
      break;
    case kFirstQuarter:
      HalfDisc(w, cx, cy, radius, 90, 270);
      w.DrawCircle(cx, cy, radius, 1);
      break;
    default:
      break;
  }
}

}  // namespace orvanta
