// The spreadsheet export: one row per day, in the form Italian spreadsheet
// programs read, with the switches of the iCalendar file.
#include <gtest/gtest.h>

#include <string>

#include "almanac/ShiftCycle.h"
#include "app/core/run/JobOutputs.h"

namespace orvanta {
namespace {

struct CsvCase {
  const char* what;
  int year;
  bool CalendarOptions::*off;  // a switch turned off, or none
  const char* note;            // the note of the row's day, or none
  const char* row;             // the expected row, date first; "" for the file's head
};

const CsvCase kCases[] = {
    {"the head", 2013, nullptr, nullptr,
     "\xEF\xBB\xBF"
     "data;giorno;festività;ricorrenza religiosa;ricorrenze;rosso;luna;cambio dell'ora;"
     "nota personale;turno"},
    {"a red holiday with its shift", 2013, nullptr, nullptr,
     "2013-01-01;martedì;Capodanno;;;sì;;;;N"},
    {"a commemoration", 2013, nullptr, nullptr,
     "2013-01-07;lunedì;;;festa del Tricolore (giornata Nazionale della Bandiera);no;;;;M"},
    {"the footnotes switched off", 2013, &CalendarOptions::Note, nullptr,
     "2013-01-07;lunedì;;;;no;;;;M"},
    {"a church feast", 2013, nullptr, nullptr, "2013-03-24;domenica;;Le Palme;;sì;;;;M"},
    {"the church switched off", 2013, &CalendarOptions::Chiesa, nullptr,
     "2013-03-24;domenica;;;;sì;;;;M"},
    {"a clock change", 2013, nullptr, nullptr, "2013-03-31;domenica;Pasqua;;;sì;;ora legale;;R"},
    {"the ephemeris switched off", 2013, &CalendarOptions::FasiSoleLuna, nullptr,
     "2013-10-27;domenica;;;;sì;;;;P"},
    {"a moon phase and the clock", 2013, nullptr, nullptr,
     "2013-10-27;domenica;;;;sì;Ultimo quarto;ora solare;;P"},
    {"the shifts switched off", 2013, &CalendarOptions::Turno, nullptr,
     "2013-01-01;martedì;Capodanno;;;sì;;;;"},
    {"a note with the separator and quote marks", 2013, nullptr, "Cena; \"Da Mario\"",
     "2013-05-02;giovedì;;;;no;Ultimo quarto;;\"Cena; \"\"Da Mario\"\"\";R"},
    {"the notes switched off", 2013, &CalendarOptions::NotePersonali, "Cena",
     "2013-05-02;giovedì;;;;no;Ultimo quarto;;;R"},
    {"a note a spreadsheet would run as a formula", 2013, nullptr, "=SOMMA(A1:A9)",
     "2013-05-02;giovedì;;;;no;Ultimo quarto;;'=SOMMA(A1:A9);R"},
    {"control characters and bytes that are no UTF-8", 2013, nullptr,
     "a\tb\x01"
     "c\xFF",
     "2013-05-02;giovedì;;;;no;Ultimo quarto;;a b c\xEF\xBF\xBD;R"},
    {"the leap day", 2024, nullptr, nullptr, "2024-02-29;giovedì;;;;no;;;;P"},
};

TEST(CsvOutput, RowsOfTheYear) {
  for (const CsvCase& c : kCases) {
    CalendarOptions options;
    options.Anno = static_cast<int16_t>(c.year);
    if (c.off != nullptr) options.*(c.off) = false;
    std::vector<NoteEntry> notes;
    const std::string row = c.row;
    if (c.note != nullptr) notes.push_back({*MakeDayNumber(2013, 5, 2), c.note});
    const PreparedYear year = PrepareYear(options, notes, ParseShiftCycle("3;M;P;N;R;"));
    std::string text;
    const RenderOutcome rendered = RenderCsv(CalendarJob{}, year, [&](std::string_view bytes) {
      text.append(bytes);
      return FileResult::Success();
    });
    ASSERT_EQ(rendered.status, RenderOutcome::Status::Written) << c.what;
    // One head and one row per day, each ending in CR LF.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), year.content.days.size() + 1) << c.what;
    EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos) << c.what;
    const std::size_t at =
        row.starts_with("\xEF\xBB\xBF") ? 0 : text.find("\r\n" + row.substr(0, 10)) + 2;
    EXPECT_EQ(text.substr(at, text.find("\r\n", at) - at), row) << c.what;
  }
}

}  // namespace
}  // namespace orvanta
