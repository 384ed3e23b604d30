// Any note and shift text through the iCalendar export: the file must be
// UTF-8 in lines of at most 75 octets, and the import must read every event
// back and give back each note as the editor would keep it.
#include <string>
#include <string_view>
#include <vector>

#include "almanac/ShiftCycle.h"
#include "app/core/export/ICalendar.h"
#include "app/core/export/YearFacts.h"
#include "app/core/notes/NotesEditing.h"
#include "app/import/ICalendarReader.h"
#include "base/Utf8.h"
#include "base/Windows1252.h"
#include "tests/fuzz/FuzzTargets.h"

namespace orvanta::fuzz {
namespace {

constexpr int kYear = 2013;

// One note a day from 1 January on, one per line of `text`, decoded as the
// notes reader decodes the file.
std::vector<NoteEntry> Notes(std::string_view text) {
  std::vector<NoteEntry> notes;
  const DayNumber first = MakeDayNumber(kYear, 1, 1).value();
  while (!text.empty() && notes.size() < 365) {
    const std::size_t end = text.find('\n');
    notes.push_back(
        {first + static_cast<DayNumber>(notes.size()), Windows1252ToUtf8(text.substr(0, end))});
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return notes;
}

void CheckLines(const std::string& text) {
  FUZZ_CHECK(IsValidUtf8(text));
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string_view line(text.data() + start, end - start);
    FUZZ_CHECK(line.size() <= kICalendarLineOctets);
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
  }
  FUZZ_CHECK(start == text.size());
}

}  // namespace

int FuzzICalendarExport(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = bytes.find('\0');
  const std::vector<NoteEntry> notes = Notes(bytes.substr(0, nul));
  const ShiftCycle shifts =
      ParseShiftCycle(nul == std::string_view::npos ? std::string_view() : bytes.substr(nul + 1));
  const std::vector<CalendarFact> facts = GatherYearFacts(kYear, CalendarOptions{}, notes, shifts);
  const std::string text = ICalendarText(kYear, facts, 0);
  CheckLines(text);

  const std::optional<ImportedItems> found = ReadICalendarEvents(text);
  FUZZ_CHECK(found.has_value());
  if (!found) return 0;
  FUZZ_CHECK(found->items.size() + static_cast<std::size_t>(found->ignored) == facts.size());
  std::size_t item = 0;
  for (const CalendarFact& fact : facts) {
    if (fact.kind != FactKind::PersonalNote) continue;
    FUZZ_CHECK(item < found->items.size());
    if (item >= found->items.size()) break;
    const ImportedItem& back = found->items[item++];
    const std::string note = CleanNoteText(fact.summary).text;
    // A note of blanks alone (a tab) is printed as it is, but is no note for
    // the editor: the import refuses it.
    FUZZ_CHECK(back.refusal.empty() == !note.empty());
    if (note.empty()) continue;
    FUZZ_CHECK(back.month == MonthOf(fact.day) && back.day == DayOfMonth(fact.day));
    FUZZ_CHECK(CleanNoteText(back.text).text == note);
  }
  FUZZ_CHECK(item == found->items.size());
  return 0;
}

}  // namespace orvanta::fuzz
