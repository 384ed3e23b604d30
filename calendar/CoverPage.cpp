// The cover: a page before January with the user's photo above a white band
// that carries the year.

#include <string>

#include "calendar/CalendarColors.h"
#include "calendar/Drawing.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr float kPageHeight = 29.7f;
constexpr float kYearSize = 72;        // points
constexpr float kYearBaseline = 1.9f;  // centred in the white band below the photo

}  // namespace

void DrawCoverPage(PageState& page) {
  clsPDFCreator& w = page.writer;
  w.BeginPage();
  w.DrawImg("ImgCover", 0, kPageHeight, kCoverBox.width, kCoverBox.height);
  w.SetColorFill(page.options.TextColor);
  w.DrawText(F(kPageCentreX), kYearBaseline, std::to_string(page.year), kBoldFont, kYearSize,
             kAlignCentre);
  w.SetColorFill(kBlack);
  w.EndPage();
}

}  // namespace orvanta
