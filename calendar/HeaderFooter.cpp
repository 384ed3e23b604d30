// The user's own header and footer: a fitted text or a picture.

#include "calendar/CalendarColors.h"
#include "calendar/Drawing.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "calendar/TextFitting.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr float kHeaderSize = 22;
constexpr float kFooterMeasureSize = 20;
constexpr float kFooterSize = 16;

}  // namespace

// Runs right after the month title, under its 140 % scaling.
void DrawCustomHeader(PageState& page) {
  clsPDFCreator& w = page.writer;
  const CalendarOptions& o = page.options;
  if (!o.CustomTopText.empty()) {
    FitText(w, o.CustomTopText, kBoldFont, kHeaderSize, 140, 5, 20);
    w.SetColorFill(o.CustomTopColor);
    w.DrawText(10.5f, 28.1f, o.CustomTopText, kBoldFont, kHeaderSize, kAlignCentre);
    w.SetColorFill(kBlack);
  } else if (page.pictures.top) {
    w.DrawImg("ImgTop", 0, 29.7f, 21, 2.5f);
  }
}

// Runs under the scaling the header left. The text is measured at 20 pt and
// drawn at 16 pt, so it stays well inside the 14 cm it was fitted to.
void DrawCustomFooter(PageState& page) {
  clsPDFCreator& w = page.writer;
  const CalendarOptions& o = page.options;
  if (!o.CustomDownText.empty()) {
    FitText(w, o.CustomDownText, kBoldFont, kFooterMeasureSize, 120, 5, 14);
    w.SetColorFill(o.CustomDownColor);
    w.DrawText(10.5f, 0.4f, o.CustomDownText, kBoldFont, kFooterSize, kAlignCentre);
    w.SetColorFill(kBlack);
  } else if (page.pictures.bottom) {
    w.DrawImg("ImgBottom", 5.5f, 1.4f, 10, 1.2f);
  }
}

}  // namespace orvanta
