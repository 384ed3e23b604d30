// The previous and the next month in narrow columns at the page edges.

#include <string>

#include "calendar/CalendarColors.h"
#include "calendar/DateText.h"
#include "calendar/Drawing.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr float kLabelSize = 9;
constexpr float kDaySize = 9;
constexpr float kWeekdaySize = 8;
constexpr double kColumnPitch = 0.7;
constexpr float kBandLine = 0.5f;

// `x` is where the day numbers end; the weekdays start 0.2 cm to the right.
void DrawColumn(PageState& page, double x, DayNumber firstDay) {
  clsPDFCreator& w = page.writer;
  const int month = MonthOf(firstDay);
  double y = kFirstRowY;
  DayNumber date = firstDay;
  for (int day = 1; day <= 31 && MonthOf(date) == month; ++day) {
    if (page.content.IsRed(date)) {
      if (page.options.PrintColor) {
        w.SetColorFill(kHolidayRed);
      } else {
        w.SetLineWidth(kBandLine);
        w.SetColorStroke(kBandGrey);
        StrokeLine(w, x - 0.4, y + 0.1, x + 0.85, y + 0.1);
        w.SetLineWidth(kThinLine);
        w.SetColorStroke(kBlack);
      }
    }
    w.DrawText(F(x), F(y), std::to_string(day), kBoldFont, kDaySize, kAlignRight);
    w.DrawText(F(x + 0.2), F(y), WeekdayAbbreviation(date), kRegularFont, kWeekdaySize, kAlignLeft);
    w.SetColorFill(kBlack);
    y = F(y - kColumnPitch);
    date += 1;
  }
}

}  // namespace

void DrawSideColumns(PageState& page) {
  clsPDFCreator& w = page.writer;
  w.DrawText(F(0.7), F(25.0), SideColumnLabel(page.firstOfPreviousMonth), kBoldFont, kLabelSize,
             kAlignLeft);
  w.DrawText(F(19.5), F(25.0), SideColumnLabel(page.firstOfNextMonth), kBoldFont, kLabelSize,
             kAlignLeft);
  DrawColumn(page, 0.9, page.firstOfPreviousMonth);
  DrawColumn(page, 19.8, page.firstOfNextMonth);
}

}  // namespace orvanta
