#include "app/core/notes/NotesKeeper.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <map>
#include <memory>

#include "base/FileAccess.h"
#include "base/FileReading.h"
#include "base/FolderLock.h"
#include "base/Text.h"

namespace orvanta {
namespace {

// A file the editor may rewrite is at most 365 records of kMaxNotesLineBytes
// plus kMaxKeptNotesBytes; one far beyond that did not come from a few notes.
constexpr std::size_t kMaxNotesFileBytes = std::size_t{8} * 1024 * 1024;

bool IsValidDayNumber(DayNumber day) {
  return day >= 0 && day <= kLastDayNumber;
}

// The file as it is now; a missing file is empty.
FileResult ReadNow(const std::string& target, std::string& bytes) {
  bytes.clear();
  const FileResult read = ReadBounded(target, kMaxNotesFileBytes, bytes);
  return read || read.error == ENOENT ? FileResult::Success() : read;
}

// How many more notes the calendar prints.
std::size_t RoomLeft(const CalendarReach& reach) {
  return reach.records < kMaxNotes ? kMaxNotes - reach.records : 0;
}

NotesChangeResult Failed(FileResult file) {
  return {NotesChange::Failed, std::move(file)};
}

std::string WithLineEnd(std::string line) {
  return line + "\r\n";
}

// A record as the program writes it: its line when that has the exact form
// of the format (no blanks around the fields), else written anew.
std::string Canonical(const NoteEntry& record, const std::string& line) {
  const std::size_t quote = line.find('"');
  const bool exact = quote != std::string::npos && line.find(' ') > quote && line.front() != ' ' &&
                     line.back() == '"';
  return exact ? line : FormatNoteRecord(record.day, record.text);
}

// The records of `now` but the one at `skipped`, sorted by date, each as its
// line in the exact form.
std::string SortedRecords(const NotesFileContents& now, std::size_t skipped) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < now.records.size(); ++i) {
    if (i != skipped) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return now.records[a].day < now.records[b].day;
  });
  std::string content;
  for (const std::size_t i : order)
    content += WithLineEnd(Canonical(now.records[i], now.recordLines[i]));
  return content;
}

std::string UnreadableLines(const NotesFileContents& now) {
  std::string content;
  for (const std::string& line : now.unreadableLines) content += WithLineEnd(line);
  return content;
}

// The index of the record that has `line`, or kMaxNotes + 1 when none has.
std::size_t FindRecord(const NotesFileContents& now, const std::string& line) {
  const auto found = std::find(now.recordLines.begin(), now.recordLines.end(), line);
  return found == now.recordLines.end() ? kMaxNotes + 1
                                        : static_cast<std::size_t>(found - now.recordLines.begin());
}

bool DayTaken(const NotesFileContents& now, DayNumber day, std::size_t except) {
  for (std::size_t i = 0; i < now.records.size(); ++i) {
    if (i != except && now.records[i].day == day) return true;
  }
  return false;
}

// The non-blank lines of `now` that `before` does not hold (as many times as
// they are missing there), in the order of `now`.
std::vector<std::string> LinesAddedSince(const NotesFileContents& now,
                                         const NotesFileContents& before) {
  std::map<std::string_view, std::size_t> known;
  for (const std::string& line : before.recordLines) ++known[line];
  for (const std::string& line : before.unreadableLines) ++known[line];
  std::vector<std::string> added;
  for (const auto* lines : {&now.recordLines, &now.unreadableLines}) {
    for (const std::string& line : *lines) {
      const auto found = known.find(line);
      if (found != known.end() && found->second > 0) {
        --found->second;
      } else {
        added.push_back(line);
      }
    }
  }
  return added;
}

}  // namespace

FileResult NotesKeeper::Inspect(NotesFileContents& now, std::size_t& room) const {
  now = {};
  room = 0;
  std::string target;
  if (FileResult resolved = ResolveOwnLinks(path_, target); !resolved) return resolved;
  std::string bytes;
  if (FileResult read = ReadNow(target, bytes); !read) return read;
  if (!LooksLikeNotesFile(bytes)) return FileResult::Failure(FileStatus::UnexpectedContent, path_);
  now = ParseNotesFile(bytes, target);
  if (!now.status) return now.status;
  room = RoomLeft(ReachOfCalendar(bytes));
  return CheckReplaceable(target);
}

NotesChangeResult NotesKeeper::Transaction(const Edit& edit, const Confirmation& confirm) const {
  std::string target;
  if (FileResult resolved = ResolveOwnLinks(path_, target); !resolved) return Failed(resolved);
  FileDescriptor lock;
  const FileResult locked =
      LockFolder(FolderOfPath(target), std::chrono::milliseconds(kNotesLockPatienceMs), lock);
  if (!locked) return Failed(FileResult::Failure(locked.status, path_, locked.error));

  std::string bytes;
  if (FileResult read = ReadNow(target, bytes); !read) return Failed(read);
  if (!LooksLikeNotesFile(bytes))
    return Failed(FileResult::Failure(FileStatus::UnexpectedContent, path_));
  const NotesFileContents now = ParseNotesFile(bytes, target);
  if (!now.status) return Failed(now.status);
  if (!now.Rewritable()) return Failed(FileResult::TooLargeFile(path_, kMaxKeptNotesBytes));

  const Draft draft = edit(now, bytes);
  if (draft.change != NotesChange::Written) return {draft.change, {}};
  ReplaceOptions options;
  options.newFileMode = 0600;  // new notes are for the user's eyes only
  options.hooks = io_;
  std::unique_ptr<AtomicFile> file;
  if (FileResult created = AtomicFile::Create(target, file, options); !created)
    return Failed(created);
  if (FileResult written = file->Write(draft.content); !written) return Failed(written);
  if (confirm && !confirm()) return {NotesChange::Cancelled, {}};
  if (FileResult committed = file->Commit(); !committed) return Failed(committed);
  return {NotesChange::Written, {}};
}

NotesChangeResult NotesKeeper::Add(DayNumber day, std::string_view text) const {
  if (!IsValidDayNumber(day)) return Failed(FileResult::FromErrno(path_, EINVAL));
  return Transaction([&](const NotesFileContents& now, const std::string&) -> Draft {
    if (DayTaken(now, day, kMaxNotes + 1)) return {NotesChange::DateTaken, {}};
    if (now.records.size() >= kMaxNotes) return {NotesChange::Full, {}};
    return {NotesChange::Written, SortedRecords(now, kMaxNotes + 1) +
                                      WithLineEnd(FormatNoteRecord(day, text)) +
                                      UnreadableLines(now)};
  });
}

NotesChangeResult NotesKeeper::Replace(const KnownNote& old, DayNumber day,
                                       std::string_view text) const {
  if (!IsValidDayNumber(day)) return Failed(FileResult::FromErrno(path_, EINVAL));
  return Transaction([&](const NotesFileContents& now, const std::string&) -> Draft {
    const std::size_t at = FindRecord(now, old.line);
    if (at > kMaxNotes) return {NotesChange::NoteGone, {}};
    if (DayTaken(now, day, at)) return {NotesChange::DateTaken, {}};
    // Saved without a change: the note goes back as it was read.
    const bool same =
        now.records[at].day == day && TrimWhitespace(now.records[at].text) == TrimWhitespace(text);
    const std::string line =
        same ? Canonical(now.records[at], old.line) : FormatNoteRecord(day, text);
    return {NotesChange::Written,
            SortedRecords(now, at) + WithLineEnd(line) + UnreadableLines(now)};
  });
}

NotesChangeResult NotesKeeper::Remove(const KnownNote& old) const {
  return Transaction([&](const NotesFileContents& now, const std::string&) -> Draft {
    const std::size_t at = FindRecord(now, old.line);
    if (at > kMaxNotes) return {NotesChange::Unchanged, {}};  // gone already
    return {NotesChange::Written, SortedRecords(now, at) + UnreadableLines(now)};
  });
}

NotesChangeResult NotesKeeper::Insert(const Chooser& choose, const Confirmation& confirm) const {
  return Transaction(
      [&](const NotesFileContents& now, const std::string& bytes) -> Draft {
        const CalendarReach reach = ReachOfCalendar(bytes);
        const std::size_t room = RoomLeft(reach);
        const std::vector<NoteEntry> records = choose(now, room);
        if (records.empty()) return {NotesChange::Unchanged, {}};
        if (records.size() > room) return {NotesChange::Full, {}};
        std::string lines;
        // A last line without its line end (a lone CR lacks only the LF) stays apart.
        const std::size_t at = reach.stopOffset;
        if (at == bytes.size() && at > 0 && bytes.back() != '\n')
          lines += bytes.back() == '\r' ? "\n" : "\r\n";
        for (const NoteEntry& record : records) {
          if (!IsValidDayNumber(record.day)) return {NotesChange::Failed, {}};
          lines += WithLineEnd(FormatNoteRecord(record.day, record.text));
        }
        std::string content = bytes;
        content.insert(at, lines);
        return {NotesChange::Written, std::move(content)};
      },
      confirm);
}

bool IsNotesFileReadOnly(const std::string& path) {
  std::string target;
  if (!ResolveOwnLinks(path, target)) return true;
  switch (ReplaceableFile(target)) {
    case Replaceable::Missing:
      return false;
    case Replaceable::No:
      return true;
    case Replaceable::Yes:
      break;
  }
  NotesFileContents now;
  std::size_t room = 0;
  if (!NotesKeeper(path).Inspect(now, room)) return true;
  return !FolderWritable(FolderOfPath(target));
}

bool AppendNoteRecord(const std::string& path, DayNumber day, std::string_view text,
                      const NotesFileIo& io) {
  return InsertNoteRecords(path, {{day, std::string(text)}}, io).Ok();
}

FileResult InsertNoteRecords(const std::string& path, const std::vector<NoteEntry>& records,
                             const NotesFileIo& io) {
  const NotesChangeResult result =
      NotesKeeper(path, io).Insert([&](const NotesFileContents&, std::size_t) { return records; });
  if (result.change == NotesChange::Full) return FileResult::FromErrno(path, ENOSPC);
  if (result.change == NotesChange::Failed && result.file.Ok())
    return FileResult::FromErrno(path, EINVAL);
  return result.file;
}

bool RewriteNotesFile(const std::string& path, const std::vector<NoteToWrite>& notes,
                      const NotesFileContents& asRead, const NotesFileIo& io) {
  if (!asRead.Rewritable()) return false;
  std::string content;
  for (const NoteToWrite& note : notes) {
    if (note.line.empty()) {
      if (!IsValidDayNumber(note.day)) return false;
      content += WithLineEnd(FormatNoteRecord(note.day, note.text));
    } else {
      if (note.line.find('\n') != std::string::npos) return false;
      content += WithLineEnd(note.line);
    }
  }
  const NotesChangeResult result =
      NotesKeeper(path, io).Transaction([&](const NotesFileContents& now, const std::string&) {
        // Another window may have added notes since `asRead` was read.
        std::string all = content;
        for (const std::string& line : LinesAddedSince(now, asRead)) all += WithLineEnd(line);
        return NotesKeeper::Draft{NotesChange::Written, all + UnreadableLines(asRead)};
      });
  return result.change == NotesChange::Written;
}

}  // namespace orvanta
