#include "app/core/NotesFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>

#include "almanac/Text.h"
#include "app/core/FileNames.h"
#include "base/FileDescriptor.h"
#include "base/FileReading.h"
#include "base/Windows1252.h"

namespace orvanta {
namespace {

// 31 December 9999: later numbers are not dates anyone writes into a notes file.
constexpr DayNumber kLastDayNumber = 2958465;

// A rewrite reads the file again first; a file the editor may rewrite is at
// most 365 records of kMaxNotesLineBytes plus kMaxKeptNotesBytes, and one
// far beyond that did not come from a few notes added meanwhile.
constexpr std::size_t kMaxRereadBytes = std::size_t{8} * 1024 * 1024;

bool IsValidDayNumber(DayNumber day) {
  return day >= 0 && day <= kLastDayNumber;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A regular file opened for reading, or null with the reason in `result`.
FilePtr OpenNotesFile(const std::string& path, FileResult& result) {
  FileDescriptor fd = OpenForReading(path, result);
  if (!fd.IsOpen()) return nullptr;
  FilePtr file(::fdopen(fd.Get(), "rb"));
  if (!file) {
    result = FileResult::FromErrno(path, errno);
    return nullptr;
  }
  fd.Release();
  return file;
}

bool IsMissing(const FileResult& result) {
  return result.error == ENOENT;
}

// Reads lines of at most kMaxNotesLineBytes bytes and remembers where each began.
class LineReader {
 public:
  enum class Result { Line, Overlong, Error, End };

  explicit LineReader(std::FILE* file) : file_(file) {}

  // The next line without its CR LF (or bare LF). After Overlong or Error the
  // reader must not be used further.
  Result Next(std::string& line) {
    line.clear();
    lineStart_ = offset_;
    int c = 0;
    // One reader per file: the unlocked form spares a lock per byte, which
    // is most of the time of a large file.
    while ((c = ::getc_unlocked(file_)) != EOF) {
      ++offset_;
      if (c == '\n') return Ended(line);
      if (line.size() > kMaxNotesLineBytes) return Result::Overlong;  // one spare byte for CR
      line += static_cast<char>(c);
    }
    if (std::ferror(file_)) return Result::Error;
    if (line.empty()) return Result::End;
    return Ended(line);  // the last line has no line end
  }

  std::uint64_t LineStart() const { return lineStart_; }

 private:
  // A complete line without its CR; the spare byte kept for the CR does not
  // make a longer line readable.
  static Result Ended(std::string& line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line.size() > kMaxNotesLineBytes ? Result::Overlong : Result::Line;
  }

  std::FILE* file_;
  std::uint64_t offset_ = 0;
  std::uint64_t lineStart_ = 0;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// How a line must look to be a record.
enum class RecordForm {
  // The composer's reader: exactly the file's format (digits without leading
  // zeros, one comma, the text in double quotes, nothing else); any other line,
  // a blank one too, ends the reading.
  Exact,
  // The editor's reader: blanks around the parts are tolerated and blank
  // lines skipped (files edited by hand), so that it shows what it can.
  Tolerant,
};

// One record: digits, comma, text in double quotes; anything else makes the
// line unreadable. The text comes back as raw bytes.
std::optional<std::pair<DayNumber, std::string_view>> ParseRecord(std::string_view line,
                                                                  RecordForm form) {
  std::size_t i = 0;
  const auto skipBlanks = [&] {
    if (form == RecordForm::Exact) return;
    while (i < line.size() && IsBlank(line[i])) ++i;
  };
  skipBlanks();
  const std::size_t digitsStart = i;
  DayNumber day = 0;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
    day = day * 10 + (line[i] - '0');
    if (day > kLastDayNumber) return std::nullopt;
    ++i;
  }
  if (i == digitsStart) return std::nullopt;
  if (form == RecordForm::Exact && line[digitsStart] == '0' && i - digitsStart > 1)
    return std::nullopt;
  skipBlanks();
  if (i >= line.size() || line[i] != ',') return std::nullopt;
  ++i;
  skipBlanks();
  if (i >= line.size() || line[i] != '"') return std::nullopt;
  const std::size_t textStart = ++i;
  const std::size_t textEnd = line.find('"', textStart);
  if (textEnd == std::string_view::npos) return std::nullopt;
  i = textEnd + 1;
  skipBlanks();
  if (i != line.size()) return std::nullopt;
  return std::make_pair(day, line.substr(textStart, textEnd - textStart));
}

bool IsBlankLine(std::string_view line) {
  return TrimWhitespace(line).empty();
}

// The reading loop shared by the composer's and the editor's reader.
struct ReadOutcome {
  std::vector<NoteEntry> entries;
  std::vector<std::string> lines;  // each entry's line as read
  bool stopped = false;            // an unreadable record (or the 366th) ended the reading
  bool readError = false;
  std::uint64_t stopOffset = 0;  // where the unreadable part begins
};

ReadOutcome ReadRecords(std::FILE* file, int year, RecordForm form) {
  ReadOutcome outcome;
  LineReader reader(file);
  std::string line;
  for (;;) {
    const LineReader::Result result = reader.Next(line);
    if (result == LineReader::Result::End) break;
    if (result == LineReader::Result::Error) {
      outcome.readError = true;
      break;
    }
    if (form == RecordForm::Tolerant && result == LineReader::Result::Line && IsBlankLine(line))
      continue;
    std::optional<DayNumber> moved;
    std::optional<std::pair<DayNumber, std::string_view>> record;
    if (result == LineReader::Result::Line && outcome.entries.size() < kMaxNotes) {
      record = ParseRecord(line, form);
      if (record) moved = MoveIntoYear(record->first, year);
    }
    if (!moved) {
      outcome.stopped = true;
      outcome.stopOffset = reader.LineStart();
      break;
    }
    // The file's code page, whatever the bytes look like: Windows-1252 bytes
    // are often valid UTF-8 too ("È¸" is C8 B8).
    outcome.entries.push_back({*moved, Windows1252ToUtf8(record->second)});
    outcome.lines.push_back(line);
  }
  return outcome;
}

// The lines of `bytes` without their line ends (LF or CR LF); a last line
// without line end counts too.
std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const bool complete = end != std::string_view::npos;
    if (!complete) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = complete ? end + 1 : end;
  }
  return lines;
}

// The lines of the file from `offset` on, at most kMaxKeptNotesBytes of them.
void ReadUnreadablePart(std::FILE* file, std::uint64_t offset, NotesFileContents& contents) {
  std::string bytes;
  if (!ReadBoundedAt(::fileno(file), offset, kMaxKeptNotesBytes, contents.status.path, bytes))
    contents.unreadableTruncated = true;
  contents.unreadableLines = SplitLines(bytes);
}

// The file as it is now, however it ends; a missing file is empty.
FileResult ReadWhole(const std::string& path, std::string& bytes) {
  const FileResult read = ReadBounded(path, kMaxRereadBytes, bytes);
  return read || IsMissing(read) ? FileResult::Success() : read;
}

// Replaces the file (a link to it stays); new notes are for the user's eyes only.
FileResult ReplaceNotes(const std::string& path, std::string_view content, const NotesFileIo& io) {
  ReplaceOptions options;
  options.followLink = true;
  options.newFileMode = 0600;
  options.hooks = io;
  return ReplaceFile(path, content, options);
}

// Every line of the file as it is now; a missing file has none.
FileResult ReadAllLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::string bytes;
  if (FileResult read = ReadWhole(path, bytes); !read) return read;
  lines = SplitLines(bytes);
  return FileResult::Success();
}

// The non-blank lines of `now` that `before` does not hold (as many times as
// they are missing there), in the order of `now`.
std::vector<std::string> LinesAddedSince(const std::vector<std::string>& now,
                                         const NotesFileContents& before) {
  std::map<std::string_view, std::size_t> known;
  for (const std::string& line : before.recordLines) ++known[line];
  for (const std::string& line : before.unreadableLines) ++known[line];
  std::vector<std::string> added;
  for (const std::string& line : now) {
    if (IsBlankLine(line)) continue;
    const auto found = known.find(line);
    if (found != known.end() && found->second > 0) {
      --found->second;
    } else {
      added.push_back(line);
    }
  }
  return added;
}

}  // namespace

std::string NotesFilePath(std::string_view appFolder) {
  return std::string(appFolder) + kNotesFileName;
}

NotesTable LoadNotesForYear(const std::string& path, int year) {
  FileResult result;
  const FilePtr file = OpenNotesFile(path, result);
  if (!file) return {};
  return ReadRecords(file.get(), year, RecordForm::Exact).entries;
}

NotesFileContents ReadNotesFile(const std::string& path) {
  NotesFileContents contents;
  const FilePtr file = OpenNotesFile(path, contents.status);
  if (!file) {
    if (IsMissing(contents.status)) contents.status = FileResult::Success();
    return contents;
  }
  ReadOutcome outcome = ReadRecords(file.get(), kEditorYear, RecordForm::Tolerant);
  if (outcome.readError) {
    contents.status = FileResult::FromErrno(path, EIO);
    return contents;
  }
  contents.records = std::move(outcome.entries);
  contents.recordLines = std::move(outcome.lines);
  if (outcome.stopped) ReadUnreadablePart(file.get(), outcome.stopOffset, contents);
  return contents;
}

std::string FormatNoteRecord(DayNumber day, std::string_view text) {
  std::string bytes = Utf8ToWindows1252(text);
  for (char& c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"') {
      c = '\'';
    } else if (c == ',') {
      c = '\xB8';  // "¸", as the editor turns a typed comma
    } else if (byte < 0x20 || byte == 0x7F) {
      c = ' ';
    }
  }
  return std::to_string(day) + ",\"" + bytes + "\"";
}

bool IsExactNoteRecord(std::string_view line) {
  return ParseRecord(line, RecordForm::Exact).has_value();
}

bool AppendNoteRecord(const std::string& path, DayNumber day, std::string_view text,
                      const NotesFileIo& io) {
  if (!IsValidDayNumber(day)) return false;
  // The whole file again with the line at its end: a file we may not read is
  // not ours to add to.
  std::string content;
  if (!ReadWhole(path, content)) return false;
  // A lone CR at the end only lacks its LF: "\r" + "\r\n" would glue a stray
  // CR to the last record and make it unreadable.
  if (!content.empty() && content.back() != '\n') content += content.back() == '\r' ? "\n" : "\r\n";
  content += FormatNoteRecord(day, text) + "\r\n";
  return ReplaceNotes(path, content, io).Ok();
}

FileResult InsertNoteRecords(const std::string& path, const std::vector<NoteEntry>& records,
                             const NotesFileIo& io) {
  std::string content;
  if (FileResult read = ReadWhole(path, content); !read) return read;
  std::size_t at = content.size();
  if (!content.empty()) {
    // The composer's reading of the file as it is now: where it would stop.
    const FilePtr memory(::fmemopen(content.data(), content.size(), "rb"));
    if (!memory) return FileResult::FromErrno(path, errno);
    const ReadOutcome outcome = ReadRecords(memory.get(), kEditorYear, RecordForm::Exact);
    if (outcome.stopped) at = static_cast<std::size_t>(outcome.stopOffset);
  }
  std::string lines;
  // A last line without its line end (a lone CR lacks only the LF) stays apart.
  if (at == content.size() && at > 0 && content.back() != '\n')
    lines += content.back() == '\r' ? "\n" : "\r\n";
  for (const NoteEntry& record : records) {
    if (!IsValidDayNumber(record.day)) return FileResult::FromErrno(path, EINVAL);
    lines += FormatNoteRecord(record.day, record.text) + "\r\n";
  }
  content.insert(at, lines);
  return ReplaceNotes(path, content, io);
}

bool RewriteNotesFile(const std::string& path, const std::vector<NoteToWrite>& notes,
                      const NotesFileContents& asRead, const NotesFileIo& io) {
  if (!asRead.Rewritable()) return false;
  std::string content;
  for (const NoteToWrite& note : notes) {
    if (note.line.empty()) {
      if (!IsValidDayNumber(note.day)) return false;
      content += FormatNoteRecord(note.day, note.text);
    } else {
      if (note.line.find('\n') != std::string::npos) return false;
      content += note.line;
    }
    content += "\r\n";
  }
  // Another window may have added notes since the editor read the file.
  std::vector<std::string> now;
  if (!ReadAllLines(path, now)) return false;
  for (const std::string& line : LinesAddedSince(now, asRead)) content += line + "\r\n";
  for (const std::string& line : asRead.unreadableLines) content += line + "\r\n";

  return ReplaceNotes(path, content, io).Ok();
}

bool IsNotesFileReadOnly(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno != ENOENT;
  if (!S_ISREG(st.st_mode)) return true;
  // Unreadable: left exactly as it is (making it writable would invite a
  // save that replaces notes nobody could see).
  if (::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) != 0) return true;
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
    ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR);
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return true;
  }
  if (!CheckReplaceable(path, true)) return true;
  char* resolved = ::realpath(path.c_str(), nullptr);
  const std::string target = resolved ? std::string(resolved) : path;
  std::free(resolved);
  const std::string folder = FolderOfPath(target);
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0;
}

}  // namespace orvanta
