#pragma once
// Names for the numbers the writer's operations take, so that a call reads as
// a sentence: w.DrawCircle(x, y, r, kPaintFill) rather than w.DrawCircle(x, y, r, 4).
// They are plain integers, so the operations keep their int parameters.

#include <cstdint>

namespace orvanta {

// How a path is painted (Options of LineTo, Curve, Rectangle, DrawCircle, Arc).
// The flags combine with |; a fill paints a closed path.
inline constexpr int32_t kPaintNone = 0;  // the path stays open for more segments
inline constexpr int32_t kPaintStroke = 1;
inline constexpr int32_t kPaintClose = 2;
inline constexpr int32_t kPaintFill = 4;
inline constexpr int32_t kPaintCloseStroke = kPaintClose | kPaintStroke;
inline constexpr int32_t kPaintFillStroke = kPaintFill | kPaintStroke;
inline constexpr int32_t kPaintCloseFill = kPaintClose | kPaintFill;  // paints as kPaintFill
inline constexpr int32_t kPaintCloseFillStroke = kPaintClose | kPaintFill | kPaintStroke;

// Where DrawText's X lies on the text.
inline constexpr int32_t kAlignLeft = 0;
inline constexpr int32_t kAlignRight = 1;
inline constexpr int32_t kAlignCentre = 2;

// The unit of lengths and coordinates (ScaleMode).
inline constexpr int32_t kUnitPoint = 0;
inline constexpr int32_t kUnitInch = 1;
inline constexpr int32_t kUnitMillimetre = 2;
inline constexpr int32_t kUnitCentimetre = 3;

// Paper sizes (PaperSize); kPaperCustom is what PaperWidth or PaperHeight leave.
inline constexpr int32_t kPaperA4 = 0;
inline constexpr int32_t kPaperA3 = 1;
inline constexpr int32_t kPaperLetter = 2;
inline constexpr int32_t kPaper612x864 = 3;
inline constexpr int32_t kPaperCustom = 255;

// Orientation.
inline constexpr int32_t kPortrait = 0;
inline constexpr int32_t kLandscape = 1;

// Font styles (Options of LoadFont and LoadFontStandard).
inline constexpr int32_t kFontRegular = 0;
inline constexpr int32_t kFontBold = 1;
inline constexpr int32_t kFontItalic = 2;
inline constexpr int32_t kFontBoldItalic = 3;

// The pages a form object appears on by itself (Options of StartObject; 0:
// only where DrawObject places it). The flags combine with |.
inline constexpr int32_t kFormOnEvenPages = 2;
inline constexpr int32_t kFormOnOddPages = 4;
inline constexpr int32_t kFormNotOnFirstPage = 8;
inline constexpr int32_t kFormOnEveryPage = 7;

// Colour space of a loaded picture (ColorSpace of the image loads).
inline constexpr int32_t kColorSpaceRgb = 0;
inline constexpr int32_t kColorSpaceGrey = 1;

// Arc: closed to the centre or not, a circle's ratio, no rotation, one
// segment per degree.
inline constexpr bool kPie = true;
inline constexpr bool kNoPie = false;
inline constexpr float kCircularArc = 1.0f;
inline constexpr float kNoRotation = 0.0f;
inline constexpr int16_t kOneDegreeSteps = 1;

}  // namespace orvanta
