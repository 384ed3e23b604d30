// The year as a spreadsheet: one row per day, in the form Italian spreadsheet
// programs open without asking (";" between fields, UTF-8 with a byte-order
// mark, fields quoted as RFC 4180 says, CR LF after every row). The day's
// names, moon phase and clock change are the iCalendar file's, so the two
// files never name a day differently; the switches leave out what they leave
// out there.
#include <array>
#include <cstdio>
#include <map>

#include "app/core/export/YearFacts.h"
#include "app/core/run/JobOutputs.h"
#include "base/Utf8.h"

namespace orvanta {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kHeader =
    "data;giorno;festività;ricorrenza religiosa;ricorrenze;rosso;luna;cambio dell'ora;"
    "nota personale;turno";

constexpr std::array<const char*, 7> kWeekdays = {"domenica", "lunedì",  "martedì", "mercoledì",
                                                  "giovedì",  "venerdì", "sabato"};

enum Column : std::size_t { Holiday, Feast, Commemorations, Moon, Clock, Note, kTextColumns };

// Text as a field may carry it: well-formed UTF-8 without control
// characters; a line break of a note becomes a blank.
std::string CleanText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      out += kReplacement;
      ++i;
      continue;
    }
    const auto lead = static_cast<unsigned char>(text[i]);
    const bool c1 = lead == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
    out += lead < 0x20 || lead == 0x7F || c1 ? std::string_view(" ") : text.substr(i, length);
    i += length;
  }
  return out;
}

// One field: quoted when it holds the separator, a quote mark or a line
// break, its quote marks doubled. A text a spreadsheet would take for a
// formula (=, +, -, @ first) starts with an apostrophe, so that a note or an
// imported contact never runs as one.
void AppendField(std::string& row, std::string_view value) {
  std::string text = CleanText(value);
  if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos)
    text.insert(0, 1, '\'');
  if (!row.empty()) row += ';';
  if (text.find_first_of(";\"\r\n") == std::string::npos) {
    row += text;
    return;
  }
  row += '"';
  for (const char c : text) row += c == '"' ? std::string_view("\"\"") : std::string_view(&c, 1);
  row += '"';
}

Column ColumnOf(FactKind kind) {
  switch (kind) {
    case FactKind::Holiday:
    case FactKind::Observance:
      return Holiday;
    case FactKind::ChurchFeast:
      return Feast;
    case FactKind::Commemoration:
      return Commemorations;
    case FactKind::MoonPhase:
      return Moon;
    case FactKind::SummerTime:
      return Clock;
    case FactKind::PersonalNote:
    case FactKind::Shift:
      break;
  }
  return Note;
}

using DayTexts = std::array<std::string, kTextColumns>;

// The facts of each day by column; two of one column are joined by " / ".
std::map<DayNumber, DayTexts> TextsByDay(const PreparedYear& year) {
  std::map<DayNumber, DayTexts> days;
  for (const CalendarFact& fact : GatherYearFacts(year)) {
    if (fact.kind == FactKind::Shift) continue;  // the shift column is each day's own
    std::string& text = days[fact.day][ColumnOf(fact.kind)];
    text += text.empty() ? fact.summary : " / " + fact.summary;
  }
  return days;
}

std::string DateText(DayNumber day) {
  const CivilDate date = DateOf(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
  return text;
}

}  // namespace

RenderOutcome RenderCsv(const CalendarJob&, const PreparedYear& year, const OutputSink& sink) {
  std::string out(kByteOrderMark);
  out.append(kHeader).append("\r\n");
  const std::map<DayNumber, DayTexts> texts = TextsByDay(year);
  const DayTexts none;
  for (const DayContent& day : year.content.days) {
    const auto found = texts.find(day.date);
    const DayTexts& t = found == texts.end() ? none : found->second;
    std::string row = DateText(day.date);
    AppendField(row, kWeekdays[static_cast<std::size_t>(WeekdayOf(day.date) - 1)]);
    for (const Column column : {Holiday, Feast, Commemorations}) AppendField(row, t[column]);
    AppendField(row, day.name.red ? "sì" : "no");
    for (const Column column : {Moon, Clock, Note}) AppendField(row, t[column]);
    AppendField(row, year.content.ShiftText(day));
    out.append(row).append("\r\n");
  }
  return RenderOutcome::Of(sink(out));
}

}  // namespace orvanta
