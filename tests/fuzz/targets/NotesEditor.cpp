// The notes editor's file cycle on arbitrary content: read, save back, read
// again. No record, no date and no unreadable line may be lost or changed on
// the way, and adding a note must leave every earlier line where it was.
#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>
#include <string_view>
#include <vector>

#include "almanac/Text.h"
#include "app/core/NotesFile.h"
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

void CheckContents(const NotesFileContents& contents) {
  FUZZ_CHECK(contents.records.size() <= kMaxNotes);
  for (const NoteEntry& record : contents.records) {
    FUZZ_CHECK(YearOf(record.day) == kEditorYear);
    FUZZ_CHECK(IsValidUtf8(record.text));
  }
  std::size_t kept = 0;
  for (const std::string& line : contents.unreadableLines) kept += line.size();
  FUZZ_CHECK(kept <= kMaxKeptNotesBytes);
}

// A record line whose Windows-1252 bytes also read as UTF-8 (say "Ã¨", which
// is "è" in UTF-8) is taken as UTF-8 the next time: its text is not expected
// to come back unchanged.
bool ReadsBackAsTheSameText(std::string_view line) {
  bool nonAscii = false;
  for (const char c : line) nonAscii = nonAscii || static_cast<unsigned char>(c) >= 0x80;
  return !nonAscii || !IsValidUtf8(line);
}

void CheckSameNotes(const NotesFileContents& before, const NotesFileContents& after) {
  FUZZ_CHECK(after.records.size() == before.records.size());
  for (std::size_t i = 0; i < before.records.size() && i < after.records.size(); ++i) {
    const NoteEntry& was = before.records[i];
    const NoteEntry& is = after.records[i];
    FUZZ_CHECK(is.day == was.day);
    const std::string line = FormatNoteRecord(was.day, was.text);
    if (ReadsBackAsTheSameText(line)) FUZZ_CHECK(FormatNoteRecord(is.day, is.text) == line);
  }
  FUZZ_CHECK(after.unreadableLines == before.unreadableLines);
  FUZZ_CHECK(after.unreadableTruncated == before.unreadableTruncated);
}

}  // namespace

int FuzzNotesEditor(const std::uint8_t* data, std::size_t size) {
  const std::string path = ScratchFolder() + "Notes.dat";
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  WriteWhole(path, bytes);

  const NotesFileContents first = ReadNotesFile(path);
  CheckContents(first);
  // A file whose unreadable part was cut short puts the editor in read-only
  // mode: nothing is ever rewritten.
  if (first.unreadableTruncated) return 0;

  FUZZ_CHECK(RewriteNotesFile(path, first.records, first.unreadableLines));
  const NotesFileContents second = ReadNotesFile(path);
  CheckContents(second);
  CheckSameNotes(first, second);

  // Adding a note to the original file keeps everything that was there.
  WriteWhole(path, bytes);
  const NoteEntry added{40600, "aggiunta"};  // 26 February 2011
  FUZZ_CHECK(AppendNoteRecord(path, added.day, added.text));
  const NotesFileContents third = ReadNotesFile(path);
  CheckContents(third);
  if (first.HasUnreadable()) {
    // The new line lands after the unreadable part: kept as its last line.
    FUZZ_CHECK(third.records.size() == first.records.size());
    if (!third.unreadableTruncated) {
      std::vector<std::string> expected = first.unreadableLines;
      expected.push_back(FormatNoteRecord(added.day, added.text));
      FUZZ_CHECK(third.unreadableLines == expected);
    }
  } else if (first.records.size() < kMaxNotes) {
    FUZZ_CHECK(third.records.size() == first.records.size() + 1);
    FUZZ_CHECK(third.records.size() == 0 || third.records.back().day == added.day);
    FUZZ_CHECK(!third.HasUnreadable());
  }
  return 0;
}

}  // namespace orvanta::fuzz
