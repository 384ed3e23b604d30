#include "app/core/export/ICalendar.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <map>
#include <utility>

#include "base/Utf8.h"

namespace orvanta {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

void AppendEscaped(std::string& out, char c) {
  switch (c) {
    case '\\':
      out += "\\\\";
      break;
    case ';':
      out += "\\;";
      break;
    case ',':
      out += "\\,";
      break;
    case '\n':
      out += "\\n";
      break;
    default: {
      const auto byte = static_cast<unsigned char>(c);
      out += (byte < 0x20 && c != '\t') || byte == 0x7F ? ' ' : c;
    }
  }
}

// `digits` decimal digits of `value`, zeros in front.
void AppendNumber(std::string& out, long value, int digits) {
  char buffer[24];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  const auto length = static_cast<int>(end - buffer);
  if (error == std::errc() && length < digits)
    out.append(static_cast<std::size_t>(digits - length), '0');
  out.append(buffer, end);
}

std::string DateValue(DayNumber day) {
  const CivilDate date = DateOf(day);
  std::string text;
  AppendNumber(text, date.Year, 4);
  AppendNumber(text, date.Month, 2);
  AppendNumber(text, date.Day, 2);
  return text;
}

std::string UtcStamp(std::time_t stamp) {
  using namespace std::chrono;
  const sys_seconds time{seconds{stamp}};
  const sys_days day = floor<days>(time);
  const hh_mm_ss clock{time - day};
  std::string text = DateValue(ToDayNumber(day)) + "T";
  AppendNumber(text, clock.hours().count(), 2);
  AppendNumber(text, clock.minutes().count(), 2);
  AppendNumber(text, clock.seconds().count(), 2);
  return text + "Z";
}

const char* UidKind(FactKind kind) {
  switch (kind) {
    case FactKind::Holiday:
      return "festivita";
    case FactKind::Observance:
      return "ricorrenza-civile";
    case FactKind::ChurchFeast:
      return "ricorrenza-religiosa";
    case FactKind::MoonPhase:
      return "luna";
    case FactKind::SummerTime:
      return "ora-legale";
    case FactKind::Commemoration:
      return "ricorrenza";
    case FactKind::PersonalNote:
      return "nota-personale";
    case FactKind::Shift:
      return "turno";
  }
  return "fatto";
}

void AppendLine(std::string& out, std::string_view line) {
  out += FoldICalendarLine(line);
}

void AppendEvent(std::string& out, int year, const CalendarFact& fact, int occurrence,
                 const std::string& stamp) {
  AppendLine(out, "BEGIN:VEVENT");
  AppendLine(out, "UID:" + ICalendarUid(year, fact.kind, fact.day, occurrence));
  AppendLine(out, "DTSTAMP:" + stamp);
  AppendLine(out, "DTSTART;VALUE=DATE:" + DateValue(fact.day));
  AppendLine(out, "DTEND;VALUE=DATE:" + DateValue(fact.day + 1));
  if (fact.repeatDays > 0) {
    std::string rule = "RRULE:FREQ=DAILY;INTERVAL=";
    AppendNumber(rule, fact.repeatDays, 1);
    rule += ";UNTIL=";
    AppendNumber(rule, year, 4);
    AppendLine(out, rule + "1231");
  }
  AppendLine(out, "SUMMARY:" + EscapeICalendarText(fact.summary));
  AppendLine(out, "CATEGORIES:" + EscapeICalendarText(ICalendarCategory(fact.kind)));
  // The day the page prints red (RFC 7986 colour), for clients that colour.
  if (fact.red) AppendLine(out, "COLOR:red");
  AppendLine(out, "TRANSP:TRANSPARENT");  // a holiday does not make the user busy
  AppendLine(out, "END:VEVENT");
}

}  // namespace

std::string EscapeICalendarText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      // A CR LF pair is one line break.
      if (lead != '\r' || i + 1 >= text.size() || text[i + 1] != '\n')
        AppendEscaped(out, lead == '\r' ? '\n' : text[i]);
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      out += kReplacement;
      ++i;
      continue;
    }
    const std::string_view character = text.substr(i, length);
    // C1 control characters (U+0080..U+009F) are no text either.
    const bool c1 = lead == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0;
    out += c1 ? std::string_view(" ") : character;
    i += length;
  }
  return out;
}

std::string FoldICalendarLine(std::string_view line) {
  std::string out;
  out.reserve(line.size() + line.size() / 64 * 3 + 2);
  std::size_t lineOctets = 0;
  for (std::size_t i = 0; i < line.size();) {
    std::size_t length = 1;
    while (i + length < line.size() && IsUtf8Continuation(line[i + length])) ++length;
    if (lineOctets + length > kICalendarLineOctets) {
      out += "\r\n ";
      lineOctets = 1;
    }
    out.append(line.substr(i, length));
    lineOctets += length;
    i += length;
  }
  out += "\r\n";
  return out;
}

const char* ICalendarCategory(FactKind kind) {
  switch (kind) {
    case FactKind::Holiday:
      return "festività";
    case FactKind::Observance:
      return "ricorrenza civile";
    case FactKind::ChurchFeast:
      return "ricorrenza religiosa";
    case FactKind::MoonPhase:
      return "luna";
    case FactKind::SummerTime:
      return "ora legale";
    case FactKind::Commemoration:
      return "ricorrenza";
    case FactKind::PersonalNote:
      return "nota personale";
    case FactKind::Shift:
      return "turno";
  }
  return "";
}

std::string ICalendarUid(int year, FactKind kind, DayNumber day, int occurrence) {
  std::string uid;
  AppendNumber(uid, year, 4);
  uid += std::string("-") + UidKind(kind) + "-" + DateValue(day);
  if (occurrence > 1) {
    uid += "-";
    AppendNumber(uid, occurrence, 1);
  }
  return uid + "@orvanta";
}

std::string ICalendarText(int year, const std::vector<CalendarFact>& facts, std::time_t stamp) {
  std::string out;
  out.reserve(facts.size() * 260 + 256);
  AppendLine(out, "BEGIN:VCALENDAR");
  AppendLine(out, "VERSION:2.0");
  AppendLine(out, "PRODID:-//Orvanta//Calendario da parete//IT");
  AppendLine(out, "CALSCALE:GREGORIAN");
  std::string name = "X-WR-CALNAME:Orvanta ";
  AppendNumber(name, year, 4);
  AppendLine(out, name);
  const std::string stampText = UtcStamp(stamp);
  // A second fact of one kind on one day (two moon phases, two footnotes)
  // needs a UID of its own.
  std::map<std::pair<DayNumber, FactKind>, int> seen;
  for (const CalendarFact& fact : facts) {
    AppendEvent(out, year, fact, ++seen[{fact.day, fact.kind}], stampText);
  }
  AppendLine(out, "END:VCALENDAR");
  return out;
}

}  // namespace orvanta
