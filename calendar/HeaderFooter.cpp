// The user's own header and footer: a fitted text or a picture.

#include "calendar/CalendarColors.h"
#include "calendar/Drawing.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "calendar/TextFitting.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

// A band's text is squeezed in steps of 5 % from `startScaling` until, measured
// at `measureSize`, it fits `width`; it is then drawn centred at `drawSize`.
struct BandText {
  float measureSize;
  float drawSize;
  float startScaling;
  double width;
  float y;
};

constexpr BandText kHeaderText = {22, 22, 140, 20, 28.1f};
constexpr BandText kFooterText = {20, 16, 120, 14, 0.4f};

void DrawBandText(clsPDFCreator& w, const std::string& text, int32_t color, const BandText& band) {
  FitText(w, text, kBoldFont, band.measureSize, band.startScaling, 5, band.width);
  w.SetColorFill(color);
  w.DrawText(F(kPageCentreX), band.y, text, kBoldFont, band.drawSize, kAlignCentre);
  w.SetColorFill(kBlack);
}

}  // namespace

// Runs right after the month title, under its 140 % scaling.
void DrawCustomHeader(PageState& page) {
  const CalendarOptions& o = page.options;
  if (!o.CustomTopText.empty()) {
    DrawBandText(page.writer, o.CustomTopText, o.CustomTopColor, kHeaderText);
  } else if (page.pictures.monthTop[static_cast<std::size_t>(page.month - 1)]) {
    page.writer.DrawImg(MonthHeaderPictureName(page.month), 0, 29.7f, kHeaderBox.width,
                        kHeaderBox.height);
  } else if (page.pictures.top) {
    page.writer.DrawImg("ImgTop", 0, 29.7f, 21, 2.5f);
  }
}

// Runs under the scaling the header left. The text is measured at 20 pt and
// drawn at 16 pt, so it stays well inside the 14 cm it was fitted to.
void DrawCustomFooter(PageState& page) {
  const CalendarOptions& o = page.options;
  if (!o.CustomDownText.empty()) {
    DrawBandText(page.writer, o.CustomDownText, o.CustomDownColor, kFooterText);
  } else if (page.pictures.bottom) {
    page.writer.DrawImg("ImgBottom", 5.5f, 1.4f, 10, 1.2f);
  }
}

}  // namespace orvanta
