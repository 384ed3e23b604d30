// Month title, page frame, day rows and page foot.

#include <string>

#include "calendar/CalendarColors.h"
#include "calendar/DateText.h"
#include "calendar/Drawing.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr float kTitleSize = 40;
constexpr float kDaySize = 28;
constexpr float kWeekdaySize = 14;
constexpr float kSmallSize = 8;
constexpr float kVersionSize = 7;
constexpr float kBandLine = 1.2f;
constexpr int kMonday = 2;

// Picks the column of the current day; a row of the left column draws the
// separator that serves both columns at its height.
void PlaceRow(PageState& page) {
  if (page.day <= kLeftColumnDays) {
    page.columnX = page.leftColumnX;
    const double y = page.rowY;
    page.writer.SetColorStroke(kRuleGrey);
    StrokeLine(page.writer, page.columnX - 0.1, y - 0.4, 18.8 + page.gridShift, y - 0.4);
  } else {
    page.columnX = F(kRightColumnX);
  }
}

// The colour of the day number: red for a holiday in colour; in monochrome a
// light band behind the number instead, and black.
int32_t MarkHoliday(PageState& page) {
  const CalendarOptions& o = page.options;
  if (!page.today->name.red) return o.TextColor;
  if (o.PrintColor) return kHolidayRed;
  clsPDFCreator& w = page.writer;
  const double x = page.columnX;
  const double y = page.rowY;
  w.SetLineWidth(kBandLine);
  w.SetColorStroke(kBandGrey);
  StrokeLine(w, x - 0.1, y + 0.3, x + 1.1, y + 0.3);
  w.SetLineWidth(kThinLine);
  w.SetColorStroke(kBlack);
  return kBlack;
}

// Day number and weekday, over their grey shadow with 3D text.
void DrawDate(PageState& page, int32_t dayColor) {
  clsPDFCreator& w = page.writer;
  const double x = page.columnX;
  const double y = page.rowY;
  const std::string dayText = std::to_string(page.day);
  const std::string weekday = WeekdayAbbreviation(page.currentDate);
  if (page.options.Testo3D) {
    w.SetColorFill(kShadowGrey);
    w.DrawText(F(x + 1.05), F(y - 0.05), dayText, kBoldFont, kDaySize, kAlignRight);
    w.DrawText(F(x + 1.2), F(y + 0.27), weekday, kRegularFont, kWeekdaySize, kAlignLeft);
    w.SetColorFill(dayColor);
  }
  w.SetColorFill(dayColor);
  w.DrawText(F(x + 1.0), F(y), dayText, kBoldFont, kDaySize, kAlignRight);
  w.DrawText(F(x + 1.17), F(y + 0.3), weekday, kRegularFont, kWeekdaySize, kAlignLeft);
  w.SetColorFill(kBlack);
}

void DrawHolidayName(PageState& page) {
  clsPDFCreator& w = page.writer;
  w.SetTextHorizontalScaling(80);
  w.DrawText(F(page.columnX + 1.3), F(page.rowY - 0.2), page.content.DayNameText(*page.today),
             kRegularFont, kSmallSize, kAlignLeft);
  w.SetTextHorizontalScaling(100);
}

// Days gone and days left in the year; on Mondays the week number below.
void DrawProgressives(PageState& page) {
  clsPDFCreator& w = page.writer;
  const double x = static_cast<double>(page.columnX) + 8 + page.gridShift;
  const double y = page.rowY;
  w.SetTextHorizontalScaling(90);
  const std::string progressive =
      std::to_string(page.dayOfYear) + " - " + std::to_string(page.yearLength - page.dayOfYear);
  w.DrawText(F(x), F(y + 0.6), progressive, kRegularFont, kSmallSize, kAlignRight);
  if (WeekdayOf(page.currentDate) == kMonday) {
    page.week += 1;
    w.DrawText(F(x), F(y + 0.25), "sett. " + std::to_string(page.week), kRegularFont, kSmallSize,
               kAlignRight);
  }
  w.SetTextHorizontalScaling(100);
}

}  // namespace

void DrawMonthTitle(PageState& page) {
  clsPDFCreator& w = page.writer;
  w.SetTextHorizontalScaling(140);
  const std::string title = MonthTitle(page.firstOfMonth);
  if (page.options.Testo3D) {
    w.SetColorFill(kShadowGrey);
    w.DrawText(F(10.58), F(25.92), title, kBoldFont, kTitleSize, kAlignCentre);
    w.SetColorFill(page.options.TextColor);
  }
  w.DrawText(F(kPageCentreX), F(26.0), title, kBoldFont, kTitleSize, kAlignCentre);
}

void DrawPageFrame(PageState& page) {
  clsPDFCreator& w = page.writer;
  w.SetTextHorizontalScaling(100);
  // Punch-hole mark: a white disc with a black outline.
  w.SetColorFill(kWhite);
  w.DrawCircle(F(kPageCentreX), F(29.3), F(0.15), kPaintFill);
  w.DrawCircle(F(kPageCentreX), F(29.3), F(0.15), kPaintStroke);
  StrokeLine(w, 0.5, 27.2, 20.5, 27.2);
  StrokeLine(w, 0.5, 25.8, 20.5, 25.8);
}

void DrawGridRow(PageState& page) {
  page.dayOfYear += 1;
  PlaceRow(page);
  page.today = &page.content.Day(page.currentDate);
  DrawDate(page, MarkHoliday(page));
  if (page.today->name.Named()) DrawHolidayName(page);
  page.writer.SetColorFill(page.options.TextColor);
  if (page.options.Progressivi) DrawProgressives(page);
}

void AdvanceRow(PageState& page) {
  page.rowY = F(page.rowY - kRowPitch);
  if (page.day == kLeftColumnDays) page.rowY = F(kFirstRowY);
  page.currentDate += 1;
  page.day += 1;
}

void DrawPageFoot(PageState& page) {
  clsPDFCreator& w = page.writer;
  w.SetColorStroke(kRuleGrey);
  StrokeLine(w, kPageCentreX, 25.8, kPageCentreX, 3.1);
  w.SetColorStroke(kBlack);
  StrokeLine(w, 0.5, 2.5, 20.5, 2.5);
  w.SetColorFill(kVersionGrey);
  w.DrawText(F(kPageCentreX), F(2.7), VersionLine(), kRegularFont, kVersionSize, kAlignCentre);
  w.SetColorFill(kBlack);
}

}  // namespace orvanta
