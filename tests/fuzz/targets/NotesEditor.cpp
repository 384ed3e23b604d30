// The notes editor's file cycle on arbitrary content: read, change one note,
// save, read again. Every note the save did not change must come back byte for
// byte, the changed one as formatted, every unreadable line unchanged; a note
// another window added meanwhile must survive the save; adding a note must
// leave every earlier line where it was.
#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>
#include <string_view>
#include <vector>

#include "app/core/notes/NotesFile.h"
#include "app/core/notes/NotesKeeper.h"
#include "base/FileReading.h"
#include "base/Text.h"
#include "tests/fuzz/FuzzTargets.h"

namespace orvanta::fuzz {
namespace {

void WriteWhole(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + path);
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n <= 0) {
      ::close(fd);
      throw std::runtime_error("cannot write " + path);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  ::close(fd);
}

// The text between the double quotes of a record line.
std::string_view QuotedText(std::string_view line) {
  const std::size_t open = line.find('"');
  const std::size_t close = line.rfind('"');
  if (open == std::string_view::npos || close <= open) return {};
  return line.substr(open + 1, close - open - 1);
}

void CheckContents(const NotesFileContents& contents) {
  FUZZ_CHECK(contents.status.Ok());  // a regular file of ours
  FUZZ_CHECK(contents.records.size() <= kMaxNotes);
  FUZZ_CHECK(contents.recordLines.size() == contents.records.size());
  for (std::size_t i = 0; i < contents.records.size() && i < contents.recordLines.size(); ++i) {
    const NoteEntry& record = contents.records[i];
    FUZZ_CHECK(YearOf(record.day) == kEditorYear);
    FUZZ_CHECK(IsValidUtf8(record.text));
    // Windows-1252, whatever the bytes look like: the text is its bytes.
    FUZZ_CHECK(Utf8ToWindows1252(record.text) == QuotedText(contents.recordLines[i]));
  }
  std::size_t kept = 0;
  for (const std::string& line : contents.unreadableLines) kept += line.size();
  FUZZ_CHECK(kept <= kMaxKeptNotesBytes);
}

// The notes as the editor hands them back when the user changed nothing.
std::vector<NoteToWrite> Unchanged(const NotesFileContents& contents) {
  std::vector<NoteToWrite> notes;
  for (std::size_t i = 0; i < contents.records.size(); ++i)
    notes.push_back({contents.records[i].day, contents.records[i].text, contents.recordLines[i]});
  return notes;
}

// Changes the note at `index` to `changed` and moves it last, as a save does;
// answers the record lines the file must then hold.
std::vector<std::string> ChangeOne(std::vector<NoteToWrite>& notes, std::size_t index,
                                   const NoteToWrite& changed) {
  notes.erase(notes.begin() + static_cast<std::ptrdiff_t>(index));
  notes.push_back(changed);
  std::vector<std::string> lines;
  for (const NoteToWrite& note : notes)
    lines.push_back(note.line.empty() ? FormatNoteRecord(note.day, note.text) : note.line);
  return lines;
}

void CheckChangeOne(const std::string& path, std::string_view bytes,
                    const NotesFileContents& first) {
  if (first.records.empty()) return;
  // The input picks the note, its new date in 2011 and up to 50 characters
  // of new text (as typed: any character, commas and quotes included).
  const std::size_t index = bytes.size() % first.records.size();
  const NoteToWrite changed{40544 + static_cast<DayNumber>(bytes.size() * 7 % 365),
                            Windows1252ToUtf8(bytes.substr(0, 50)),
                            {}};
  std::vector<NoteToWrite> notes = Unchanged(first);
  const std::vector<std::string> expected = ChangeOne(notes, index, changed);
  FUZZ_CHECK(RewriteNotesFile(path, notes, first));
  const NotesFileContents after = ReadNotesFile(path);
  CheckContents(after);
  FUZZ_CHECK(after.recordLines == expected);
  FUZZ_CHECK(after.records.size() == expected.size() && after.records.back().day == changed.day);
  FUZZ_CHECK(after.unreadableLines == first.unreadableLines);
}

// Another window appends a note between this window's read and its save.
void CheckAddedMeanwhile(const std::string& path, std::string_view bytes,
                         const NotesFileContents& first) {
  WriteWhole(path, bytes);
  const NoteEntry added{40600, "aggiunta"};  // 26 February 2011
  // A note the calendar would not print is not added.
  if (!AppendNoteRecord(path, added.day, added.text)) {
    FUZZ_CHECK(ReachOfCalendar(bytes).records >= kMaxNotes);
    return;
  }
  FUZZ_CHECK(RewriteNotesFile(path, Unchanged(first), first));
  const NotesFileContents after = ReadNotesFile(path);
  CheckContents(after);
  std::vector<std::string> lines = first.recordLines;
  lines.push_back(FormatNoteRecord(added.day, added.text));
  std::vector<std::string> unreadable = first.unreadableLines;
  if (lines.size() > kMaxNotes) {  // the 366th record opens the unreadable part
    unreadable.insert(unreadable.begin(), lines.back());
    lines.pop_back();
  }
  FUZZ_CHECK(after.recordLines == lines);
  FUZZ_CHECK(after.unreadableLines == unreadable);
}

// The new line goes where the calendar's reading stops, every other byte stays,
// and the calendar prints it; with no room left nothing changes.
void CheckAppend(const std::string& path, std::string_view bytes) {
  WriteWhole(path, bytes);
  const NoteEntry added{40600, "aggiunta"};
  const CalendarReach reach = ReachOfCalendar(bytes);
  const bool written = AppendNoteRecord(path, added.day, added.text);
  std::string now;
  FUZZ_CHECK(ReadBounded(path, bytes.size() + 64, now));
  if (reach.records >= kMaxNotes) {
    FUZZ_CHECK(!written && now == bytes);
    return;
  }
  FUZZ_CHECK(written);
  std::string line = FormatNoteRecord(added.day, added.text) + "\r\n";
  if (reach.stopOffset == bytes.size() && !bytes.empty() && bytes.back() != '\n')
    line.insert(0, bytes.back() == '\r' ? "\n" : "\r\n");
  std::string expected(bytes);
  expected.insert(reach.stopOffset, line);
  FUZZ_CHECK(now == expected);
  const NotesTable printed = LoadNotesForYear(path, 2013);
  FUZZ_CHECK(!printed.empty() && printed.back().text == added.text);
}

}  // namespace

int FuzzNotesEditor(const std::uint8_t* data, std::size_t size) {
  const std::string path = ScratchFolder() + "Notes.dat";
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  WriteWhole(path, bytes);

  const NotesFileContents first = ReadNotesFile(path);
  CheckContents(first);
  // What holds no notes is never changed.
  if (!LooksLikeNotesFile(bytes)) {
    FUZZ_CHECK(!RewriteNotesFile(path, Unchanged(first), first));
    FUZZ_CHECK(!AppendNoteRecord(path, 40600, "x"));
    return 0;
  }
  // A file whose unreadable part was cut short puts the editor in read-only
  // mode: nothing is ever rewritten, and a rewrite is refused.
  if (!first.Rewritable()) {
    FUZZ_CHECK(!RewriteNotesFile(path, Unchanged(first), first));
    return 0;
  }

  // Saved without a change: the same lines come back.
  FUZZ_CHECK(RewriteNotesFile(path, Unchanged(first), first));
  const NotesFileContents second = ReadNotesFile(path);
  CheckContents(second);
  FUZZ_CHECK(second.recordLines == first.recordLines);
  FUZZ_CHECK(second.unreadableLines == first.unreadableLines);

  CheckChangeOne(path, bytes, second);
  CheckAddedMeanwhile(path, bytes, first);
  CheckAppend(path, bytes);
  return 0;
}

}  // namespace orvanta::fuzz
