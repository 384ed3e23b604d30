#pragma once
// The one writer of a notes file. Every change (the editor's new, changed or
// deleted note, the import's new records) is one transaction: the folder of
// the file is locked (a second writer waits a few seconds, then hears the
// file is busy), the file is read as it is now, the change is applied to
// that, and the result replaces the file whole. So whoever writes second sees
// what the first wrote, and what the change does not touch stays byte for
// byte. Before anything is written the keeper makes sure of the target: a
// symbolic link of another user is not followed, and a file that holds
// something else than notes is not changed.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/DayNumber.h"
#include "app/core/notes/NotesFile.h"
#include "base/AtomicFile.h"
#include "base/FileResult.h"

namespace orvanta {

// The system calls the writes go through; tests replace them to simulate a
// full disk or a failing rename.
using NotesFileIo = FileSystemHooks;

// How long a change waits for another one to finish.
inline constexpr int kNotesLockPatienceMs = 5000;

enum class NotesChange {
  Written,    // the file holds the change
  Unchanged,  // nothing to write (the change was already there)
  DateTaken,  // the file now has a note on that day
  NoteGone,   // the note to change or delete is no longer in the file
  Full,       // the calendar would not print one more note
  Cancelled,  // the caller withdrew the change before it was committed
  Failed,     // the file could not be read, used or written: see `file`
};

struct NotesChangeResult {
  NotesChange change = NotesChange::Unchanged;
  FileResult file;  // for Failed: what went wrong

  [[nodiscard]] bool Ok() const {
    return change == NotesChange::Written || change == NotesChange::Unchanged;
  }
};

// A note of the file as the editor listed it: its day and its line as read.
struct KnownNote {
  DayNumber day = 0;
  std::string line;  // Windows-1252 bytes without line end
};

// One note for RewriteNotesFile. A note the user did not change carries its
// line as read and is written back byte for byte; a new or changed one has an
// empty `line` and is formatted from day and text.
struct NoteToWrite {
  DayNumber day = 0;
  std::string text;  // UTF-8
  std::string line;  // as read, Windows-1252 bytes without line end
};

class NotesKeeper {
 public:
  explicit NotesKeeper(std::string path, NotesFileIo io = {})
      : path_(std::move(path)), io_(std::move(io)) {}

  // The editor's changes. Each file's other notes are written sorted by date,
  // the new or changed note after them and the lines no reader can read last.
  [[nodiscard]] NotesChangeResult Add(DayNumber day, std::string_view text) const;
  [[nodiscard]] NotesChangeResult Replace(const KnownNote& old, DayNumber day,
                                          std::string_view text) const;
  [[nodiscard]] NotesChangeResult Remove(const KnownNote& old) const;

  // Picks the records to add given the file as it is now and how many more
  // notes the calendar prints (at most kMaxNotes in all).
  using Chooser =
      std::function<std::vector<NoteEntry>(const NotesFileContents& now, std::size_t room)>;
  // Runs when the new file is complete, before it takes the file's name:
  // false withdraws the change (the file stays as it was).
  using Confirmation = std::function<bool()>;
  // Adds records without touching a byte of the file: they go after the last
  // record the calendar reads, before a line it stops at.
  [[nodiscard]] NotesChangeResult Insert(const Chooser& choose,
                                         const Confirmation& confirm = {}) const;

  // The checks a change makes before writing and the file as it is now, with
  // the room the calendar has left, without a lock and without changing
  // anything: what a dry run reports and what puts the editor into read-only mode.
  [[nodiscard]] FileResult Inspect(NotesFileContents& now, std::size_t& room) const;

 private:
  friend bool RewriteNotesFile(const std::string&, const std::vector<NoteToWrite>&,
                               const NotesFileContents&, const NotesFileIo&);

  // A new content for the file as it is now (`bytes`, read as `now`), or
  // none with the reason in `change`.
  struct Draft {
    NotesChange change = NotesChange::Written;
    std::string content;
  };
  using Edit = std::function<Draft(const NotesFileContents& now, const std::string& bytes)>;
  [[nodiscard]] NotesChangeResult Transaction(const Edit& edit,
                                              const Confirmation& confirm = {}) const;

  std::string path_;
  NotesFileIo io_;
};

// True when the file exists and cannot be rewritten: a file that is merely not
// writable for us is made writable (u+w) first, but one we cannot read keeps
// its permissions. A file in a folder where we cannot create files, one of
// another user, one reached through another user's link and one that holds
// no notes also count as read-only, because a change replaces the file by a
// new one of ours.
[[nodiscard]] bool IsNotesFileReadOnly(const std::string& path);

// The older whole-file operations, each one transaction of the keeper.
// Appends one record (creating the file, readable by the user alone, when missing).
[[nodiscard]] bool AppendNoteRecord(const std::string& path, DayNumber day, std::string_view text,
                                    const NotesFileIo& io = {});
// Adds `records` as NotesKeeper::Insert does; Full when they would not all be printed.
[[nodiscard]] FileResult InsertNoteRecords(const std::string& path,
                                           const std::vector<NoteEntry>& records,
                                           const NotesFileIo& io = {});

// Replaces the file by the lines of `notes` (in the given order), then every
// line that is in the file now but was not when `asRead` was read (added
// meanwhile), then the unreadable lines of `asRead` byte for byte. Refuses
// contents that cannot be given back whole. Answers whether the file was replaced.
[[nodiscard]] bool RewriteNotesFile(const std::string& path, const std::vector<NoteToWrite>& notes,
                                    const NotesFileContents& asRead, const NotesFileIo& io = {});

}  // namespace orvanta
