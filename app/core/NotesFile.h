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
#include "base/AtomicFile.h"
#include "base/FileResult.h"

namespace orvanta {

// The notes editor keeps every date in this common year.
inline constexpr int kEditorYear = 2011;

// A longer line is unreadable (nobody writes a 4 KiB note by hand; it also
// bounds what one bad line can cost).
inline constexpr std::size_t kMaxNotesLineBytes = 4096;

// The editor keeps at most this much of the unreadable part of a file in memory.
inline constexpr std::size_t kMaxKeptNotesBytes = std::size_t{1024} * 1024;

using NotesTable = std::vector<NoteEntry>;

// appFolder (with its trailing separator) + "Notes.dat".
std::string NotesFilePath(std::string_view appFolder);

// The notes of the file moved into `year`, in file order: reading stops at the
// first unreadable record (or a date that does not exist in `year`, such as
// 29 February in a common year) and after kMaxNotes entries. A missing or
// unreadable file gives an empty table. Texts are as read (not trimmed),
// decoded from Windows-1252 whatever the bytes look like.
[[nodiscard]] NotesTable LoadNotesForYear(const std::string& path, int year);

// What the notes editor reads: the readable records with their dates moved into
// kEditorYear, each with its line as read, and everything from the first
// unreadable record on, so that a rewrite can give all of it back.
struct NotesFileContents {
  // Ok also for a missing file (no notes yet). Otherwise the file is there but
  // could not be read (no permission, not a regular file, an I/O error): the
  // rest is empty and the file must not be changed.
  FileResult status;
  std::vector<NoteEntry> records;
  // The line of each record as read (Windows-1252 bytes, without line end).
  std::vector<std::string> recordLines;
  // The raw lines from the first unreadable record to the end of the file.
  std::vector<std::string> unreadableLines;
  // The unreadable part is longer than kMaxKeptNotesBytes and unreadableLines
  // holds only its beginning: rewriting would lose the rest.
  bool unreadableTruncated = false;

  bool HasUnreadable() const { return !unreadableLines.empty() || unreadableTruncated; }
  // Whether a rewrite from these contents can give back everything read.
  bool Rewritable() const { return status.Ok() && !unreadableTruncated; }
};

[[nodiscard]] NotesFileContents ReadNotesFile(const std::string& path);

// One note for RewriteNotesFile. A note the user did not change carries its
// line as read and is written back byte for byte; a new or changed one has an
// empty `line` and is formatted from day and text.
struct NoteToWrite {
  DayNumber day = 0;
  std::string text;  // UTF-8
  std::string line;  // as read, Windows-1252 bytes without line end
};

// The system calls the two writers use; tests replace them to simulate a full
// disk or a failing rename.
using NotesFileIo = FileSystemHooks;

// Appends one record line, creating the file (readable by the user alone)
// when missing. The file is replaced whole, as RewriteNotesFile does, so
// either the whole line reaches it or it is left as it was, with what the
// owner set on it; a file we cannot read is not touched. A file whose last line lacks its line end
// gets one first, so the two records stay apart. Answers whether the record was written.
[[nodiscard]] bool AppendNoteRecord(const std::string& path, DayNumber day, std::string_view text,
                                    const NotesFileIo& io = {});

// Adds `records` (UTF-8 texts, formatted as FormatNoteRecord does) in one
// replacement of the file, as AppendNoteRecord does for one. Every byte of
// the file stays as it is; the new lines go after the last record the
// calendar reads, so before a line it stops at and the lines after it, which
// would hide them. A failure leaves the file as it was.
[[nodiscard]] FileResult InsertNoteRecords(const std::string& path,
                                           const std::vector<NoteEntry>& records,
                                           const NotesFileIo& io = {});

// Replaces the file by the lines of `notes` (in the given order), then every
// line that is in the file now but was not when `asRead` was read (added
// meanwhile by another window), then the unreadable lines of `asRead` byte for
// byte. The new content is written beside the old file and renamed over it
// (keeping its group, permissions, ACL and extended attributes; a new file is
// the user's alone, 0600; a file with other hard links is refused),
// so a crash, a kill or a full disk leaves either the old or the new complete
// file; leftovers of killed saves go. Refuses contents that cannot be given
// back whole and a file that cannot be read again. Answers whether the file
// was replaced.
[[nodiscard]] bool RewriteNotesFile(const std::string& path, const std::vector<NoteToWrite>& notes,
                                    const NotesFileContents& asRead, const NotesFileIo& io = {});

// True when the file exists and cannot be rewritten: a file that is merely not
// writable for us is made writable (u+w) first, but one we cannot read keeps
// its permissions. A file in a folder where we cannot create files, or one of
// another user, also counts as read-only, because RewriteNotesFile replaces
// the file by a new one of ours.
[[nodiscard]] bool IsNotesFileReadOnly(const std::string& path);

// The line (without line end) that stands for one note in the file. Texts are
// made safe for the format: a double quote becomes an apostrophe, a comma "¸"
// (as the editor does while typing), control characters become spaces, and
// characters that Windows-1252 cannot hold become "?".
std::string FormatNoteRecord(DayNumber day, std::string_view text);

// Whether `line` (without line end) is a record in the file's exact format,
// the one the composer's reader requires.
bool IsExactNoteRecord(std::string_view line);

}  // namespace orvanta
