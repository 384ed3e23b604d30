// What a day row may carry besides its date: the work shift, the moon phase,
// event pictures with the clock-change labels, and the personal note.

#include <string>

#include "base/Text.h"
#include "calendar/CalendarColors.h"
#include "calendar/Drawing.h"
#include "calendar/MoonGlyph.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "calendar/TextFitting.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr float kShiftSize = 14;
constexpr float kNoteSize = 8;
constexpr float kLabelSize = 8;
constexpr float kMoonRadius = 0.2f;

void DrawShift(PageState& page, double x, double y, double s) {
  clsPDFCreator& w = page.writer;
  const std::string text = page.content.ShiftText(*page.today);
  FitText(w, text, kBoldFont, kShiftSize, 110, 2, 1.8);
  w.DrawText(F(x + 7.9 + s), F(y - 0.25), text, kBoldFont, kShiftSize, kAlignRight);
  w.SetTextHorizontalScaling(100);
}

void DrawMoon(PageState& page, double x, double y, double s) {
  clsPDFCreator& w = page.writer;
  w.SetColorStroke(kBlack);
  const double cx = x + 6.6 + s + page.glyphShift;
  const double cy = y + 0.7;
  if (page.today->moon != 0) DrawMoonGlyph(w, page.today->moon, F(cx), F(cy), kMoonRadius);
}

void Picture(PageState& page, EventPicture picture, double x, double y, double width,
             double height) {
  if (page.pictures.Has(picture)) {
    page.writer.DrawImg(std::string(EventPictureName(picture)), F(x), F(y), F(width), F(height));
  }
}

// An event picture at the usual place of the row.
void EventAt(PageState& page, EventPicture picture, double x, double y, double s) {
  Picture(page, picture, x + 5 + s, y + 0.95, 1.3, 1.3);
}

void ClockLabel(PageState& page, const char* label, double x, double y, double s) {
  page.writer.DrawText(F(x + 8 + s), F(y + 0.24), label, kBoldFont, kLabelSize, kAlignRight);
}

void DrawEventPictures(PageState& page, double x, double y, double s) {
  const int day = page.day;
  const DayNumber date = page.currentDate;
  const DayNumber easter = page.content.almanac.EasterDay;
  const ClockChange clock = page.today->clock;
  switch (page.month) {
    case 1:
      if (day == 6) EventAt(page, EventPicture::Befana, x, y, s);
      break;
    case 2:
      if (day == 14) EventAt(page, EventPicture::Valentino, x, y, s);
      break;
    case 3: {
      const bool clockChange = clock == ClockChange::SummerTimeStart;
      if (clockChange) {
        Picture(page, EventPicture::ClockOn, x + 5 + s, y + 0.85, 1.1, 1.1);
        ClockLabel(page, "ora legale", x, y, s);
      }
      if (day == 21) EventAt(page, EventPicture::Primavera, x, y, s);
      if (date == easter) {
        // Easter on the clock-change day moves aside for the clock.
        const double easterX = clockChange ? x + 3.5 + s : x + 5 + s;
        Picture(page, EventPicture::Pasqua, easterX, y + 0.95, 1.3, 1.3);
      }
      break;
    }
    case 4:
      if (date == easter) EventAt(page, EventPicture::Pasqua, x, y, s);
      break;
    case 6:
      if (day == 21) EventAt(page, EventPicture::Estate, x, y, s);
      break;
    case 8:
      if (day == 15) EventAt(page, EventPicture::Ferragosto, x, y, s);
      break;
    case 9:
      if (day == 23) EventAt(page, EventPicture::Autunno, x, y, s);
      break;
    case 10:
      if (clock == ClockChange::SummerTimeEnd) {
        Picture(page, EventPicture::ClockOff, x + 5.2 + s, y + 0.85, 1.1, 1.1);
        ClockLabel(page, "ora solare", x, y, s);
      }
      if (day == 31) EventAt(page, EventPicture::Halloween, x, y, s);
      break;
    case 12:
      if (day == 21) EventAt(page, EventPicture::Inverno, x, y, s);
      if (day == 25) EventAt(page, EventPicture::Natale, x, y, s);
      if (day == 31) EventAt(page, EventPicture::Capodanno, x, y, s);
      break;
    default:
      break;
  }
}

void DrawPersonalNote(PageState& page, double x, double y, double s) {
  clsPDFCreator& w = page.writer;
  const std::string& note = page.today->note;
  FitText(w, note, kRegularFont, kNoteSize, 100, 5, 4 + s);
  w.DrawText(F(x + 2.4), F(y + 0.35), std::string(TrimSpaces(note)), kRegularFont, kNoteSize,
             kAlignLeft);
  w.SetTextHorizontalScaling(100);
}

}  // namespace

void DrawRowAnnotations(PageState& page) {
  const CalendarOptions& o = page.options;
  const double x = page.columnX;
  const double y = page.rowY;
  const double s = page.gridShift;
  if (o.Turno) DrawShift(page, x, y, s);
  if (o.FasiSoleLuna) DrawMoon(page, x, y, s);
  if (o.Icone) DrawEventPictures(page, x, y, s);
  if (o.NotePersonali && !page.today->note.empty()) DrawPersonalNote(page, x, y, s);
}

}  // namespace orvanta
