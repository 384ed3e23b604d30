// The two zodiac signs of the month in the corners of the title band.

#include <cstdio>
#include <string>

#include "calendar/Drawing.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "calendar/PictureSlots.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr float kLabelSize = 11;
constexpr float kPictureWidth = 1.5f;
constexpr float kPictureHeight = 1.3f;
constexpr float kPictureTop = 27.15f;
constexpr float kLeftPictureX = 0.4f;
constexpr float kRightPictureX = 21 - 0.4f - kPictureWidth;  // 19.1
constexpr float kLeftLabelX = 1.15f;                         // picture centres
constexpr float kRightLabelX = 19.85f;

void DrawPicture(PageState& page, int sign, float x) {
  if (page.pictures.HasZodiac(sign)) {
    page.writer.DrawImg(ZodiacPictureName(sign), x, kPictureTop, kPictureWidth, kPictureHeight);
  }
}

// "dd/mm".
std::string StartText(const ZodiacSign& sign) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d/%02d", sign.day % 100, sign.month % 100);
  return text;
}

// Sign name below, start date above, centred on `x`.
void DrawLabels(PageState& page, int number, float x) {
  const ZodiacSign& sign = page.content.zodiac[static_cast<std::size_t>(number - 1)];
  page.writer.DrawText(x, 26.0f, std::string(sign.name), kBoldFont, kLabelSize, kAlignCentre);
  page.writer.DrawText(x, 26.5f, StartText(sign), kBoldFont, kLabelSize, kAlignCentre);
}

}  // namespace

// The page of month m shows on the left the sign that began in the previous
// month (sign m) and on the right the one that begins in month m.
void DrawZodiacCorners(PageState& page) {
  const int left = page.month;
  const int right = page.month % 12 + 1;
  page.writer.SetTextHorizontalScaling(75);
  DrawPicture(page, left, kLeftPictureX);
  DrawPicture(page, right, kRightPictureX);
  // The labels go on top of the pictures, whether or not these were loaded.
  DrawLabels(page, left, kLeftLabelX);
  DrawLabels(page, right, kRightLabelX);
  page.writer.SetTextHorizontalScaling(100);
}

}  // namespace orvanta
