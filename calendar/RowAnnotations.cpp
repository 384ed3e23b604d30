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

// The day's pictures as the year's content lists them; Easter on the
// clock-change day moves aside for the clock.
void DrawEventPictures(PageState& page, double x, double y, double s) {
  bool clockDrawn = false;
  for (const EventPicture picture : page.today->pictures) {
    switch (picture) {
      case EventPicture::ClockOn:
        Picture(page, picture, x + 5 + s, y + 0.85, 1.1, 1.1);
        ClockLabel(page, "ora legale", x, y, s);
        clockDrawn = true;
        break;
      case EventPicture::ClockOff:
        Picture(page, picture, x + 5.2 + s, y + 0.85, 1.1, 1.1);
        ClockLabel(page, "ora solare", x, y, s);
        clockDrawn = true;
        break;
      case EventPicture::Pasqua:
        Picture(page, picture, clockDrawn ? x + 3.5 + s : x + 5 + s, y + 0.95, 1.3, 1.3);
        break;
      default:
        EventAt(page, picture, x, y, s);
        break;
    }
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
