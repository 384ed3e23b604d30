#pragma once
// The personal notes file "Notes.dat": one record per line, Windows-1252, CR LF,
// each record the DayNumber in decimal, a comma and the text in double quotes,
// for example 40607,"Compleanno di Anna". Texts are UTF-8 in memory.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/AlmanacYear.h"
#include "almanac/DayNumber.h"

namespace orvanta {

// The notes editor keeps every date in this common year.
inline constexpr int kEditorYear = 2011;

// A longer line is unreadable (nobody writes a 4 KiB note by hand; it also
// bounds what one bad line can cost).
inline constexpr std::size_t kMaxNotesLineBytes = 4096;

// The editor keeps at most this much of the unreadable part of a file in memory.
inline constexpr std::size_t kMaxKeptNotesBytes = 1024 * 1024;

using NotesTable = std::vector<NoteEntry>;

// appFolder (with its trailing separator) + "Notes.dat".
std::string NotesFilePath(std::string_view appFolder);

// The notes of the file moved into `year`, in file order: reading stops at the
// first unreadable record (or a date that does not exist in `year`, such as
// 29 February in a common year) and after kMaxNotes entries. A missing file
// gives an empty table. Texts are as read (not trimmed), in UTF-8; a line that
// is valid UTF-8 is taken as such, anything else as Windows-1252.
NotesTable LoadNotesForYear(const std::string& path, int year);

// What the notes editor reads: the readable records with their dates moved into
// kEditorYear, and everything from the first unreadable record on, so that the
// editor can warn about it and hand it back to RewriteNotesFile.
struct NotesFileContents {
  std::vector<NoteEntry> records;
  // The raw lines (Windows-1252 bytes, without line ends) from the first
  // unreadable record to the end of the file.
  std::vector<std::string> unreadableLines;
  // The unreadable part is longer than kMaxKeptNotesBytes and unreadableLines
  // holds only its beginning: rewriting would lose the rest, so the editor must
  // treat the file as read-only.
  bool unreadableTruncated = false;

  bool HasUnreadable() const { return !unreadableLines.empty() || unreadableTruncated; }
};

NotesFileContents ReadNotesFile(const std::string& path);

// The system calls the two writers use; tests replace them to simulate a full
// disk or a failing rename. Empty members mean the real ::write and ::rename.
struct NotesFileIo {
  std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
  std::function<int(const char* from, const char* to)> rename;
};

// Appends one record line, creating the file when missing. Either the whole
// line reaches the file or the file is left as it was. A file whose last line
// lacks its line end gets one first, so the two records stay apart. Answers
// whether the record was written.
bool AppendNoteRecord(const std::string& path, DayNumber day, std::string_view text,
                      const NotesFileIo& io = {});

// Replaces the file by one record line per entry of `records` (in the given
// order) followed by `keptLines` written back byte for byte. The new content is
// written to a file beside the old one and renamed over it, so a crash, a kill
// or a full disk leaves either the old or the new complete file. Answers whether
// the file was replaced.
bool RewriteNotesFile(const std::string& path, const std::vector<NoteEntry>& records,
                      const std::vector<std::string>& keptLines, const NotesFileIo& io = {});

// True only when the file exists and cannot be changed: a file that is merely
// not writable for us is made writable (u+w) first. A file in a folder where we
// cannot create files also counts as read-only, because RewriteNotesFile needs
// to write its new file beside the old one.
bool IsNotesFileReadOnly(const std::string& path);

// The line (without line end) that stands for one note in the file. Texts are
// made safe for the format: a double quote becomes an apostrophe, a comma "¸"
// (as the editor does while typing), control characters become spaces, and
// characters that Windows-1252 cannot hold become "?".
std::string FormatNoteRecord(DayNumber day, std::string_view text);

}  // namespace orvanta
