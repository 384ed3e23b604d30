#include "calendar/ComposeCalendar.h"
#include "calendar/Drawing.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "almanac/ShiftCycle.h"
#include "calendar/DateText.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "calendar/PictureSlots.h"
#include "calendar/YearContent.h"
#include "pdf/PdfError.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

// Why a run stops early; turned into the outcome at the run's edge.
struct RunStopped {
  ComposeOutcome::Status status;
  std::string detail;
};

void Pump(const ComposeEnvironment& env) {
  if (env.pumpEvents) env.pumpEvents();
}

void SetUpWriter(clsPDFCreator& writer, const ComposeEnvironment& env, std::string& told) {
  writer.Title("Orvanta");
  writer.ScaleMode(kUnitCentimetre);
  writer.PaperSize(kPaperA4);
  writer.Margin(0);
  writer.Orientation(kPortrait);
  // What the writer would tell the user becomes the outcome's detail.
  writer.SetMessageHandler([&told](const std::string&, const std::string& text) { told = text; });
  if (env.clock) writer.SetClock(env.clock);
}

bool AllLoaded(const auto& slots) {
  for (const bool loaded : slots)
    if (!loaded) return false;
  return true;
}

// With picturesRequired a picture that could not be loaded stops the run.
void RequireLoaded(bool loaded, const ComposeEnvironment& env) {
  Pump(env);
  if (!loaded && env.picturesRequired) {
    throw RunStopped{ComposeOutcome::Status::Failed,
                     "impossibile preparare le immagini del calendario"};
  }
}

void LoadResources(clsPDFCreator& writer, const CalendarOptions& options,
                   const ComposeEnvironment& env, bool greyLoad, PictureSlots& slots) {
  writer.LoadFont(kRegularFont, "Arial", kFontRegular);
  writer.LoadFont(kBoldFont, "Arial", kFontBold);
  writer.LoadFont(kItalicFont, "Arial", kFontItalic);
  Pump(env);
  if (options.Icone) {
    LoadEventPictures(writer, env.pictures, greyLoad, slots);
    RequireLoaded(AllLoaded(slots.event), env);
  }
  if (options.Zodiaco) {
    LoadZodiacPictures(writer, env.pictures, greyLoad, slots);
    RequireLoaded(AllLoaded(slots.zodiac), env);
  }
  const std::string problem = LoadCustomPictures(writer, options, env.preparePicture, slots);
  if (!problem.empty() && env.picturesRequired)
    throw RunStopped{ComposeOutcome::Status::Failed, problem};
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
                   const ComposeEnvironment& env, const YearContent& content) {
  const bool greyLoad = !options.PrintColor;
  PictureSlots slots;
  LoadResources(writer, options, env, greyLoad, slots);

  PageState page(writer, options, content, slots);
  page.year = year;
  page.yearLength = DaysInYear(year);
  page.gridShift = options.PrintMese_P_S ? 0.0f : 1.0f;
  page.glyphShift = options.Progressivi ? 0.0f : 1.0f;
  page.leftColumnX = static_cast<float>(2.4 - page.gridShift);
  if (slots.cover) DrawCoverPage(page);
  for (int month = 1; month <= 12; ++month) {
    if (env.cancelled && env.cancelled()) throw RunStopped{ComposeOutcome::Status::Cancelled, {}};
    DrawMonth(page, month);
  }
  writer.ClosePDFFile();
}

// The options as the run uses them: black text on monochrome pages, no
// shifts without a usable shift file.
CalendarOptions EffectiveOptions(const CalendarOptions& options, const ShiftCycle& shifts,
                                 ComposeOutcome& outcome) {
  CalendarOptions effective = options;
  if (!effective.PrintColor) effective.TextColor = 0;
  if (effective.Turno && !shifts.Usable()) {
    effective.Turno = false;
    outcome.shiftUnusable = true;
  }
  outcome.textColor = effective.TextColor;
  return effective;
}

// The writer's failure in the user's words.
std::string FailureText(const PdfError& error) {
  if (error.code() == PdfErrorCode::Io && !error.file().Ok())
    return "impossibile scrivere il file PDF " + error.file().Describe();
  return error.what();
}

ComposeOutcome Stopped(ComposeOutcome outcome, ComposeOutcome::Status status, std::string detail) {
  outcome.status = status;
  outcome.detail = std::move(detail);
  return outcome;
}

}  // namespace

ComposeOutcome ComposeCalendar(const CalendarOptions& requested, const ComposeEnvironment& env) {
  const int16_t year = requested.Anno;
  ComposeOutcome outcome;
  // The neighbouring years of the side columns must exist too.
  if (year < kFirstComposableYear || year > kLastComposableYear) {
    return Stopped(outcome, ComposeOutcome::Status::Failed,
                   "anno " + std::to_string(year) + " fuori dall'intervallo " +
                       std::to_string(kFirstComposableYear) + "-" +
                       std::to_string(kLastComposableYear));
  }
  ShiftCycle shifts = requested.Turno ? LoadShiftCycle(env.shiftFile) : ShiftCycle{};
  const CalendarOptions options = EffectiveOptions(requested, shifts, outcome);

  std::vector<NoteEntry> notes;
  if (options.NotePersonali && env.loadNotes) notes = env.loadNotes(year);
  const YearContent content = BuildYearContent(year, options, std::move(notes), std::move(shifts));

  std::string told;
  auto writer = std::make_unique<clsPDFCreator>();
  SetUpWriter(*writer, env, told);
  const std::optional<std::string> path = writer->InitPDFFileReturningName(env.outputFile);
  if (!path) {
    outcome.notice = told;
    return Stopped(outcome, ComposeOutcome::Status::NotOpened, writer->OpenFailure().Describe());
  }
  try {
    WriteDocument(*writer, year, options, env, content);
  } catch (const RunStopped& stopped) {
    return Stopped(outcome, stopped.status, stopped.detail);
  } catch (const PdfError& error) {
    // The writer goes with its temporary file; an earlier calendar stays.
    return Stopped(outcome, ComposeOutcome::Status::Failed, FailureText(error));
  } catch (const std::exception& error) {
    return Stopped(outcome, ComposeOutcome::Status::Failed, error.what());
  }
  writer.reset();

  if (env.openViewer) env.openViewer(*path);
  outcome.status = ComposeOutcome::Status::Written;
  return outcome;
}

}  // namespace orvanta
