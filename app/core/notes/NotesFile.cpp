#include "app/core/notes/NotesFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

#include "app/core/run/FileNames.h"
#include "base/FileReading.h"
#include "base/FileStreams.h"
#include "base/Text.h"
#include "base/Windows1252.h"

namespace orvanta {
namespace {

// A regular file opened for reading, or null with the reason in `result`.
FilePtr OpenNotesFile(const std::string& path, FileResult& result) {
  return OpenStreamForReading(path, result);
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
    while ((c = NextByte(file_)) != EOF) {
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

// How far a reading goes past a line that is no record.
enum class Reading {
  // The composer's: any other line, a blank one too, ends the reading, and
  // what follows it is not printed.
  Calendar,
  // The editor's: blank lines are skipped and every other line that is no
  // record is kept aside, so that it shows every note the file holds.
  Editor,
};

// One record: the number up to the comma, then the text in double quotes.
// Spaces may stand around the number, the comma and the quoted text (files
// written by hand); a tab or anything else makes the line unreadable, as does
// a number with leading zeros. The text comes back as raw bytes.
std::optional<std::pair<DayNumber, std::string_view>> ParseRecord(std::string_view line) {
  std::size_t i = 0;
  const auto skipSpaces = [&] {
    while (i < line.size() && line[i] == ' ') ++i;
  };
  skipSpaces();
  const std::size_t digitsStart = i;
  DayNumber day = 0;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
    day = day * 10 + (line[i] - '0');
    if (day > kLastDayNumber) return std::nullopt;
    ++i;
  }
  if (i == digitsStart || (line[digitsStart] == '0' && i - digitsStart > 1)) return std::nullopt;
  skipSpaces();
  if (i >= line.size() || line[i] != ',') return std::nullopt;
  ++i;
  skipSpaces();
  if (i >= line.size() || line[i] != '"') return std::nullopt;
  const std::size_t textStart = ++i;
  const std::size_t textEnd = line.find('"', textStart);
  if (textEnd == std::string_view::npos) return std::nullopt;
  i = textEnd + 1;
  skipSpaces();
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
  bool stopped = false;            // the calendar's reading ended before the end of the file
  bool readError = false;
  std::uint64_t stopOffset = 0;  // where the calendar's reading ended
  // The editor's reading: the lines that are no record, and whether there
  // were more of them than it keeps.
  std::vector<std::string> unreadable;
  bool unreadableTruncated = false;
};

// Keeps an unreadable line for the editor while the kept part stays bounded.
void KeepUnreadable(std::string line, ReadOutcome& outcome, std::size_t& keptBytes) {
  keptBytes += line.size() + 2;
  if (keptBytes > kMaxKeptNotesBytes) {
    outcome.unreadableTruncated = true;
    return;
  }
  outcome.unreadable.push_back(std::move(line));
}

ReadOutcome ReadRecords(std::FILE* file, int year, Reading reading) {
  ReadOutcome outcome;
  LineReader reader(file);
  std::string line;
  std::size_t keptBytes = 0;
  for (;;) {
    const LineReader::Result result = reader.Next(line);
    if (result == LineReader::Result::End) break;
    if (result == LineReader::Result::Error) {
      outcome.readError = true;
      break;
    }
    if (reading == Reading::Editor && result == LineReader::Result::Line && IsBlankLine(line))
      continue;
    std::optional<DayNumber> moved;
    std::optional<std::pair<DayNumber, std::string_view>> record;
    if (result == LineReader::Result::Line && outcome.entries.size() < kMaxNotes) {
      record = ParseRecord(line);
      if (record) moved = MoveIntoYear(record->first, year);
    }
    if (!moved && reading == Reading::Calendar) {
      outcome.stopped = true;
      outcome.stopOffset = reader.LineStart();
      break;
    }
    if (!moved && result == LineReader::Result::Overlong) {
      // The reader cannot go past it: the rest of the file is kept as it is.
      outcome.stopped = true;
      outcome.stopOffset = reader.LineStart();
      break;
    }
    if (!moved) {
      KeepUnreadable(line, outcome, keptBytes);
      continue;
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

// Adds the lines of `rest` (the part of the file the editor's reading could
// not go through) to the unreadable ones, when it is at most kMaxKeptNotesBytes.
void KeepRest(std::string_view rest, NotesFileContents& contents) {
  if (rest.size() > kMaxKeptNotesBytes) {
    contents.unreadableTruncated = true;  // the file cannot be rewritten whole
    return;
  }
  for (std::string& line : SplitLines(rest)) contents.unreadableLines.push_back(std::move(line));
}

// The editor's reading of an open file; `rest` gives the file from an offset on.
NotesFileContents EditorReading(std::FILE* file, const std::string& path,
                                const std::function<std::string(std::uint64_t)>& rest) {
  NotesFileContents contents;
  ReadOutcome outcome = ReadRecords(file, kEditorYear, Reading::Editor);
  if (outcome.readError) {
    contents.status = FileResult::FromErrno(path, EIO);
    return contents;
  }
  contents.records = std::move(outcome.entries);
  contents.recordLines = std::move(outcome.lines);
  contents.unreadableLines = std::move(outcome.unreadable);
  contents.unreadableTruncated = outcome.unreadableTruncated;
  if (outcome.stopped) KeepRest(rest(outcome.stopOffset), contents);
  return contents;
}

// A stream over bytes in memory, for the readers.
FilePtr OpenMemory(std::string_view bytes) {
  // Callers hand no empty buffer, which fmemopen refuses.
  return OpenMemoryStream(bytes);
}

}  // namespace

std::string NotesFilePath(std::string_view appFolder) {
  return std::string(appFolder) + kNotesFileName;
}

NotesTable LoadNotesForYear(const std::string& path, int year) {
  FileResult result;
  const FilePtr file = OpenNotesFile(path, result);
  if (!file) return {};
  return ReadRecords(file.get(), year, Reading::Calendar).entries;
}

NotesTable NotesForYear(std::string_view bytes, int year) {
  if (bytes.empty()) return {};
  const FilePtr memory = OpenMemory(bytes);
  if (!memory) return {};
  return ReadRecords(memory.get(), year, Reading::Calendar).entries;
}

NotesFileContents ReadNotesFile(const std::string& path) {
  NotesFileContents contents;
  const FilePtr file = OpenNotesFile(path, contents.status);
  if (!file) {
    if (IsMissing(contents.status)) contents.status = FileResult::Success();
    return contents;
  }
  return EditorReading(file.get(), path, [&](std::uint64_t offset) {
    std::string bytes;
    // More than can be kept (or unreadable): a rest that long marks it cut.
    if (!ReadBoundedAt(DescriptorOf(file.get()), offset, kMaxKeptNotesBytes, path, bytes))
      bytes.assign(kMaxKeptNotesBytes + 1, ' ');
    return bytes;
  });
}

NotesFileContents ParseNotesFile(std::string_view bytes, const std::string& path) {
  if (bytes.empty()) return {};
  const FilePtr memory = OpenMemory(bytes);
  if (!memory) return {FileResult::FromErrno(path, errno), {}, {}, {}, false};
  return EditorReading(memory.get(), path, [&](std::uint64_t offset) {
    return std::string(bytes.substr(static_cast<std::size_t>(offset)));
  });
}

CalendarReach ReachOfCalendar(std::string_view bytes) {
  CalendarReach reach{0, bytes.size()};
  if (bytes.empty()) return reach;
  const FilePtr memory = OpenMemory(bytes);
  if (!memory) return {kMaxNotes, bytes.size()};
  const ReadOutcome outcome = ReadRecords(memory.get(), kEditorYear, Reading::Calendar);
  reach.records = outcome.entries.size();
  if (outcome.stopped) reach.stopOffset = static_cast<std::size_t>(outcome.stopOffset);
  return reach;
}

bool LooksLikeNotesFile(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos) return false;
  for (const std::string& line : SplitLines(bytes.substr(0, kMaxNotesLineBytes + 2))) {
    if (IsBlankLine(line)) continue;
    return ParseRecord(line).has_value();
  }
  // Only blanks, or a first line too long for any record.
  return bytes.size() <= kMaxNotesLineBytes || IsBlankLine(bytes);
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
  return ParseRecord(line).has_value();
}

}  // namespace orvanta
