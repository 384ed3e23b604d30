#include "app/core/run/InputFileChecks.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "almanac/ShiftCycle.h"
#include "app/core/notes/NotesFile.h"
#include "base/FileReading.h"
#include "base/Text.h"

namespace orvanta {
namespace {

std::string ReadProblem(const FileResult& read) {
  switch (read.status) {
    case FileStatus::NotFound:
      return "non trovato";
    case FileStatus::NotRegular:
      return "non è un file normale";
    case FileStatus::TooLarge:
      return "supera il limite di " + std::to_string(read.limit) + " byte";
    default:
      return std::string("non si può leggere (") + std::strerror(read.error) + ")";
  }
}

// What every text file must pass; `limit` bytes at most are read, and with
// `headOnly` a longer file is judged by its beginning.
std::string TextProblem(const std::string& path, std::size_t limit, bool headOnly,
                        std::string& bytes) {
  const FileResult read = ReadBounded(path, limit, bytes);
  if (!read && !(headOnly && read.status == FileStatus::TooLarge)) return ReadProblem(read);
  if (bytes.empty()) return "è vuoto";
  const std::string_view head(bytes.data(), std::min<std::size_t>(bytes.size(), 4096));
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF") ||
      head.find('\0') != std::string_view::npos) {
    return "è in UTF-16 o non è un file di testo (serve un testo UTF-8 o Windows-1252)";
  }
  return {};
}

}  // namespace

CheckedNotes CheckNotesFile(const std::string& path, int year) {
  CheckedNotes checked;
  std::string bytes;
  checked.problem = TextProblem(path, kMaxPrintedNotesBytes, true, bytes);
  if (!checked.problem.empty()) return checked;
  // One reading serves the check and the run; only a file longer than the
  // calendar could ever read is opened a second time.
  checked.notes = !bytes.empty() && bytes.size() < kMaxPrintedNotesBytes
                      ? NotesForYear(bytes, year)
                      : LoadNotesForYear(path, year);
  if (checked.notes.empty())
    checked.problem =
        "ha una prima riga che non è una nota da stampare nel " + std::to_string(year);
  return checked;
}

// The whole file is read once, and the cycle comes from those bytes.
CheckedShift CheckShiftFile(const std::string& path) {
  CheckedShift checked;
  std::string bytes;
  checked.problem = TextProblem(path, kMaxShiftFileBytes, false, bytes);
  if (!checked.problem.empty()) return checked;
  checked.shift = ParseShiftCycle(DecodeUserText(bytes));
  if (!checked.shift.Usable()) checked.problem = "non è nel formato del turno";
  return checked;
}

}  // namespace orvanta
