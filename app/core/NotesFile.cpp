#include "app/core/NotesFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "almanac/Text.h"

namespace orvanta {
namespace {

// 31 December 9999: later numbers are not dates anyone writes into a notes file.
constexpr DayNumber kLastDayNumber = 2958465;

bool IsValidDayNumber(DayNumber day) {
  return day >= 0 && day <= kLastDayNumber;
}

// Owns a file descriptor.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and answers whether close succeeded (it can report a write error).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

// A regular file opened for reading, or null. Never blocks on a FIFO or device
// that happens to carry the file's name.
std::FILE* OpenRegularFileForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  std::FILE* file = ::fdopen(fd, "rb");
  if (!file) ::close(fd);
  return file;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

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
    while ((c = std::getc(file_)) != EOF) {
      ++offset_;
      if (c == '\n') {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return Result::Line;
      }
      if (line.size() > kMaxNotesLineBytes) return Result::Overlong;  // one spare byte for CR
      line += static_cast<char>(c);
    }
    if (std::ferror(file_)) return Result::Error;
    if (line.empty()) return Result::End;
    if (line.back() == '\r') line.pop_back();
    return Result::Line;  // the last line has no line end
  }

  std::uint64_t LineStart() const { return lineStart_; }

 private:
  std::FILE* file_;
  std::uint64_t offset_ = 0;
  std::uint64_t lineStart_ = 0;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// One record: digits, comma, text in double quotes. Blanks around the parts
// are tolerated (files edited by hand); anything else makes the line
// unreadable. The text comes back as raw bytes.
std::optional<std::pair<DayNumber, std::string_view>> ParseRecord(std::string_view line) {
  std::size_t i = 0;
  const auto skipBlanks = [&] {
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
  bool stopped = false;  // an unreadable record (or the 366th) ended the reading
  bool readError = false;
  std::uint64_t stopOffset = 0;  // where the unreadable part begins
};

ReadOutcome ReadRecords(std::FILE* file, int year) {
  ReadOutcome outcome;
  LineReader reader(file);
  std::string line;
  for (;;) {
    const LineReader::Result result = reader.Next(line);
    if (result == LineReader::Result::End) break;
    if (result == LineReader::Result::Error) {
      outcome.readError = true;
      outcome.stopped = true;
      outcome.stopOffset = reader.LineStart();
      break;
    }
    if (result == LineReader::Result::Line && IsBlankLine(line)) continue;
    std::optional<DayNumber> moved;
    std::optional<std::pair<DayNumber, std::string_view>> record;
    if (result == LineReader::Result::Line && outcome.entries.size() < kMaxNotes) {
      record = ParseRecord(line);
      if (record) moved = MoveIntoYear(record->first, year);
    }
    if (!moved) {
      outcome.stopped = true;
      outcome.stopOffset = reader.LineStart();
      break;
    }
    outcome.entries.push_back({*moved, DecodeUserText(record->second)});
  }
  return outcome;
}

// The lines of the file from `offset` on, at most kMaxKeptNotesBytes of them.
void ReadUnreadablePart(std::FILE* file, std::uint64_t offset, NotesFileContents& contents) {
  if (offset > static_cast<std::uint64_t>(LONG_MAX) ||
      std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) {
    contents.unreadableTruncated = true;
    return;
  }
  std::string bytes(kMaxKeptNotesBytes + 1, '\0');
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  if (std::ferror(file) || got > kMaxKeptNotesBytes) contents.unreadableTruncated = true;
  bytes.resize(std::min(got, kMaxKeptNotesBytes));

  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const bool complete = end != std::string::npos;
    if (!complete) end = bytes.size();
    std::string_view line(bytes.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    contents.unreadableLines.emplace_back(line);
    start = complete ? end + 1 : end;
  }
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a path names, following a symbolic link so that rewriting replaces
// the link's target and the link stays.
std::string ResolveLink(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

ssize_t DoWrite(const NotesFileIo& io, int fd, const void* data, std::size_t size) {
  return io.write ? io.write(fd, data, size) : ::write(fd, data, size);
}

bool WriteAll(const NotesFileIo& io, int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = DoWrite(io, fd, data.data(), data.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Creates a new file beside `target` that nobody else can have opened.
int CreateFileBeside(const std::string& target, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string NotesFilePath(std::string_view appFolder) {
  return std::string(appFolder) + "Notes.dat";
}

NotesTable LoadNotesForYear(const std::string& path, int year) {
  std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFileForReading(path));
  if (!file) return {};
  return ReadRecords(file.get(), year).entries;
}

NotesFileContents ReadNotesFile(const std::string& path) {
  NotesFileContents contents;
  std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFileForReading(path));
  if (!file) return contents;
  ReadOutcome outcome = ReadRecords(file.get(), kEditorYear);
  contents.records = std::move(outcome.entries);
  if (outcome.readError) {
    contents.unreadableTruncated = true;
  } else if (outcome.stopped) {
    ReadUnreadablePart(file.get(), outcome.stopOffset, contents);
  }
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

bool AppendNoteRecord(const std::string& path, DayNumber day, std::string_view text,
                      const NotesFileIo& io) {
  if (!IsValidDayNumber(day)) return false;
  std::string line = FormatNoteRecord(day, text) + "\r\n";

  bool canRead = true;
  int raw = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (raw < 0 && errno == EACCES) {
    canRead = false;
    raw = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  }
  Fd fd(raw);
  if (fd.get() < 0) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const off_t oldSize = st.st_size;

  if (canRead && oldSize > 0) {
    char last = 0;
    // A lone CR at the end only lacks its LF: "\r" + "\r\n" would glue a stray CR
    // to the last record and make it unreadable.
    if (::pread(fd.get(), &last, 1, oldSize - 1) == 1 && last != '\n')
      line.insert(0, last == '\r' ? "\n" : "\r\n");
  }

  // One write on an O_APPEND descriptor; whatever part of a short write got
  // through is cut off again, so the file never ends in half a record.
  const ssize_t written = DoWrite(io, fd.get(), line.data(), line.size());
  if (written != static_cast<ssize_t>(line.size())) {
    if (written > 0 && ::ftruncate(fd.get(), oldSize) != 0) return false;
    return false;
  }
  if (::fdatasync(fd.get()) != 0) return false;
  return fd.Close();
}

bool RewriteNotesFile(const std::string& path, const std::vector<NoteEntry>& records,
                      const std::vector<std::string>& keptLines, const NotesFileIo& io) {
  std::string content;
  for (const NoteEntry& record : records) {
    if (!IsValidDayNumber(record.day)) return false;
    content += FormatNoteRecord(record.day, record.text);
    content += "\r\n";
  }
  for (const std::string& line : keptLines) {
    content += line;
    content += "\r\n";
  }

  const std::string target = ResolveLink(path);
  struct stat old {};
  const bool hadOld = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);

  std::string tempName;
  Fd fd(CreateFileBeside(target, tempName));
  if (fd.get() < 0) return false;
  const auto fail = [&] {
    fd.Close();
    ::unlink(tempName.c_str());
    return false;
  };
  if (hadOld) ::fchmod(fd.get(), old.st_mode & 07777);  // keep the old file's permissions
  if (!WriteAll(io, fd.get(), content)) return fail();
  if (::fsync(fd.get()) != 0) return fail();
  if (!fd.Close()) return fail();
  const int renamed = io.rename ? io.rename(tempName.c_str(), target.c_str())
                                : ::rename(tempName.c_str(), target.c_str());
  if (renamed != 0) return fail();
  SyncFolder(FolderOf(target));
  return true;
}

bool IsNotesFileReadOnly(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
    ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR);
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return true;
  }
  const std::string folder = FolderOf(ResolveLink(path));
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0;
}

}  // namespace orvanta
