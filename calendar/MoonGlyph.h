#pragma once
// The four moon-phase glyphs, shared by the day rows and the legend's key.

#include "almanac/MoonPhases.h"

namespace orvanta {

class clsPDFCreator;

// Full moon: outline; new moon: disc; last quarter: right half filled; first
// quarter: left half filled (in the fill colour in force). Other codes draw
// nothing.
void DrawMoonGlyph(clsPDFCreator& writer, MoonPhaseCode code, float cx, float cy, float radius);

}  // namespace orvanta
