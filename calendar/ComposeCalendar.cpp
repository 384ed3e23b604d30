#include "calendar/ComposeCalendar.h"
#include "calendar/Drawing.h"

#include <memory>
#include <string>
#include <utility>

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

void SetUpWriter(clsPDFCreator& writer, const ComposeEnvironment& env) {
  writer.Title("Orvanta");
  writer.ScaleMode(kUnitCentimetre);
  writer.PaperSize(kPaperA4);
  writer.Margin(0);
  writer.Orientation(kPortrait);
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

ComposeOutcome ComposeCalendar(const PreparedYear& year, const ComposeEnvironment& env,
                               const clsPDFCreator::ByteSink& sink) {
  ComposeOutcome outcome;
  try {
    auto writer = std::make_unique<clsPDFCreator>();
    SetUpWriter(*writer, env);
    writer->InitPDFStream(sink);
    WriteDocument(*writer, year.options.Anno, year.options, env, year.content);
  } catch (const RunStopped& stopped) {
    return Stopped(outcome, stopped.status, stopped.detail);
  } catch (const PdfError& error) {
    return Stopped(outcome, ComposeOutcome::Status::Failed, FailureText(error));
  } catch (const std::exception& error) {
    return Stopped(outcome, ComposeOutcome::Status::Failed, error.what());
  }
  outcome.status = ComposeOutcome::Status::Written;
  return outcome;
}

}  // namespace orvanta
