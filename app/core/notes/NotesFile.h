#pragma once
// The personal notes file "Notes.dat": one record per line, Windows-1252, CR LF,
// each record the DayNumber in decimal, a comma and the text in double quotes,
// for example 40607,"Compleanno di Anna". Texts are UTF-8 in memory.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/AlmanacYear.h"
#include "almanac/DayNumber.h"
#include "base/FileResult.h"

namespace orvanta {

// The notes editor keeps every date in this common year.
inline constexpr int kEditorYear = 2011;

// A longer line is unreadable (nobody writes a 4 KiB note by hand; it also
// bounds what one bad line can cost).
inline constexpr std::size_t kMaxNotesLineBytes = 4096;

// The editor keeps at most this much of the unreadable part of a file in memory.
inline constexpr std::size_t kMaxKeptNotesBytes = std::size_t{1024} * 1024;

// 31 December 9999: later numbers are not dates anyone writes into a notes file.
inline constexpr DayNumber kLastDayNumber = 2958465;

using NotesTable = std::vector<NoteEntry>;

// appFolder (with its trailing separator) + "Notes.dat".
std::string NotesFilePath(std::string_view appFolder);

// The notes of the file moved into `year`, in file order: reading stops at the
// first unreadable record (or a date that does not exist in `year`, such as
// 29 February in a common year) and after kMaxNotes entries. A missing or
// unreadable file gives an empty table. Texts are as read (not trimmed),
// decoded from Windows-1252 whatever the bytes look like.
[[nodiscard]] NotesTable LoadNotesForYear(const std::string& path, int year);
// The same reading of a file's bytes already in memory.
[[nodiscard]] NotesTable NotesForYear(std::string_view bytes, int year);

// No more of a file than this can hold what the calendar reads.
inline constexpr std::size_t kMaxPrintedNotesBytes = kMaxNotes * (kMaxNotesLineBytes + 2);

// What the notes editor reads: every readable record with its date moved into
// kEditorYear and its line as read, and every other line of the file (but
// blank ones), so that a rewrite can give all of it back.
struct NotesFileContents {
  // Ok also for a missing file (no notes yet). Otherwise the file is there but
  // could not be read (no permission, not a regular file, an I/O error): the
  // rest is empty and the file must not be changed.
  FileResult status;
  std::vector<NoteEntry> records;
  // The line of each record as read (Windows-1252 bytes, without line end).
  std::vector<std::string> recordLines;
  // The lines that are no record (or a 366th one), wherever they stand, in file order.
  std::vector<std::string> unreadableLines;
  // The unreadable part is longer than kMaxKeptNotesBytes and unreadableLines
  // holds only its beginning: rewriting would lose the rest.
  bool unreadableTruncated = false;

  bool HasUnreadable() const { return !unreadableLines.empty() || unreadableTruncated; }
  // Whether a rewrite from these contents can give back everything read.
  bool Rewritable() const { return status.Ok() && !unreadableTruncated; }
};

[[nodiscard]] NotesFileContents ReadNotesFile(const std::string& path);
// The same reading of a file's bytes (`path` names it in a failure).
[[nodiscard]] NotesFileContents ParseNotesFile(std::string_view bytes, const std::string& path);

// How far the composer's reader gets in a file (in a common year): the
// records it reads and the offset where it stops (the size when it reads
// to the end). A record added after that point would never be printed.
struct CalendarReach {
  std::size_t records = 0;
  std::size_t stopOffset = 0;
};
[[nodiscard]] CalendarReach ReachOfCalendar(std::string_view bytes);

// Whether `bytes` may be a notes file: empty or blank, or its first line a
// record (a text, a picture or an address book is none).
[[nodiscard]] bool LooksLikeNotesFile(std::string_view bytes);

// The line (without line end) that stands for one note in the file. Texts are
// made safe for the format: a double quote becomes an apostrophe, a comma "¸"
// (as the editor does while typing), control characters become spaces, and
// characters that Windows-1252 cannot hold become "?".
std::string FormatNoteRecord(DayNumber day, std::string_view text);

// Whether `line` (without line end) is a record the readers read: the number
// up to the comma, then the quoted text, with spaces around them at most.
bool IsExactNoteRecord(std::string_view line);

}  // namespace orvanta
