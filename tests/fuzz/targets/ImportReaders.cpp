// The import's readers on arbitrary files: whatever they find must come out
// of the merge as notes the calendar and the editor read, one per day, and a
// report of printable lines.
#include <set>
#include <string>
#include <string_view>

#include "almanac/DayNumber.h"
#include "app/core/notes/NotesEditing.h"
#include "app/core/notes/NotesFile.h"
#include "app/import/ICalendarReader.h"
#include "app/import/NotesMerge.h"
#include "app/import/VCardReader.h"
#include "base/Utf8.h"
#include "base/Windows1252.h"
#include "tests/fuzz/FuzzTargets.h"

namespace orvanta::fuzz {
namespace {

bool Printable(std::string_view line) {
  if (!IsValidUtf8(line)) return false;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return line.find("\xC2\x9B") == std::string_view::npos;  // CSI
}

void CheckMerged(const ImportedItems& found) {
  for (const ImportedItem& item : found.items) {
    FUZZ_CHECK(IsValidUtf8(item.text) && IsValidUtf8(item.refusal));
    if (item.refusal.empty()) FUZZ_CHECK(item.month >= 1 && item.month <= 12 && item.day >= 1);
  }
  const NotesMerge merge = MergeImportedNotes({{40617, "Compleanno di Zia"}}, {{"f", found}});
  std::set<DayNumber> days = {40617};
  for (const NoteEntry& note : merge.added) {
    FUZZ_CHECK(days.insert(note.day).second);  // one note a day, none on the existing one
    FUZZ_CHECK(YearOf(note.day) == kEditorYear);
    const std::string bytes = Utf8ToWindows1252(note.text);
    FUZZ_CHECK(!bytes.empty() && bytes.size() <= kMaxNoteCharacters);
    FUZZ_CHECK(Windows1252ToUtf8(bytes) == note.text);  // nothing lost on the way to the file
    FUZZ_CHECK(IsExactNoteRecord(FormatNoteRecord(note.day, note.text)));
    FUZZ_CHECK(FormatNoteRecord(note.day, note.text) ==
               std::to_string(note.day) + ",\"" + bytes + "\"");  // nothing left to replace
  }
  FUZZ_CHECK(merge.addedItems + merge.presentItems + merge.skippedItems ==
             static_cast<int>(found.items.size()) + found.ignored);
  for (const std::string& line : merge.report) FUZZ_CHECK(Printable(line));
}

}  // namespace

int FuzzVCardReader(const std::uint8_t* data, std::size_t size) {
  CheckMerged(ReadVCards(std::string_view(reinterpret_cast<const char*>(data), size)));
  return 0;
}

int FuzzICalendarReader(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const std::optional<ImportedItems> found = ReadICalendarEvents(bytes)) CheckMerged(*found);
  return 0;
}

}  // namespace orvanta::fuzz
