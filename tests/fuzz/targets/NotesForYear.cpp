// The composer's notes reader: whatever the file holds, the table has at most
// 365 entries of the calendar's year with UTF-8 texts, and the note of each day
// finds the first note of each day, trimmed, which the writer can print.
#include <ctime>
#include <string_view>

#include "almanac/AlmanacYear.h"
#include "app/core/notes/NotesFile.h"
#include "base/Text.h"
#include "pdf/clsPDFCreator.h"
#include "tests/fuzz/FuzzTargets.h"

namespace orvanta::fuzz {

int FuzzNotesForYear(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The years the command line accepts (the window's 1900-2013 among them).
  const int year = 1900 + data[0] % 201;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string path = MemoryFile(bytes);

  AlmanacYear almanac = PrepareAlmanacYear(year, false, true);
  almanac.NotesTable = LoadNotesForYear(path, year);
  FUZZ_CHECK(almanac.NotesTable.size() <= kMaxNotes);
  for (const NoteEntry& entry : almanac.NotesTable) {
    FUZZ_CHECK(YearOf(entry.day) == year);
    FUZZ_CHECK(IsValidUtf8(entry.text));
  }
  if (year == kEditorYear) {
    // The editor's reader runs the same loop but reads on over blank lines
    // and blanks around the parts, where the composer stops: the composer's
    // table is the beginning of the editor's records.
    const NotesFileContents contents = ReadNotesFile(path);
    FUZZ_CHECK(contents.records.size() >= almanac.NotesTable.size());
    for (std::size_t i = 0; i < almanac.NotesTable.size(); ++i) {
      FUZZ_CHECK(contents.records[i].day == almanac.NotesTable[i].day);
      FUZZ_CHECK(contents.records[i].text == almanac.NotesTable[i].text);
    }
  }

  clsPDFCreator writer;
  writer.SetMessageHandler([](const std::string&, const std::string&) {});
  writer.SetClock([] { return std::tm{}; });
  writer.ScaleMode(3);
  // A real file: the writer replaces its output atomically, which a device
  // such as /dev/null does not allow.
  std::string output = ScratchFolder() + "notes-for-year.pdf";
  FUZZ_CHECK(writer.InitPDFFile(output));
  writer.LoadFont("Fn4", "Arial", 2);
  writer.BeginPage();
  for (const NoteEntry& entry : almanac.NotesTable) {
    const std::string note = PersonalNoteOf(almanac, entry.day);
    // The first entry of a day wins, without surrounding spaces.
    const NoteEntry* first = &entry;
    for (const NoteEntry& other : almanac.NotesTable) {
      if (other.day == entry.day) {
        first = &other;
        break;
      }
    }
    FUZZ_CHECK(note == TrimSpaces(first->text));
    writer.DrawText(5, 20, note, "Fn4", 8);
    FUZZ_CHECK(writer.Length(note, "Fn4", 8) >= 0);
  }
  writer.EndPage();
  writer.ClosePDFFile();
  return 0;
}

}  // namespace orvanta::fuzz
