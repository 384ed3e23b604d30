// Vector graphics: colours, line style, paths and their painting.
#include <bit>
#include <cmath>
#include <string>
#include <utility>

#include "pdf/NumberFormat.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {

void clsPDFCreator::PaintPath(int32_t Options) {
  switch (Options & kPaintCloseFillStroke) {
    case kPaintCloseFillStroke:
      WriteLine("b");
      break;
    case kPaintFillStroke:
      WriteLine("B");
      break;
    case kPaintFill:
    case kPaintCloseFill:
      WriteLine("f");
      break;
    case kPaintCloseStroke:
      WriteLine("h");
      WriteLine("S");
      break;
    case kPaintClose:
      WriteLine("h");
      break;
    case kPaintStroke:
      WriteLine("S");
      break;
    default:
      break;  // the path stays open for further segments
  }
}

// ---- colours and line style ----

void clsPDFCreator::WriteColor(int32_t rgb, const char* grey_op, const char* rgb_op) {
  RequireStream();
  if (rgb < -255) {
    throw PdfError(PdfErrorCode::Overflow,
                   "colour value " + std::to_string(rgb) + " is neither a grey nor an RGB colour");
  }
  if (rgb <= 0) {
    WriteOperator(-rgb / 255.0, grey_op);
    return;
  }
  line_.clear();
  Num((rgb & 0xFF) / 255.0);
  line_ += ' ';
  Num(((rgb >> 8) & 0xFF) / 255.0);
  line_ += ' ';
  Num(((rgb >> 16) & 0xFF) / 255.0);
  line_ += rgb_op;
  WriteLine(line_);
}

void clsPDFCreator::SetColorStroke(int32_t rgb) {
  WriteColor(rgb, " G", " RG");
}
void clsPDFCreator::SetColorFill(int32_t rgb) {
  WriteColor(rgb, " g", " rg");
}

void clsPDFCreator::SetDash(float dash_on, float dash_off) {
  RequireStream();
  const float on = ToPoints(dash_on);
  const float off = ToPoints(dash_off);
  if (on == 0.0f && off == 0.0f) {
    WriteLine("[ ] 0 d");
    return;
  }
  line_.assign(1, '[');
  Num(on);
  line_ += ' ';
  Num(off);
  line_ += "] 0 d";
  WriteLine(line_);
}

void clsPDFCreator::SetLineWidth(float W) {
  RequireStream();
  WriteOperator(ToPoints(W), " w");
}

void clsPDFCreator::SetLineCap(int16_t W) {
  RequireStream();
  if (W < 0 || W > 2) return;
  WriteIntOperator(W, " J");
}

void clsPDFCreator::SetLineJoin(int16_t W) {
  RequireStream();
  if (W < 0 || W > 2) return;
  WriteIntOperator(W, " j");
}

void clsPDFCreator::SetMiterLimit(float W) {
  RequireStream();
  if (!(W >= 1.0f)) return;
  WriteOperator(W, " M");
}

// ---- path construction ----

void clsPDFCreator::WriteLengths(std::initializer_list<float> lengths, const char* op) {
  line_.clear();
  for (const float v : lengths) {
    if (!line_.empty()) line_ += ' ';
    Num(ToPoints(v));
  }
  line_ += op;
  WriteLine(line_);
}

void clsPDFCreator::MoveTo(float X, float Y) {
  RequireStream();
  WriteLengths({X, Y}, " m");
}

void clsPDFCreator::LineTo(float X, float Y, int32_t Options) {
  RequireStream();
  WriteLengths({X, Y}, " l");
  PaintPath(Options);
}

void clsPDFCreator::Curve(float x1, float y1, float X2, float Y2, float X3, float Y3,
                          int32_t Options) {
  RequireStream();
  WriteLengths({x1, y1, X2, Y2, X3, Y3}, " c");
  PaintPath(Options);
}

float clsPDFCreator::RectangleReturningRadius(float X, float Y, float xdim, float ydim,
                                              int32_t Options, float Ray) {
  RequireStream();
  WriteLine("n");
  if (Ray <= 0.0f) {
    WriteLengths({X, Y, xdim, ydim}, " re");
    PaintPath(Options);
    return Ray;
  }
  if (Ray > xdim / 2.0f) Ray = xdim / 2.0f;
  if (Ray > ydim / 2.0f) Ray = ydim / 2.0f;
  const float r = Ray;
  const float k = Ray * 0.55f;
  const float w = xdim;
  const float h = ydim;
  // Counter-clockwise from the bottom edge; each corner a quarter curve.
  MoveTo(X + r, Y);
  LineTo(X + w - r, Y, kPaintNone);
  Curve(X + w - r + k, Y, X + w, Y + r - k, X + w, Y + r, kPaintNone);
  LineTo(X + w, Y + h - r, kPaintNone);
  Curve(X + w, Y + h - r + k, X + w - r + k, Y + h, X + w - r, Y + h, kPaintNone);
  LineTo(X + r, Y + h, kPaintNone);
  Curve(X + r - k, Y + h, X, Y + h - r + k, X, Y + h - r, kPaintNone);
  LineTo(X, Y + r, kPaintNone);
  Curve(X, Y + r - k, X + r - k, Y, X + r, Y, kPaintNone);
  PaintPath(Options);
  return Ray;
}

void clsPDFCreator::Rectangle(float X, float Y, float xdim, float ydim, int32_t Options,
                              float& Ray) {
  Ray = RectangleReturningRadius(X, Y, xdim, ydim, Options, Ray);
}

void clsPDFCreator::Rectangle(float X, float Y, float xdim, float ydim, int32_t Options,
                              const float& Ray) {
  RectangleReturningRadius(X, Y, xdim, ydim, Options, Ray);
}

void clsPDFCreator::DrawCircle(float X, float Y, float Ray, int32_t Options) {
  RequireStream();
  const float r = Ray;
  const float k = r * 0.55f;
  MoveTo(X, Y - r);
  Curve(X + k, Y - r, X + r, Y - k, X + r, Y, kPaintNone);
  Curve(X + r, Y + k, X + k, Y + r, X, Y + r, kPaintNone);
  Curve(X - k, Y + r, X - r, Y + k, X - r, Y, kPaintNone);
  Curve(X - r, Y - k, X - k, Y - r, X, Y - r, kPaintNone);
  PaintPath(Options);
}

bool clsPDFCreator::ArcReturningPie(float X, float Y, float Ray, float StartAngle, float EndAngle,
                                    float Ratio, bool Pie, float Rotate, int16_t Quality,
                                    int32_t Options) {
  RequireStream();
  if (Quality == 0) {
    throw PdfError(PdfErrorCode::InvalidArgument, "arc step (Quality) of 0 degrees");
  }
  if ((Options & kPaintFill) != 0) Pie = true;
  ArcCache::Key key;
  key.values = {std::bit_cast<uint32_t>(X),        std::bit_cast<uint32_t>(Y),
                std::bit_cast<uint32_t>(Ray),      std::bit_cast<uint32_t>(StartAngle),
                std::bit_cast<uint32_t>(EndAngle), std::bit_cast<uint32_t>(Ratio),
                std::bit_cast<uint32_t>(Rotate)};
  key.options = Options;
  key.scaleMode = scaleMode_;
  key.quality = Quality;
  key.pie = Pie;
  if (const std::string* drawn = arcs_.Find(key)) {
    WriteRaw(*drawn);
    return Pie;
  }
  // Drawn on its own, kept, then added to the page.
  std::string page = std::exchange(out_, std::string());
  try {
    DrawArcPath(X, Y, Ray, StartAngle, EndAngle, Ratio, Pie, Rotate, Quality, Options);
  } catch (...) {
    out_ = std::move(page.append(out_));
    throw;
  }
  const std::string drawn = std::exchange(out_, std::move(page));
  arcs_.Keep(key, drawn);
  WriteRaw(drawn);
  return Pie;
}

void clsPDFCreator::DrawArcPath(float X, float Y, float Ray, float StartAngle, float EndAngle,
                                float Ratio, bool Pie, float Rotate, int16_t Quality,
                                int32_t Options) {
  WriteLine("n");
  MoveTo(X, Y);
  const double d = 3.141592 / 180.0;
  const auto sR = static_cast<float>(std::sin(-d * Rotate));
  const auto cR = static_cast<float>(std::cos(-d * Rotate));
  const float step = Quality;
  for (float a = StartAngle; Quality > 0 ? a <= EndAngle : a >= EndAngle;) {
    const auto px = static_cast<float>(Ray * std::cos(d * a));
    const auto py = static_cast<float>(Ratio * Ray * std::sin(d * a));
    const float vx = cR * px + sR * py;
    const float vy = -px * sR + cR * py;
    if (!Pie && a == StartAngle) MoveTo(X + vx, Y + vy);
    LineTo(X + vx, Y + vy, kPaintNone);
    const float next = a + step;
    if (next == a) break;  // angles so large that the step is lost
    a = next;
  }
  if (Pie) LineTo(X, Y, kPaintNone);
  PaintPath(Options);
}

void clsPDFCreator::Arc(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio,
                        bool& Pie, float Rotate, int16_t Quality, int32_t Options) {
  Pie = ArcReturningPie(X, Y, Ray, StartAngle, EndAngle, Ratio, Pie, Rotate, Quality, Options);
}

void clsPDFCreator::Arc(float X, float Y, float Ray, float StartAngle, float EndAngle, float Ratio,
                        const bool& Pie, float Rotate, int16_t Quality, int32_t Options) {
  ArcReturningPie(X, Y, Ray, StartAngle, EndAngle, Ratio, Pie, Rotate, Quality, Options);
}

}  // namespace orvanta
