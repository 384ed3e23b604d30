#pragma once
// Small drawing helpers shared by the page passes.

#include "pdf/clsPDFCreator.h"

namespace orvanta {

// The calendar's fonts, as ComposeCalendar loads them.
inline constexpr const char* kRegularFont = "Fn1";  // Arial
inline constexpr const char* kBoldFont = "Fn3";     // Arial bold
inline constexpr const char* kItalicFont = "Fn4";   // Arial italic

// The hairline every pass returns to after a thicker stroke (centimetres).
inline constexpr float kThinLine = 0.005f;

// Coordinates are worked out in double and handed to the writer as float.
constexpr float F(double value) {
  return static_cast<float>(value);
}

// One stroked segment from (x1, y1) to (x2, y2).
inline void StrokeLine(clsPDFCreator& w, double x1, double y1, double x2, double y2) {
  w.MoveTo(F(x1), F(y1));
  w.LineTo(F(x2), F(y2), kPaintStroke);
}

}  // namespace orvanta
