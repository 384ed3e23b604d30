#include "app/import/ICalendarReader.h"

#include <libical/ical.h>

#include <memory>
#include <string>

#include "almanac/Text.h"
#include "app/core/ICalendar.h"
#include "app/import/InputKind.h"
#include "base/AsciiCase.h"

namespace orvanta {
namespace {

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

bool HasYearlyRule(icalcomponent* event, const icaltimetype& start) {
  for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
       p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
    if (RepeatsYearlyOnItsDay(icalproperty_get_rrule(p), start)) return true;
  }
  return false;
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

bool ExistsInLeapYear(const icaltimetype& start) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return start.month >= 1 && start.month <= 12 && start.day >= 1 &&
         start.day <= kDays[start.month - 1];
}

void AddEvent(icalcomponent* event, ImportedItems& found) {
  icalproperty* dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
  const bool exception = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
  const bool cancelled = icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED;
  // The date as written: its own time zone's day (or the floating or UTC one).
  const icaltimetype start = dtstart ? icalproperty_get_dtstart(dtstart) : icaltime_null_time();
  if (exception || cancelled || !dtstart ||
      (!IsExportedNote(event) && !HasYearlyRule(event, start))) {
    ++found.ignored;
    return;
  }
  ImportedItem item;
  const char* summary = icalcomponent_get_summary(event);
  // The format is UTF-8; a file of another code page is most likely Windows-1252.
  item.text = DecodeUserText(summary ? summary : "");
  if (TrimWhitespace(item.text).empty()) {
    item.refusal = "evento senza titolo";
  } else if (!ExistsInLeapYear(start)) {
    item.refusal = "data d'inizio non valida";
  } else {
    item.month = start.month;
    item.day = start.day;
  }
  found.items.push_back(std::move(item));
}

// Every event of `component` and of the calendars inside it.
void AddEvents(icalcomponent* component, ImportedItems& found) {
  if (icalcomponent_isa(component) == ICAL_VEVENT_COMPONENT) {
    AddEvent(component, found);
    return;
  }
  for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
       c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
    const icalcomponent_kind kind = icalcomponent_isa(c);
    if (kind == ICAL_VEVENT_COMPONENT || kind == ICAL_VCALENDAR_COMPONENT) AddEvents(c, found);
  }
}

// `bytes` without the END lines that close nothing, which the parser would
// report on standard error (it cannot be told not to).
std::string WithoutStrayEnds(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  int depth = 0;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    const std::string_view line = bytes.substr(0, end == std::string_view::npos ? end : end + 1);
    bytes.remove_prefix(line.size());
    // The name, as the parser reads it: up to the parameters or the value.
    const std::string name = AsciiUpper(std::string(line.substr(0, line.find_first_of(";:"))));
    if (name == "BEGIN") ++depth;
    if (name == "END") {
      if (depth == 0) continue;  // closes nothing
      --depth;
    }
    text += line;
  }
  return text;
}

}  // namespace

bool LooksLikeICalendar(std::string_view bytes) {
  return FirstLineIs(bytes, "BEGIN:VCALENDAR");
}

std::optional<ImportedItems> ReadICalendarEvents(std::string_view bytes) {
  // A parse error is reported by the result, never by ending the process.
  icalerror_set_errors_are_fatal(0);
  const std::string text = WithoutStrayEnds(bytes);  // the parser wants a terminated string
  const Component root(icalparser_parse_string(text.c_str()));
  if (!root) return std::nullopt;
  ImportedItems found;
  found.ignoredOne = "evento ignorato perché non si ripete ogni anno nello stesso giorno";
  found.ignoredMany = "eventi ignorati perché non si ripetono ogni anno nello stesso giorno";
  AddEvents(root.get(), found);
  return found;
}

}  // namespace orvanta
