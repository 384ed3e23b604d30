#include "app/import/ICalendarReader.h"

#include <libical/ical.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "almanac/DayNumber.h"
#include "almanac/SummerTime.h"
#include "app/core/export/ICalendar.h"
#include "app/import/InputKind.h"
#include "base/AsciiCase.h"
#include "base/Text.h"

namespace orvanta {
namespace {

// What of an event reaches the library: no real line the import uses is
// longer, nor an event with more of them.
constexpr std::size_t kMaxLineBytes = 4096;
constexpr int kMaxEventLines = 32;

struct ComponentFree {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

bool Unset(const short* values) {
  return values[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

// Unset, or the one value `wanted`.
bool OnlyOrUnset(const short* values, int wanted) {
  return Unset(values) || (values[0] == wanted && values[1] == ICAL_RECURRENCE_ARRAY_MAX);
}

// FREQ=YEARLY every year, on the start's day and month (BYMONTH and
// BYMONTHDAY may repeat them, as some programs write).
bool RepeatsYearlyOnItsDay(const icalrecurrencetype& rule, const icaltimetype& start) {
  return rule.freq == ICAL_YEARLY_RECURRENCE && rule.interval <= 1 && Unset(rule.by_day) &&
         Unset(rule.by_year_day) && Unset(rule.by_week_no) && Unset(rule.by_set_pos) &&
         OnlyOrUnset(rule.by_month, start.month) && OnlyOrUnset(rule.by_month_day, start.day);
}

// The year of the last occurrence of a yearly rule from `start`; none when
// it never ends. A rule that never occurs ends before its start year.
std::optional<int> LastYear(const icalrecurrencetype& rule, const icaltimetype& start) {
  if (rule.count > 0) return start.year + rule.count - 1;
  if (icaltime_is_null_time(rule.until)) return std::nullopt;
  const icaltimetype& until = rule.until;
  const bool beforeStartDay =
      until.month < start.month || (until.month == start.month && until.day < start.day);
  return until.year - (beforeStartDay ? 1 : 0);
}

// The calendar system a rule names (RFC 7529), upper case; empty for none.
std::string CalendarScale(icalproperty* property, const icalrecurrencetype& rule) {
  if (rule.rscale) return AsciiUpper(std::string(rule.rscale));
  const char* text = icalproperty_get_value_as_string(property);
  const std::string value = AsciiUpper(text ? text : "");
  const std::size_t at = value.find("RSCALE=");
  if (at == std::string::npos) return {};
  return value.substr(at + 7, value.find(';', at) - at - 7);
}

// How the yearly rules of an event decide about it.
struct Series {
  bool yearly = false;
  std::optional<int> lastYear;  // none: it never ends
  std::string otherScale;       // a calendar system other than the Gregorian one
};

Series YearlySeries(icalcomponent* event, const icaltimetype& start) {
  Series series;
  bool endless = false;
  for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
       p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
    const icalrecurrencetype rule = icalproperty_get_rrule(p);
    const std::string scale = CalendarScale(p, rule);
    if (!scale.empty() && scale != "GREGORIAN") {
      series.otherScale = DecodeUserText(std::string_view(scale).substr(0, 40));  // for the report
      continue;
    }
    if (!RepeatsYearlyOnItsDay(rule, start)) continue;
    const std::optional<int> last = LastYear(rule, start);
    if (!last) endless = true;
    if (last && (!series.yearly || (series.lastYear && *last > *series.lastYear)))
      series.lastYear = last;
    series.yearly = true;
  }
  if (endless) series.lastYear.reset();
  return series;
}

// The program's own export marks each personal note with its category.
bool IsExportedNote(icalcomponent* event) {
  const std::string wanted = ICalendarCategory(FactKind::PersonalNote);
  for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY); p;
       p = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY)) {
    const char* value = icalproperty_get_categories(p);
    std::string_view rest = value ? value : "";
    while (true) {
      const std::size_t comma = rest.find(',');
      if (TrimWhitespace(rest.substr(0, comma)) == wanted) return true;
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  return false;
}

bool ExistsInLeapYear(int month, int day) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month >= 1 && month <= 12 && day >= 1 && day <= kDays[month - 1];
}

// The day and month the note goes on: the date as written (in its own time
// zone, or floating), but an instant in UTC on its day in Italy.
std::optional<CivilDate> NoteDate(const icaltimetype& start) {
  if (!ExistsInLeapYear(start.month, start.day)) return std::nullopt;
  if (start.is_date || !icaltime_is_utc(start))
    return CivilDate{start.year, start.month, start.day};
  const std::optional<DayNumber> day = MakeDayNumber(start.year, start.month, start.day);
  if (!day) return std::nullopt;
  return DateOf(ItalianCivilDay(*day, start.hour * 3600 + start.minute * 60 + start.second));
}

// Why a yearly series or a note cannot be imported; empty when it can.
std::string SeriesRefusal(const Series& series, int startYear, int thisYear) {
  if (!series.otherScale.empty())
    return "si ripete secondo un altro calendario (RSCALE=" + series.otherScale + ")";
  if (!series.lastYear) return {};
  if (*series.lastYear < startYear) return "la serie annuale non ha nessuna ricorrenza";
  if (*series.lastYear < thisYear)
    return "la serie annuale è finita nel " + std::to_string(*series.lastYear);
  return {};
}

void AddEvent(icalcomponent* event, int thisYear, ImportedItems& found) {
  icalproperty* dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
  const bool exception = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
  const bool cancelled = icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED;
  const icaltimetype start = dtstart ? icalproperty_get_dtstart(dtstart) : icaltime_null_time();
  const bool exported = IsExportedNote(event);
  const Series series = exported ? Series{} : YearlySeries(event, start);
  if (exception || cancelled || !dtstart ||
      (!exported && !series.yearly && series.otherScale.empty())) {
    ++found.ignored;
    return;
  }
  ImportedItem item;
  const char* summary = icalcomponent_get_summary(event);
  // The format is UTF-8; a file of another code page is most likely Windows-1252.
  item.text = DecodeUserText(summary ? summary : "");
  const std::optional<CivilDate> date = NoteDate(start);
  if (TrimWhitespace(item.text).empty()) {
    item.refusal = "evento senza titolo";
  } else if (!date) {
    item.refusal = "data d'inizio non valida";
  } else {
    item.month = date->Month;  // shown in the report also when refused
    item.day = date->Day;
    item.refusal = SeriesRefusal(series, start.year, thisYear);
  }
  found.Add(std::move(item));
}

// The unfolded content lines of a text, one at a time, each cut at
// kMaxLineBytes (the rest skipped, not copied): linear in the text.
class ContentLines {
 public:
  explicit ContentLines(std::string_view text) : rest_(text) {}

  bool Next() {
    if (rest_.empty()) return false;
    line_.clear();
    overlong_ = false;
    Append(TakeLine(rest_));
    while (!rest_.empty() && (rest_[0] == ' ' || rest_[0] == '\t'))
      Append(TakeLine(rest_).substr(1));
    return true;
  }
  [[nodiscard]] const std::string& Line() const { return line_; }
  [[nodiscard]] bool Overlong() const { return overlong_; }

 private:
  void Append(std::string_view piece) {
    const std::size_t room = kMaxLineBytes - line_.size();
    if (piece.size() > room) overlong_ = true;
    line_.append(piece.substr(0, room));
  }

  std::string_view rest_;
  std::string line_;
  bool overlong_ = false;
};

// A text value cut short: not inside a UTF-8 sequence nor after half an escape.
std::string CutValueLine(std::string line) {
  while (!line.empty() && IsUtf8Continuation(line.back())) line.pop_back();
  if (!line.empty() && static_cast<unsigned char>(line.back()) >= 0xC0) line.pop_back();
  std::size_t backslashes = 0;
  while (backslashes < line.size() && line[line.size() - 1 - backslashes] == '\\') ++backslashes;
  if (backslashes % 2 == 1) line.pop_back();
  return line;
}

// The one pass over the file: the nesting of components, and each event
// (in a calendar, or alone) handed to the library with its useful lines.
class EventSplitter {
 public:
  EventSplitter(int thisYear, ImportedItems& found) : thisYear_(thisYear), found_(found) {}

  // False when the components nest deeper than any real file.
  bool Read(std::string_view text) {
    ContentLines lines(text);
    while (lines.Next()) {
      const std::string& line = lines.Line();
      const std::string name = AsciiUpper(line.substr(0, line.find_first_of(";:")));
      const std::size_t colon = line.find(':');
      const std::string value =
          colon == std::string::npos
              ? std::string()
              : AsciiUpper(std::string(TrimWhitespace(std::string_view(line).substr(colon + 1))));
      if (name == "BEGIN") {
        if (!Begin(value)) return false;
      } else if (name == "END") {
        End(value);
      } else if (eventLevel_ != 0 && eventLevel_ == open_.size()) {
        Keep(name, line, lines.Overlong());
      }
    }
    if (eventLevel_ != 0) FinishEvent();  // a file cut short: its last event as far as it goes
    return true;
  }

 private:
  bool Begin(const std::string& kind) {
    if (open_.size() >= static_cast<std::size_t>(kMaxICalendarNesting)) return false;
    const bool inCalendars = std::all_of(open_.begin(), open_.end(),
                                         [](const std::string& k) { return k == "VCALENDAR"; });
    open_.push_back(kind);
    if (kind == "VEVENT" && inCalendars) {
      eventLevel_ = open_.size();
      event_ = "BEGIN:VEVENT\r\n";
      eventLines_ = 0;
    }
    return true;
  }

  // An END closes the innermost component of its kind and those inside it;
  // one that closes nothing is left out.
  void End(const std::string& kind) {
    const auto open = std::find(open_.rbegin(), open_.rend(), kind);
    if (open == open_.rend()) return;
    open_.resize(static_cast<std::size_t>(open_.rend() - open) - 1);
    if (eventLevel_ > open_.size()) FinishEvent();
  }

  void Keep(const std::string& name, const std::string& line, bool overlong) {
    static const char* const kUsed[] = {"DTSTART", "RRULE",      "SUMMARY",
                                        "STATUS",  "CATEGORIES", "RECURRENCE-ID"};
    if (std::none_of(std::begin(kUsed), std::end(kUsed),
                     [&](const char* used) { return name == used; }))
      return;
    if (eventLines_ == kMaxEventLines || (overlong && name != "SUMMARY")) return;
    event_ += overlong ? CutValueLine(line) : line;
    event_ += "\r\n";
    ++eventLines_;
  }

  void FinishEvent() {
    event_ += "END:VEVENT\r\n";
    eventLevel_ = 0;
    const Component event(icalparser_parse_string(event_.c_str()));
    if (event && icalcomponent_isa(event.get()) == ICAL_VEVENT_COMPONENT) {
      AddEvent(event.get(), thisYear_, found_);
    } else {
      ++found_.ignored;
    }
  }

  int thisYear_;
  ImportedItems& found_;
  std::vector<std::string> open_;  // the kinds of the open components, outermost first
  std::size_t eventLevel_ = 0;     // the nesting level of the open event; 0: none
  std::string event_;
  int eventLines_ = 0;
};

}  // namespace

int CurrentYear() {
  using namespace std::chrono;
  return static_cast<int>(year_month_day{floor<days>(system_clock::now())}.year());
}

bool LooksLikeICalendar(std::string_view bytes) {
  return FirstLineIs(bytes, "BEGIN:VCALENDAR");
}

std::optional<ImportedItems> ReadICalendarEvents(std::string_view bytes, int thisYear,
                                                 std::string& unreadable) {
  // A parse error is reported by the result, never by ending the process.
  icalerror_set_errors_are_fatal(0);
  const InputText text(bytes);
  ImportedItems found;
  found.ignoredOne = "evento ignorato perché non si ripete ogni anno nello stesso giorno";
  found.ignoredMany = "eventi ignorati perché non si ripetono ogni anno nello stesso giorno";
  EventSplitter events(thisYear, found);
  if (!events.Read(text.View())) {
    unreadable = "ha componenti annidati più di " + std::to_string(kMaxICalendarNesting) +
                 " livelli (BEGIN dentro BEGIN)";
    return std::nullopt;
  }
  return found;
}

std::optional<ImportedItems> ReadICalendarEvents(std::string_view bytes) {
  std::string unreadable;
  return ReadICalendarEvents(bytes, CurrentYear(), unreadable);
}

}  // namespace orvanta
