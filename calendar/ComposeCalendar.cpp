#include "calendar/ComposeCalendar.h"
#include "calendar/Drawing.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

#include "almanac/MoonPhases.h"
#include "almanac/ShiftCycle.h"
#include "calendar/DateText.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "calendar/PictureSlots.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

void Pump(const ComposeEnvironment& env) {
  if (env.pumpEvents) env.pumpEvents();
}

void SetUpWriter(clsPDFCreator& writer, const ComposeEnvironment& env) {
  writer.Title("Orvanta");
  writer.ScaleMode(3);  // centimetres
  writer.PaperSize(0);  // A4
  writer.Margin(0);
  writer.Orientation(0);  // portrait
  if (env.showMessage) writer.SetMessageHandler(env.showMessage);
  if (env.clock) writer.SetClock(env.clock);
}

void LoadResources(clsPDFCreator& writer, const CalendarOptions& options,
                   const ComposeEnvironment& env, bool greyLoad, PictureSlots& slots) {
  writer.LoadFont("Fn1", "Arial", 0);
  writer.LoadFont("Fn3", "Arial", 1);
  writer.LoadFont("Fn4", "Arial", 2);
  Pump(env);
  if (options.Icone) {
    if (env.extractEventImages) env.extractEventImages();
    Pump(env);
    LoadEventPictures(writer, env.pictureFolder, greyLoad, slots);
  }
  if (options.Zodiaco) {
    if (env.extractZodiacImages) env.extractZodiacImages();
    Pump(env);
    LoadZodiacPictures(writer, env.pictureFolder, greyLoad, slots);
  }
  LoadCustomPictures(writer, options, slots);
}

void StartPage(PageState& page, int month) {
  const int year = page.year;
  page.month = month;
  page.firstOfMonth = *MakeDayNumber(year, month, 1);
  page.firstOfPreviousMonth =
      month == 1 ? *MakeDayNumber(year - 1, 12, 1) : *MakeDayNumber(year, month - 1, 1);
  page.firstOfNextMonth =
      month == 12 ? *MakeDayNumber(year + 1, 1, 1) : *MakeDayNumber(year, month + 1, 1);
  page.currentDate = page.firstOfMonth;
  page.day = 1;
  page.rowY = static_cast<float>(kFirstRowY);
}

void DrawMonth(PageState& page, int month) {
  clsPDFCreator& w = page.writer;
  const CalendarOptions& o = page.options;
  w.BeginPage();
  w.SetLineWidth(kThinLine);
  w.SetColorFill(o.TextColor);
  StartPage(page, month);

  DrawMonthTitle(page);
  DrawCustomHeader(page);
  DrawCustomFooter(page);
  DrawPageFrame(page);
  page.moon = o.FasiSoleLuna ? MoonPhasesForMonth(month, page.year) : MonthMoonPhases{};
  while (page.day <= 31 && MonthOf(page.currentDate) == month) {
    DrawGridRow(page);
    DrawRowAnnotations(page);
    AdvanceRow(page);
  }
  DrawPageFoot(page);
  if (o.PrintMese_P_S) DrawSideColumns(page);
  if (o.FasiSoleLuna) DrawEphemerisLegend(page);
  if (o.Note) DrawFootnotes(page);
  if (o.Zodiaco) DrawZodiacCorners(page);
  w.EndPage();
}

// Everything after the file was opened: fonts, pictures, the twelve pages.
void WriteDocument(clsPDFCreator& writer, int year, const CalendarOptions& options,
                   const ComposeEnvironment& env, const AlmanacYear& almanac,
                   const ShiftCycle& shifts, int shiftStart) {
  const bool greyLoad = !options.PrintColor;
  PictureSlots slots;
  LoadResources(writer, options, env, greyLoad, slots);

  PageState page(writer, options, almanac, slots, shifts);
  page.year = year;
  page.yearLength = DaysInYear(year);
  page.gridShift = options.PrintMese_P_S ? 0.0f : 1.0f;
  page.glyphShift = options.Progressivi ? 0.0f : 1.0f;
  page.leftColumnX = static_cast<float>(2.4 - page.gridShift);
  page.shiftLast = shifts.ShiftCount;
  page.shiftIndex = shiftStart;
  for (int month = 1; month <= 12; ++month) DrawMonth(page, month);
  writer.ClosePDFFile();
}

}  // namespace

ComposeResult ComposeCalendar(int16_t year, CalendarOptions& options,
                              const ComposeEnvironment& env) {
  // The neighbouring years of the side columns must exist too.
  if (year < kFirstComposableYear || year > kLastComposableYear) {
    throw std::out_of_range("year " + std::to_string(year) + " outside " +
                            std::to_string(kFirstComposableYear) + ".." +
                            std::to_string(kLastComposableYear));
  }
  // Monochrome pages carry black text, whatever button was chosen.
  if (!options.PrintColor) options.TextColor = 0;

  ShiftCycle shifts;
  int shiftStart = 0;
  if (options.Turno) {
    shifts = LoadShiftCycle(env.shiftFile);
    if (shifts.ShiftStart < 0) {
      options.Turno = false;  // stays off until the user sets it again
    } else {
      shiftStart = shifts.ShiftStart;
    }
  }

  AlmanacYear almanac = PrepareAlmanacYear(year, options.Chiesa, options.NotePersonali);
  if (options.NotePersonali && env.loadNotes) {
    almanac.NotesTable = env.loadNotes(year);
    if (almanac.NotesTable.size() > kMaxNotes) almanac.NotesTable.resize(kMaxNotes);
  }

  std::string path = env.outputFile;
  auto writer = std::make_unique<clsPDFCreator>();
  SetUpWriter(*writer, env);
  if (!writer->InitPDFFile(path)) return ComposeResult::NotOpened;

  try {
    WriteDocument(*writer, year, options, env, almanac, shifts, shiftStart);
  } catch (...) {
    // Leave no half-written calendar behind: close the file, then remove it.
    writer.reset();
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path, ignored)) std::filesystem::remove(path, ignored);
    throw;
  }
  writer.reset();

  if (env.openViewer) env.openViewer(path);
  return ComposeResult::Written;
}

}  // namespace orvanta
